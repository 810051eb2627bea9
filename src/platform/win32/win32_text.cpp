#include "platform/win32/win32_text.h"

#include <windows.h>

namespace quivanto::win32 {

TextEncoding encodingOfCodePage(unsigned codePage) {
    TextEncoding encoding;
    if (codePage == CP_UTF8)
        return encoding;
    encoding.kind = TextEncoding::Kind::SingleByte;
    CPINFOEXA info{};
    if (!GetCPInfoExA(codePage, 0, &info) || info.MaxCharSize != 2)
        return encoding;
    encoding.kind = TextEncoding::Kind::DoubleByte;
    // LeadByte holds pairs of inclusive ranges, ended by a pair of zeros.
    for (int pair = 0; pair + 1 < MAX_LEADBYTES && info.LeadByte[pair] != 0; pair += 2) {
        for (unsigned byte = info.LeadByte[pair]; byte <= info.LeadByte[pair + 1]; ++byte)
            encoding.leadBytes.set(byte);
    }
    return encoding;
}

TextEncoding ansiEncoding() {
    return encodingOfCodePage(GetACP());
}

} // namespace quivanto::win32
