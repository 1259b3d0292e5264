#pragma once
// The colour picker: a palette of swatches opened over the screen on a sprite of its own. Choosing a swatch sets the
// program-wide current paint colour, closes the palette and posts kMsgColorChosen with a
// pointer to that colour (parameter 2 = 0: the change may be undone). SetColor sets the colour
// for the program and posts kMsgColorSet the same way. Closing posts kMsgColorPickerClosed.
// While open the picker takes the mouse and Escape; a click off the palette (and off its
// anchor) closes it.
// User-interface thread only.
#include <memory>
#include <vector>

#include "engine/gfx/GfxColor.h"
#include "engine/gfx/sprites/SprSprite.h"
#include "engine/regions/Rects.h"
#include "framework/input/RHotSpotList.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

constexpr u32 kMsgColorPickerClosed = 17645;
constexpr u32 kMsgColorSet = 17646;
constexpr u32 kMsgColorChosen = 17647;
// Posted by a swatch's hot spot to its picker, parameter 1 the swatch.
constexpr u32 kMsgColorSwatch = 17648;

class RColorPicker : public RSender, public CListener, public RInputObject {
public:
    // The palette's top-left corner; the full palette of kPickerColumns × kPickerRows swatches.
    RColorPicker(CListener* owner, Point16 origin);
    ~RColorPicker() override;

    // Makes the palette's colours; the picker is closed.
    virtual void Init();
    bool Open();
    void Close();
    bool IsOpen() const { return swatches_ != nullptr; }
    void SetColor(const GfxColor& color);
    // The place that opens the palette (the screen's swatch): a press there leaves it open.
    void SetAnchor(const Rect16& anchor) { anchor_ = anchor; }
    const std::vector<GfxColor>& Palette() const { return palette_; }
    Rect16 GetSwatchRect(int index) const;

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleKey(u32 key) override;

protected:
    // The grid and swatch size; the small picker has fewer, larger swatches.
    RColorPicker(CListener* owner, Point16 origin, int columns, int rows, i16 swatchSize);

private:
    Rect16 Area() const;
    // The palette with its border, as its sprite shows it.
    Rect16 ShownArea() const;
    void Choose(int index);
    static void DrawPalette(SprSprite* sprite);
    // The palette has no shape for the layer's own step to size it by: its bounds stay the
    // palette's, so that it is drawn again over whatever behind it is redrawn.
    static void StepPalette(SprSprite* sprite, memHandle region);

    Point16 origin_;
    int columns_;
    int rows_;
    i16 swatchSize_;
    std::vector<GfxColor> palette_;
    std::unique_ptr<RHotSpotList> swatches_;
    u16 sprite_ = 0;
    Rect16 anchor_{0, 0, 0, 0};
};

// The picker of the small-kids mode: two rows of large swatches.
class RSmallColorPicker : public RColorPicker {
public:
    RSmallColorPicker(CListener* owner, Point16 origin);
};

}  // namespace Ostrel
