#pragma once
// Fixtures for the graphics engine tests: the memory manager and palettes started, the
// display palette back at its defaults, and a port kind over a surface of the drawing layer.
#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "platform/gdi/DisplayPalette.h"
#include "platform/gdi/RasterOps.h"

// A port drawing into a surface of its own through a memory context made at the first lock.
class SurfacePort : public GfxPort {
public:
    SurfacePort(i16 width, i16 height, int bits)
        : GfxPort(Rect16{0, 0, width, height}),
          surface(plat::gdi::Surface::create(width, height, bits, plat::gdi::RowOrder::BottomUp, tableFor(bits))) {
        depth = u16(bits);
    }
    EngineErr Lock() override {
        if (lockCount == 0) {
            auto context = plat::gdi::DeviceContext::createMemory();
            context->selectSurface(surface.get());
            EngineErr error = AttachContext(std::move(context));
            if (error != kErrNone) return error;
            drawNesting = nativeDrawing = 0;
            jobState = pageState = 1;
        }
        ++lockCount;
        return kErrNone;
    }
    std::unique_ptr<plat::gdi::Surface> surface;

private:
    // 8-bit surfaces mirror the default palette so that indices land unchanged.
    static std::vector<plat::gdi::Rgb> tableFor(int bits) {
        std::vector<plat::gdi::Rgb> table;
        if (bits != 8 || !gfxDefaultPalette()) return table;
        for (const GfxPaletteEntry& e : gfxDefaultPalette()->entries) table.push_back({e.red, e.green, e.blue});
        return table;
    }
};

class GfxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        plat::gdi::DisplayPalette::instance().restoreDefaults();
        gfxSetReservedColors(0);
        gfxSetNoStaticColors(0);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        for (SurfacePort* port : ports_) {
            while (port->lockCount) gfxUnlockPort(port);
            gfxDisposePort(port);
        }
        gfxShutdownPalettes();
        gfxSetReservedColors(0);
        gfxSetNoStaticColors(0);
        plat::gdi::DisplayPalette::instance().restoreDefaults();
        memShutdown();
    }

    // A reset, locked and current port; disposed after the test.
    SurfacePort* makePort(i16 width, i16 height, int bits) {
        auto* port = new SurfacePort(width, height, bits);
        EXPECT_EQ(port->ResetState(), kErrNone);
        EXPECT_EQ(gfxLockPort(port), kErrNone);
        EXPECT_NE(gfxSetPort(port), kGfxBadPortHandle);
        ports_.push_back(port);
        return port;
    }
    void forget(SurfacePort* port) { std::erase(ports_, port); }

private:
    std::vector<SurfacePort*> ports_;
};
