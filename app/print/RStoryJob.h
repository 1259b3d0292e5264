#pragma once
// The print job of a story book page: two pictures, side by side on a landscape sheet.
#include "app/print/RPrintJob.h"

namespace Ostrel {

class RStoryJob : public RPrintJob {
public:
    explicit RStoryJob(const PrintSources& sources) : RPrintJob(2, sources) {}

    void LayoutCell() override;
    void DrawPicture() override;

    const Rect16& CellRect() const { return cellRect_; }

private:
    Rect16 cellRect_{};
};

}  // namespace Ostrel
