// Merging page objects into the background picture, and into the page's thumbnail.
#include <algorithm>

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/PagePainting.h"
#include "document/pages/RPageData.h"
#include "document/pages/ShrinkPicture.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "framework/undo/UndoManager.h"
#include "platform/gdi/Color.h"
#include "text/measure/StyleFonts.h"

namespace Ostrel {

namespace {

bool isVectorGraphic(FourCC type) { return type == kTypeFlash || type == kTypeFlashAnimation; }
bool isPlayedMedia(FourCC type) { return isVectorGraphic(type) || type == kTypeMovie; }
bool isFlattenable(FourCC type) {
    return type == kTypeBitmap || type == kTypeMovableBitmap || type == kTypeText || isVectorGraphic(type);
}

// A vector graphic in its place, through the installed painter.
EngineErr paintVector(GfxPort* port, const RPageObject& object) {
    GfxPixelDescriptor d{};
    if (EngineErr err = port->LockBits(&d)) return err;
    const auto& movie = static_cast<const RMediaFilePageObject&>(object).media;
    const Rect16 place{object.rect.left, object.rect.top, object.rect.right, object.rect.bottom};
    const EngineErr err = GetVectorPainter()(d, movie, place);
    port->UnlockBits(&d);
    return err;
}

// The port's pixels, rows from the top.
std::vector<u16> pixelsOf(GfxPort* port) {
    GfxPixelDescriptor d{};
    std::vector<u16> pixels;
    if (port->LockBits(&d) != kErrNone) return pixels;
    const i32 width = d.bounds.right - d.bounds.left, height = d.bounds.bottom - d.bounds.top;
    pixels.reserve(size_t(width) * height);
    for (i32 y = 0; y < height; ++y) {
        const u8* row = d.rowStep >= 0 ? d.base + y * d.rowStep : d.base + (height - 1 - y) * -d.rowStep;
        for (i32 x = 0; x < width; ++x) pixels.push_back(readLE16(row + 2 * x));
    }
    port->UnlockBits(&d);
    return pixels;
}

class OffscreenPort {
public:
    OffscreenPort(u16 width, u16 height) : port_(gfxNewOffscreenPort(width, height, 16, nullptr)) {}
    ~OffscreenPort() {
        if (port_) gfxDisposePort(port_);
    }
    OffscreenPort(const OffscreenPort&) = delete;
    OffscreenPort& operator=(const OffscreenPort&) = delete;
    GfxPort* get() const { return port_; }

private:
    GfxPort* port_;
};

}  // namespace

// The objects are drawn over the picture in a 16-bit port of its size; the pixels they changed
// take their new colour, and the others keep the picture's own, finer one.
EngineErr RPageData::DrawOver(PictureRecord& picture, const std::vector<const RPageObject*>& objects, ObjectPainter paint) {
    const size_t area = size_t(picture.width) * picture.height;
    if (area == 0 || picture.pixels.size() != area * 4) return kDocErrBadSize;
    OffscreenPort port(picture.width, picture.height);
    if (!port.get()) return kDocErrBadSize;
    const PageRect whole{0, 0, i16(picture.width), i16(picture.height)};
    GfxPixelDescriptor d{};
    if (EngineErr err = port.get()->LockBits(&d)) return err;
    paintPicture(d, picture, whole, {0, 0});
    port.get()->UnlockBits(&d);
    const std::vector<u16> before = pixelsOf(port.get());
    EngineErr err = gfxLockPort(port.get());
    if (err) return err;
    GfxPort* previous = gfxSetPort(port.get());
    {
        StyleFonts fonts;
        for (const RPageObject* object : objects)
            if (!err) err = paint(port.get(), *object, fonts);
    }
    gfxSetPort(previous);
    gfxUnlockPort(port.get());
    if (err) return err;
    const std::vector<u16> after = pixelsOf(port.get());
    if (after.size() != area || before.size() != area) return kDocErrBadSize;
    for (size_t i = 0; i < area; ++i) {
        if (after[i] == before[i]) continue;
        const plat::gdi::Rgb rgb = plat::gdi::rgbFrom555(after[i]);
        u8* pixel = picture.pixels.data() + i * 4;
        pixel[0] = rgb.red, pixel[1] = rgb.green, pixel[2] = rgb.blue, pixel[3] = 0xFF;
    }
    return kErrNone;
}

EngineErr RPageData::Merge(const std::vector<RPageObject*>& objects) {
    RPageObject* found = nullptr;
    if (FindObject(kTypeBitmap, kBackgroundId, &found) != 0) return kDocErrMissingMedia;
    PictureRecord& background = static_cast<RBitmapPageObject*>(found)->picture;
    const auto paint = [](GfxPort* port, const RPageObject& object, CharMeasurer& fonts) {
        return isVectorGraphic(object.Type()) ? paintVector(port, object) : DrawObject(port, object, {0, 0}, fonts);
    };
    if (EngineErr err = DrawOver(background, {objects.begin(), objects.end()}, paint)) return err;
    found->changed = true;
    dirty_ = true;
    return kErrNone;
}

// The page as the screen shows it: the background with every shown object over it, the vector
// graphics and movies (their first pictures) last, as they play over the painting; then made
// small. Without a background the objects lie on white paper.
PictureRecord RPageData::MakeThumbnail() const {
    PictureRecord page{kPageWidth, kPageHeight, std::vector<u8>(size_t(kPageWidth) * kPageHeight * 4, 0xFF), {}};
    RPageObject* background = nullptr;
    if (FindObject(kTypeBitmap, kBackgroundId, &background) == 0) page = static_cast<RBitmapPageObject*>(background)->picture;
    std::vector<const RPageObject*> shown;
    for (const auto& o : objects_)
        if (o.get() != background && !(o->flags & kObjectHidden)) shown.push_back(o.get());
    std::stable_partition(shown.begin(), shown.end(), [](const RPageObject* o) { return !isPlayedMedia(o->Type()); });
    const auto paint = [](GfxPort* port, const RPageObject& object, CharMeasurer& fonts) {
        if (!isPlayedMedia(object.Type())) return DrawObject(port, object, {0, 0}, fonts);
        GfxPixelDescriptor d{};
        if (EngineErr err = port->LockBits(&d)) return err;
        // One the painter cannot read leaves its place as it was.
        PaintMediaFirstPicture(d, object, {object.rect.left, object.rect.top, object.rect.right, object.rect.bottom});
        port->UnlockBits(&d);
        return kErrNone;
    };
    // A page that cannot be drawn still gets its background made small.
    DrawOver(page, shown, paint);
    PictureRecord small = ShrinkPicture(page, kThumbnailWidth, kThumbnailHeight);
    if (small.pixels.empty())
        small = {kThumbnailWidth, kThumbnailHeight, std::vector<u8>(size_t(kThumbnailWidth) * kThumbnailHeight * 4, 0xFF), {}};
    return small;
}

EngineErr RPageData::FlattenObject(FourCC type, RPageObject* object) {
    if (!object || object->Owner() != this || object->Type() != type) return kDocErrNotOnPage;
    if (isVectorGraphic(type) && !GetVectorPainter()) return kDocErrNoVectorRenderer;
    if (!isFlattenable(type) || (type == kTypeBitmap && object->Id() == kBackgroundId)) return kDocErrBadType;
    if (EngineErr err = EnsureBackground()) return err;
    if (EngineErr err = Merge({object})) return err;
    // The step about this object, if it is one, goes with it; so does an earlier merge, whose
    // old background lacks this object: undoing it would lose the object.
    if ((step_.type == type && step_.id == object->Id()) || !flatten_.merged.empty()) ForgetStep();
    const auto it = std::find_if(objects_.begin(), objects_.end(), [&](const auto& o) { return o.get() == object; });
    objects_.erase(it);
    return kErrNone;
}

EngineErr RPageData::FlattenAll(FourCC type) {
    if (isVectorGraphic(type) && !GetVectorPainter()) return kDocErrNoVectorRenderer;
    if (!isFlattenable(type)) return kDocErrBadType;
    std::vector<RPageObject*> chosen;
    for (const auto& o : objects_)
        if (o->Type() == type && !(type == kTypeBitmap && o->Id() == kBackgroundId) && !(o->flags & kObjectHidden))
            chosen.push_back(o.get());
    if (chosen.empty()) return kErrNone;
    if (EngineErr err = EnsureBackground()) return err;
    RPageObject* found = nullptr;
    FindObject(kTypeBitmap, kBackgroundId, &found);
    std::vector<u8> old;
    if (EngineErr err = found->StoreMedia(&old)) return err;
    if (EngineErr err = Merge(chosen)) return err;
    ForgetStep();
    FlattenStep step;
    step.otherBackground = std::move(old);
    for (size_t i = 0; i < objects_.size();) {
        if (std::find(chosen.begin(), chosen.end(), objects_[i].get()) == chosen.end()) {
            ++i;
            continue;
        }
        objects_[i]->SetOwner(nullptr);
        step.merged.emplace_back(objects_[i]->Type(), objects_[i]->Id());
        step.held.emplace_back(i + step.held.size(), std::move(objects_[i]));
        objects_.erase(objects_.begin() + std::ptrdiff_t(i));
    }
    if (undo_) {
        undo_->SetCurrent(this, kUndoFlatten, &RPageData::ReleaseStep);
        flatten_ = std::move(step);
    }
    return kErrNone;
}

// Undo puts the old background and the objects back; redo takes them off again over the
// merged background. Either way the two backgrounds change places.
void RPageData::SwapFlattened() {
    RPageObject* found = nullptr;
    if (FindObject(kTypeBitmap, kBackgroundId, &found) != 0) return;
    std::vector<u8> current;
    if (found->StoreMedia(&current) != kErrNone || found->LoadMedia(flatten_.otherBackground) != kErrNone) return;
    flatten_.otherBackground = std::move(current);
    found->changed = true;
    if (!flatten_.held.empty()) {
        for (auto& [place, object] : flatten_.held) {
            object->SetOwner(this);
            objects_.insert(objects_.begin() + std::ptrdiff_t(std::min(place, objects_.size())), std::move(object));
        }
        flatten_.held.clear();
    } else {
        for (size_t i = 0; i < objects_.size();) {
            const auto key = std::make_pair(objects_[i]->Type(), objects_[i]->Id());
            if (std::find(flatten_.merged.begin(), flatten_.merged.end(), key) == flatten_.merged.end()) {
                ++i;
                continue;
            }
            objects_[i]->SetOwner(nullptr);
            flatten_.held.emplace_back(i + flatten_.held.size(), std::move(objects_[i]));
            objects_.erase(objects_.begin() + std::ptrdiff_t(i));
        }
    }
    dirty_ = true;
}

}  // namespace Ostrel
