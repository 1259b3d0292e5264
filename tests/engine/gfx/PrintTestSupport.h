#pragma once
// Fixtures for the printing tests: the graphics fixture with a recording printer installed,
// a progress procedure that logs its calls and answers as told, and a print loop that draws
// each page in a colour of its number, as an application's print job does.
#include <memory>
#include <utility>
#include <vector>

#include "GfxTestSupport.h"
#include "RecordingPrinter.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxPrinterPort.h"
#include "platform/print/choice/PrintChoice.h"

struct ProgressLog {
    std::vector<GfxPrintCall> calls;
    i32 openAnswer = 1;
    // Polls answered "go on" before the first "stop"; negative: never stop.
    int pollsBeforeCancel = -1;
    i32 errorAnswer = 0;
    int polls = 0;
    std::vector<u16> kinds() const {
        std::vector<u16> out;
        for (const GfxPrintCall& c : calls) out.push_back(c.kind);
        return out;
    }
};

inline i32 logProgress(GfxPrintSetup*, GfxPrintCall* call, void* data) {
    auto* log = static_cast<ProgressLog*>(data);
    log->calls.push_back(*call);
    switch (call->kind) {
    case kGfxPrintCallOpen: return log->openAnswer;
    case kGfxPrintCallPoll: return (log->pollsBeforeCancel < 0 || log->polls++ < log->pollsBeforeCancel) ? 1 : 0;
    case kGfxPrintCallError: return log->errorAnswer;
    default: return call->retryCount;
    }
}

// The colour a page of this number is painted in; as stored, blue first.
inline GfxColor pageColour(u16 page) { return GfxColor::rgb(u8(page * 40), u8(255 - page * 30), u8(page * 7), kGfxColorFlagPortRgb); }
inline u32 storedPageColour(u16 page) { return u32(page * 7) | u32(255 - page * 30) << 8 | u32(page * 40) << 16; }

struct PrintRun {
    std::vector<u16> pages;
    EngineErr startDoc = kErrNone;
    EngineErr stoppedWith = kErrNone;  // the page call that ended the loop
    EngineErr endDoc = kErrNone;
};

class PrintTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        plat::print::setPrintBackend(&printer);
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        for (GfxPort* port : printerPorts_) {
            while (port->lockCount) gfxUnlockPort(port);
            gfxDisposePort(port);
        }
        plat::print::setPrintBackend(nullptr);
        gfxSetDefaultPrintProgress(nullptr);
        GfxTest::TearDown();
    }
    // A set-up that outlives the printer ports made from it, which hold on to it until the
    // test's end.
    template <class... Args>
    GfxPrintSetup& newSetup(Args&&... args) {
        setups_.push_back(std::make_unique<GfxPrintSetup>(std::forward<Args>(args)...));
        return *setups_.back();
    }
    // A locked, current printer port made from the set-up; disposed after the test.
    GfxPort* makePrinterPort(GfxPrintSetup& setup) {
        GfxPort* port = gfxNewPrinterPort(&setup, nullptr);
        if (!port) return nullptr;
        printerPorts_.push_back(port);
        EXPECT_EQ(gfxLockPort(port), kErrNone);
        EXPECT_NE(gfxSetPort(port), kGfxBadPortHandle);
        return port;
    }
    void dispose(GfxPort* port) {
        std::erase(printerPorts_, port);
        while (port->lockCount) gfxUnlockPort(port);
        gfxDisposePort(port);
    }
    // Prints until a page call refuses; the page numbered `lastAt` is marked as the last.
    PrintRun print(GfxPort* port, GfxPrintSetup& setup, ProgressLog* log, u16 lastAt = 0) {
        PrintRun run;
        run.startDoc = gfxPrintStartDoc(port, plat::kNoWindow, logProgress, log);
        if (run.startDoc != kErrNone) return run;
        for (int guard = 0; guard < 100; ++guard) {
            if ((run.stoppedWith = gfxPrintStartPage(port)) != kErrNone) break;
            const u16 page = setup.state.currentPage;
            run.pages.push_back(page);
            gfxFillRect(setup.printable, pageColour(page), 0);
            if ((run.stoppedWith = gfxPrintEndPage(port, page == lastAt)) != kErrNone) break;
        }
        run.endDoc = gfxPrintEndDoc(port);
        return run;
    }

    testprint::RecordingPrinter printer;

private:
    std::vector<GfxPort*> printerPorts_;
    std::vector<std::unique_ptr<GfxPrintSetup>> setups_;
};
