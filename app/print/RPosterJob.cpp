#include "app/print/RPosterJob.h"

#include "app/print/PrintLayout.h"

namespace Ostrel {

RPosterJob::RPosterJob(u16 kind, const PrintSources& sources) : RPrintJob(1, sources) { RPosterJob::SetPosterSize(kind); }

void RPosterJob::SetPosterSize(u16 kind) {
    threeByThree_ = kind == kPoster3x3 ? 1 : 0;
    sheetCount_ = threeByThree_ ? 9 : 4;
    tilesPerSide_ = threeByThree_ ? 3 : 2;
    pageCount_ = u16(sheetCount_);
}

void RPosterJob::SetLastPage(u16) { RPrintJob::SetLastPage(u16(sheetCount_)); }

void RPosterJob::LayoutCell() { sourceRect_ = PosterTile(u16(currentPage_ - firstPage_ + 1), tilesPerSide_, sources_.paintRect); }

void RPosterJob::DrawPicture() { CopyToSheet(pageArea_, 0); }

}  // namespace Ostrel
