// Writes the seed corpora of the page-index, library-header and object-record readers with our
// own writers: empty and fullest records, every kind, values at both ends of their fields, and
// entries out of order.
#include <iterator>
#include <string>
#include <vector>

#include "document/storage/ExclusionsRecord.h"
#include "document/storage/LibraryHeader.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "document/storage/PictureRecord.h"
#include "document/storage/TextRecords.h"
#include "tests/FuzzSeeds.h"

namespace {

constexpr FourCC kPageKinds[] = {kTypeBitmap, kTypeMovableBitmap, kTypeFlash, kTypeFlashAnimation, kTypeText,
                                 kTypeSound, kTypeMovie, kTypeNote, kTypeExclusions};

// Every format's seeds in a subfolder of their own; an object record's seed starts with the
// byte that picks its kind.
class SeedWriter {
public:
    explicit SeedWriter(std::string folder) : seeds_(std::move(folder)) {}

    void page(const char* name, const PageIndex& index) { seeds_.keep(writePageIndex(index, seeds_.bytes()), "pageIndex", name); }
    void library(const char* name, const LibraryHeader& header) {
        seeds_.keep(writeLibraryHeader(header, seeds_.bytes()), "libraryHeader", name);
    }
    void picture(const char* name, const PictureRecord& picture) {
        const bool masked = !picture.mask.empty();
        record(writePictureRecord(picture, masked, seeds_.bytes()), masked ? 1 : 0, name);
    }
    void text(const char* name, const TextRecord& text) { record(writeTextRecord(text, seeds_.bytes()), 2, name); }
    void note(const char* name, const NoteRecord& note) { record(writeNoteRecord(note, seeds_.bytes()), 3, name); }
    void exclusions(const char* name, const std::vector<std::string>& keys) {
        record(writeExclusionsRecord(keys, seeds_.bytes()), 4, name);
    }
    bool ok() const { return seeds_.ok(); }

private:
    void record(EngineErr err, u8 kind, const char* name) {
        seeds_.bytes()->insert(seeds_.bytes()->begin(), kind);
        seeds_.keep(err, "objectRecords", name);
    }

    fuzzseeds::WrittenSeeds seeds_;
};

// `count` objects of every kind in turn, drawn in an order other than stored (7 shares no
// factor with the counts used here, so i * 7 mod count visits each order once).
PageIndex crowdedPage(u16 count) {
    PageIndex index;
    for (u16 i = 0; i < count; ++i) {
        const i16 at = i16(i * 13 % 2000 - 1000);
        index.entries.push_back({kPageKinds[i % std::size(kPageKinds)], u16(i / std::size(kPageKinds) + 1), at, at,
                                 i16(at + 50), i16(at + 40), u16(i), u32(i) * 0x01010101u, u16(i * 7 % count)});
    }
    return index;
}

void pageSeeds(SeedWriter& out) {
    out.page("empty", PageIndex{});
    out.page("two", {0, {{kTypeBitmap, 1, 0, 0, 800, 600, 0, 0, 1}, {kTypeText, 2, 10, 10, 90, 40, 1, 5, 0}}});
    out.page("edges", {0xFFFF,
                       {{kTypeMovie, 0, -32768, -32768, 32767, 32767, 0xFFFF, 0xFFFFFFFF, 2},
                        {kTypeMovie, 65535, 5, 5, 5, 5, 0, 0, 0},
                        {kTypeNote, 0, -1, -1, 0, 0, 0x8000, 0x80000000, 1}}});
    // The same id under every kind is allowed: kind and id together name the media.
    PageIndex sameId;
    for (size_t i = 0; i < std::size(kPageKinds); ++i)
        sameId.entries.push_back({kPageKinds[i], 1, 0, 0, 10, 10, 0, 0, u16(std::size(kPageKinds) - 1 - i)});
    out.page("same-id-every-kind", sameId);
    out.page("one-of-each", crowdedPage(u16(std::size(kPageKinds))));
    out.page("most-objects", crowdedPage(kPageIndexMaxObjects));
}

void librarySeeds(SeedWriter& out) {
    out.library("empty", LibraryHeader{kTypeStamp, 0, 1, {}});
    out.library("two", LibraryHeader{kTypeStamp, kLibraryFlagThumbnails, 4, {{1, 0}, {3, 1}}});
    out.library("sounds-unordered", LibraryHeader{kTypeSound, 0, 10, {{9, 0x8000}, {2, 0}, {5, 0xFFFF}}});
    out.library("last-id", LibraryHeader{kTypeBitmap, 0xFFFF, 0xFFFF, {{0xFFFE, 0}, {1, 1}}});
    out.library("gone-ids", LibraryHeader{kTypeMovie, kLibraryFlagThumbnails, 500, {{499, 0}}});
    LibraryHeader full{kTypeFlash, kLibraryFlagThumbnails, u16(kLibraryMaxEntries + 1), {}};
    for (u16 id = kLibraryMaxEntries; id >= 1; --id) full.entries.push_back({id, u16(id & 3)});
    out.library("most-entries", full);
}

PictureRecord picture(u16 width, u16 height, bool masked) {
    PictureRecord p{width, height, std::vector<u8>(size_t(width) * height * 4), {}};
    for (size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = u8(i * 37);
    if (masked) {
        p.mask.resize(size_t(width) * height);
        for (size_t i = 0; i < p.mask.size(); ++i) p.mask[i] = i % 3 == 0 ? 0 : u8(i);
    }
    return p;
}

void recordSeeds(SeedWriter& out) {
    out.picture("picture", picture(3, 2, false));
    out.picture("masked", picture(3, 2, true));
    out.picture("one-pixel", picture(1, 1, false));
    out.picture("one-pixel-masked", picture(1, 1, true));
    out.picture("thumbnail", picture(kThumbnailWidth, kThumbnailHeight, false));
    out.picture("widest", picture(kPictureMaxSide, 1, false));
    out.picture("tallest-masked", picture(1, kPictureMaxSide, true));
    out.text("text", {"Sans", 18, 1, 0x00FF0000, "A cat."});
    out.text("empty-text", {"", 0, 0, 0, ""});
    out.text("longest-face", {std::string(kFaceNameSize - 1, 'F'), 0xFFFF, 0xFFFF, 0xFFFFFFFF, std::string(3000, 'x')});
    out.text("styled-text", {"Sans", 18, 0, 0, "the green frog", 0,
                             {{4, 9, "", 28, true, 0x00FF0000, 1, 2, 2}, {0, 14, "Serif", 0, false, 0, 2, 0, 1}}});
    out.text("high-bytes", {"S\xe9rif", 72, 0x8000, 0x00FFFFFF, "\x80\xff\r\n\t\x01"});
    out.note("note", {1, 0, "Read it aloud."});
    out.note("empty-note", {0, 0, ""});
    out.note("long-note", {0xFFFF, 0xFFFF, std::string(2000, 'n')});
    out.exclusions("exclusions", {"74424d50#Cat", "74535441#Dog"});
    out.exclusions("no-exclusions", {});
    out.exclusions("longest-key", {std::string(kExclusionKeyMax, 'k'), "x"});
    out.exclusions("most-keys", std::vector<std::string>(kExclusionsMax, "k"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder, {"pageIndex", "libraryHeader", "objectRecords"});
    SeedWriter out(folder);
    pageSeeds(out);
    librarySeeds(out);
    recordSeeds(out);
    return out.ok() ? 0 : 1;
}
