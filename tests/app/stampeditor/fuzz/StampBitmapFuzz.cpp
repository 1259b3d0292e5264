#include <cstdlib>

#include "app/stampeditor/StampGrid.h"

// A stamp from a user's stamp file: every input is read without fault, and a stamp taken
// writes and reads back unchanged, within the editor's grid.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Ostrel::StampGrid grid;
    if (Ostrel::StampFromBitmap({data, size}, &grid) != kErrNone) return 0;
    if (grid.width < 1 || grid.height < 1 || grid.width > Ostrel::kStampGridSide || grid.height > Ostrel::kStampGridSide)
        std::abort();
    Ostrel::StampGrid again;
    if (Ostrel::StampFromBitmap(Ostrel::BitmapFromStamp(grid), &again) != kErrNone || !(again == grid)) std::abort();
    return 0;
}
