#include "PrintTestSupport.h"

#include "engine/gfx/GfxOffscreenPort.h"

namespace {

namespace pp = plat::print;

TEST_F(PrintTest, CopiesAndCollationDecideThePageOrder) {
    struct Case {
        const char* name;
        u32 copies;
        bool collate;
        bool deviceCopies;  // the printer takes a copies choice
        u16 maxCopies;
        std::vector<u16> pages;
        u16 perPass;
        u16 jobCopies;  // the copies the printer is asked for
    };
    const Case cases[] = {
        {"engine repeats each page", 3, false, false, 1, {1, 1, 1, 2, 2, 2}, 1, 1},
        {"collated runs of the range", 3, true, true, 99, {1, 2, 1, 2, 1, 2}, 1, 1},
        {"device makes all copies", 3, false, true, 3, {1, 2}, 3, 3},
        {"device one short of the copies", 3, false, true, 2, {1, 1, 1, 2, 2, 2}, 1, 1},
        {"one copy", 1, false, true, 1, {1, 2}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.settings.fields =
            pp::kFieldOrientation | pp::kFieldPaperSize | (c.deviceCopies ? pp::kFieldCopies : 0);
        printer.caps.maxCopies = c.maxCopies;
        GfxPrintSetup& setup = newSetup("Copies", 1, 2, 2, c.copies, kGfxPrintNotSet, kGfxPrintNotSet);
        ASSERT_EQ(setup.copies, c.copies);
        if (c.collate) setup.dialog.flags |= kGfxPrintCollate;
        GfxPort* port = makePrinterPort(setup);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(static_cast<GfxPrinterPort*>(port)->CopiesPerPass(), c.perPass);
        ProgressLog log;
        const PrintRun run = print(port, setup, &log);
        EXPECT_EQ(run.pages, c.pages);
        EXPECT_EQ(run.stoppedWith, kGfxErrPrintDone) << "the last EndPage says the job is done";
        EXPECT_EQ(run.endDoc, kErrNone);
        EXPECT_EQ(gfxPrintStartPage(port), kGfxErrNoDocument);
        ASSERT_FALSE(printer.jobs.empty());
        EXPECT_EQ(printer.jobs.back().settings.copies, c.jobCopies);
        EXPECT_TRUE(printer.jobs.back().finished);
        std::vector<u32> expected;
        for (u16 page : c.pages) expected.push_back(storedPageColour(page));
        EXPECT_EQ(printer.jobs.back().pages, expected) << "each page reaches the job with its own picture";
        dispose(port);
    }
}

TEST_F(PrintTest, AnOpenEndedRangeEndsAtThePageMarkedLast) {
    struct Case {
        u32 copies;
        bool collate;
        std::vector<u16> pages;
    };
    const Case cases[] = {{1, false, {1, 2, 3}}, {2, true, {1, 2, 3, 1, 2, 3}}, {2, false, {1, 1, 2, 2, 3, 3}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copies * 10 + c.collate);
        GfxPrintSetup& setup = newSetup("Open", 1, kGfxPrintOpenEnded, kGfxPrintOpenEnded, c.copies, kGfxPrintNotSet, kGfxPrintNotSet);
        if (c.collate) setup.dialog.flags |= kGfxPrintCollate;
        GfxPort* port = makePrinterPort(setup);
        ProgressLog log;
        const PrintRun run = print(port, setup, &log, 3);
        EXPECT_EQ(run.pages, c.pages);
        EXPECT_EQ(run.stoppedWith, kGfxErrPrintDone);
        EXPECT_EQ(setup.lastPage, 3u);
        dispose(port);
    }
}

TEST_F(PrintTest, ARangeEndingBeforeItStartsIsDoneAfterOnePage) {
    struct Case {
        u32 first, last;
        std::vector<u16> pages;
    };
    const Case cases[] = {{2, 2, {2}}, {3, 2, {3}}, {3, 1, {3}}, {1, 2, {1, 2}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        GfxPrintSetup& setup = newSetup("Range", c.first, c.last, 5, 1, kGfxPrintNotSet, kGfxPrintNotSet);
        GfxPort* port = makePrinterPort(setup);
        ProgressLog log;
        const PrintRun run = print(port, setup, &log);
        EXPECT_EQ(run.pages, c.pages);
        EXPECT_EQ(run.stoppedWith, kGfxErrPrintDone);
        dispose(port);
    }
}

TEST_F(PrintTest, CallsOutOfOrderAreRefusedWithTheirOwnCodes) {
    GfxPrintSetup& setup = newSetup("Order", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(setup);
    ProgressLog log;
    EXPECT_EQ(gfxPrintStartPage(port), kGfxErrNoDocument);
    EXPECT_EQ(gfxPrintEndDoc(port), kGfxErrNoDocument);
    ASSERT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kErrNone);
    EXPECT_EQ(gfxPrintEndPage(port, 0), kGfxErrNoPage);
    EXPECT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kGfxErrDocumentPrinting);
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    EXPECT_EQ(gfxPrintStartPage(port), kGfxErrPageStarted);
    EXPECT_EQ(gfxPrintEndDoc(port), kGfxErrPageStarted);
    EXPECT_EQ(gfxGetLastError(), kGfxErrPageStarted);
    EXPECT_EQ(gfxPrintEndPage(port, 0), kGfxErrPrintDone);
    EXPECT_EQ(gfxPrintStartPage(port), kGfxErrPrintDone);
    EXPECT_EQ(gfxPrintEndDoc(port), kErrNone);
    EXPECT_EQ(log.kinds(), (std::vector<u16>{kGfxPrintCallOpen, kGfxPrintCallPoll, kGfxPrintCallClose}));
}

TEST_F(PrintTest, OnlyOnePortPrintsAtATime) {
    GfxPrintSetup& first = newSetup("First", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPrintSetup& second = newSetup("Second", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* a = makePrinterPort(first);
    GfxPort* b = makePrinterPort(second);
    ProgressLog log;
    ASSERT_EQ(gfxPrintStartDoc(a, plat::kNoWindow, logProgress, &log), kErrNone);
    EXPECT_EQ(gfxPrintStartDoc(b, plat::kNoWindow, logProgress, &log), kGfxErrDocumentPrinting);
    EXPECT_FALSE(static_cast<GfxPrinterPort*>(b)->InDocument());
    EXPECT_EQ(printer.jobs.size(), 1u) << "the refused document started no job";
    EXPECT_EQ(gfxPrintEndDoc(a), kErrNone);
    EXPECT_EQ(gfxPrintStartDoc(b, plat::kNoWindow, logProgress, &log), kErrNone) << "free again once the first ended";
    EXPECT_EQ(gfxPrintEndDoc(b), kErrNone);
}

TEST_F(PrintTest, PortCallsRefuseOtherPortsAndBadHandles) {
    GfxPort* offscreen = gfxNewOffscreenPort(4, 4, 24, nullptr);
    ASSERT_NE(offscreen, nullptr);
    EXPECT_EQ(gfxPrintStartDoc(offscreen, plat::kNoWindow, nullptr, nullptr), kGfxErrBadPort);
    EXPECT_EQ(gfxPrintStartPage(offscreen), kGfxErrBadPort);
    EXPECT_EQ(gfxPrintEndPage(offscreen, 0), kGfxErrBadPort);
    EXPECT_EQ(gfxPrintEndDoc(offscreen), kGfxErrBadPort);
    EXPECT_EQ(gfxPrintEndDoc(nullptr), kGfxErrBadPort);
    gfxDisposePort(offscreen);
}

TEST_F(PrintTest, NewPrinterPortChecksPaletteSetUpAndPrinter) {
    GfxPrintSetup& setup = newSetup("Checks", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    EXPECT_EQ(gfxNewPrinterPort(&setup, kGfxBadPaletteHandle), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPalette);
    GfxPort* port = makePrinterPort(setup);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->kind, kGfxKindPrinter);
    EXPECT_EQ(setup.printerPort, port);
    EXPECT_EQ(gfxNewPrinterPort(&setup, nullptr), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrPrintSetupBusy);
    EXPECT_EQ(setup.Reset("Again", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet), kGfxErrPrintSetupBusy);
    EXPECT_EQ(setup.RunPrintDlg(plat::kNoWindow), -1);
    EXPECT_EQ(gfxGetLastError(), kGfxErrPrintSetupBusy);
    dispose(port);
    EXPECT_EQ(setup.printerPort, nullptr) << "releasing the port frees the set-up";

    printer.caps.rasterPages = false;
    EXPECT_EQ(gfxNewPrinterPort(&setup, nullptr), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrNotSupported);
    EXPECT_EQ(setup.printerPort, nullptr);
    printer.caps.rasterPages = true;
    setup.dialog.printer->device = "Gone";
    EXPECT_EQ(gfxNewPrinterPort(&setup, nullptr), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrGdi);
}

TEST_F(PrintTest, PageGeometryFollowsPaperMarginsAndOrientation) {
    struct Case {
        const char* name;
        u16 orientation;
        pp::Paper paper;
        Rect16 printable;
        Rect16 paperRect;
    };
    // 20 pixels per inch: 254 tenths of a millimetre are 20 pixels, 127 are 10.
    const Case cases[] = {
        {"no margins", kGfxPrintPortrait, {"P", 254, 508}, {0, 0, 20, 40}, {0, 0, 20, 40}},
        {"margins", kGfxPrintPortrait, {"M", 508, 508, 127, 254, 0, 127}, {0, 0, 30, 10}, {-10, -20, 30, 20}},
        {"landscape", kGfxPrintLandscape, {"L", 254, 508, 127, 0, 0, 0}, {0, 0, 40, 10}, {0, 0, 40, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.settings.paper = c.paper;
        GfxPrintSetup& setup = newSetup("Geometry", 1, 1, 1, 1, c.orientation, kGfxPrintNotSet);
        GfxPort* port = makePrinterPort(setup);
        ASSERT_NE(port, nullptr);
        EXPECT_TRUE(rectEqual(setup.printable, c.printable));
        EXPECT_TRUE(rectEqual(setup.paper, c.paperRect));
        EXPECT_EQ(setup.ppiX, 20u);
        EXPECT_TRUE(rectEqual(port->deviceRect, c.printable));
        dispose(port);
    }
}

TEST_F(PrintTest, APaperAllMarginsOrTooLargeCannotServe) {
    struct Case {
        const char* name;
        pp::Paper paper;
        u16 resolution;
        bool works;
    };
    // 32767 pixels is the largest page side: 416160 tenths at 20 pixels per inch give 32768.
    const Case cases[] = {{"margins meet", {"X", 254, 254, 127, 0, 127, 0}, 20, false},
                          {"at the side limit", {"X", 254, 416147}, 20, true},
                          {"one past the side limit", {"X", 254, 416160}, 20, false},
                          // At 65535 pixels per inch these sides come to 2^32 + 257 pixels.
                          {"sides whose pixels pass 32 bits", {"X", 16646399, 16646399}, 65535, false},
                          {"margins that add past 32 bits", {"X", 254, 254, 0xFFFFFFFF, 0, 2, 0}, 20, false},
                          {"no resolution", {"X", 254, 254}, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.settings.paper = c.paper;
        printer.settings.resolution = c.resolution;
        GfxPrintSetup& setup = newSetup("Limits", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
        GfxPort* port = gfxNewPrinterPort(&setup, nullptr);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(gfxLockPort(port), c.works ? kErrNone : kGfxErrNotSupported);
        while (port->lockCount) gfxUnlockPort(port);
        gfxDisposePort(port);
    }
}

TEST_F(PrintTest, AProgressProcedureRefusingToOpenStartsNoDocument) {
    GfxPrintSetup& setup = newSetup("Refused", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(setup);
    ProgressLog log;
    log.openAnswer = 0;
    EXPECT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kGfxErrPrintAborted);
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(setup.state.aborted, 1u);
    EXPECT_EQ(gfxPrintStartPage(port), kGfxErrNoDocument);
    EXPECT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &(log = ProgressLog{})), kErrNone)
        << "nothing was left printing";
    EXPECT_EQ(gfxPrintEndDoc(port), kErrNone);
}

TEST_F(PrintTest, CancelWhileAPageIsTakenAbortsTheRestOfTheJob) {
    GfxPrintSetup& setup = newSetup("Cancelled", 1, 3, 3, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(setup);
    ProgressLog log;
    log.pollsBeforeCancel = 1;
    const PrintRun run = print(port, setup, &log);
    EXPECT_EQ(run.pages, (std::vector<u16>{1, 2}));
    EXPECT_EQ(run.stoppedWith, kGfxErrPrintAborted);
    EXPECT_EQ(run.endDoc, kGfxErrPrintAborted);
    EXPECT_EQ(setup.state.aborted, 1u);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].aborted);
    EXPECT_FALSE(printer.jobs[0].finished);
    EXPECT_EQ(log.kinds().back(), kGfxPrintCallClose) << "the progress window is closed after an abort too";
}

TEST_F(PrintTest, AbortDocMakesTheFollowingPageCallsReportTheAbort) {
    GfxPrintSetup& setup = newSetup("Aborted", 1, 3, 3, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(setup);
    auto* printerPort = static_cast<GfxPrinterPort*>(port);
    EXPECT_EQ(printerPort->AbortDoc(), kGfxErrNoDocument);
    ProgressLog log;
    ASSERT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kErrNone);
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    ASSERT_EQ(gfxPrintEndPage(port, 0), kErrNone);
    EXPECT_EQ(printerPort->Abort(), kErrNone);
    EXPECT_EQ(gfxPrintStartPage(port), kGfxErrPrintAborted);
    EXPECT_EQ(gfxPrintEndDoc(port), kGfxErrPrintAborted);
    EXPECT_TRUE(printer.jobs[0].aborted);
}

TEST_F(PrintTest, JobErrorsReachTheProgressProcedureByKind) {
    struct Case {
        const char* name;
        int code;
        u16 errorKind;
        EngineErr result;
        bool reported;
    };
    const Case cases[] = {
        {"out of disk", pp::kSpoolOutOfDisk, kGfxPrintErrorDisk, kGfxErrPrinting, true},
        {"out of memory", pp::kSpoolOutOfMemory, kGfxPrintErrorMemory, kGfxErrPrinting, true},
        {"general", pp::kSpoolError, kGfxPrintErrorGeneral, kGfxErrPrinting, true},
        {"user abort", pp::kSpoolUserAbort, 0, kGfxErrPrintAborted, false},
        {"a positive code is the job's own", 7, 0, kGfxErrPrinting, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.failPage = 2;
        printer.failCode = c.code;
        GfxPrintSetup& setup = newSetup("Failing", 1, 3, 3, 1, kGfxPrintNotSet, kGfxPrintNotSet);
        GfxPort* port = makePrinterPort(setup);
        ProgressLog log;
        const PrintRun run = print(port, setup, &log);
        EXPECT_EQ(run.pages, (std::vector<u16>{1, 2}));
        EXPECT_EQ(run.stoppedWith, c.result);
        EXPECT_EQ(run.endDoc, c.result);
        bool reported = false;
        for (const GfxPrintCall& call : log.calls) {
            if (call.kind != kGfxPrintCallError) continue;
            reported = true;
            EXPECT_EQ(call.errorKind, c.errorKind);
            EXPECT_EQ(call.retryCount, 0u) << "a failed page cannot be tried again";
        }
        EXPECT_EQ(reported, c.reported);
        EXPECT_TRUE(printer.jobs.back().aborted);
        dispose(port);
    }
}

TEST_F(PrintTest, AJobThatCannotStartOrFinishIsAPrintingError) {
    GfxPrintSetup& setup = newSetup("Failing", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(setup);
    ProgressLog log;
    printer.startError = pp::kSpoolOutOfDisk;
    EXPECT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kGfxErrPrinting);
    EXPECT_EQ(log.kinds(), (std::vector<u16>{kGfxPrintCallOpen, kGfxPrintCallError, kGfxPrintCallClose}));
    EXPECT_FALSE(static_cast<GfxPrinterPort*>(port)->InDocument());
    printer.startError = pp::kSpoolOk;
    printer.finishCode = pp::kSpoolOutOfDisk;
    const PrintRun run = print(port, setup, &(log = ProgressLog{}));
    EXPECT_EQ(run.stoppedWith, kGfxErrPrintDone);
    EXPECT_EQ(run.endDoc, kGfxErrPrinting);
    EXPECT_TRUE(printer.jobs.back().aborted);
}

TEST_F(PrintTest, TheQuietDefaultProgressGoesOnUntilAnError) {
    GfxPrintSetup& setup = newSetup("Quiet", 1, 2, 2, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(setup);
    ASSERT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, nullptr, nullptr), kErrNone);
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    EXPECT_EQ(gfxPrintEndPage(port, 0), kErrNone);
    EXPECT_EQ(gfxPrintEndPage(port, 0), kGfxErrNoPage);
    printer.failPage = 2;
    printer.failCode = pp::kSpoolOutOfMemory;
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    EXPECT_EQ(gfxPrintEndPage(port, 0), kGfxErrPrinting);
    EXPECT_EQ(gfxPrintEndDoc(port), kGfxErrPrinting);
}

TEST_F(PrintTest, ADisposedPortInTheMiddleOfADocumentAbandonsItsJob) {
    GfxPrintSetup& setup = newSetup("Dropped", 1, 2, 2, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(setup);
    ProgressLog log;
    ASSERT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kErrNone);
    dispose(port);
    EXPECT_TRUE(printer.jobs[0].aborted);
    EXPECT_EQ(setup.printerPort, nullptr);
    GfxPort* next = makePrinterPort(setup);
    EXPECT_EQ(gfxPrintStartDoc(next, plat::kNoWindow, logProgress, &log), kErrNone) << "no port is left printing";
    EXPECT_EQ(gfxPrintEndDoc(next), kErrNone);
}

TEST_F(PrintTest, ASetUpGoingFirstAbandonsTheDocumentAndLeavesItsPortUnableToPrint) {
    auto setup = std::make_unique<GfxPrintSetup>("Short-lived", 1, 2, 2, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* port = makePrinterPort(*setup);
    ASSERT_NE(port, nullptr);
    ProgressLog log;
    ASSERT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kErrNone);
    ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
    setup.reset();
    EXPECT_TRUE(printer.jobs[0].aborted);
    EXPECT_EQ(log.kinds(), (std::vector<u16>{kGfxPrintCallOpen, kGfxPrintCallClose}));
    EXPECT_EQ(gfxPrintEndPage(port, 0), kGfxErrNoPage);
    EXPECT_EQ(gfxPrintEndDoc(port), kGfxErrNoDocument);
    EXPECT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kGfxErrPrintSetupInvalid);
    while (port->lockCount) gfxUnlockPort(port);
    EXPECT_EQ(gfxLockPort(port), kGfxErrPrintSetupInvalid);

    GfxPrintSetup& other = newSetup("Next", 1, 1, 1, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    GfxPort* next = makePrinterPort(other);
    EXPECT_EQ(gfxPrintStartDoc(next, plat::kNoWindow, logProgress, &log), kErrNone) << "no port is left printing";
    EXPECT_EQ(gfxPrintEndDoc(next), kErrNone);
}

}  // namespace
