#include "platform/widgets/WidgetPaint.h"

#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"

namespace plat::widgets {

void fillBox(gdi::DeviceContext& dc, const gdi::Rect& box, gdi::ColorRef color) {
    if (box.empty()) return;
    gdi::fillRegion(dc, gdi::Region(box), gdi::Brush::solid(color));
}

void frameBox(gdi::DeviceContext& dc, const gdi::Rect& box, gdi::ColorRef color) {
    if (box.empty()) return;
    fillBox(dc, {box.left, box.top, box.right, box.top + 1}, color);
    fillBox(dc, {box.left, box.bottom - 1, box.right, box.bottom}, color);
    fillBox(dc, {box.left, box.top, box.left + 1, box.bottom}, color);
    fillBox(dc, {box.right - 1, box.top, box.right, box.bottom}, color);
}

void bevelBox(gdi::DeviceContext& dc, const gdi::Rect& box, bool sunken) {
    if (box.empty()) return;
    const gdi::ColorRef topLeft = sunken ? kShadowColor : kLightColor;
    const gdi::ColorRef bottomRight = sunken ? kLightColor : kShadowColor;
    fillBox(dc, {box.left, box.top, box.right, box.top + 1}, topLeft);
    fillBox(dc, {box.left, box.top, box.left + 1, box.bottom}, topLeft);
    fillBox(dc, {box.left, box.bottom - 1, box.right, box.bottom}, bottomRight);
    fillBox(dc, {box.right - 1, box.top, box.right, box.bottom}, bottomRight);
}

void drawLabel(gdi::DeviceContext& dc, gdi::Point at, std::string_view text, gdi::ColorRef color) {
    const int saved = dc.save();
    dc.state().backgroundMode = gdi::BackgroundMode::Transparent;
    dc.state().textColor = color;
    dc.state().textAlign = gdi::kTaLeft | gdi::kTaTop;
    gdi::selectFont(dc, gdi::stockFont());
    gdi::textOut(dc, at, text);
    dc.restore(saved);
}

void drawTextBox(gdi::DeviceContext& dc, gdi::Rect box, std::string_view text, uint32_t format, gdi::ColorRef color) {
    const int saved = dc.save();
    dc.state().backgroundMode = gdi::BackgroundMode::Transparent;
    dc.state().textColor = color;
    gdi::selectFont(dc, gdi::stockFont());
    gdi::drawText(dc, text, box, format | gdi::kDtNoPrefix);
    dc.restore(saved);
}

void drawEllipse(gdi::DeviceContext& dc, const gdi::Rect& box, gdi::ColorRef outline, gdi::ColorRef fill) {
    const int saved = dc.save();
    dc.state().pen = gdi::Pen{gdi::Pen::Style::Solid, 1, outline};
    dc.state().brush = gdi::Brush::solid(fill);
    gdi::ellipse(dc, box);
    dc.restore(saved);
}

int32_t labelWidth(std::string_view text) {
    const auto font = gdi::stockFont();
    if (!font) return 0;
    int32_t width = 0;
    for (char c : text) width += font->advance(uint8_t(c));
    return width;
}

int32_t labelHeight() {
    const auto font = gdi::stockFont();
    return font ? font->metrics().height : 0;
}

}  // namespace plat::widgets
