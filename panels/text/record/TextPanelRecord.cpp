#include "panels/text/record/TextPanelRecord.h"

namespace Ostrel {

TextPanelChoices readTextPanelRecord(const tTextPanelSaveData& record) {
    TextPanelChoices choices;
    choices.voice = record[kTextWordVoice];
    for (size_t i = 0; i + 1 < kTextFontBytes; ++i) {
        const u16 word = u16(record[kTextWordFont + i / 2]);
        const char c = char(i % 2 == 0 ? word & 0xFF : word >> 8);
        if (c == '\0') break;
        choices.font.push_back(c);
    }
    choices.size = record[kTextWordSize];
    for (size_t i = 0; i < kTextCarriedWords; ++i) choices.carried[i] = record[kTextWordCarried + i];
    const i32 justification = i32(u32(u16(record[kTextWordJustify])) | u32(u16(record[kTextWordJustify + 1])) << 16);
    choices.justification = justification >= -1 && justification <= 1 ? justification : -1;
    return choices;
}

tTextPanelSaveData writeTextPanelRecord(const TextPanelChoices& choices) {
    tTextPanelSaveData record{};
    record[kTextWordVoice] = choices.voice;
    const std::string name = choices.font.substr(0, kTextFontBytes - 1);
    for (size_t i = 0; i < name.size(); ++i) {
        u16 word = u16(record[kTextWordFont + i / 2]);
        word = i % 2 == 0 ? u16((word & 0xFF00) | u8(name[i])) : u16((word & 0x00FF) | u16(u8(name[i])) << 8);
        record[kTextWordFont + i / 2] = i16(word);
    }
    record[kTextWordSize] = choices.size;
    for (size_t i = 0; i < kTextCarriedWords; ++i) record[kTextWordCarried + i] = choices.carried[i];
    record[kTextWordJustify] = i16(u16(u32(choices.justification) & 0xFFFF));
    record[kTextWordJustify + 1] = i16(u16(u32(choices.justification) >> 16));
    return record;
}

}  // namespace Ostrel
