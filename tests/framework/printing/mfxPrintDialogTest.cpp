#include "framework/printing/mfxPrintDialog.h"

#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/print/choice/PrintChoice.h"
#include "tests/engine/gfx/RecordingPrinter.h"
#include "tests/framework/WindowFixture.h"

namespace {

// The print dialog with what a test needs to aim clicks at its items.
class ScriptedPrintDialog : public mfxPrintDialog {
public:
    using mfxPrintDialog::mfxPrintDialog;
    plat::gdi::Rect windowRect(u16 item) {
        const Rect16 r = GetItemRect(item);
        const plat::gdi::Point o = Box().clientOrigin();
        return {o.x + r.left, o.y + r.top, o.x + r.right, o.y + r.bottom};
    }
};

class PrintDialogTest : public testfw::WindowTest {
public:
    // What the scripted sessions do, reachable from their table.
    void tap(plat::gdi::Rect box) { click(box); }
    void hit(uint8_t vk) { press(vk); }
    // Replaces an edit field's text by clicks and keys.
    void fill(ScriptedPrintDialog& dialog, u16 item, const std::string& digits) {
        click(dialog.windowRect(item));
        press(plat::kVkEnd);
        for (int i = 0; i < 6; ++i) press(plat::kVkBack);
        for (char c : digits) press(uint8_t(c));
    }

protected:
    void SetUp() override {
        WindowTest::SetUp();
        plat::print::PrinterSettings second = printer.settings;
        second.device = "Second";
        second.isDefault = false;
        second.resolution = 60;
        printer.others.push_back(second);
        plat::print::setPrintBackend(&printer);
    }
    void TearDown() override {
        gfxSetPrintDialogProc(nullptr);
        plat::print::setPrintBackend(nullptr);
        WindowTest::TearDown();
    }
    testprint::RecordingPrinter printer;
};

TEST_F(PrintDialogTest, ScriptedSessionsWriteTheirChoicesIntoTheRecord) {
    struct Case {
        const char* name;
        std::function<void(PrintDialogTest&, ScriptedPrintDialog&)> script;
        i32 result;
        bool pages;
        u16 from, to, copies;
        bool collate;
        std::string device;
    };
    const auto ok = [](PrintDialogTest& t, ScriptedPrintDialog& d) { t.tap(d.windowRect(kPrintDlgOk)); };
    const Case cases[] = {
        {"Enter takes the record as shown", [](PrintDialogTest& t, ScriptedPrintDialog&) { t.hit(plat::kVkReturn); },
         1, false, 1, 5, 2, false, "Recorder"},
        {"pages two to three",
         [&](PrintDialogTest& t, ScriptedPrintDialog& d) {
             t.tap(d.windowRect(kPrintDlgPages));
             t.fill(d, kPrintDlgFrom, "2");
             t.fill(d, kPrintDlgTo, "3");
             ok(t, d);
         },
         1, true, 2, 3, 2, false, "Recorder"},
        {"a range past the highest page is pulled in",
         [&](PrintDialogTest& t, ScriptedPrintDialog& d) {
             t.fill(d, kPrintDlgFrom, "9");
             t.fill(d, kPrintDlgTo, "2");
             ok(t, d);
         },
         1, false, 5, 5, 2, false, "Recorder"},
        {"no copies is one copy, and collation",
         [&](PrintDialogTest& t, ScriptedPrintDialog& d) {
             t.fill(d, kPrintDlgCopies, "0");
             t.tap(d.windowRect(kPrintDlgCollate));
             ok(t, d);
         },
         1, false, 1, 5, 1, true, "Recorder"},
        {"copies stop at four digits",
         [&](PrintDialogTest& t, ScriptedPrintDialog& d) {
             t.fill(d, kPrintDlgCopies, "12345");
             ok(t, d);
         },
         1, false, 1, 5, 1234, false, "Recorder"},
        {"another printer",
         [&](PrintDialogTest& t, ScriptedPrintDialog& d) {
             t.hit(plat::kVkDown);
             ok(t, d);
         },
         1, false, 1, 5, 2, false, "Second"},
        {"Cancel changes nothing",
         [&](PrintDialogTest& t, ScriptedPrintDialog& d) {
             t.fill(d, kPrintDlgCopies, "7");
             t.tap(d.windowRect(kPrintDlgCancel));
         },
         0, false, 1, 5, 2, false, "Recorder"},
        {"Escape changes nothing", [](PrintDialogTest& t, ScriptedPrintDialog&) { t.hit(plat::kVkEscape); }, 0,
         false, 1, 5, 2, false, "Recorder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GfxPrintSetup setup("Dialog", 1, 5, 5, 2, kGfxPrintNotSet, kGfxPrintNotSet);
        ASSERT_EQ(setup.valid, 1u);
        GfxPrintDialogRecord record = setup.dialog;
        record.fromPage = 1, record.toPage = 5, record.minPage = 1, record.maxPage = 5;
        record.printer->copies = 2;
        ScriptedPrintDialog dialog(window.get());
        dialog.Show();
        c.script(*this, dialog);
        EXPECT_EQ(dialog.Run(record, nullptr), c.result);
        EXPECT_EQ((record.flags & kGfxPrintPageNums) != 0, c.pages);
        EXPECT_EQ(record.fromPage, c.from);
        EXPECT_EQ(record.toPage, c.to);
        EXPECT_EQ(record.printer->copies, c.copies);
        EXPECT_EQ((record.flags & kGfxPrintCollate) != 0, c.collate);
        EXPECT_EQ(record.printer->device, c.device);
    }
}

// A count the dialog cannot take is shown as the count that will be printed.
TEST_F(PrintDialogTest, TheCopiesFieldShowsTheCountWithinTheDialogsLimits) {
    const struct {
        u16 given;
        const char* shown;
    } cases[] = {{0, "1"}, {1, "1"}, {kPrintDlgMaxCopies, "9999"}, {kPrintDlgMaxCopies + 1, "9999"}, {60000, "9999"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        GfxPrintSetup setup("Copies", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
        ASSERT_EQ(setup.valid, 1u);
        GfxPrintDialogRecord record = setup.dialog;
        record.printer->copies = c.given;
        ScriptedPrintDialog dialog(window.get());
        dialog.Show();
        press(plat::kVkReturn);
        EXPECT_EQ(dialog.Run(record, nullptr), 1);
        EXPECT_EQ(dialog.GetItemText(kPrintDlgCopies), c.shown);
        EXPECT_EQ(std::to_string(record.printer->copies), c.shown);
    }
}

TEST_F(PrintDialogTest, GivenTextsLandOnTheirItems) {
    std::array<std::string_view, kGfxPrintDialogTextCount> texts{};
    texts[0] = "Imprimir";
    texts[1] = "Aceptar";
    texts[2] = "Cancelar";
    texts[12] = "Todo";
    gfxSetPrintDialogStrings(texts);
    GfxPrintSetup setup("Texts", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    ScriptedPrintDialog dialog(window.get());
    press(plat::kVkEscape);
    EXPECT_EQ(dialog.Run(setup.dialog, gfxPrintDialogStrings()), 0);
    EXPECT_EQ(dialog.GetItemText(kPrintDlgOk), "Aceptar");
    EXPECT_EQ(dialog.GetItemText(kPrintDlgCancel), "Cancelar");
    EXPECT_EQ(dialog.GetItemText(kPrintDlgAll), "Todo");
    EXPECT_EQ(dialog.GetItemText(kPrintDlgCollate), "Collate") << "an item without a given text keeps its own";
}

TEST_F(PrintDialogTest, RunPrintDlgShowsTheDialogOverItsOwner) {
    mfxInstallPrintDialog();
    GfxPrintSetup setup("Installed", 1, 3, 3, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    press(plat::kVkReturn);
    EXPECT_EQ(setup.RunPrintDlg(window->GetHandle()), 1);
    EXPECT_EQ(setup.firstPage, 1u);
    EXPECT_EQ(setup.lastPage, 3u);
    EXPECT_EQ(setup.RunPrintDlg(window->GetHandle() + 1000), -1) << "no owner window to show it over";
    EXPECT_EQ(gfxGetLastError(), kGfxErrGdi);
}

}  // namespace
