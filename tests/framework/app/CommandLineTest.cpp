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
    };
    for (const CommandLineCase& row : cases) {
        SCOPED_TRACE(row.name);
        const mfxCommandLine line = mfxParseCommandLine(row.arguments);
        EXPECT_EQ(line.options, row.options);
        EXPECT_EQ(line.document, row.document);
    }
}
