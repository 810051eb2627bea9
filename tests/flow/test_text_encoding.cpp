// Character positions in item lines under each kind of system text encoding: UTF-8, a
// single-byte code page, and a double-byte code page (a table shaped like Shift-JIS's lead
// bytes, so the tests need no system to answer).
#include "commands/drop_decision.h"
#include "core/item_line.h"
#include "core/text_units.h"
#include "dialogs/add_item_rules.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/properties_rules.h"
#include "flow/flow_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quivanto;

namespace {

TextEncoding utf8() {
    return {};
}

TextEncoding singleByte() {
    TextEncoding encoding;
    encoding.kind = TextEncoding::Kind::SingleByte;
    return encoding;
}

TextEncoding doubleByte() {
    TextEncoding encoding;
    encoding.kind = TextEncoding::Kind::DoubleByte;
    for (unsigned byte = 0x81; byte <= 0x9F; ++byte)
        encoding.leadBytes.set(byte);
    for (unsigned byte = 0xE0; byte <= 0xFC; ++byte)
        encoding.leadBytes.set(byte);
    return encoding;
}

// Two-character double-byte texts; the second has "|" (0x7C) as a trail byte and the third
// a backslash (0x5C), which a byte-wise reader would take for a separator.
const std::string Kanji = "\x93\xfa\x96\x7b";
const std::string BarTrail = "\x83\x7c";
const std::string BackslashTrail = "\x83\x5c";

struct CountCase {
    const char* name;
    TextEncoding encoding;
    std::string text;
    std::size_t characters;
};

TEST(TextEncoding, CountsCharactersOfEachEncoding) {
    const std::vector<CountCase> cases = {
        {"ascii in utf-8", utf8(), "Notepad", 7},
        {"ascii in a single-byte page", singleByte(), "Notepad", 7},
        {"ascii in a double-byte page", doubleByte(), "Notepad", 7},
        {"utf-8 e acute", utf8(), "caf\xc3\xa9", 4},
        {"the same bytes in a single-byte page", singleByte(), "caf\xc3\xa9", 5},
        {"double-byte kanji", doubleByte(), Kanji, 2},
        {"kanji bytes read as utf-8 are stray bytes", utf8(), Kanji, 4},
        {"trail byte that looks like a bar", doubleByte(), "a" + BarTrail + "b", 3},
        {"trail byte that looks like a backslash", doubleByte(), BackslashTrail, 1},
        {"lead byte at the very end stands alone", doubleByte(), "ab\x93", 3},
        {"half-width katakana is one byte", doubleByte(), "\xb1\xb2", 2},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(characterCount(c.text, c.encoding), c.characters);
        // Cutting at every character boundary gives the whole text back in two parts,
        // neither of which starts with a trail byte taken from its lead.
        for (std::size_t at = 0; at <= c.characters; ++at) {
            const auto head = leadingCharacters(c.text, at, c.encoding);
            const auto tail = charactersFrom(c.text, at, c.encoding);
            EXPECT_EQ(std::string(head) + std::string(tail), c.text);
            EXPECT_EQ(characterCount(head, c.encoding), at);
            EXPECT_EQ(characterCount(tail, c.encoding), c.characters - at);
        }
    }
}

// A list written by the Linux edition with plain ASCII reads the same in every encoding.
TEST(TextEncoding, AsciiLinesSplitAlikeInEveryEncoding) {
    const std::string line = makeItemLine("Notepad", "C:\\Windows\\notepad.exe", utf8());
    for (const TextEncoding& encoding : {utf8(), singleByte(), doubleByte()}) {
        EXPECT_EQ(makeItemLine("Notepad", "C:\\Windows\\notepad.exe", encoding), line);
        EXPECT_EQ(descriptionField(line, encoding), "Notepad                       ");
        EXPECT_EQ(targetField(line, encoding), "C:\\Windows\\notepad.exe");
    }
}

TEST(TextEncoding, DoubleByteDescriptionsArePaddedAndSplitByCharacters) {
    const TextEncoding encoding = doubleByte();
    const std::vector<std::string> descriptions = {Kanji, BarTrail + "x", "a" + BackslashTrail,
                                                   std::string(28, 'a') + Kanji.substr(0, 2)};
    for (const std::string& description : descriptions) {
        SCOPED_TRACE(description);
        const std::string line = makeItemLine(description, "C:\\x.exe", encoding);
        const std::string_view field = descriptionField(line, encoding);
        EXPECT_EQ(characterCount(field, encoding), DescriptionWidth);
        EXPECT_EQ(field.substr(0, description.size()), description);
        EXPECT_EQ(targetField(line, encoding), "C:\\x.exe");
        EXPECT_EQ(line[field.size()], FieldSeparator);
    }
}

TEST(TextEncoding, LongDoubleByteNamesAreShortenedWithoutSplittingACharacter) {
    const TextEncoding encoding = doubleByte();
    std::string name;
    for (int i = 0; i < 20; ++i)
        name += Kanji; // 40 characters, 80 bytes
    const std::string shortened = shortenToDescriptionWidth(name, encoding);
    EXPECT_EQ(characterCount(shortened, encoding), DescriptionWidth);
    const auto mark = shortened.find('~');
    ASSERT_NE(mark, std::string::npos);
    // Both sides of the mark are whole double-byte characters taken from the name.
    EXPECT_EQ(mark, 14u * 2);
    EXPECT_EQ(shortened.substr(0, mark), name.substr(0, mark));
    EXPECT_EQ(shortened.substr(mark + 1), name.substr(name.size() - 15 * 2));
}

TEST(TextEncoding, DecisionsReadRowsInTheGivenEncoding) {
    const TextEncoding encoding = doubleByte();
    // 30 characters: 27 letters, a double-byte character and two more letters.
    const std::string description = std::string(27, 'a') + Kanji.substr(0, 2) + "bc";
    const std::string row = makeItemLine(description, "C:\\x.exe", encoding);
    const std::vector<std::string> rows = {row};

    // Add Item: a new item with the same description field is refused, one with the same
    // target as well.
    const std::string field = padDescription(description, encoding);
    EXPECT_EQ(scanForDuplicate(rows, "C:\\y.exe", field, encoding).match,
              AddItemScan::Match::Description);
    EXPECT_EQ(scanForDuplicate(rows, "C:\\x.exe", padDescription("b", encoding), encoding).match,
              AddItemScan::Match::Target);

    // Properties: the fields shown, and the taken description found.
    const ShownItem shown = shownItem(row, encoding);
    EXPECT_EQ(shown.description, description);
    EXPECT_EQ(shown.target, "C:\\x.exe");
    EXPECT_EQ(rowWithDescription(rows, description, encoding), std::optional<std::size_t>(0));

    // Drop: a taken description is numbered within 30 characters, cutting after the
    // double-byte character rather than through it.
    const DuplicateScan scan =
        scanForDuplicates(rows, padDescription(description, encoding), "C:\\z.exe", encoding);
    ASSERT_EQ(scan.result, ScanResult::Add);
    EXPECT_EQ(descriptionField(scan.itemLine, encoding),
              std::string(27, 'a') + Kanji.substr(0, 2) + "~2");
    EXPECT_EQ(targetField(scan.itemLine, encoding), "C:\\z.exe");
}

// The flows take the encoding from the platform: on a double-byte system the Properties
// dialog shows a 30-character description whole and stores its edit with the right
// padding, and Add Item refuses a description field another row already has.
class DoubleByteFlows : public quivanto::testing::FlowTest {
protected:
    DoubleByteFlows() { platform.encoding = doubleByte(); }
};

TEST_F(DoubleByteFlows, PropertiesAndAddItemCountCharactersOfTheCodePage) {
    const std::string description = std::string(27, 'a') + Kanji.substr(0, 2) + "bc";
    const std::string line = makeItemLine(description, "C:\\x.exe", doubleByte());
    start(line + "\r\n", true);
    form->selectIndex(0);

    form->ShowPropertiesDialog();
    ASSERT_NE(views.properties, nullptr);
    EXPECT_EQ(views.properties->text, description);
    EXPECT_EQ(views.properties->target, "C:\\x.exe");

    views.properties->text = Kanji; // two characters, four bytes
    dynamic_cast<Form3&>(*form->openDialog(DialogNumber::Properties)).btnUpdate_Click();
    const std::string renamed = Kanji + std::string(28, ' ') + "|C:\\x.exe";
    EXPECT_EQ(listBytes(), renamed + "\r\n");
    EXPECT_EQ(form->rows(), std::vector<std::string>{renamed});

    // The same description typed again in Add Item is refused, whatever target it names.
    form->ShowAddDialog();
    ASSERT_NE(views.addItem, nullptr);
    views.addItem->text = Kanji;
    dynamic_cast<Form2&>(*form->openDialog(DialogNumber::AddItem)).cmdAdd_Click();
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().title, "Quivanto - Duplicate Item!");
    EXPECT_EQ(listBytes(), renamed + "\r\n");
}

} // namespace
