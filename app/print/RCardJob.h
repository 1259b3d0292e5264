#pragma once
// The print job of a folded card: four pictures, the two on the top half turned upside down so that they stand up once the sheet is folded in four.
#include "app/print/RPrintJob.h"

namespace Ostrel {

class RCardJob : public RPrintJob {
public:
    explicit RCardJob(const PrintSources& sources) : RPrintJob(4, sources) {}

    void LayoutCell() override;
    void DrawPicture() override;
    u16 CheckOrientation(bool) override { return 0; }

    const Rect16& CellRect() const { return cellRect_; }

private:
    Rect16 cellRect_{};
};

}  // namespace Ostrel
