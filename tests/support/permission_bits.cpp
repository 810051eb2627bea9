#include "support/permission_bits.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quivanto::testing {
namespace {

constexpr unsigned Overrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool capabilities(__user_cap_data_struct (&data)[2], bool set) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

} // namespace

PermissionBitsCount::PermissionBitsCount() {
    __user_cap_data_struct data[2]{};
    if (!capabilities(data, false))
        return;
    if ((data[0].effective & Overrides) == 0) {
        holds_ = true;
        return;
    }
    saved_[0] = data[0].effective;
    saved_[1] = data[1].effective;
    data[0].effective &= ~Overrides;
    restore_ = holds_ = capabilities(data, true);
}

PermissionBitsCount::~PermissionBitsCount() {
    if (!restore_)
        return;
    __user_cap_data_struct data[2]{};
    if (!capabilities(data, false))
        return;
    data[0].effective = saved_[0];
    data[1].effective = saved_[1];
    capabilities(data, true);
}

} // namespace quivanto::testing
