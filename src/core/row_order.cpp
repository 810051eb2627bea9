#include "core/row_order.h"

#include <algorithm>

namespace quivanto {
namespace {

// Folds ASCII letters, and the Latin-1 capitals encoded as C3 80..C3 9E (but not the
// multiplication sign C3 97), to lower case; other bytes compare as they are.
struct FoldedByte {
    unsigned char value;
    std::size_t length;
};

FoldedByte foldAt(std::string_view text, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte >= 'A' && byte <= 'Z')
        return {static_cast<unsigned char>(byte + 32), 1};
    return {byte, 1};
}

bool isLatin1Capital(std::string_view text, std::size_t pos) {
    if (pos + 1 >= text.size() || static_cast<unsigned char>(text[pos]) != 0xC3)
        return false;
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    return next >= 0x80 && next <= 0x9E && next != 0x97;
}

unsigned char foldedSecondByte(std::string_view text, std::size_t pos) {
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    return isLatin1Capital(text, pos) ? static_cast<unsigned char>(next + 0x20) : next;
}

int compareFolded(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const FoldedByte x = foldAt(a, i);
        const FoldedByte y = foldAt(b, j);
        if (x.value != y.value)
            return x.value < y.value ? -1 : 1;
        // Same lead byte: a Latin-1 letter continues with a folded second byte.
        if (x.value == 0xC3 && i + 1 < a.size() && j + 1 < b.size()) {
            const auto p = foldedSecondByte(a, i);
            const auto q = foldedSecondByte(b, j);
            if (p != q)
                return p < q ? -1 : 1;
            i += 2;
            j += 2;
            continue;
        }
        i += x.length;
        j += y.length;
    }
    if (i == a.size() && j == b.size())
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
