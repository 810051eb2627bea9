#include "commands/type_to_find.h"

#include "core/item_line.h"
#include "core/list_host.h"
#include "core/row_order.h"
#include "core/text_units.h"

#include <algorithm>

namespace quivanto {
namespace {

bool findsRows(std::string_view character) {
    if (character.empty())
        return false;
    const auto first = static_cast<unsigned char>(character.front());
    return first > ' ' && first != 0x7F;
}

// A double-byte character arrives as two keys, its lead byte first: the search waits for
// the whole character.
bool endsInsideCharacter(std::string_view text, const TextEncoding& encoding) {
    if (text.empty())
        return false;
    const std::string_view last = trailingCharacters(text, 1, encoding);
    const auto byte = static_cast<unsigned char>(last.front());
    const bool utf8Lead = encoding.kind == TextEncoding::Kind::Utf8 && byte >= 0xC2 && byte <= 0xF4;
    return last.size() == 1 && (encoding.isLeadByte(byte) || utf8Lead);
}

// The same character, once or more.
bool oneCharacterRepeated(std::string_view text, const TextEncoding& encoding) {
    const std::string_view first = leadingCharacters(text, 1, encoding);
    for (std::size_t at = 0; at < text.size(); at += first.size()) {
        if (text.substr(at, first.size()) != first)
            return false;
    }
    return true;
}

int nextRowStartingWith(const std::vector<std::string>& rows, int from, std::string_view prefix,
                        const TextEncoding& encoding) {
    const int count = static_cast<int>(rows.size());
    for (int step = 0; step < count; ++step) {
        const int row = (from + step) % count;
        if (startsWithIgnoringCase(descriptionField(rows[row], encoding), prefix))
            return row;
    }
    return -1;
}

} // namespace

TypedSearchStep findTypedRow(const std::vector<std::string>& rows, int selected,
                             const TypedSearch& before, std::string_view character,
                             std::chrono::milliseconds now, const TextEncoding& encoding) {
    if (!findsRows(character) && !endsInsideCharacter(before.typed, encoding))
        return {before, -1};
    // A clock that went back counts as a pause.
    const bool goesOn =
        !before.typed.empty() && now >= before.lastAt && now - before.lastAt < TypingPause;
    TypedSearchStep step;
    step.search.typed = goesOn ? before.typed : std::string{};
    step.search.typed += character;
    step.search.lastAt = now;
    const std::string_view typed = step.search.typed;
    if (rows.empty() || endsInsideCharacter(typed, encoding))
        return step;
    const int current = selected < 0 ? -1 : selected;
    const std::string_view first = leadingCharacters(typed, 1, encoding);
    if (first.size() == typed.size()) { // a fresh search: the next row on
        step.row = nextRowStartingWith(rows, current + 1, first, encoding);
        return step;
    }
    step.row = nextRowStartingWith(rows, std::max(current, 0), typed, encoding);
    if (step.row < 0 && oneCharacterRepeated(typed, encoding))
        step.row = nextRowStartingWith(rows, current + 1, first, encoding);
    return step;
}

void lstApps_KeyPress(ListHost& form, TypedSearch& search, std::string_view character,
                      std::chrono::milliseconds now) {
    const TypedSearchStep step = findTypedRow(form.rows(), form.selectedIndex(), search, character,
                                              now, form.platform().textEncoding());
    search = step.search;
    if (step.row >= 0)
        form.selectIndex(step.row);
}

} // namespace quivanto
