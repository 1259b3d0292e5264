#include <cstdlib>

#include "text/speech/format/PronunciationFormat.h"

// Every input decodes without fault, and what it yields writes and reads back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PronunciationDecoding read = decodePronunciations({data, size});
    std::vector<u8> bytes;
    if (!encodePronunciations(read.entries, bytes)) std::abort();
    const PronunciationDecoding again = decodePronunciations(bytes);
    if (!again.complete || again.oldForm || again.entries != read.entries) std::abort();
    return 0;
}
