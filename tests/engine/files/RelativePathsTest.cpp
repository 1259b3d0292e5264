#include "engine/files/RelativePaths.h"

#include "tests/engine/files/FileFunctionsFixture.h"

namespace {

using RelativePaths = FileFunctionsTest;

TEST_F(RelativePaths, StepsUpAndDownBetweenFolders) {
    struct Case {
        const char* from;
        u16 fromIsFolder;
        const char* to;
        std::string expected;
    };
    const Case cases[] = {
        {"T:\\A\\B\\C", 1, "T:\\A\\D\\x", "../../D/x"},
        {"T:\\A\\B\\C", 0, "T:\\A\\D\\x", "../D/x"},
        {"T:\\A\\show.tbp", 0, "T:\\A\\page1.tbx", "page1.tbx"},
        {"T:\\A\\show.tbp", 0, "T:\\A\\Pages\\page1.tbx", "Pages/page1.tbx"},
        {"T:\\A\\B", 1, "T:\\Z\\x", "T:\\Z\\x"},
        // Names differ in case only: the host keeps such folders apart.
        {"T:\\A\\B", 1, "T:\\a\\B\\x", "T:\\a\\B\\x"},
        {"T:\\A\\B", 1, "T:\\A\\b\\x", "../b/x"},
        {"T:\\A\\B", 1, "U:\\A\\B\\x", "U:\\A\\B\\x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        TestPath from(c.from);
        TestPath to(c.to);
        std::string text = "junk";
        EXPECT_EQ(MakeRelativePathText(from.get(), c.fromIsFolder, to.get(), &text), kErrNone);
        EXPECT_EQ(text, c.expected);
    }
}

TEST_F(RelativePaths, PathInFolderWalksUpToTheRoot) {
    struct Case {
        const char* folder;
        const char* path;
        u16 inside;
    };
    const Case cases[] = {
        {"T:\\A", "T:\\A", 1},       {"T:\\A", "T:\\A\\B\\c.txt", 1}, {"T:\\A", "T:\\AB\\c.txt", 0},
        {"T:\\A\\B", "T:\\A", 0},    {"T:\\", "T:\\A\\B", 1},         {"T:\\A", "U:\\A\\B", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " holds " + c.path);
        TestPath folder(c.folder);
        TestPath path(c.path);
        u16 inside = 9;
        EXPECT_EQ(IsPathInFolder(folder.get(), path.get(), &inside), kErrNone);
        EXPECT_EQ(inside, c.inside);
    }
}

}  // namespace
