#include "app/print/RCardJob.h"

#include "app/print/PrintLayout.h"

namespace Ostrel {

void RCardJob::LayoutCell() {
    if (cellIndex_ > 4) cellIndex_ = 1;
    sourceRect_ = sources_.paintRect;
    cellRect_ = CardCell(cellIndex_, pageArea_, SourceWidth(), SourceHeight());
}

void RCardJob::DrawPicture() { CopyToSheet(cellRect_, cellIndex_ == 1 || cellIndex_ == 4 ? u16(kPrintMirror | kPrintUpsideDown) : u16(0)); }

}  // namespace Ostrel
