#include "app/print/RThumbnailJob.h"

#include "app/print/PrintLayout.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"

namespace Ostrel {

void RThumbnailJob::LayoutCell() {
    sourceRect_ = sources_.paintRect;
    cellRect_ = ThumbnailCell(cellIndex_, pageArea_, SourceWidth(), SourceHeight());
}

void RThumbnailJob::DrawPicture() { CopyToSheet(cellRect_, u16(0)); }

u16 RThumbnailJob::CheckOrientation(bool landscape) {
    if (!landscape) return 0;
    ShowAlert("Please choose the Portrait orientation to print this project.", nullptr, kAlertIconExclamation | kAlertOk);
    return 1;
}

}  // namespace Ostrel
