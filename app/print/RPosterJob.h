#pragma once
// The print job of a poster: the picture cut into 2 x 2 or 3 x 3 tiles, each tile stretched
// over a sheet of its own.
#include "app/print/RPrintJob.h"

namespace Ostrel {

// Poster kinds.
constexpr u16 kPoster2x2 = 0;
constexpr u16 kPoster3x3 = 1;

class RPosterJob : public RPrintJob {
public:
    RPosterJob(u16 kind, const PrintSources& sources);

    // The range is the poster's sheets, whatever is asked.
    void SetLastPage(u16 page) override;
    void LayoutCell() override;
    void DrawPicture() override;
    u16 CheckOrientation(bool) override { return 0; }
    // kPoster3x3: nine sheets; any other kind: four.
    virtual void SetPosterSize(u16 kind);

    u32 SheetCount() const { return sheetCount_; }
    u16 TilesPerSide() const { return tilesPerSide_; }

private:
    u32 threeByThree_ = 0;
    u32 sheetCount_ = 4;
    u16 tilesPerSide_ = 2;
};

}  // namespace Ostrel
