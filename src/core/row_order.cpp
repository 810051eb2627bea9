#include "core/row_order.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

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

// The first eight bytes of a row as compareFolded sees them, most significant first, zeros
// after a shorter row. A smaller key means a smaller row; equal keys decide nothing.
std::uint64_t foldedPrefix(std::string_view text) {
    std::uint64_t key = 0;
    int filled = 0;
    const auto append = [&key, &filled](unsigned char byte) {
        if (filled < 8) {
            key = (key << 8) | byte;
            ++filled;
        }
    };
    std::size_t pos = 0;
    while (filled < 8 && pos < text.size()) {
        const FoldedByte byte = foldAt(text, pos);
        append(byte.value);
        if (byte.value == 0xC3 && pos + 1 < text.size()) {
            append(foldedSecondByte(text, pos));
            pos += 2;
        } else {
            pos += byte.length;
        }
    }
    return filled == 0 ? 0 : key << (8 * (8 - filled));
}

struct KeyedRow {
    std::uint64_t key;
    std::size_t index;
};

// Least significant byte first, one stable pass per byte; a byte that is the same in every
// key orders nothing and is skipped.
void radixSortByKey(std::vector<KeyedRow>& entries) {
    constexpr int Bytes = 8;
    std::array<std::array<std::size_t, 256>, Bytes> counts{};
    for (const KeyedRow& entry : entries)
        for (int byte = 0; byte < Bytes; ++byte)
            ++counts[byte][(entry.key >> (8 * byte)) & 0xFF];
    std::vector<KeyedRow> buffer(entries.size());
    for (int byte = 0; byte < Bytes; ++byte) {
        auto& count = counts[byte];
        if (std::find(count.begin(), count.end(), entries.size()) != count.end())
            continue;
        std::size_t offset = 0;
        for (auto& slot : count)
            offset += std::exchange(slot, offset);
        for (const KeyedRow& entry : entries)
            buffer[count[(entry.key >> (8 * byte)) & 0xFF]++] = entry;
        entries.swap(buffer);
    }
}

} // namespace

bool rowLess(std::string_view a, std::string_view b) {
    const int folded = compareFolded(a, b);
    if (folded != 0)
        return folded < 0;
    return a < b; // rows equal but for case keep one fixed order
}

void sortRows(std::vector<std::string>& rows) {
    // Sorted by a short key held next to each row's index: the keys lie side by side and
    // almost always decide, where comparing the rows' texts would read all over memory. A
    // radix sort orders the keys in time proportional to the rows; only rows with equal keys
    // are compared as texts. Every step is stable, so equal rows keep their order.
    std::vector<KeyedRow> entries;
    entries.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        entries.push_back({foldedPrefix(rows[i]), i});
    radixSortByKey(entries);
    for (auto run = entries.begin(); run != entries.end();) {
        const auto end = std::find_if(run, entries.end(), [key = run->key](const KeyedRow& entry) {
            return entry.key != key;
        });
        if (end - run > 1)
            std::stable_sort(run, end, [&rows](const KeyedRow& a, const KeyedRow& b) {
                return rowLess(rows[a.index], rows[b.index]);
            });
        run = end;
    }
    std::vector<std::string> sorted;
    sorted.reserve(rows.size());
    for (const KeyedRow& entry : entries)
        sorted.push_back(std::move(rows[entry.index]));
    rows = std::move(sorted);
}

} // namespace quivanto
