// Pasted text: line ends made the editors' own, control characters dropped.
#include <gtest/gtest.h>

#include <string>

#include "text/paste/PasteFilters.h"

namespace {

TEST(PasteFilters, PageEditorPasteNormalisesLineEndsAndDropsControls) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"a\r\nb", "a\rb"},        // CR LF from the program's own copy
        {"a\nb\n", "a\rb\r"},      // bare LF from another program
        {"a\rb", "ab"},            // a CR on its own
        {"a\tb\x01" "c\x7F", "abc"},  // tabs and other controls
        {"\xE9\xF1\x80", "\xE9\xF1\x80"},
        {"a\x81\x8D\x8F\x90\x9D" "b", "ab"},  // C1 controls of the unassigned bytes
        {std::string("a\0b", 3), "ab"},        // an embedded NUL
        {"\r\n\r\n", "\r\r"},
    };
    for (const Case& c : cases) EXPECT_EQ(filterPageEditorPaste(c.in), c.out) << c.in;
}

TEST(PasteFilters, DialogFieldPasteKeepsLineBreaksUnlessOneLine) {
    struct Case {
        std::string in;
        bool oneLine;
        std::string out;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", false, "a\rb\rc\rd"},
        {"a\tb\x7F" "c", false, "abc"},
        {std::string("a\0\x81" "b\x9D", 5), false, "ab"},
        {"first\r\nsecond", true, "first"},
        {"\nsecond", true, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(filterDialogFieldPaste(c.in, c.oneLine), c.out) << c.in;
}

}  // namespace
