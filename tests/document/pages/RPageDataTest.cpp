// A page saved into a picture archive and read back; the objects a page takes and refuses.
#include <gtest/gtest.h>

#include "document/objects/RNotePageObject.h"
#include "document/storage/PageErrors.h"
#include "document/storage/PageIndex.h"
#include "document/storage/StorageErrors.h"
#include "engine/base/MemoryHandles.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

using namespace Ostrel;
using testdoc::contentOf;
using testres::FileImage;
using testres::MemoryArchiveFile;

class PageArchive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
    }
    void TearDown() override {
        resShutdown();
        memShutdown();
    }
    // Loads the bytes as a page; the error when they do not load.
    EngineErr load(const std::vector<u8>& bytes, RPageData* page) {
        auto image = std::make_shared<FileImage>();
        image->bytes = bytes;
        const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "load"), 1, 0);
        if (map == 0) return resGetLastError();
        const EngineErr err = page->LoadFromMap(map);
        resCloseFile(map, 0, 1);
        return err;
    }
    std::vector<u8> save(RPageData& page) {
        auto image = std::make_shared<FileImage>();
        MemoryArchiveFile target(image, "page");
        EXPECT_EQ(page.SaveToArchive(target), kErrNone);
        return image->bytes;
    }
    std::vector<u8> resource(const std::vector<u8>& bytes, FourCC type, u16 id) {
        auto image = std::make_shared<FileImage>();
        image->bytes = bytes;
        const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "read"), 1, 0);
        std::vector<u8> data;
        const ResourceRef ref = resFindResource(type, id, map);
        if (ref != 0) {
            data.resize(size_t(resGetResourceSize(ref)));
            u32 count = u32(data.size());
            if (count) resReadResource(ref, data.data(), &count, 0);
        }
        resCloseFile(map, 0, 1);
        return data;
    }
};

TEST_F(PageArchive, EveryKindComesBackAsSaved) {
    RPageData page;
    testdoc::fillWithEveryKind(page);
    page.pageFlags = 0x0003;
    ASSERT_EQ(page.ObjectCount(), 10u);
    ASSERT_TRUE(page.IsDirty());
    const std::vector<u8> bytes = save(page);
    EXPECT_FALSE(page.IsDirty());

    RPageData back;
    ASSERT_EQ(load(bytes, &back), kErrNone);
    EXPECT_EQ(contentOf(back), contentOf(page));
    EXPECT_EQ(back.pageFlags, 0x0003);
    EXPECT_FALSE(back.IsDirty());

    // The index resource is exactly our layout, in drawing order.
    PageIndex index;
    index.pageFlags = 3;
    u16 order = 0;
    for (const auto& [type, id, l, t, r, b, flags, option, media] : contentOf(page))
        index.entries.push_back({type, id, l, t, r, b, flags, option, order++});
    std::vector<u8> expected;
    ASSERT_EQ(writePageIndex(index, &expected), kErrNone);
    EXPECT_EQ(resource(bytes, kTypePageIndex, 1), expected);
    EXPECT_EQ(resource(bytes, kTypeText, 1), testdoc::textBytes("A cat sat."));
}

// A tall background of 2 x 5 pixels, each of its own colour, and a page without one: each
// pixel of the thumbnail's 100 x 75 repeats the pixel it lies in, or is white.
TEST_F(PageArchive, ThumbnailIsTheBackgroundSampled) {
    const auto thumbnailOf = [&](RPageData& page) {
        const std::vector<u8> bytes = save(page);
        auto image = std::make_shared<FileImage>();
        image->bytes = bytes;
        const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "thumb"), 1, 0);
        PictureRecord thumbnail;
        EXPECT_EQ(RPageData::ReadThumbnail(map, &thumbnail), kErrNone);
        resCloseFile(map, 0, 1);
        EXPECT_EQ(thumbnail.width, kThumbnailWidth);
        EXPECT_EQ(thumbnail.height, kThumbnailHeight);
        return thumbnail.pixels;
    };
    RPageData blank;
    ASSERT_NE(blank.AddObject(kTypeSound, 1, {}, {0, 0, 9, 9}), nullptr);
    EXPECT_EQ(thumbnailOf(blank), std::vector<u8>(size_t(kThumbnailWidth) * kThumbnailHeight * 4, 0xFF));

    PictureRecord striped{2, 5, {}, {}};
    for (u8 y = 0; y < 5; ++y)
        for (u8 x = 0; x < 2; ++x) striped.pixels.insert(striped.pixels.end(), {u8(10 * y), u8(x), 7, 255});
    std::vector<u8> media;
    ASSERT_EQ(writePictureRecord(striped, false, &media), kErrNone);
    RPageData page;
    ASSERT_NE(page.AddObject(kTypeBitmap, kBackgroundId, media, {0, 0, 2, 5}), nullptr);
    std::vector<u8> expected;
    for (u32 y = 0; y < kThumbnailHeight; ++y)  // 15 rows and 50 columns to a source pixel
        for (u32 x = 0; x < kThumbnailWidth; ++x) expected.insert(expected.end(), {u8(10 * (y / 15)), u8(x / 50), 7, 255});
    EXPECT_EQ(thumbnailOf(page), expected);
}

// A page of 800 x 600 with one black line a pixel wide: every thumbnail pixel averages the 8 x 8
// page pixels it covers, so the line shows (lighter) wherever it lies, in the thumbnail column
// or row that covers it, and nowhere else.
TEST_F(PageArchive, ThumbnailKeepsLinesThinnerThanItsStep) {
    struct Case {
        bool vertical;
        u16 at;
    };
    const Case cases[] = {{true, 0}, {true, 3}, {true, 8}, {true, 799}, {false, 5}, {false, 16}, {false, 599}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        PictureRecord white{kPageWidth, kPageHeight, std::vector<u8>(size_t(kPageWidth) * kPageHeight * 4, 255), {}};
        for (u32 i = 0; i < (c.vertical ? kPageHeight : kPageWidth); ++i) {
            const size_t pixel = c.vertical ? size_t(i) * kPageWidth + c.at : size_t(c.at) * kPageWidth + i;
            std::fill_n(white.pixels.begin() + long(pixel * 4), 3, u8(0));
        }
        std::vector<u8> media;
        ASSERT_EQ(writePictureRecord(white, false, &media), kErrNone);
        RPageData page;
        ASSERT_NE(page.AddObject(kTypeBitmap, kBackgroundId, media, {0, 0, i16(kPageWidth), i16(kPageHeight)}), nullptr);
        const std::vector<u8> bytes = save(page);
        auto image = std::make_shared<FileImage>();
        image->bytes = bytes;
        const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "thumb"), 1, 0);
        PictureRecord thumbnail;
        ASSERT_EQ(RPageData::ReadThumbnail(map, &thumbnail), kErrNone);
        resCloseFile(map, 0, 1);
        const u32 line = c.at / 8;
        for (u32 y = 0; y < kThumbnailHeight; ++y)
            for (u32 x = 0; x < kThumbnailWidth; ++x) {
                const bool crossed = (c.vertical ? x : y) == line;
                const u8* p = &thumbnail.pixels[(size_t(y) * kThumbnailWidth + x) * 4];
                ASSERT_EQ(p[0], crossed ? 223 : 255) << x << "," << y;
                ASSERT_EQ(p[3], 255);
            }
    }
}

TEST_F(PageArchive, DamagedArchiveLeavesThePageAsItWas) {
    RPageData page;
    testdoc::fillWithEveryKind(page);
    const auto before = contentOf(page);

    // No index at all.
    EXPECT_EQ(load(testres::makeArchive({{kTypeText, 1, "x", {}}}), &page), kDocErrNoIndex);
    // An index naming an object whose media is not there.
    PageIndex index;
    index.entries.push_back({kTypeSound, 4, 0, 0, 1, 1, 0, 0, 0});
    std::vector<u8> indexBytes;
    ASSERT_EQ(writePageIndex(index, &indexBytes), kErrNone);
    const std::string indexText(indexBytes.begin(), indexBytes.end());
    EXPECT_EQ(load(testres::makeArchive({{kTypePageIndex, 1, indexText, {}}}), &page), kDocErrMissingMedia);
    // A damaged index.
    EXPECT_EQ(load(testres::makeArchive({{kTypePageIndex, 1, indexText.substr(0, 10), {}}}), &page), kDocErrTruncated);
    // Media that its kind cannot read.
    EXPECT_EQ(load(testres::makeArchive({{kTypePageIndex, 1, indexText, {}}, {kTypeSound, 4, "", {}}}), &page),
              kErrNone) << "an empty sound is a sound not yet given its file";
    EXPECT_EQ(page.ObjectCount(), 1u);
    RPageData other;
    testdoc::fillWithEveryKind(other);
    index.entries[0].type = kTypeText;
    ASSERT_EQ(writePageIndex(index, &indexBytes), kErrNone);
    EXPECT_EQ(load(testres::makeArchive({{kTypePageIndex, 1, std::string(indexBytes.begin(), indexBytes.end()), {}},
                                         {kTypeText, 4, "bad", {}}}), &other), kDocErrTruncated);
    EXPECT_EQ(contentOf(other), before);
}

TEST_F(PageArchive, CancelledSaveKeepsTheOldFileAndTheDirtyMark) {
    RPageData page;
    testdoc::fillWithEveryKind(page);
    auto image = std::make_shared<FileImage>();
    {
        MemoryArchiveFile target(image, "page");
        ASSERT_EQ(page.SaveToArchive(target), kErrNone);
    }
    const std::vector<u8> old = image->bytes;
    page.DeleteObject(kTypeMovie, 1);
    ASSERT_TRUE(page.IsDirty());
    int asked = 0;
    MemoryArchiveFile target(image, "page");
    EXPECT_EQ(page.SaveToArchive(target, [&] { return ++asked < 3; }), kDocErrCancelled);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(image->bytes, old);
    EXPECT_TRUE(page.IsDirty());
}

// A save stopped after any number of changes reached the disc leaves the old page or the new
// one, never anything else; the page stays dirty unless the save finished.
TEST_F(PageArchive, SaveKilledAtEveryWriteLeavesOldOrNew) {
    RPageData oldPage;
    oldPage.AddObject(kTypeText, 1, testdoc::textBytes("old"), {0, 0, 10, 10});
    auto image = std::make_shared<FileImage>();
    {
        MemoryArchiveFile first(image, "page");
        ASSERT_EQ(oldPage.SaveToArchive(first), kErrNone);
    }
    const std::vector<u8> start = image->bytes;
    RPageData newPage;
    testdoc::fillWithEveryKind(newPage, 16, 12);
    const auto oldContent = contentOf(oldPage);
    const auto newContent = contentOf(newPage);

    bool finished = false;
    for (long allowed = 0; !finished && allowed < 500; ++allowed) {
        image->bytes = start;
        image->durable = start;
        image->writesLeft = allowed;
        newPage.SetDirtyState(true);
        MemoryArchiveFile target(image, "page");
        finished = newPage.SaveToArchive(target) == kErrNone;
        image->writesLeft = -1;
        EXPECT_EQ(newPage.IsDirty(), !finished) << allowed;
        for (const std::vector<u8>* bytes : {&image->bytes, &image->durable}) {
            RPageData back;
            ASSERT_EQ(load(*bytes, &back), kErrNone) << "after " << allowed << " changes";
            const auto content = contentOf(back);
            EXPECT_TRUE(content == (finished ? newContent : oldContent)) << "after " << allowed << " changes";
        }
    }
    EXPECT_TRUE(finished);
}

TEST_F(PageArchive, ObjectsTakenAndRefused) {
    RPageData page;
    EXPECT_EQ(page.NextObjectId(kTypeText), 1);
    ASSERT_NE(page.AddObject(kTypeText, 5, {}, {}), nullptr);
    EXPECT_EQ(page.NextObjectId(kTypeText), 6);
    EXPECT_EQ(page.AddObject(kTypeText, 5, {}, {}), nullptr) << "id in use";
    EXPECT_EQ(page.AddObject(kTypeStamp, 1, {}, {}), nullptr) << "not a page kind";
    EXPECT_EQ(page.AddObject(kTypeText, -1, std::vector<u8>{0, 9}, {}), nullptr) << "unreadable media";
    RPageObject* added = page.AddObject(kTypeText, -1, {}, {});
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Id(), 6);
    RPageObject* zero = page.AddObject(kTypeSound, 0, {}, {});
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->Id(), 0) << "0 is an id of its own; only a negative one asks for the next";
    EXPECT_TRUE(added->IsOnPage());
    added->flags = kObjectHidden;

    u32 it = 0;
    RPageObject* o = nullptr;
    std::vector<u16> seen;
    while (page.NextObjectSkipFlagged(&it, &o, kTypeText)) seen.push_back(o->Id());
    EXPECT_EQ(seen, std::vector<u16>{5});
    EXPECT_EQ(page.FindObject(kTypeText, -1, &o), 0);
    EXPECT_EQ(o->Id(), 5);
    EXPECT_EQ(page.FindObject(kTypeNote, -1, &o), kNoObject);
    EXPECT_FALSE(page.HasNote());
    page.GetNote()->SetText("hi");
    EXPECT_TRUE(page.HasNote());
    EXPECT_EQ(page.GetNote()->GetText(), "hi") << "the same note the second time";
}

TEST_F(PageArchive, ObjectLimitBothSides) {
    RPageData page;
    for (u16 i = 1; i <= kPageIndexMaxObjects; ++i) ASSERT_NE(page.AddObject(kTypeSound, i, {}, {}), nullptr) << i;
    EXPECT_EQ(page.AddObject(kTypeSound, -1, {}, {}), nullptr);
    EXPECT_EQ(page.EnsureBackground(), kDocErrPageFull);
    page.DeleteObject(kTypeSound, 7);
    EXPECT_EQ(page.EnsureBackground(), kErrNone);
    RPageObject* first = nullptr;
    u32 it = 0;
    page.NextObject(&it, &first, kTypeAnyObject);
    EXPECT_EQ(first->Type(), kTypeBitmap) << "the background is drawn first";
}

}  // namespace
