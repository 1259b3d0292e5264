#include "PrintTestSupport.h"

namespace {

namespace pp = plat::print;

class PrintSetupTest : public PrintTest {
protected:
    void TearDown() override {
        gfxSetPrintDialogProc(nullptr);
        PrintTest::TearDown();
    }
};

TEST_F(PrintSetupTest, WithoutAPrinterTheSetUpIsInvalid) {
    printer.hasDefault = false;
    GfxPrintSetup& setup = newSetup("None", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    EXPECT_EQ(setup.valid, 0u);
    EXPECT_EQ(gfxGetLastError(), kGfxErrNoPrinter);
    EXPECT_FALSE(setup.dialog.printer);
    EXPECT_EQ(setup.RunPrintDlg(plat::kNoWindow), -1);
    EXPECT_EQ(gfxGetLastError(), kGfxErrPrintSetupInvalid);
    EXPECT_EQ(setup.Reset("None", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet), kGfxErrPrintSetupInvalid);
    EXPECT_EQ(gfxNewPrinterPort(&setup, nullptr), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrPrintSetupInvalid);
}

TEST_F(PrintSetupTest, ChoicesGoToThePrinterWhereItTakesThem) {
    struct Case {
        const char* name;
        u32 fields;
        u16 orientation;
        u16 colour;
        u16 printerOrientation;  // in the printer's settings afterwards
        u16 printerColour;
        u16 readOrientation;  // read back into the set-up
    };
    const u32 all = pp::kFieldOrientation | pp::kFieldColor;
    const Case cases[] = {
        {"landscape and monochrome", all, kGfxPrintLandscape, kGfxPrintMonochrome, pp::kOrientationLandscape,
         pp::kColorMonochrome, kGfxPrintLandscape},
        {"not set keeps the printer's", all, kGfxPrintNotSet, kGfxPrintNotSet, pp::kOrientationPortrait,
         pp::kColorColor, kGfxPrintPortrait},
        {"a printer without the choices", 0, kGfxPrintLandscape, kGfxPrintMonochrome, pp::kOrientationPortrait,
         pp::kColorColor, kGfxPrintLandscape},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.settings.fields = c.fields;
        GfxPrintSetup& setup = newSetup(nullptr, 1, 1, 1, 1, c.orientation, c.colour);
        ASSERT_EQ(setup.valid, 1u);
        EXPECT_EQ(setup.title, "Untitled");
        EXPECT_EQ(setup.dialog.printer->orientation, c.printerOrientation);
        EXPECT_EQ(setup.dialog.printer->color, c.printerColour);
        EXPECT_EQ(setup.orientation, c.readOrientation);
        EXPECT_STREQ(setup.deviceName.data(), "Recorder");
    }
}

TEST_F(PrintSetupTest, CopiesAskedForSurviveTheReset) {
    for (u32 fields : {0u, pp::kFieldCopies}) {
        SCOPED_TRACE(fields);
        printer.settings.fields = fields;
        GfxPrintSetup& setup = newSetup("Copies", 1, 2, 2, 4, kGfxPrintNotSet, kGfxPrintNotSet);
        EXPECT_EQ(setup.copies, 4u);
    }
}

TEST_F(PrintSetupTest, CopiesAreKeptWithinWhatAJobCanPrint) {
    const std::pair<u32, u32> cases[] = {{0, 1}, {1, 1}, {65535, 65535}, {65536, 65535}};
    for (const auto& [asked, kept] : cases) {
        GfxPrintSetup& setup = newSetup("Copies", 1, 1, 1, asked, kGfxPrintNotSet, kGfxPrintNotSet);
        EXPECT_EQ(setup.copies, kept) << asked;
    }
}

TEST_F(PrintSetupTest, DeviceNamesAreCutToTheirBuffer) {
    for (size_t length : {size_t(63), size_t(64)}) {
        printer.settings.device = std::string(length, 'd');
        GfxPrintSetup& setup = newSetup("Name", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
        EXPECT_EQ(std::string(setup.deviceName.data()), std::string(63, 'd'));
    }
}

TEST_F(PrintSetupTest, TheDialogOpensOnAllOrPagesAndTakesTheChoices) {
    struct Case {
        const char* name;
        u32 first, last, highest;
        bool pageNumbers;
    };
    const Case cases[] = {{"whole range", 1, 5, 5, false}, {"last below highest", 1, 4, 5, true},
                          {"first after one", 2, 5, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GfxPrintSetup& setup = newSetup("Dialog", c.first, c.last, c.highest, 2, kGfxPrintNotSet, kGfxPrintNotSet);
        GfxPrintDialogRecord shown;
        gfxSetPrintDialogProc([&](GfxPrintDialogRecord& record, const GfxPrintDialogTexts*) {
            shown = record;
            record.flags |= kGfxPrintPageNums;
            record.fromPage = 2;
            record.toPage = 3;
            record.printer->copies = 5;
            record.printer->orientation = pp::kOrientationLandscape;
            return 1;
        });
        EXPECT_EQ(setup.RunPrintDlg(42), 1);
        EXPECT_EQ((shown.flags & kGfxPrintPageNums) != 0, c.pageNumbers);
        EXPECT_TRUE(shown.flags & kGfxPrintNoSelection);
        EXPECT_EQ(shown.owner, 42u);
        EXPECT_EQ(shown.fromPage, c.first);
        EXPECT_EQ(shown.toPage, c.last);
        EXPECT_EQ(shown.minPage, 1u);
        EXPECT_EQ(shown.maxPage, c.highest);
        EXPECT_EQ(shown.printer->copies, 2u);
        EXPECT_EQ(setup.firstPage, 2u);
        EXPECT_EQ(setup.lastPage, 3u);
        EXPECT_EQ(setup.copies, 5u);
        EXPECT_EQ(setup.orientation, kGfxPrintLandscape) << "the dialog's choice is not overwritten by the old one";
    }
}

TEST_F(PrintSetupTest, AllPagesChosenInTheDialogMeansTheWholeRange) {
    GfxPrintSetup& setup = newSetup("All", 2, 3, 6, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    gfxSetPrintDialogProc([](GfxPrintDialogRecord& record, const GfxPrintDialogTexts*) {
        record.flags &= ~kGfxPrintPageNums;
        return 1;
    });
    EXPECT_EQ(setup.RunPrintDlg(plat::kNoWindow), 1);
    EXPECT_EQ(setup.firstPage, 1u);
    EXPECT_EQ(setup.lastPage, 6u);
}

TEST_F(PrintSetupTest, CancelKeepsTheSetUpAndFailureIsADialogError) {
    struct Case {
        const char* name;
        i32 answer;
        bool installed;
        i32 result;
        EngineErr error;
    };
    const Case cases[] = {{"cancel", 0, true, 0, kErrNone},
                          {"failure", -1, true, -1, kGfxErrGdi},
                          {"no dialog", 0, false, -1, kGfxErrGdi}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GfxPrintSetup& setup = newSetup("Cancel", 1, 2, 4, 1, kGfxPrintNotSet, kGfxPrintNotSet);
        gfxSetPrintDialogProc(c.installed ? GfxPrintDialogProc([&](GfxPrintDialogRecord& record,
                                                                   const GfxPrintDialogTexts*) {
            record.fromPage = 3;
            return c.answer;
        })
                                          : GfxPrintDialogProc());
        EXPECT_EQ(gfxHasPrintDialogProc(), c.installed);
        EXPECT_EQ(setup.RunPrintDlg(plat::kNoWindow), c.result);
        EXPECT_EQ(gfxGetLastError(), c.error);
        EXPECT_EQ(setup.firstPage, 1u);
        EXPECT_EQ(setup.lastPage, 2u);
    }
}

TEST_F(PrintSetupTest, DialogTextsAreGivenCutToThirtyOneCharacters) {
    GfxPrintSetup& setup = newSetup("Texts", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    const GfxPrintDialogTexts* seen = nullptr;
    gfxSetPrintDialogProc([&](GfxPrintDialogRecord&, const GfxPrintDialogTexts* texts) {
        seen = texts;
        return 0;
    });
    std::array<std::string_view, kGfxPrintDialogTextCount> texts{};
    const std::string exact(31, 'a'), over(32, 'b');
    texts[0] = "Imprimir";
    texts[1] = exact;
    texts[2] = over;
    gfxSetPrintDialogStrings(texts);
    setup.RunPrintDlg(plat::kNoWindow);
    ASSERT_NE(seen, nullptr);
    EXPECT_STREQ((*seen)[0].data(), "Imprimir");
    EXPECT_EQ(std::string((*seen)[1].data()), exact);
    EXPECT_EQ(std::string((*seen)[2].data()), std::string(31, 'b'));
    EXPECT_STREQ((*seen)[3].data(), "");
}

TEST_F(PrintSetupTest, AChosenPrinterStaysAcrossResetsAndTheDefaultIsFetchedAgain) {
    GfxPrintSetup& setup = newSetup("Chosen", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    setup.dialog.printer->isDefault = false;
    setup.dialog.printer->resolution = 99;
    printer.settings.resolution = 30;
    EXPECT_EQ(setup.Reset("Chosen", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet), kErrNone);
    EXPECT_EQ(setup.dialog.printer->resolution, 99u);
    setup.dialog.printer->isDefault = true;
    EXPECT_EQ(setup.Reset("Chosen", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet), kErrNone);
    EXPECT_EQ(setup.dialog.printer->resolution, 30u);
}

}  // namespace

namespace {

TEST(PrintProgressDefault, IsTheProcedureSetOrNoneForTheEnginesOwn) {
    for (GfxPrintProgressProc proc : {GfxPrintProgressProc(logProgress), GfxPrintProgressProc(nullptr)}) {
        gfxSetDefaultPrintProgress(proc);
        EXPECT_EQ(gfxGetDefaultPrintProgress(), proc);
    }
}

}  // namespace
