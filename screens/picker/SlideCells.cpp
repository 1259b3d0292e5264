#include "screens/picker/SlideCells.h"

#include "document/pages/RPage.h"
#include "document/pages/RPageData.h"
#include "document/project/RDocument.h"
#include "document/users/EnginePath.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/resources/ResourceManager.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

// The engine bitmap's pixel format: 16 bits, 5-5-5, machine (little-endian) order.
constexpr u16 kMachineOrder16 = 0x1003;
constexpr const char* kTimingKeys[] = {"TimingSec", "TimingClick", "TimingKey", "TimingRead", "TimingAfterRead"};

ScrollerPicture emptyBitmap(u16 width, u16 height) {
    ScrollerPicture bitmap(kGfxBitmapHeaderSize + size_t(width) * height * 2);
    writeBE16(bitmap.data(), width);
    writeBE16(bitmap.data() + 2, height);
    writeBE16(bitmap.data() + 4, u16(width * 2));
    writeBE16(bitmap.data() + 6, kMachineOrder16);
    return bitmap;
}

u16 pixel555(u8 red, u8 green, u8 blue) { return u16(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3)); }

}  // namespace

ScrollerPicture ThumbnailPicture(const PictureRecord& picture) {
    if (picture.width == 0 || picture.height == 0 || picture.pixels.size() < size_t(picture.width) * picture.height * 4)
        return {};
    ScrollerPicture bitmap = emptyBitmap(picture.width, picture.height);
    u8* out = bitmap.data() + kGfxBitmapHeaderSize;
    const u8* in = picture.pixels.data();
    for (u8* end = out + size_t(picture.width) * picture.height * 2; out < end; out += 2, in += 4)
        writeLE16(out, pixel555(in[0], in[1], in[2]));
    return bitmap;
}

ScrollerPicture PlainThumbnail(u32 rgb) {
    ScrollerPicture bitmap = emptyBitmap(kThumbnailWidth, kThumbnailHeight);
    const u16 value = pixel555(u8(rgb >> 16), u8(rgb >> 8), u8(rgb));
    u8* out = bitmap.data() + kGfxBitmapHeaderSize;
    for (u8* end = out + size_t(kThumbnailWidth) * kThumbnailHeight * 2; out < end; out += 2) writeLE16(out, value);
    return bitmap;
}

ScrollerPicture ReadPageThumbnail(const RPage& page) { return ReadPageFileThumbnail(page.FilePath()); }

ScrollerPicture ReadPageFileThumbnail(const std::string& file) {
    if (file.empty()) return {};
    EnginePath path(file);
    if (path.empty()) return {};
    const ResMapHandle map = resOpenFile(path.get(), 1, 1);
    if (map == 0) return {};
    PictureRecord thumbnail;
    const EngineErr err = RPageData::ReadThumbnail(map, &thumbnail);
    resCloseFile(map, 0, 1);
    return err ? ScrollerPicture{} : ThumbnailPicture(thumbnail);
}

TimingTexts LoadTimingTexts() {
    TimingTexts texts;
    for (const char* key : kTimingKeys) texts.emplace_back(LookupLanguageText("PickerStrings", key).c_str());
    return texts;
}

std::string TimingLabel(u8 seconds, u8 mode, const TimingTexts& texts) {
    if (mode > kTimingModeMax) mode = 0;
    const std::string text = mode < texts.size() ? texts[mode] : std::string();
    return mode == 0 ? std::to_string(seconds) + " " + text : text;
}

void BuildSlideCell(RDocument& document, u16 place, const SlideCellSources& sources, SlideCells& cells) {
    if (place == 0) return;
    const size_t index = size_t(place - 1);
    if (cells.thumbnails.size() <= index) {
        cells.thumbnails.resize(index + 1);
        cells.icons.resize(index + 1);
        cells.labels.resize(index + 1);
        cells.blank.resize(index + 1);
    }
    RPage* page = document.GetPage(place);
    u8 seconds = 0, mode = 0;
    if (page->Number() == kBlankPageNumber) {
        // The blank page is shared: what it shows is set here, not kept in it.
        cells.thumbnails[index] = PlainThumbnail(0xFFFFFF);
        cells.icons[index] = sources.icon ? sources.icon(kBlankTransitionIcon) : ScrollerPicture{};
        cells.labels[index] = TimingLabel(kBlankCellSeconds, 0, sources.timing);
        cells.blank[index] = true;
        return;
    }
    ScrollerPicture thumbnail = sources.thumbnail ? sources.thumbnail(*page) : ScrollerPicture{};
    // An unreadable picture still takes its place.
    cells.thumbnails[index] = thumbnail.empty() ? PlainThumbnail(0xB0B0B0) : std::move(thumbnail);
    cells.icons[index] = sources.icon ? sources.icon(u16(kFirstTransitionIcon + page->GetTransitionEffect())) : ScrollerPicture{};
    page->GetTiming(&seconds, &mode);
    cells.labels[index] = TimingLabel(seconds, mode, sources.timing);
    cells.blank[index] = false;
}

SlideCells BuildSlideCells(RDocument& document, u16 count, const SlideCellSources& sources) {
    SlideCells cells;
    cells.thumbnails.reserve(count);
    cells.icons.reserve(count);
    cells.labels.reserve(count);
    cells.blank.reserve(count);
    for (u16 place = 1; place <= count; ++place) BuildSlideCell(document, place, sources, cells);
    return cells;
}

}  // namespace Ostrel
