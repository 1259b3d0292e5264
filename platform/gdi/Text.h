#pragma once
// Text on a device context in the selected font (a stock "DEFAULT" font while none is
// selected): measuring with the context's justification, drawing at a point with the text
// alignment, and drawing word-wrapped text in a box. Text is cp1252. Glyphs are painted in the
// text colour regardless of the binary raster operation; an opaque background mode first
// fills each line's cell with the background colour. Fonts keep their size under scaled
// mappings: only the positions are mapped.
#include <memory>
#include <string_view>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"

namespace plat::gdi {

// Text-box format bits, combinable as the program stores them.
constexpr uint32_t kDtLeft = 0x0000;
constexpr uint32_t kDtCenter = 0x0001;
constexpr uint32_t kDtRight = 0x0002;
constexpr uint32_t kDtVCenter = 0x0004;
constexpr uint32_t kDtBottom = 0x0008;
constexpr uint32_t kDtWordBreak = 0x0010;
constexpr uint32_t kDtSingleLine = 0x0020;
constexpr uint32_t kDtNoClip = 0x0100;
constexpr uint32_t kDtExternalLeading = 0x0200;
constexpr uint32_t kDtCalcRect = 0x0400;
constexpr uint32_t kDtNoPrefix = 0x0800;

struct TextSize {
    int32_t cx = 0;
    int32_t cy = 0;
};

std::shared_ptr<const Font> stockFont();
const Font& contextFont(const DeviceContext& dc);
std::shared_ptr<const Font> selectFont(DeviceContext& dc, std::shared_ptr<const Font> font);

// Extra pixels spread over the blanks of the next texts measured or drawn.
void setTextJustification(DeviceContext& dc, int32_t extra, int32_t breaks);
TextSize textExtent(const DeviceContext& dc, std::string_view text);
bool textOut(DeviceContext& dc, Point at, std::string_view text);
// Returns the height of the text; with kDtCalcRect only measures, moving the box's bottom
// and right edges to fit the text.
int32_t drawText(DeviceContext& dc, std::string_view text, Rect& box, uint32_t format);

}  // namespace plat::gdi
