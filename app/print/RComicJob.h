#pragma once
// The print job of a comic page: six pictures, three across and two down, with a gutter between the rows.
#include "app/print/RPrintJob.h"

namespace Ostrel {

class RComicJob : public RPrintJob {
public:
    explicit RComicJob(const PrintSources& sources) : RPrintJob(6, sources) {}

    void LayoutCell() override;
    void DrawPicture() override;
    u16 CheckOrientation(bool) override { return 0; }

    const Rect16& CellRect() const { return cellRect_; }

private:
    Rect16 cellRect_{};
};

}  // namespace Ostrel
