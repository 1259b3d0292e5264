#include <gtest/gtest.h>

#include "framework/app/mfxMain.h"

namespace {

struct CommandLineCase {
    const char* name;
    std::vector<std::string> arguments;
    std::vector<std::string> options;
    std::string document;
};

}  // namespace

TEST(CommandLine, OptionsAndTheOneDocumentWithoutItsQuotes) {
    const CommandLineCase cases[] = {
        {"nothing", {}, {}, ""},
        {"options only", {"/safe", "/x"}, {"/safe", "/x"}, ""},
        {"plain document", {"C:\\pics\\cat.tbx"}, {}, "C:\\pics\\cat.tbx"},
        {"quoted document", {"\"C:\\My Pictures\\cat.tbx\""}, {}, "C:\\My Pictures\\cat.tbx"},
        {"document in pieces", {"\"C:\\My", "Pictures\\cat.tbx\""}, {}, "C:\\My Pictures\\cat.tbx"},
        {"opening quote only", {"\"cat.tbx"}, {}, "cat.tbx"},
        {"closing quote only is kept", {"cat.tbx\""}, {}, "cat.tbx\""},
        {"lone quote", {"\""}, {}, ""},
        {"options around the document", {"/a", "cat.tbx", "/b"}, {"/a", "/b"}, "cat.tbx"},
        {"empty argument ignored", {"", "cat.tbx"}, {}, "cat.tbx"},
        {"path from the root", {"/home/mia/pic.tbx"}, {}, "/home/mia/pic.tbx"},
        {"file at the root", {"/pic.tbx"}, {}, "/pic.tbx"},
        {"root path in pieces", {"/home/mia/My", "Pictures/pic.tbx"}, {}, "/home/mia/My Pictures/pic.tbx"},
        {"option beside a root path", {"/safe", "/home/mia/pic.tbx", "/x2"}, {"/safe", "/x2"}, "/home/mia/pic.tbx"},
        {"slash alone is no option", {"/"}, {}, "/"},
        {"hidden file at the root", {"/.tbx"}, {}, "/.tbx"},
        {"option word with a dash is a path", {"/a-b"}, {}, "/a-b"},
    };
    for (const CommandLineCase& row : cases) {
        SCOPED_TRACE(row.name);
        const mfxCommandLine line = mfxParseCommandLine(row.arguments);
        EXPECT_EQ(line.options, row.options);
        EXPECT_EQ(line.document, row.document);
    }
}
