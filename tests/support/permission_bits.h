#pragma once

namespace quivanto::testing {

// Tests here often run as root, whom permission bits do not stop. While an instance lives,
// the calling thread works without the capabilities that override the bits, so a file or
// folder made read-only or unreadable is so for the code under test too. For other users
// it changes nothing: the bits already count.
class PermissionBitsCount final {
public:
    PermissionBitsCount();
    ~PermissionBitsCount();
    PermissionBitsCount(const PermissionBitsCount&) = delete;
    PermissionBitsCount& operator=(const PermissionBitsCount&) = delete;

    // False when the capabilities could not be put aside: root tests of permissions then
    // cannot be made and must say so.
    bool holds() const { return holds_; }

private:
    bool holds_ = false;
    bool restore_ = false;
    unsigned saved_[2] = {0, 0};
};

} // namespace quivanto::testing
