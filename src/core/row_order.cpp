#include "core/row_order.h"

#include <algorithm>

namespace quivanto {
namespace {

// Folds ASCII letters, and the Latin-1 capitals encoded as C3 80..C3 9E (but not the
// multiplication sign C3 97), to lower case; other bytes compare as they are.
unsigned char foldedAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 32) : byte;
}

unsigned char foldedLatin1Tail(unsigned char tail) {
    const bool capital = tail >= 0x80 && tail <= 0x9E && tail != 0x97;
    return capital ? static_cast<unsigned char>(tail + 0x20) : tail;
}

int compareFolded(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        auto x = foldedAscii(static_cast<unsigned char>(a[i]));
        auto y = foldedAscii(static_cast<unsigned char>(b[i]));
        // After a shared Latin-1 lead byte, the next byte is the letter: fold it too.
        if (i > 0 && static_cast<unsigned char>(a[i - 1]) == 0xC3 &&
            static_cast<unsigned char>(b[i - 1]) == 0xC3) {
            x = foldedLatin1Tail(x);
            y = foldedLatin1Tail(y);
        }
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return i == a.size() ? -1 : 1;
}

} // namespace

bool rowLess(std::string_view a, std::string_view b) {
    const int folded = compareFolded(a, b);
    if (folded != 0)
        return folded < 0;
    return a < b; // rows equal but for case keep one fixed order
}

void sortRows(std::vector<std::string>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const std::string& a, const std::string& b) { return rowLess(a, b); });
}

} // namespace quivanto
