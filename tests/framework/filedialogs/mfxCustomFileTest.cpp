#include "framework/filedialogs/mfxCustomFile.h"

#include <sys/stat.h>

#include <functional>

#include "framework/filedialogs/mfxFileDialog.h"
#include "framework/format/DialogFormat.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/filedialogs/FileDialogFixture.h"
#include "tests/platform/system/ScopedEnv.h"

namespace {

using plat::kVkDown;
using plat::kVkEscape;
using plat::kVkReturn;
using plat::kVkSpace;
using plat::kVkTab;

struct Heard {
    std::vector<mfxFileDialogEvent> events;
    std::vector<u16> kinds() const {
        std::vector<u16> out;
        for (const auto& e : events) out.push_back(e.kind);
        return out;
    }
};

void hear(const mfxFileDialogEvent& event, void* context) { static_cast<Heard*>(context)->events.push_back(event); }

const std::vector<mfxFileFilter> kTypes = {{"Pictures", "*.tbx"}, {"Sounds", "*.wav"}};

class CustomFileTest : public testfw::FileDialogTest {
public:
    // For the case tables' key scripts.
    using testfw::FileDialogTest::backTab;
    using testfw::FileDialogTest::type;
    using testfw::WindowTest::press;

protected:
    std::string save() {
        TestFolder folder(folder_);
        mfxCustomPutFile dialog("Save", 0, folder.get(), hear, &heard, window.get(), "Untitled", kTypes);
        EXPECT_EQ(dialog.defaultName, "Untitled");
        return dialog.GetFileName();
    }
    std::string open() {
        TestFolder folder(folder_);
        mfxCustomGetFile dialog("Open", 0, folder.get(), hear, &heard, window.get(), kTypes);
        return dialog.GetFileName();
    }
    std::string in(const std::string& name) const { return folder_ + "\\" + name; }

    class TestFolder {
    public:
        explicit TestFolder(const std::string& text) { pathFromText(&path_, text.c_str()); }
        ~TestFolder() { pathRelease(&path_); }
        const Path* get() const { return &path_; }

    private:
        Path path_;
    };

    Heard heard;
};

TEST_F(CustomFileTest, SaveTakesATypedName) {
    type("drawing");
    press(kVkReturn);
    EXPECT_EQ(save(), in("drawing.tbx")) << "with the chosen file type's extension";
    EXPECT_EQ(heard.kinds(), (std::vector<u16>{kFileEventInit, kFileEventInitDone}));
    EXPECT_EQ(heard.events[1].value, 1) << "the first file type";
}

// An export offers the name of what it copies: kept with Return, replaced by typing.
TEST_F(CustomFileTest, ASaveThatShowsItsNameOffersItSelected) {
    const std::pair<const char*, const char*> cases[] = {{"", "Trip.tbx"}, {"zoo", "zoo.tbx"}};
    for (const auto& [typed, saved] : cases) {
        type(typed);
        press(kVkReturn);
        TestFolder folder(folder_);
        mfxCustomPutFile dialog("Export", 0, folder.get(), nullptr, nullptr, window.get(), "Trip", kTypes, {}, true);
        EXPECT_EQ(dialog.GetFileName(), in(saved)) << typed;
    }
}

TEST_F(CustomFileTest, SaveRefusesNamesTheFolderWouldHide) {
    ASSERT_EQ(::mkfifo((root_ + "/pipe.tbx").c_str(), 0600), 0);
    struct Case {
        const char* typed;
        std::string chosen;
        size_t alerts;  // a refusal says why, and asks nothing
    };
    const Case cases[] = {{".drawing", "", 1}, {".", "", 0}, {"drawing", "drawing.tbx", 0}, {"pipe", "", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        type(c.typed);
        press(kVkReturn);
        if (c.chosen.empty()) press(kVkEscape);  // the dialog is still up
        EXPECT_EQ(save(), c.chosen.empty() ? "" : in(c.chosen));
        const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
        EXPECT_EQ(alerts.size(), c.alerts);
        for (const mfxAlertRecord& alert : alerts) EXPECT_EQ(alert.style & kAlertButtonsMask, kAlertOk) << alert.text;
    }
}

TEST_F(CustomFileTest, CancelGivesNoNameAndNoAlert) {
    struct Case {
        const char* name;
        bool saving;
        std::vector<uint8_t> keys;
        std::vector<u16> kinds;
    };
    const Case cases[] = {
        {"save, Escape", true, {kVkEscape}, {kFileEventInit, kFileEventInitDone}},
        {"open, Escape", false, {kVkEscape}, {kFileEventInit, kFileEventDestroy}},
        {"open, Cancel button", false, {kVkTab, kVkTab, kVkTab, kVkSpace}, {kFileEventInit, kFileEventDestroy}},
        {"open, script runs out", false, {}, {kFileEventInit, kFileEventDestroy}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        heard.events.clear();
        type("a.tbx");
        for (uint8_t k : c.keys) press(k);
        EXPECT_EQ(c.saving ? save() : open(), "");
        EXPECT_EQ(heard.kinds(), c.kinds);
        EXPECT_TRUE(mfxTakeAlertRecords().empty());
    }
}

TEST_F(CustomFileTest, OpenTakesOnlyFilesThatExist) {
    type("missing.tbx");
    press(kVkReturn);  // stays open
    press(kVkEscape);
    EXPECT_EQ(open(), "");
    type("b.tbx");
    press(kVkReturn);
    EXPECT_EQ(open(), in("b.tbx"));
}

TEST_F(CustomFileTest, FoldersOpenByNameByTheListAndGoUp) {
    struct Case {
        const char* name;
        std::function<void(CustomFileTest*)> keys;
        std::string chosen;
    };
    const Case cases[] = {
        {"typed folder name", [](CustomFileTest* t) { t->type("Sub"); t->press(kVkReturn); t->type("inner.tbx"); t->press(kVkReturn); },
         "Sub\\inner.tbx"},
        {"picked in the list", [](CustomFileTest* t) {
             t->backTab();           // to the list
             t->press(kVkDown);      // its first entry: the folder
             t->press(kVkReturn);    // opens it
             t->press(kVkDown);      // inner.tbx
             t->press(kVkReturn);
         },
         "Sub\\inner.tbx"},
        {"down and up again", [](CustomFileTest* t) {
             t->type("Sub"); t->press(kVkReturn);
             t->type(".."); t->press(kVkReturn);
             t->type("a.tbx"); t->press(kVkReturn);
         },
         "a.tbx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.keys(this);
        EXPECT_EQ(open(), in(c.chosen));
    }
}

// A path typed as the desktop writes it: from the root, from the home folder, or names joined
// by "/" below the folder shown; a folder typed so opens, a file is chosen.
TEST_F(CustomFileTest, PathsTypedAsTheDesktopWritesThem) {
    plat::ScopedEnv home("HOME", root_ + "/Sub");
    struct Case {
        std::string typed;
        std::string chosen;
    };
    const Case cases[] = {
        {root_ + "/Sub/inner.tbx", "Sub\\inner.tbx"},
        {root_ + "//Sub/", "Sub\\inner.tbx"},  // the folder, then the name typed in it
        {"~/inner.tbx", "Sub\\inner.tbx"},
        {"Sub/inner.tbx", "Sub\\inner.tbx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        type(c.typed);
        press(kVkReturn);
        if (c.typed.back() == '/') {
            type("inner.tbx");
            press(kVkReturn);
        }
        EXPECT_EQ(open(), in(c.chosen));
    }
}

// Up climbs to the home folder from inside it and no further; the button is then out of
// service. Outside the home folder it climbs to the root.
TEST_F(CustomFileTest, UpStopsAtTheHomeFolder) {
    mfxFileDialog dialog(window.get(), {false, "Open", folder_ + "\\Sub", kTypes, nullptr, {}, folder_, {}, {}});
    EXPECT_TRUE(dialog.IsItemEnabled(kFileDlgUp));
    std::string path;
    dialog.Handle({kDlgEventItem, kFileDlgUp, kDlgNotifyClicked, 0}, &path);
    EXPECT_EQ(dialog.Folder(), folder_);
    EXPECT_FALSE(dialog.IsItemEnabled(kFileDlgUp));
    dialog.Handle({kDlgEventItem, kFileDlgUp, kDlgNotifyClicked, 0}, &path);
    EXPECT_EQ(dialog.Folder(), folder_);
    mfxFileDialog outside(window.get(), {false, "Open", folder_, kTypes, nullptr, {}, folder_ + "\\Sub", {}, {}});
    outside.Handle({kDlgEventItem, kFileDlgUp, kDlgNotifyClicked, 0}, &path);
    EXPECT_EQ(outside.Folder(), folder_.substr(0, folder_.rfind('\\')));
}

TEST_F(CustomFileTest, PickingAFileInTheOpenListTellsTheOwner) {
    backTab();
    press(kVkDown);
    press(kVkDown);  // after the folder: a.tbx
    press(kVkReturn);
    EXPECT_EQ(open(), in("a.tbx"));
    ASSERT_EQ(heard.kinds(), (std::vector<u16>{kFileEventInit, kFileEventSelection, kFileEventDestroy}));
    EXPECT_EQ(heard.events[1].path, in("a.tbx"));
}

TEST_F(CustomFileTest, ChangingTheFileTypeTellsTheSaveOwner) {
    press(kVkTab);  // to the file types
    press(kVkDown);
    press(kVkEscape);
    EXPECT_EQ(save(), "");
    ASSERT_EQ(heard.kinds(), (std::vector<u16>{kFileEventInit, kFileEventInitDone, kFileEventTypeChange}));
    EXPECT_EQ(heard.events[2].value, 2);
}

TEST_F(CustomFileTest, SavingOverAFileAsksFirst) {
    struct Case {
        const char* typed;
        const char* name;
        std::vector<uint8_t> alertKeys;
        std::string chosen;
    };
    const Case cases[] = {{"a.tbx", "No keeps the dialog up", {kVkTab, kVkSpace}, ""},
                          {"a.tbx", "Yes replaces", {kVkReturn}, "a.tbx"},
                          {"a", "the file type's extension added", {kVkReturn}, "a.tbx"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        type(c.typed);
        press(kVkReturn);
        for (uint8_t k : c.alertKeys) press(k);
        if (c.chosen.empty()) press(kVkEscape);  // ends the dialog, still up
        EXPECT_EQ(save(), c.chosen.empty() ? "" : in(c.chosen));
        const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0].style & kAlertButtonsMask, kAlertYesNo);
        EXPECT_EQ(alerts[0].text.rfind("a.tbx", 0), 0u) << "the alert names the file";
    }
}

TEST_F(CustomFileTest, ExtensionItemsReportTheirCommands) {
    DialogTemplate extension{360, 40, {"", ""}, {DialogItemTemplate{50, DialogItemKind::Button, 0, {10, 8, 110, 30}, 0,
                                                                    TextRef{"", "Preview"}}}};
    std::vector<u8> bytes;
    ASSERT_EQ(writeDialogTemplate(extension, &bytes), kErrNone);
    testfw::SystemArchive archive;
    archive.open({{fourCC("DLOG"), 300, testfw::asText(bytes)}});
    for (int i = 0; i < 5; ++i) press(kVkTab);  // name, types, Open, Cancel, Up, then the extension's button
    press(kVkSpace);
    press(kVkEscape);
    TestFolder folder(folder_);
    mfxCustomGetFile dialog("Open", 300, folder.get(), hear, &heard, window.get(), kTypes);
    EXPECT_EQ(dialog.GetFileName(), "");
    ASSERT_EQ(heard.kinds(), (std::vector<u16>{kFileEventInit, kFileEventCommand, kFileEventDestroy}));
    EXPECT_EQ(heard.events[0].value, 300);
    EXPECT_EQ(heard.events[1].value, 50);
    const Rect16 rect = heard.events[1].rect;
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<int>{10, 270, 110, 292}))
        << "below the common items";
}

TEST_F(CustomFileTest, AMissingExtensionTemplateIsReported) {
    testfw::SystemArchive archive;
    TestFolder folder(folder_);
    mfxCustomGetFile dialog("Open", 301, folder.get(), hear, &heard, window.get(), kTypes);
    EXPECT_EQ(dialog.GetFileName(), "");
    EXPECT_EQ(mfxTakeAlertRecords().size(), 1u);
    EXPECT_TRUE(heard.events.empty());
}

TEST_F(CustomFileTest, ANameTooLongForAPathIsRefusedWithAnAlert) {
    const size_t room = kMaxPathText - folder_.size() - 1 - 4;  // the name that just fits beside ".tbx"
    type(std::string(room + 1, 'x') + ".tbx");
    press(kVkReturn);
    press(kVkEscape);
    EXPECT_EQ(save(), "");
    const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].style, kAlertOk);
    type(std::string(room, 'x') + ".tbx");
    press(kVkReturn);
    EXPECT_EQ(save(), in(std::string(room, 'x') + ".tbx"));
    EXPECT_TRUE(mfxTakeAlertRecords().empty());
}

class FileDialogBox : public testfw::FileDialogTest {};

TEST_F(FileDialogBox, ListsFoldersThenFilesOfTheChosenType) {
    mfxFileDialog dialog(window.get(), {false, "Open", folder_, kTypes, nullptr, {}, {}, {}, {}});
    auto listed = [&] {
        std::vector<std::string> out;
        for (u16 i = 1; i <= dialog.ListCount(kFileDlgList); ++i) out.push_back(dialog.ListText(kFileDlgList, i));
        return out;
    };
    EXPECT_EQ(listed(), (std::vector<std::string>{"Sub/", "a.tbx", "b.tbx"})) << "hidden files stay hidden";
    dialog.ListSelect(kFileDlgTypes, 2);
    std::string path;
    EXPECT_EQ(dialog.Handle({kDlgEventListSelection, kFileDlgTypes, kDlgNotifyListSelection, 0}, &path),
              mfxFileDialog::Step::FilterChanged);
    EXPECT_EQ(listed(), (std::vector<std::string>{"Sub/", "s.wav"}));
}

// The program's own files show by name and folders by their words; the name shown, picked or
// typed, opens the file it stands for, and a save still writes the ending.
TEST_F(FileDialogBox, OwnFilesShowByNameAndFoldersByTheirWords) {
    const std::vector<mfxFileFilter> own = {{"Pictures", "*.tbx", true}, {"Sounds", "*.wav", true}};
    struct Case {
        const char* what;
        bool saving;
        std::function<void(mfxFileDialog&)> act;
        std::string chosen;
    };
    const Case cases[] = {
        {"picked, then Open", false, [](mfxFileDialog& d) { d.ListSelect(kFileDlgList, 2); }, "a.tbx"},
        {"typed as shown", false, [](mfxFileDialog& d) { d.NameField().SetText("b"); }, "b.tbx"},
        {"typed in full", false, [](mfxFileDialog& d) { d.NameField().SetText("b.tbx"); }, "b.tbx"},
        {"typed, no such file", false, [](mfxFileDialog& d) { d.NameField().SetText("c"); }, ""},
        {"saved under a picked name", true, [](mfxFileDialog& d) { d.ListSelect(kFileDlgList, 3); }, "b.tbx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mfxFileDialog dialog(window.get(), {c.saving, "Open", folder_, own, nullptr, {{folder_ + "\\Sub", "", "Dibujos"}}, {}, {}, {}});
        std::vector<std::string> listed;
        for (u16 i = 1; i <= dialog.ListCount(kFileDlgList); ++i) listed.push_back(dialog.ListText(kFileDlgList, i));
        EXPECT_EQ(listed, (std::vector<std::string>{"Dibujos/", "a", "b"}));
        c.act(dialog);
        std::string path;
        dialog.Handle({kDlgEventListSelection, kFileDlgList, kDlgNotifyListSelection, 0}, &path);
        if (c.saving) mfxScriptAlertAnswers({kAlertAnswerYes});
        const mfxFileDialog::Step step = dialog.Handle({kDlgEventItem, kFileDlgOk, kDlgNotifyClicked, 0}, &path);
        EXPECT_EQ(step == mfxFileDialog::Step::Chosen ? path : "", c.chosen.empty() ? "" : folder_ + "\\" + c.chosen);
        mfxTakeAlertRecords();
    }
}

// In a save the name field keeps the typing: after a type is chosen, and after Save was pressed
// with no name and nothing picked (which saves nothing).
TEST_F(FileDialogBox, ASaveGivesTheTypingBackToTheName) {
    mfxFileDialog dialog(window.get(), {true, "Save", folder_, kTypes, nullptr, {}, {}, {}, {}});
    std::string path;
    dialog.SetFocus(kFileDlgTypes);
    dialog.ListSelect(kFileDlgTypes, 2);
    dialog.Handle({kDlgEventListSelection, kFileDlgTypes, kDlgNotifyListSelection, 0}, &path);
    EXPECT_EQ(dialog.GetFocus(), kFileDlgName);
    dialog.SetFocus(kFileDlgOk);
    EXPECT_EQ(dialog.Handle({kDlgEventItem, kFileDlgOk, kDlgNotifyClicked, 0}, &path), mfxFileDialog::Step::None);
    EXPECT_EQ(dialog.GetFocus(), kFileDlgName);
    EXPECT_TRUE(path.empty());
}

// The folder shows by the name of the place it lies in, never as an engine text.
TEST_F(FileDialogBox, NamesTheFolderByItsPlace) {
    mfxFileDialogSetup setup{false, "Open", folder_, kTypes, nullptr, {}, {}, {}, {}};
    const std::string ownName = folder_.substr(folder_.rfind('\\') + 1);
    EXPECT_EQ(mfxFileDialog(window.get(), setup).GetItemText(kFileDlgFolder), ownName);
    setup.places = {{folder_, "Ann's Pictures"}};
    mfxFileDialog dialog(window.get(), setup);
    EXPECT_EQ(dialog.GetItemText(kFileDlgFolder), "Ann's Pictures");
    dialog.EnterFolder(folder_ + "\\Sub");
    EXPECT_EQ(dialog.GetItemText(kFileDlgFolder), "Ann's Pictures > Sub");
}

TEST(FolderShownName, TheInnermostPlaceNamesTheFolder) {
    const std::vector<mfxFilePlace> places = {{"C:\\Users\\Ann", "Ann's folder"},
                                              {"C:\\Users\\Ann\\Pictures", "Ann's Pictures"},
                                              {"C:\\Users\\Ann\\Slide Shows", "", "Shows"},
                                              {"C:\\Users\\Ann\\Library", "", "Biblioteca"}};
    struct Case {
        const char* folder;
        const char* shown;
    };
    const Case cases[] = {
        {"C:\\Users\\Ann", "Ann's folder"},
        {"c:\\users\\ann\\pictures", "Ann's Pictures"},
        {"C:\\Users\\Ann\\Pictures\\Zoo\\Cats", "Ann's Pictures > Zoo > Cats"},
        {"C:\\Users\\Ann\\Slide Shows", "Ann's folder > Shows"},
        {"C:\\Users\\Ann\\Library\\Sounds", "Ann's folder > Biblioteca > Sounds"},
        {"C:\\Users\\Anna", "Anna"},
        {"C:\\Users\\Max", "Max"},
        {"C:\\Users\\Max\\Pictures", "Pictures"},
        {"C:\\Users", "Users"},
        {"C:\\", "C:\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(mfxFolderShownName(c.folder, places), c.shown) << c.folder;
}

}  // namespace
