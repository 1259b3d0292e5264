#pragma once
// The screen-filling main display window that the program's main window derives from. It has
// a visible face of the given client size (with a band for the menu bar above it, when
// asked), and it turns the user's input into event hooks:
// left-button presses and releases, moves, keys (the packed key record of engine/base/
// KeyRecord.h: the virtual key, the modifiers, the character the desktop's layout typed with
// it, the repeat count; a character typed with no key behind it, as by an input method, has
// no virtual key), key releases, activation and the periodic tick. The hooks offer their
// events to the registered input objects by default; the program's window overrides them to
// add its own steps.
// User-interface thread only.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/input/RInputRouter.h"
#include "framework/windows/mfxWindow.h"

namespace plat {
class DisplayWindow;
}

// The window class every display window registers; a second start of the program looks for it.
constexpr char kMfxDisplayWindowClass[] = "mfxDisplayWindow";

class mfxDisplayWindow : public mfxWindow {
public:
    // `menuBand` rows are kept above the program's picture for the menu bar: the face is that
    // much taller, and the hooks get points of the picture, (0, 0) its top-left corner.
    mfxDisplayWindow(const std::string& title, const Rect16& rect, i16 menuBand = 0);
    ~mfxDisplayWindow() override;

    // The client area as it was asked for (the display rectangle of the program).
    const Rect16& GetRect() const { return rect_; }
    // Where the program's picture starts in the face: below the menu band.
    i16 ContentTop() const { return menuBand_; }
    // The face's part that shows the program's picture, in face coordinates.
    Rect16 ContentRect() const;
    // The visible face, null when the display refused one.
    plat::DisplayWindow* GetFace() const { return face_.get(); }

    intptr_t WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // Marks the whole update region drawn; the program's window draws first.
    void OnPaint() override;
    void OnTick(u32 now) override;

    // Event hooks; each answers non-zero when the event was taken.
    virtual u32 OnMouseDown(Point16 point, u32 buttons);
    virtual u32 OnMouseUp(Point16 point, u32 buttons);
    virtual u32 OnMouseMove(Point16 point, u32 buttons);
    // `scanCode`: the key's scan code, 0 for a character with no key.
    virtual u32 OnKeyDown(u32 key, u8 scanCode);
    virtual u32 OnKeyUp(u32 key);
    virtual void OnActivate(u32 state);

protected:
    void OnDestroyed() override;
    // A mouse message's point as a point of the picture.
    Point16 ContentPoint(intptr_t lParam) const;
    Ostrel::RInputRouter& Router() { return router_; }

private:
    Rect16 rect_;
    i16 menuBand_;
    std::unique_ptr<plat::DisplayWindow> face_;
    Ostrel::RInputRouter router_;
    // A key whose character message comes next: the two make one key.
    struct PendingKey {
        u8 virtualKey;
        intptr_t keyData;
    };
    std::optional<PendingKey> pendingKey_;
};
