// Any 24 words a hand-edited "user.ini" can hold are read without fault, and what was read
// writes and reads back unchanged.
#include <cstdlib>

#include "panels/text/record/TextPanelRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Ostrel::tTextPanelSaveData record{};
    for (size_t i = 0; i < record.size() && 2 * i + 1 < size; ++i) record[i] = i16(u16(data[2 * i] | data[2 * i + 1] << 8));
    const Ostrel::TextPanelChoices read = Ostrel::readTextPanelRecord(record);
    if (read.font.size() >= Ostrel::kTextFontBytes || read.font.find('\0') != std::string::npos) std::abort();
    if (Ostrel::readTextPanelRecord(Ostrel::writeTextPanelRecord(read)) != read) std::abort();
    return 0;
}
