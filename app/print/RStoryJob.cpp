#include "app/print/RStoryJob.h"

#include "app/print/PrintLayout.h"

namespace Ostrel {

void RStoryJob::LayoutCell() {
    sourceRect_ = sources_.paintRect;
    cellRect_ = StoryCell(cellIndex_, pageArea_, mode_ == kPrintLandscape, SourceWidth(), SourceHeight());
}

void RStoryJob::DrawPicture() { CopyToSheet(cellRect_, u16(0)); }

}  // namespace Ostrel
