// libFuzzer target over the readers of the objects' stored media: the first byte picks the
// record kind (a picture, a picture with its mask, a text, a note, library exclusions) and the
// rest is the record. Any bytes are refused or read; what was read is written again and must
// give back the same bytes. Pictures are also read with their height, texts with their
// length, fitted to the input's length.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/storage/ExclusionsRecord.h"
#include "document/storage/PictureRecord.h"
#include "document/storage/TextRecords.h"
#include "engine/base/ByteOrder.h"
#include "tests/document/storage/fuzz/StorageFuzzing.h"

namespace {

using storagefuzz::roundTrip;
using storagefuzz::withFittedCount;

constexpr size_t kPictureHeadSize = 6;
constexpr size_t kTextHeadSize = 2 + kFaceNameSize + 2 + 2 + 4 + 4;
constexpr size_t kNoteHeadSize = 2 + 2 + 2 + 4;

void readPicture(std::span<const u8> input, bool withMask) {
    const auto parse = [withMask](std::span<const u8> bytes, PictureRecord* p) { return parsePictureRecord(bytes, withMask, p); };
    const auto write = [withMask](const PictureRecord& p, std::vector<u8>* bytes) { return writePictureRecord(p, withMask, bytes); };
    PictureRecord parsed;
    roundTrip(input, &parsed, parse, write);
    if (input.size() < kPictureHeadSize) return;
    // As many rows as the pixels hold at the stored width.
    const size_t width = readBE16(input.data() + 2);
    if (width == 0) return;
    const size_t row = width * (withMask ? 5 : 4);
    roundTrip(std::span<const u8>(withFittedCount(input, {4, 2, kPictureHeadSize, row})), &parsed, parse, write);
}

template <typename Record>
void readText(std::span<const u8> input, size_t headSize, EngineErr (*parse)(std::span<const u8>, Record*),
              EngineErr (*write)(const Record&, std::vector<u8>*)) {
    Record parsed;
    roundTrip(input, &parsed, parse, write);
    roundTrip(std::span<const u8>(withFittedCount(input, {headSize - 4, 4, headSize, 1})), &parsed, parse, write);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::span<const u8> input(data + 1, size - 1);
    switch (data[0] % 5) {
    case 0: readPicture(input, false); break;
    case 1: readPicture(input, true); break;
    case 2:
        readText<TextRecord>(input, kTextHeadSize, parseTextRecord, writeTextRecord);
        // A justified text has its setting before the length.
        readText<TextRecord>(input, kTextHeadSize + 2, parseTextRecord, writeTextRecord);
        break;
    case 3: readText<NoteRecord>(input, kNoteHeadSize, parseNoteRecord, writeNoteRecord); break;
    default: {
        std::vector<std::string> keys;
        roundTrip(input, &keys, parseExclusionsRecord, writeExclusionsRecord);
        break;
    }
    }
    return 0;
}
