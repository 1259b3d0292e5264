#pragma once
// The brush panel's remembered choices as they may be used: a record never stored (word 0 is
// -1) gives the first use's choices (brushes, size index 1, the first sub-mode of each family,
// the first item everywhere); a stored word that names no family, size, sub-mode or item (a
// damaged or hand-edited file) gives that word's default.
#include "panels/base/PanelSaveData.h"

namespace Ostrel {

tRealMediaSaveData ValidBrushChoices(const tRealMediaSaveData& stored);

}  // namespace Ostrel
