// libFuzzer target over the readers of the objects' stored media: the first byte picks the
// record kind (a picture, a picture with its mask, a text, a note, library exclusions) and the
// rest is the record. Any bytes are refused or read; what was read is written again and must
// give back the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "document/storage/ExclusionsRecord.h"
#include "document/storage/PictureRecord.h"
#include "document/storage/TextRecords.h"

namespace {

template <typename Record>
void roundTrip(std::span<const u8> input, EngineErr (*parse)(std::span<const u8>, Record*),
               EngineErr (*write)(const Record&, std::vector<u8>*)) {
    Record parsed;
    if (parse(input, &parsed) != kErrNone) return;
    std::vector<u8> again;
    if (write(parsed, &again) != kErrNone) std::abort();
    if (!std::equal(again.begin(), again.end(), input.begin(), input.end())) std::abort();
}

void pictureRoundTrip(std::span<const u8> input, bool withMask) {
    PictureRecord parsed;
    if (parsePictureRecord(input, withMask, &parsed) != kErrNone) return;
    std::vector<u8> again;
    if (writePictureRecord(parsed, withMask, &again) != kErrNone) std::abort();
    if (!std::equal(again.begin(), again.end(), input.begin(), input.end())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::span<const u8> input(data + 1, size - 1);
    switch (data[0] % 5) {
    case 0: pictureRoundTrip(input, false); break;
    case 1: pictureRoundTrip(input, true); break;
    case 2: roundTrip<TextRecord>(input, parseTextRecord, writeTextRecord); break;
    case 3: roundTrip<NoteRecord>(input, parseNoteRecord, writeNoteRecord); break;
    default: roundTrip<std::vector<std::string>>(input, parseExclusionsRecord, writeExclusionsRecord); break;
    }
    return 0;
}
