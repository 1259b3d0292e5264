#include "app/print/RComicJob.h"

#include "app/print/PrintLayout.h"

namespace Ostrel {

void RComicJob::LayoutCell() {
    sourceRect_ = sources_.paintRect;
    cellRect_ = ComicCell(cellIndex_, pageArea_, SourceWidth(), SourceHeight());
}

void RComicJob::DrawPicture() { CopyToSheet(cellRect_, u16(0)); }

}  // namespace Ostrel
