#include "engine/gfx/GfxPort.h"

#include "GfxTestSupport.h"
#include "engine/regions/Regions.h"
#include "engine/gfx/GfxErrors.h"

TEST_F(GfxTest, NullAndAllOnesAreNeverPorts) {
    EXPECT_EQ(gfxPortFromHandle(nullptr, kGfxCheckQuery), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPort);
    EXPECT_EQ(gfxPortFromHandle(kGfxBadPortHandle, kGfxCheckDraw), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPort);
    GfxPort* port = makePort(4, 4, 16);
    EXPECT_EQ(gfxPortFromHandle(port, kGfxCheckDraw), port);
    EXPECT_EQ(gfxGetLastError(), kErrNone);
}

TEST_F(GfxTest, OnlyLockedPortsBecomeCurrent) {
    auto* port = new SurfacePort(4, 4, 16);
    ASSERT_EQ(port->ResetState(), kErrNone);
    GfxPort* before = gfxGetPort();
    EXPECT_EQ(gfxSetPort(port), kGfxBadPortHandle);
    EXPECT_EQ(gfxGetLastError(), kGfxErrPortNotLocked);
    EXPECT_EQ(gfxGetPort(), before);
    EXPECT_EQ(gfxSetPort(nullptr), before);
    EXPECT_EQ(gfxGetPort(), nullptr);
    EXPECT_EQ(gfxDisposePort(port), kErrNone);
}

TEST_F(GfxTest, LockCountingKeepsTheContextUntilTheLastUnlock) {
    GfxPort* port = makePort(4, 4, 16);
    ASSERT_NE(port->dc, nullptr);
    EXPECT_EQ(gfxLockPort(port), kErrNone);
    EXPECT_EQ(gfxUnlockPort(port), kErrNone);
    EXPECT_NE(port->dc, nullptr);
    EXPECT_EQ(gfxGetPort(), port);
    EXPECT_EQ(gfxUnlockPort(port), kErrNone);
    EXPECT_EQ(port->dc, nullptr);
    EXPECT_EQ(gfxGetPort(), nullptr) << "the last unlock clears the current port";
    EXPECT_EQ(gfxUnlockPort(port), kGfxErrPortNotLocked);
}

TEST_F(GfxTest, LockedPortsAreNotDisposedAndDisposedPortsAreNotCurrent) {
    SurfacePort* port = makePort(4, 4, 16);
    EXPECT_EQ(gfxDisposePort(port), kGfxErrPortLocked);
    EXPECT_EQ(port->tag, kGfxPortTag);
    gfxUnlockPort(port);
    gfxLockPort(port);
    gfxSetPort(port);
    port->lockCount = 0;  // as if a kind had dropped its locks without unlocking
    EXPECT_EQ(gfxDisposePort(port), kErrNone);
    forget(port);
    EXPECT_EQ(gfxGetPort(), nullptr);
}

TEST_F(GfxTest, PortListKeepsTheNewestFirst) {
    GfxPort* a = makePort(2, 2, 16);
    GfxPort* b = makePort(2, 2, 16);
    EXPECT_EQ(gfxPortListHead(), b);
    EXPECT_EQ(b->nextPort, a);
    EXPECT_EQ(a->previousPort, b);
}

TEST_F(GfxTest, ScalingToTwiceTheDeviceSizeMapsAnisotropically) {
    GfxPort* port = makePort(40, 30, 16);
    ASSERT_EQ(gfxSetPortScale(80, 60), kErrNone);
    EXPECT_EQ(port->mappingMode, kGfxMapAnisotropic);
    EXPECT_EQ(port->hScale, 0x8000);
    EXPECT_EQ(port->vScale, 0x8000);
    EXPECT_EQ(port->dc->state().mapMode, plat::gdi::MapMode::Anisotropic);
    Point16 p{20, 10};
    ASSERT_EQ(gfxDeviceToPort(&p), kErrNone);
    EXPECT_EQ(p.h, 40);
    EXPECT_EQ(p.v, 20);
    ASSERT_EQ(gfxSetPortScale(40, 30), kErrNone);
    EXPECT_EQ(port->mappingMode, kGfxMapText);
    EXPECT_EQ(port->scaled, 0);
}

TEST_F(GfxTest, OriginMovesTheLogicalRectangle) {
    GfxPort* port = makePort(40, 30, 16);
    ASSERT_EQ(gfxSetPortOrigin(100, 200), kErrNone);
    EXPECT_EQ(port->logicalRect.left, 100);
    EXPECT_EQ(port->logicalRect.bottom, 230);
    EXPECT_EQ(port->offset.h, 100);
    Rect16 r;
    gfxGetPortRect(&r);
    EXPECT_EQ(r.right, 40);
}

TEST_F(GfxTest, AnOriginNearTheCoordinateLimitKeepsThePortUnscaled) {
    GfxPort* port = makePort(40, 30, 16);
    ASSERT_EQ(gfxSetPortOrigin(32760, 0xFFF0), kErrNone);
    EXPECT_EQ(port->scaled, 0);
    EXPECT_EQ(port->hScale, 0x10000);
    EXPECT_EQ(port->vScale, 0x10000);
    ASSERT_EQ(gfxSetPortScale(80, 60), kErrNone);
    EXPECT_EQ(port->hScale, 0x8000);
    EXPECT_EQ(port->vScale, 0x8000);
}

TEST_F(GfxTest, NewPortClipIsTheWholePlane) {
    GfxPort* port = makePort(20, 10, 16);
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(port->clipRegion));
    ASSERT_EQ(record->count, 1);
    EXPECT_EQ(rgnRects(record)[0].left, -16384);
    EXPECT_EQ(rgnRects(record)[0].bottom, 16383);
    ASSERT_EQ(port->FillColorRect(Rect16{-5, -5, 100, 100}, GfxColor::rgb(255, 255, 255), 0), kErrNone);
    SurfacePort* sp = static_cast<SurfacePort*>(port);
    EXPECT_EQ(sp->surface->pixel(0, 0), 0x7FFFu);
    EXPECT_EQ(sp->surface->pixel(19, 9), 0x7FFFu);
}

TEST_F(GfxTest, PortPaletteCallsUseZeroForTheDefault) {
    GfxPort* port = makePort(4, 4, 8);
    EXPECT_EQ(gfxGetPortPalette(), nullptr);
    GfxPalette* p = gfxNewPalette(256, nullptr);
    EXPECT_EQ(gfxSetPortPalette(p), nullptr);
    EXPECT_EQ(gfxGetPortPalette(), p);
    EXPECT_EQ(p->ports, port);
    EXPECT_EQ(gfxDefaultPalette()->ports, nullptr) << "the port left the default palette's ring";
    EXPECT_EQ(gfxSetPortPalette(kGfxBadPaletteHandle), kGfxBadPaletteHandle);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPalette);
    EXPECT_EQ(gfxSetPortPalette(nullptr), p);
    EXPECT_EQ(port->palette, gfxDefaultPalette());
}

TEST_F(GfxTest, NativeDrawingSavesAndRestoresTheContext) {
    GfxPort* port = makePort(4, 4, 16);
    plat::gdi::DeviceContext* dc = gfxGetPortDC(port);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(port->nativeDrawing, 1);
    EXPECT_EQ(port->drawNesting, 1);
    dc->state().rop2 = plat::gdi::kR2XorPen;
    EXPECT_EQ(gfxReleasePortDC(port), kErrNone);
    EXPECT_EQ(port->drawNesting, 0);
    EXPECT_EQ(dc->state().rop2, plat::gdi::kR2CopyPen);
}

TEST_F(GfxTest, TransferModesChooseTheirRasterCodes) {
    EXPECT_EQ(gfxSourceCopyCode(0), 0x00CC0020u);
    EXPECT_EQ(gfxSourceCopyCode(5), 0x00220326u);
    EXPECT_EQ(gfxPatternCode(3), 0x005A0049u);
    EXPECT_EQ(gfxPatternCode(7), 0x00A50065u);
    EXPECT_EQ(gfxPenRop2(5), plat::gdi::kR2NotMaskPen);
    EXPECT_EQ(gfxPenRop2(7), plat::gdi::kR2NotXorPen);
    EXPECT_EQ(gfxPenRop2(12), plat::gdi::kR2NotXorPen);
}

TEST_F(GfxTest, PixelAccessAndSurfaceBlitsNeedAKindThatHasThem) {
    GfxPort* port = makePort(4, 4, 16);
    GfxPixelDescriptor d{};
    EXPECT_EQ(gfxLockPortBits(&d), kGfxErrNotSupported);
    EXPECT_EQ(gfxUnlockPortBits(&d), kGfxErrNotSupported);
    gfxSetPort(nullptr);
    EXPECT_EQ(gfxLockPortBits(&d), kGfxErrBadPort);
    Rect16 r{0, 0, 4, 4};
    EXPECT_EQ(port->BltFromSurface(r, r, nullptr, 8, plat::gdi::kRopSrcCopy), kGfxErrNotSupported) << "depths differ";
    rgnSetEmpty(port->clipRegion);
    EXPECT_EQ(port->BltFromSurface(r, r, nullptr, 16, plat::gdi::kRopSrcCopy), kErrNone) << "empty clip draws nothing";
    for (i16 i = 0; i < 65; ++i) rgnUnionRect(port->clipRegion, Rect16{i16(2 * i), 0, i16(2 * i + 1), 1});
    EXPECT_EQ(port->BltFromSurface(r, r, nullptr, 16, plat::gdi::kRopSrcCopy), kGfxErrNotSupported);
}

// Reads the display's depth again when told, as display kinds do.
class CountingPort : public SurfacePort {
public:
    using SurfacePort::SurfacePort;
    void UpdateDeviceCaps() override { ++updates; }
    int updates = 0;
};

TEST_F(GfxTest, DisplayChangesReachThePortsWithAContext) {
    auto* attached = new CountingPort(2, 2, 16);
    auto* idle = new CountingPort(2, 2, 16);
    attached->ResetState();
    idle->ResetState();
    gfxLockPort(attached);
    gfxDisplayChanged(24);
    EXPECT_EQ(gfxDisplayDepth(), 24);
    EXPECT_EQ(attached->updates, 1);
    EXPECT_EQ(idle->updates, 0);
    gfxUnlockPort(attached);
    gfxDisposePort(attached);
    gfxDisposePort(idle);
}
