#include "media/swf/Extensions.h"

#include <algorithm>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "media/swf/CharacterEvents.h"
#include "media/swf/Document.h"

namespace swf {

xtagExtensions::xtagExtensions() : tag(kTagExtensions) {
    mstream signature(kExtensionSignatureSize);
    signature.WriteBytes(kExtensionSignatureSize, reinterpret_cast<const u8*>(kExtensionSignature));
    body_.Take(signature);
}

// The body is compared as text: a body holding the signature with its zero byte is
// recognised, whatever follows. Shorter bodies, the empty one included, are not.
bool xtagExtensions::Recognised() const {
    return body_.Size() >= kExtensionSignatureSize &&
           std::memcmp(body_.Data(), kExtensionSignature, kExtensionSignatureSize) == 0;
}

Result xtagExtensions::ReadBody(stream& in, u32 length) {
    SWF_TRY(body_.ReadFrom(in, length));
    if (Recognised() && !owner_->extension_ && owner_->FirstTag() == this) owner_->extension_ = this;
    return kOk;
}

Result xtagExtensions::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact,
                            [&]() { return out.WriteBytes(body_.Size(), body_.Data()); });
}

u32 xtagColorXTable::KeyOf(const Rgba& colour) {
    const u8 bytes[4] = {colour.red, colour.green, colour.blue, colour.alpha};
    return readLE32(bytes);
}

void xtagColorXTable::Insert(Entry entry) {
    auto at = std::upper_bound(entries_.begin(), entries_.end(), entry.key,
                               [](u32 key, const Entry& e) { return key < e.key; });
    entries_.insert(at, std::move(entry));
}

Result xtagColorXTable::ReadEntry(stream& in, u32 bodyEnd) {
    Entry entry;
    u8 key[4];
    u8 kind = 0;
    SWF_TRY(in.ReadBytes(4, key));
    SWF_TRY(in.ReadU8(kind));
    entry.key = readLE32(key);
    entry.paint.push_back(kind);
    auto put16 = [&](u16 v) { entry.paint.insert(entry.paint.end(), {u8(v), u8(v >> 8)}); };
    if (kind == kPaintSolid) {
        Rgba colour;
        SWF_TRY(in.ReadRGB(colour, true));
        entry.paint.insert(entry.paint.end(), {colour.red, colour.green, colour.blue, colour.alpha});
    } else if (kind == kPaintGradient || kind == kPaintGradientAlt) {
        u16 points = 0;
        SWF_TRY(in.ReadU16(points));
        put16(points);
        for (u16 i = 0; i < points; ++i) {
            u8 ratio = 0;
            Rgba colour;
            SWF_TRY(in.ReadU8(ratio));
            SWF_TRY(in.ReadRGB(colour, false));
            entry.paint.insert(entry.paint.end(), {ratio, colour.red, colour.green, colour.blue, colour.alpha});
        }
    } else if (kind == kPaintImage || kind == kPaintImageAlt) {
        u16 width = 0, height = 0;
        SWF_TRY(in.ReadU16(width));
        SWF_TRY(in.ReadU16(height));
        const u64 pixels = u64(width) * height * 3;
        if (in.Position() > bodyEnd || pixels > bodyEnd - in.Position()) return kErrMemory;
        constexpr size_t kImageHeader = 5;
        std::vector<u8> paint(kImageHeader + size_t(pixels));
        paint[0] = kind;
        writeLE16(paint.data() + 1, width);
        writeLE16(paint.data() + 3, height);
        SWF_TRY(in.ReadBytes(u32(pixels), paint.data() + kImageHeader));
        entry.paint.swap(paint);
    } else {
        return kErrBadData;
    }
    in.Align(8);
    Insert(std::move(entry));
    return kOk;
}

Result xtagColorXTable::ReadBody(stream& in, u32 length) {
    const u32 bodyEnd = in.Position() + length;
    u16 count = 0;
    SWF_TRY(in.ReadU16(count));
    for (u16 i = 0; i < count; ++i) {
        if (const Result failed = ReadEntry(in, bodyEnd)) {
            entries_.clear();
            return failed;
        }
    }
    // Tables follow the extension tag in the order they were read.
    MoveAfter(owner_->colorTable_ ? static_cast<tag*>(owner_->colorTable_) : owner_->extension_);
    owner_->colorTable_ = this;
    NotifyPaintsChanged(*owner_);
    return kOk;
}

Result xtagColorXTable::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        SWF_TRY(out.WriteU16(u16(entries_.size())));
        for (const Entry& entry : entries_) {
            u8 key[4];
            writeLE32(key, entry.key);
            SWF_TRY(out.WriteBytes(4, key));
            const u8* paint = entry.paint.data();
            SWF_TRY(out.WriteU8(paint[0]));
            if (paint[0] == kPaintGradient || paint[0] == kPaintGradientAlt) {
                const u16 points = readLE16(paint + 1);
                SWF_TRY(out.WriteU16(points));
                for (u16 i = 0; i < points; ++i) {
                    const u8* point = paint + 3 + 5 * i;
                    SWF_TRY(out.WriteU8(point[0]));
                    SWF_TRY(out.WriteBytes(3, point + 1));
                }
            } else {
                SWF_TRY(out.WriteBytes(u32(entry.paint.size() - 1), paint + 1));
            }
        }
        return kOk;
    });
}

Result xtagColorXTable::SetEntry(u32 key, const Rgba& colour) {
    std::vector<u8> paint{kPaintSolid, colour.red, colour.green, colour.blue, colour.alpha};
    for (Entry& entry : entries_) {
        if (entry.key == key) {
            entry.paint = std::move(paint);
            if (owner_) NotifyPaintsChanged(*owner_);
            return kOk;
        }
    }
    Insert(Entry{key, std::move(paint)});
    if (owner_) NotifyPaintsChanged(*owner_);
    return kOk;
}

const u8* xtagColorXTable::LookUpPaint(const u8* paint) const {
    if (paint[0] != kPaintSolid) return paint;
    const u32 key = readLE32(paint + 1);
    auto at = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const Entry& e, u32 k) { return e.key < k; });
    return at != entries_.end() && at->key == key ? at->paint.data() : paint;
}

}  // namespace swf
