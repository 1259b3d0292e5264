#include "framework/dialogs/mfxModalDialog.h"

#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/WindowFixture.h"

namespace {

using Kind = plat::InputEvent::Kind;

// The note dialog of the samples, with what a test needs to aim clicks at its items.
class NoteDialog : public mfxModalDialog {
public:
    explicit NoteDialog(mfxWindow* parent) : mfxModalDialog(parent, testfmt::sampleDialog()) {}
    plat::gdi::Rect windowRect(u16 item) {
        const Rect16 r = GetItemRect(item);
        const plat::gdi::Point o = Box().clientOrigin();
        return {o.x + r.left, o.y + r.top, o.x + r.right, o.y + r.bottom};
    }
    plat::gdi::Rect frame() { return Box().frameRect(); }
    void OnCommand(u16 item, u16 notification, u8) override { commands.push_back({item, notification}); }
    std::vector<std::pair<u16, u16>> commands;
};

class ModalDialogTest : public testfw::WindowTest {
protected:
    void type(const std::string& text) {
        for (char c : text) {
            const bool upper = c >= 'A' && c <= 'Z';
            const uint8_t vk = uint8_t((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
            if (upper) key(plat::kVkShift, true);
            press(vk);
            if (upper) key(plat::kVkShift, false);
        }
    }
    // Every event RunModal hands out until the dialog ends.
    std::vector<mfxDialogEvent> run(mfxModalDialog& dialog) {
        std::vector<mfxDialogEvent> events;
        mfxDialogEvent event;
        while (dialog.RunModal(&event) == 0) {
            events.push_back(event);
            if (events.size() > 100) break;  // a dialog that never ends would loop here
        }
        return events;
    }
};

bool same(const mfxDialogEvent& e, u16 kind, u16 item, u16 notification, u8 key) {
    return e.kind == kind && e.item == item && e.notification == notification && e.key == key;
}

TEST_F(ModalDialogTest, ScriptedClicksAndKeysComeOutOfRunModalInOrder) {
    NoteDialog dialog(window.get());
    type("Hi there");
    click(dialog.windowRect(1101));  // the check box
    press(plat::kVkTab);             // from the check box to the first radio
    press(plat::kVkSpace);
    press(plat::kVkReturn);  // a radio with the focus leaves Enter to the default button
    key(plat::kVkShift, true);
    press(plat::kVkTab);  // back to the check box
    key(plat::kVkShift, false);
    press(plat::kVkTab);
    press(plat::kVkTab);  // the second radio
    press(plat::kVkTab);  // the list, which takes Enter for nobody: the default button hears it
    press(plat::kVkReturn);

    const std::vector<mfxDialogEvent> events = run(dialog);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_TRUE(same(events[0], kDlgEventItem, 1101, kDlgNotifyClicked, 0));
    EXPECT_TRUE(same(events[1], kDlgEventItem, 1000, kDlgNotifyKey, ' '));
    EXPECT_TRUE(same(events[2], kDlgEventItem, 1102, kDlgNotifyKey, '\r'));
    EXPECT_TRUE(same(events[3], kDlgEventItem, 1102, kDlgNotifyKey, '\r'));
    EXPECT_EQ(dialog.GetItemText(1100), "Hi there");
    EXPECT_FALSE(dialog.IsChecked(1101)) << "check boxes change only when the program says";
    EXPECT_EQ(dialog.commands.size(), 4u) << "OnCommand hears every use before it is queued";
    EXPECT_TRUE(dialog.HasEnded()) << "the script ran out";
}

TEST_F(ModalDialogTest, EditFieldsStopAtTheirLimitAndNumberFieldsTakeDigits) {
    struct Case {
        const char* name;
        u16 limit;
        bool number;
        std::string typed;
        std::string kept;
    };
    const Case cases[] = {
        {"at the limit", 5, false, "abcde", "abcde"},
        {"one past", 5, false, "abcdef", "abcde"},
        {"digits only", 5, true, "1a2b3", "123"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogTemplate t{100, 40, {"", "Field"}, {testfmt::item(7, DialogItemKind::Edit, {0, 0, 100, 20}, "",
                                                                c.number ? kDlgItemNumber : 0, c.limit)}};
        mfxModalDialog dialog(window.get(), t);
        for (char ch : c.typed) press(uint8_t((ch >= 'a' && ch <= 'z') ? ch - 'a' + 'A' : ch));
        mfxDialogEvent event;
        EXPECT_NE(dialog.RunModal(&event), 0u);
        EXPECT_EQ(dialog.GetItemText(7), c.kept);
    }
}

TEST_F(ModalDialogTest, EditKeysMoveTheCaretAndDelete) {
    NoteDialog dialog(window.get());
    dialog.SetItemText(1100, "abcd");
    press(plat::kVkLeft);
    press(plat::kVkBack);    // ab|d
    press(plat::kVkHome);
    press(plat::kVkDelete);  // |bd
    press(plat::kVkEnd);
    type("x");
    run(dialog);
    EXPECT_EQ(dialog.GetItemText(1100), "bdx");
}

TEST_F(ModalDialogTest, SelectAllThenTypingReplacesTheText) {
    NoteDialog dialog(window.get());
    dialog.SetItemText(1100, "old");
    dialog.SelectAll(1100);
    type("n");
    run(dialog);
    EXPECT_EQ(dialog.GetItemText(1100), "n");
}

TEST_F(ModalDialogTest, TabSkipsWhatCannotTakeTheFocusAndWraps) {
    struct Case {
        int tabs;
        bool back;
        u16 focus;
    };
    const Case cases[] = {{0, false, 1100}, {1, false, 1001}, {2, false, 1005}, {3, false, 1102},
                          {5, false, 1100}, {6, false, 1001}, {1, true, 1103},  {2, true, 1102}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tabs);
        NoteDialog dialog(window.get());
        dialog.EnableItem(1101, false);
        dialog.ShowItem(1000, false);
        if (c.back) key(plat::kVkShift, true);
        for (int i = 0; i < c.tabs; ++i) press(plat::kVkTab);
        if (c.back) key(plat::kVkShift, false);
        run(dialog);
        EXPECT_EQ(dialog.GetFocus(), c.focus);
    }
}

TEST_F(ModalDialogTest, ListsSelectByClickAndArrowsAndReportDoubleClicks) {
    NoteDialog dialog(window.get());
    for (const char* name : {"Animals", "Houses", "Trees"}) dialog.ListInsert(1005, kDlgListEnd, name);
    EXPECT_EQ(dialog.ListInsert(1005, 1, "Boats"), 1);
    EXPECT_EQ(dialog.ListText(1005, 2), "Animals");
    const plat::gdi::Rect list = dialog.windowRect(1005);
    const plat::gdi::Rect second{list.left, list.top + 16, list.right, list.top + 32};
    click(second);
    press(plat::kVkDown);
    mouse(Kind::MouseDoubleClick, second);
    const std::vector<mfxDialogEvent> events = run(dialog);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_TRUE(same(events[0], kDlgEventListSelection, 1005, kDlgNotifyListSelection, 0));
    EXPECT_TRUE(same(events[1], kDlgEventListSelection, 1005, kDlgNotifyListSelection, 0));
    EXPECT_TRUE(same(events[2], kDlgEventListSelection, 1005, kDlgNotifyListSelection, 0));
    EXPECT_TRUE(same(events[3], kDlgEventListDoubleClick, 1005, kDlgNotifyListDoubleClick, 0));
    EXPECT_EQ(dialog.ListSelected(1005), 2);
    dialog.ListDelete(1005, 1);
    EXPECT_EQ(dialog.ListSelected(1005), 1) << "the selection follows its entry";
    dialog.ListDelete(1005, 1);
    EXPECT_EQ(dialog.ListSelected(1005), 0);
    EXPECT_EQ(dialog.ListCount(1005), 2);
    EXPECT_EQ(dialog.ListText(1005, 3), "") << "past the last entry";
}

TEST_F(ModalDialogTest, EscapeEndsTheDialogAndAPressReleasedElsewhereIsNoClick) {
    NoteDialog dialog(window.get());
    mouse(Kind::MouseDown, dialog.windowRect(1102));
    mouse(Kind::MouseUp, dialog.windowRect(1103));
    press(plat::kVkEscape);
    press(plat::kVkReturn);  // after the end: never read
    EXPECT_TRUE(run(dialog).empty());
    EXPECT_TRUE(dialog.HasEnded());
}

// A close of the window under the dialog (the desktop's quit, a caught quit signal) ends it
// before the input after it; the window hears the close once the dialog is gone.
TEST_F(ModalDialogTest, ACloseOfTheWindowEndsTheDialogAndWaitsForTheWindow) {
    NoteDialog dialog(window.get());
    plat::postMessage(window->GetHandle(), plat::kMsgClose, 0, 0);
    click(dialog.windowRect(1103));
    EXPECT_TRUE(run(dialog).empty());
    EXPECT_TRUE(dialog.HasEnded());
    bool closeWaits = false;
    plat::Message message;
    while (plat::peekMessage(message, true)) closeWaits |= message.message == plat::kMsgClose;
    EXPECT_TRUE(closeWaits);
}

class EndingDialog : public NoteDialog {
public:
    using NoteDialog::NoteDialog;
    void OnCommand(u16 item, u16, u8) override {
        if (item == 1103) EndModal(2);
    }
};

TEST_F(ModalDialogTest, EndModalFromTheCommandHookEndsAfterTheEvent) {
    EndingDialog dialog(window.get());
    click(dialog.windowRect(1103));
    click(dialog.windowRect(1102));
    mfxDialogEvent event;
    EXPECT_EQ(dialog.RunModal(&event), 0u);
    EXPECT_EQ(event.item, 1103);
    EXPECT_NE(dialog.RunModal(&event), 0u);
    EXPECT_EQ(dialog.Result(), 2u);
}

TEST_F(ModalDialogTest, TheDialogIsDrawnInTheWindow) {
    NoteDialog dialog(window.get());
    dialog.Show();
    const plat::gdi::Rect frame = dialog.frame();
    EXPECT_EQ(shown({frame.left + 10, frame.top + 8}), 0x0A246Au) << "the title bar";
    const plat::gdi::Rect ok = dialog.windowRect(1102);
    EXPECT_EQ(shown({ok.left, ok.top + 5}), 0u) << "the default button's dark frame";
    const plat::gdi::Rect edit = dialog.windowRect(1100);
    EXPECT_EQ(shown({edit.left + 6, edit.top + 5}), 0xFFFFFFu) << "the edit field";
    dialog.Hide();
    pump();
    EXPECT_EQ(shown({frame.left + 10, frame.top + 8}), 0u) << "the window painted over the hidden dialog";
}

TEST_F(ModalDialogTest, TemplatesComeFromTheSystemArchive) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeDialogTemplate(testfmt::sampleDialog(), &bytes), kErrNone);
    testfw::SystemArchive archive;
    archive.open({{fourCC("DLOG"), 171, testfw::asText(bytes)}});

    mfxModalDialog found(window.get(), 171);
    EXPECT_EQ(found.LoadError(), kErrNone);
    EXPECT_EQ(found.GetItemText(1103), "Cancel");
    EXPECT_EQ(found.GetPictureId(1041), 900);
    EXPECT_TRUE(found.IsChecked(1000));

    mfxModalDialog missing(window.get(), 170);
    EXPECT_EQ(missing.LoadError(), kResErrNotFound);
    mfxDialogEvent event;
    EXPECT_NE(missing.RunModal(&event), 0u) << "a dialog without its template ends at once";
}


TEST_F(ModalDialogTest, ADialogWithoutAWindowEndsAtOnce) {
    mfxModalDialog dialog(nullptr, testfmt::sampleDialog());
    mfxDialogEvent event;
    EXPECT_NE(dialog.RunModal(&event), 0u);
}

TEST_F(ModalDialogTest, DisablingTheFocusedItemMovesTheFocusOn) {
    NoteDialog dialog(window.get());
    ASSERT_EQ(dialog.GetFocus(), 1100);
    dialog.EnableItem(1100, false);
    EXPECT_EQ(dialog.GetFocus(), 1101);
    type("x");
    run(dialog);
    EXPECT_EQ(dialog.GetItemText(1100), "") << "a disabled field takes no typing";
}

}  // namespace
