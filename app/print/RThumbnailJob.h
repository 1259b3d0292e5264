#pragma once
// The print job of a thumbnail sheet: twenty-four small pictures, four across and six down, on a portrait sheet.
#include "app/print/RPrintJob.h"

namespace Ostrel {

class RThumbnailJob : public RPrintJob {
public:
    explicit RThumbnailJob(const PrintSources& sources) : RPrintJob(24, sources) {}

    void LayoutCell() override;
    void DrawPicture() override;
    u16 CheckOrientation(bool landscape) override;

    const Rect16& CellRect() const { return cellRect_; }

private:
    Rect16 cellRect_{};
};

}  // namespace Ostrel
