#pragma once
// Pages for the page tests, made with our own writers, and what a page holds as plain data
// so that two pages can be compared.
#include <string>
#include <tuple>
#include <vector>

#include "document/objects/RPageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PictureRecord.h"
#include "document/storage/TextRecords.h"
#include "document/storage/ExclusionsRecord.h"

namespace testdoc {

using ObjectData = std::tuple<FourCC, u16, i16, i16, i16, i16, u16, u32, std::vector<u8>>;

inline std::vector<ObjectData> contentOf(const Ostrel::RPageData& page) {
    std::vector<ObjectData> content;
    u32 it = 0;
    Ostrel::RPageObject* o = nullptr;
    while (page.NextObject(&it, &o, kTypeAnyObject)) {
        std::vector<u8> media;
        o->StoreMedia(&media);
        content.emplace_back(o->Type(), o->Id(), o->rect.left, o->rect.top, o->rect.right, o->rect.bottom, o->flags,
                             o->option, media);
    }
    return content;
}

inline std::vector<u8> pictureBytes(u16 width, u16 height, u8 shade, bool mask) {
    PictureRecord picture{width, height, std::vector<u8>(size_t(width) * height * 4, shade), {}};
    if (mask) picture.mask.assign(size_t(width) * height, 1);
    std::vector<u8> bytes;
    writePictureRecord(picture, mask, &bytes);
    return bytes;
}

inline std::vector<u8> textBytes(const std::string& text) {
    std::vector<u8> bytes;
    writeTextRecord({"Sans", 18, 0, 0x000000FF, text}, &bytes);
    return bytes;
}

inline std::vector<u8> noteBytes(const std::string& text) {
    std::vector<u8> bytes;
    writeNoteRecord({1, 0, text}, &bytes);
    return bytes;
}

// A page with its background and one object of every other kind.
inline void fillWithEveryKind(Ostrel::RPageData& page, u16 width = 64, u16 height = 48) {
    page.AddObject(kTypeBitmap, 1, pictureBytes(width, height, 0xEE, false), {0, 0, i16(width), i16(height)});
    page.AddObject(kTypeBitmap, 2, pictureBytes(4, 3, 0x10, false), {10, 10, 14, 13});
    page.AddObject(kTypeMovableBitmap, 1, pictureBytes(2, 2, 0x20, true), {20, 20, 22, 22})->option = 0x00200400;
    page.AddObject(kTypeSound, 1, std::vector<u8>{'R', 'I', 'F', 'F', 1, 2}, {0, 0, 32, 32});
    page.AddObject(kTypeFlash, 1, std::vector<u8>{'F', 'W', 'S', 9}, {5, 5, 60, 40});
    page.AddObject(kTypeFlashAnimation, 1, std::vector<u8>{'F', 'W', 'S', 10}, {5, 5, 60, 40})->flags = 1;
    page.AddObject(kTypeText, 1, textBytes("A cat sat."), {-10, 30, 50, 45});
    page.AddObject(kTypeMovie, 1, std::vector<u8>{0, 0, 0, 8, 'm', 'o', 'o', 'v'}, {0, 0, 16, 12});
    page.AddObject(kTypeNote, 1, noteBytes("Read it aloud."), {});
    std::vector<u8> exclusions;
    writeExclusionsRecord({"74424d50#Cat"}, &exclusions);
    page.AddObject(kTypeExclusions, 1, exclusions, {});
}

}  // namespace testdoc
