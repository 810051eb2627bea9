#include "core/row_order.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

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

// The byte at `pos` as the comparison sees it: after a Latin-1 lead byte, the next byte is
// the letter and is folded too.
unsigned char foldedAt(std::string_view text, std::size_t pos) {
    const auto byte = foldedAscii(static_cast<unsigned char>(text[pos]));
    if (pos > 0 && static_cast<unsigned char>(text[pos - 1]) == 0xC3)
        return foldedLatin1Tail(byte);
    return byte;
}

int compareFolded(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const auto x = foldedAt(a, i);
        const auto y = foldedAt(b, i);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return i == a.size() ? -1 : 1;
}

// The first eight bytes of a row as compareFolded sees them, most significant first, zeros
// after a shorter row. A smaller key means a smaller row; equal keys decide nothing.
std::uint64_t foldedPrefix(std::string_view text) {
    std::uint64_t key = 0;
    for (std::size_t pos = 0; pos < 8; ++pos)
        key = (key << 8) | (pos < text.size() ? foldedAt(text, pos) : 0u);
    return key;
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

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           compareFolded(text.substr(0, prefix.size()), prefix) == 0;
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
