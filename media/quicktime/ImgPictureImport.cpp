// Picture files placed into JPEG picture blocks.
#include <cmath>
#include <cstdlib>

#include "engine/regions/RectConversions.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/QtRects.h"

namespace {

namespace pm = plat::media;

i32 widthOf(const Rect16& r) { return i32(r.right) - r.left; }
i32 heightOf(const Rect16& r) { return i32(r.bottom) - r.top; }

Rect16 atOrigin(const Rect16& r) { return {0, 0, i16(widthOf(r)), i16(heightOf(r))}; }

}  // namespace

void RectFit(Rect16* r, const Rect16& t, u16 shrink, u16) {
    const i32 tw = widthOf(t), th = heightOf(t), rw = widthOf(*r), rh = heightOf(*r);
    if (tw <= 0 || th <= 0 || rw <= 0 || rh <= 0) return;
    const i32 dw = std::abs(tw - rw), dh = std::abs(th - rh);
    const float relativeW = float(dw) / float(tw), relativeH = float(dh) / float(th);
    if (shrink) {
        i32 numerator = 1, denominator = 1;
        if (r->right > t.right) numerator = tw, denominator = rw;
        if (r->bottom > t.bottom && i64(numerator) * rh > i64(denominator) * th) numerator = th, denominator = rh;
        r->right = i16(r->left + i64(rw) * numerator / denominator);
        r->bottom = i16(r->top + i64(rh) * numerator / denominator);
        return;
    }
    const bool grows = r->right <= t.right && r->bottom <= t.bottom;
    if (relativeW < relativeH) {
        r->right = t.right;
        const i32 change = i32(i64(dw) * rh / rw);
        r->bottom = i16(grows ? r->bottom + change : r->bottom - change);
        if (grows) {
            const i16 move = i16(float(th - heightOf(*r)) * 0.5f);
            r->top = i16(r->top + move), r->bottom = i16(r->bottom + move);
        }
    } else {
        r->bottom = t.bottom;
        const i32 change = i32(i64(dh) * rw / rh);
        r->right = i16(grows ? r->right + change : r->right - change);
        if (grows) {
            const i16 move = i16(float(tw - widthOf(*r)) * 0.5f);
            r->left = i16(r->left + move), r->right = i16(r->right + move);
        }
    }
}

memHandle imgImportFileToBitmap(const std::string& path, u32* totalSize, u32, Rect16* pictureRect,
                                const Rect16& target, Rect16* placement, u32 mode, GfxPort* port) {
    const std::string runtimePath = imgRuntimePath(path);
    if (runtimePath.empty() || mode < kImgPlaceNatural || mode > kImgPlaceTile) return 0;
    MrImporter* importer = nullptr;
    pm::MrRect naturalQt{};
    if (qtOpenImporter(runtimePath.c_str(), &importer) != 0 || qtImporterNaturalBounds(importer, &naturalQt) != 0) {
        qtCloseImporter(importer);
        return 0;
    }
    Rect16 natural;
    QTRectToRect(naturalQt, &natural);
    Rect16 picture = natural;
    const bool tooBig = natural.right > target.right || natural.bottom > target.bottom;
    if (tooBig && mode == kImgPlaceCentre) mode = kImgPlaceFit;
    const i16 tw = i16(widthOf(target)), th = i16(heightOf(target));
    const i32 pw = widthOf(natural), ph = heightOf(natural);
    bool drawRectDue = false;
    Rect16 drawRect = natural;
    Rect16 placed{0, 0, 0, 0};
    switch (mode) {
        case kImgPlaceNatural:
            drawRectDue = tooBig;
            if (drawRectDue) drawRect = {0, 0, tw, th};
            placed = {0, 0, tw, th};
            break;
        case kImgPlaceFit:
            RectFit(&picture, target, u16(tooBig), 0);
            RectCenterIn(&picture, target);
            drawRectDue = true;
            drawRect = atOrigin(picture);
            break;
        case kImgPlaceCentre: {
            const i16 dx = i16((tw - natural.right) / 2), dy = i16((th - natural.bottom) / 2);
            placed = {i16(natural.left + dx), i16(natural.top + dy), i16(natural.right + dx), i16(natural.bottom + dy)};
            break;
        }
        default:
            drawRectDue = true;
            drawRect = {0, 0, tw, th};
            placed = {0, 0, tw, th};
            break;
    }
    if (pictureRect) *pictureRect = picture;
    if (placement) *placement = placed;

    std::unique_ptr<ImgPortWorld> portWorld;
    MrWorld* world = nullptr;
    if (port) {
        Rect16 portRect{};
        GfxPort* previous = gfxGetPort();
        gfxSetPort(port);
        gfxGetPortRect(&portRect);
        gfxSetPort(previous);
        portWorld = imgStretchToDIB(port, atOrigin(portRect), &portRect, 16);
        if (portWorld) world = portWorld->world;
    } else {
        const pm::MrRect bounds = qtRectOf(drawRectDue ? drawRect : natural);
        if (qtNewWorld(&world, 0, &bounds) != 0) world = nullptr;
    }
    memHandle result = 0;
    bool drawn = world && qtImporterSetWorld(importer, world) == 0;
    if (drawn && mode == kImgPlaceTile) {
        // Columns from the left, each from the top; a picture has a size, so every step moves on.
        for (i32 x = 0; drawn && pw > 0 && x < tw; x += pw)
            for (i32 y = 0; drawn && ph > 0 && y < th; y += ph) {
                const pm::MrRect cell = qtRectOf(Rect16{i16(x), i16(y), i16(x + pw), i16(y + ph)});
                drawn = qtImporterSetDrawRect(importer, &cell) == 0 && qtImporterDraw(importer) == 0;
            }
    } else if (drawn) {
        const pm::MrRect rect = qtRectOf(drawRect);
        drawn = (!drawRectDue || qtImporterSetDrawRect(importer, &rect) == 0) && qtImporterDraw(importer) == 0;
    }
    if (drawn) result = qtCompressToJPEG(qtWorldPixMap(world), totalSize, i16(kImgDefaultQuality));
    if (!port) qtReleaseIfSet(world);
    qtCloseImporter(importer);
    return result;
}
