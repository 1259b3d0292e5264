// Page entries of a project file: the stored text, and what a damaged entry reads as.
#include <gtest/gtest.h>

#include "document/pages/PageSettings.h"
#include "document/pages/RPage.h"
#include "document/project/ProjectConfigFile.h"

namespace {

using namespace Ostrel;

TEST(PageEntries, ReadAndWritten) {
    PageSettings custom{0, 1, 12, 3, 255, 2, 1};
    EXPECT_EQ(formatPageEntry("Cat.tbx", custom), "Cat.tbx,0,1,12,3,255,2,1");
    struct Case {
        std::string entry;
        bool ok;
        std::string name;
        PageSettings settings;
    };
    const Case cases[] = {
        {"Cat.tbx,0,1,12,3,255,2,1", true, "Cat.tbx", custom},
        {"Cat.tbx", true, "Cat.tbx", PageSettings{}},
        {"Cat.tbx,0,0", true, "Cat.tbx", PageSettings{0, 0, 4, 4, 7, 0, 0}},
        {"Cat.tbx,x,0,,65535,256,5,65536", true, "Cat.tbx", PageSettings{1, 0, 4, 65535, 7, 5, 0}},
        {"Cat.tbx,-1,0", true, "Cat.tbx", PageSettings{1, 0, 4, 4, 7, 0, 0}},
        {",1,1", false, "", {}},
        {"", false, "", {}},
        {std::string(kPageFileNameMax, 'n'), true, std::string(kPageFileNameMax, 'n'), PageSettings{}},
        {std::string(kPageFileNameMax + 1, 'n'), false, "", {}},
    };
    for (const Case& c : cases) {
        std::string name = "kept";
        PageSettings settings{9, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(parsePageEntry(c.entry, &name, &settings), c.ok) << c.entry;
        if (c.ok) {
            EXPECT_EQ(name, c.name);
            EXPECT_EQ(settings, c.settings) << c.entry;
        } else {
            EXPECT_EQ(name, "kept");
        }
    }
}

TEST(PageEntries, TimingModeLimitBothSides) {
    RPage page(PageSettings{1, 1, 4, 4, 7, 4, 0}, "a.tbx", 1);
    u8 seconds = 0, mode = 0;
    page.GetTiming(&seconds, &mode);
    EXPECT_EQ(mode, 4);
    page.settings.timingMode = 5;
    page.GetTiming(&seconds, &mode);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(seconds, 7);
    page.SetTiming(3, 9);
    page.GetTiming(&seconds, &mode);
    EXPECT_EQ(seconds, 3);
    EXPECT_EQ(mode, 0);
}

TEST(PageEntries, FileNamesMustStayInTheProjectFolder) {
    struct Case {
        const char* name;
        bool inside;
    };
    for (Case c : {Case{"Cat.tbx", true}, Case{"pics\\Cat.tbx", true}, Case{"..a.tbx", true}, Case{"..", false},
                   Case{"..\\Cat.tbx", false}, Case{"pics/../../x", false}, Case{"\\etc\\x", false},
                   Case{"/etc/x", false}, Case{"C:x", false}, Case{"a\\\\b", false}, Case{".\\a", false},
                   Case{"", false}})
        EXPECT_EQ(isProjectRelativeName(c.name), c.inside) << c.name;
}

}  // namespace
