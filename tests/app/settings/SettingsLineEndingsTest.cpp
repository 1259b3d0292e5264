// Every settings file the program reads (a tool's section of "TB.cfg", a slide show's ".tbp",
// the child's "user.ini", a numbered list) says the same whether a Windows editor, a Linux one
// or an old Mac one wrote its line ends, or all three did.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings/RGlobalSave.h"
#include "document/project/ProjectConfigFile.h"
#include "document/users/EnginePath.h"
#include "engine/util/IniList.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tools/params/ToolParams.h"

namespace {

using namespace Ostrel;

struct Ending {
    const char* name;
    std::vector<const char*> ends;  // used in turn, line after line
};

// The lines joined with the ending's line ends.
std::string lines(const Ending& ending, const std::vector<std::string>& each) {
    std::string text;
    for (size_t i = 0; i < each.size(); ++i) text += each[i] + ending.ends[i % ending.ends.size()];
    return text;
}

class SettingsLineEndings : public testdoc::DocumentFolderFixture, public ::testing::WithParamInterface<Ending> {
protected:
    std::string file(const std::string& relative, const std::vector<std::string>& each) {
        write(relative, lines(GetParam(), each));
        return engineTextOfHostFolder(root_) + "\\" + relative;
    }
};

TEST_P(SettingsLineEndings, EveryReaderReadsTheSame) {
    {
        EnginePath cfg(file("prog/TB.cfg", {"[Pencil]", "sizes=3,6", "startSoundID=12", "[Other]", "sizes=9"}));
        const ToolParams params = readToolParams(cfg.get(), "Pencil");
        EXPECT_EQ(params.sizes, (std::vector<i16>{3, 6}));
        EXPECT_EQ(params.startSound, 12);
    }
    {
        EnginePath tbp(file("p/Zoo.tbp", {"[Pages]", "Page_highnumber=2", "Page1=Lion.tbx", "Page2=Owl.tbx", "[SlideShow]",
                                          "Looping=1"}));
        ProjectConfigFile config(tbp.get(), true);
        std::vector<std::string> names;
        config.ForEachPage([&](const std::string& name, const PageSettings&, u16) { names.push_back(name); });
        EXPECT_EQ(names, (std::vector<std::string>{"Lion.tbx", "Owl.tbx"}));
        EXPECT_EQ(config.looping.Value(), 1);
    }
    {
        file("data/tumblo4/Users/Ann/user.ini", {"[GlobalUser]", "SmallKids=TRUE", "ABCString=Hola", "TTS=FALSE"});
        Paths paths(roots());
        ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
        GlobalUserSettings settings = ResetGlobalUserSettings();
        RGlobalSave save(paths, &settings);
        EXPECT_EQ(save.Load(), kErrNone);
        EXPECT_EQ(settings.smallKids, 1);
        EXPECT_EQ(settings.textToSpeech, 0);
        EXPECT_STREQ(settings.alphabetText.data(), "Hola");
    }
    {
        EnginePath ini(file("list.ini", {"[Recent]", "Item_highnumber=2", "Item1=first", "Item2=second"}));
        INI_LIST list(ini.get(), "Recent", "Item", 1, 0, 0);
        std::vector<std::string> items;
        list.ForEach([](const char* value, u16, void* context) { static_cast<std::vector<std::string>*>(context)->push_back(value); },
                     &items);
        EXPECT_EQ(items, (std::vector<std::string>{"first", "second"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Ends, SettingsLineEndings,
                         ::testing::Values(Ending{"CrLf", {"\r\n"}}, Ending{"Lf", {"\n"}}, Ending{"Cr", {"\r"}},
                                           Ending{"Mixed", {"\n", "\r\n", "\r"}}),
                         [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

}  // namespace
