#include "app/menus/MenuCommands.h"

namespace Ostrel {

u8 SpecialCharacterOf(u16 command) {
    // ¿ ¡ á é í ó ú ü ñ Á É Í Ó Ú Ü Ñ, in cp1252.
    static constexpr u8 kCharacters[] = {0xBF, 0xA1, 0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xFC,
                                         0xF1, 0xC1, 0xC9, 0xCD, 0xD3, 0xDA, 0xDC, 0xD1};
    if (command < kCmdFirstSpecialCharacter || command > kCmdLastSpecialCharacter) return 0;
    return kCharacters[command - kCmdFirstSpecialCharacter];
}

}  // namespace Ostrel
