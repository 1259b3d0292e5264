#pragma once
// Device contexts: the drawing state that the drawing calls read, over a target surface.
// A memory context draws into the surface selected into it (none: drawing does nothing); a
// window or display context draws into the surface its backend hands it; an information
// context only answers questions about fonts and capabilities. The context borrows its
// surface, palette and font; their owners keep them alive while they are selected.
// Coordinates given to drawing calls are logical and pass through the mapping; clip regions
// are in device pixels. One thread at a time, like the surfaces it draws on.
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/Brush.h"
#include "platform/gdi/Palette.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

namespace plat::gdi {

class Font;

enum class ContextKind { Memory, Window, Display, Information };
enum class MapMode { Text = 1, Anisotropic = 8 };
enum class BackgroundMode { Transparent = 1, Opaque = 2 };
enum class StretchMode { BlackOnWhite = 1, WhiteOnBlack = 2, ColorOnColor = 3 };

// Text alignment bits, combinable as the program stores them.
constexpr uint32_t kTaNoUpdateCp = 0;
constexpr uint32_t kTaUpdateCp = 1;
constexpr uint32_t kTaLeft = 0;
constexpr uint32_t kTaRight = 2;
constexpr uint32_t kTaCenter = 6;
constexpr uint32_t kTaTop = 0;
constexpr uint32_t kTaBottom = 8;
constexpr uint32_t kTaBaseline = 24;

struct ContextState {
    MapMode mapMode = MapMode::Text;
    Point windowOrg;
    Point windowExt{1, 1};
    Point viewportOrg;
    Point viewportExt{1, 1};
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    ColorRef backgroundColor = rgbColor(255, 255, 255);
    ColorRef textColor = rgbColor(0, 0, 0);
    uint32_t textAlign = kTaLeft | kTaTop;
    int rop2 = 13;  // copy pen
    StretchMode stretchMode = StretchMode::BlackOnWhite;
    FillMode polyFillMode = FillMode::Alternate;
    Point position;
    Pen pen;
    Brush brush;
    int32_t justifyExtra = 0;
    int32_t justifyBreaks = 0;
    std::optional<Region> clip;  // device pixels; none: the whole surface
    const Palette* palette = nullptr;
    std::shared_ptr<const Font> font;
};

class DeviceContext {
public:
    static std::unique_ptr<DeviceContext> createMemory();
    static std::unique_ptr<DeviceContext> createForSurface(ContextKind kind, Surface& surface);
    static std::unique_ptr<DeviceContext> createInformation();

    ContextKind kind() const { return kind_; }
    Surface* surface() const { return surface_; }
    // Memory contexts only; returns the previous surface (nullptr also when refused).
    Surface* selectSurface(Surface* surface);

    ContextState& state() { return state_; }
    const ContextState& state() const { return state_; }

    // Pushes a copy of the state; returns the new depth (1 for the first save).
    int save();
    // Positive: back to that depth; negative: that many levels up. False when there is no such level.
    bool restore(int level);

    // Mapping. Window and viewport extents only count in anisotropic mode.
    Point toDevice(Point logical) const;
    Point toLogical(Point device) const;
    Rect toDevice(const Rect& logical) const;  // edges kept in their given order
    int32_t widthToDevice(int32_t logicalWidth) const;
    bool pureTranslation() const;
    Region toDevice(const Region& logical) const;

    // Clipping.
    void selectClip(const Region* deviceRegion);
    void intersectClipRect(const Rect& logical);
    // The surface area drawing may change: the surface bounds narrowed by the clip region.
    Region drawableArea() const;

    const Palette& palette() const { return state_.palette ? *state_.palette : Palette::stockDefault(); }
    const Palette* selectPalette(const Palette* palette);

    // The stored value a colour reference gives on the surface (0 without a surface).
    uint32_t resolve(ColorRef color) const;
    Rgb rgbOf(ColorRef color) const;

private:
    DeviceContext(ContextKind kind, Surface* surface) : kind_(kind), surface_(surface) {}

    ContextKind kind_;
    Surface* surface_;
    ContextState state_;
    std::vector<ContextState> saved_;
};

}  // namespace plat::gdi
