#pragma once
// The few strokes every widget of ours is drawn with (the menu bar, its popups, alerts and
// dialogs), in one grey scheme, through the drawing layer in the stock font. Texts are cp1252.
#include <string_view>

#include "platform/gdi/DeviceContext.h"

namespace plat::widgets {

constexpr gdi::ColorRef kFaceColor = gdi::rgbColor(212, 208, 200);
constexpr gdi::ColorRef kLightColor = gdi::rgbColor(255, 255, 255);
constexpr gdi::ColorRef kShadowColor = gdi::rgbColor(128, 128, 128);
constexpr gdi::ColorRef kTextColor = gdi::rgbColor(0, 0, 0);
constexpr gdi::ColorRef kGrayTextColor = gdi::rgbColor(128, 128, 128);
constexpr gdi::ColorRef kHighlightColor = gdi::rgbColor(10, 36, 106);
constexpr gdi::ColorRef kHighlightTextColor = gdi::rgbColor(255, 255, 255);
constexpr gdi::ColorRef kFieldColor = gdi::rgbColor(255, 255, 255);
constexpr gdi::ColorRef kTitleColor = gdi::rgbColor(10, 36, 106);

void fillBox(gdi::DeviceContext& dc, const gdi::Rect& box, gdi::ColorRef color);
// A one-pixel frame just inside the box.
void frameBox(gdi::DeviceContext& dc, const gdi::Rect& box, gdi::ColorRef color);
// A raised (or, when sunken, pressed-in) edge just inside the box.
void bevelBox(gdi::DeviceContext& dc, const gdi::Rect& box, bool sunken);
// Text with its top-left at `at`, no background.
void drawLabel(gdi::DeviceContext& dc, gdi::Point at, std::string_view text, gdi::ColorRef color);
// Text in a box with the drawing layer's text-box format bits (kDt*), no background.
void drawTextBox(gdi::DeviceContext& dc, gdi::Rect box, std::string_view text, uint32_t format, gdi::ColorRef color);
// An outlined ellipse filled with `fill`.
void drawEllipse(gdi::DeviceContext& dc, const gdi::Rect& box, gdi::ColorRef outline, gdi::ColorRef fill);
int32_t labelWidth(std::string_view text);
int32_t labelHeight();

}  // namespace plat::widgets
