#pragma once
// A drop-down list opened under an anchor: one row per entry, the current entry marked.
// While open it takes the mouse and the keys: a click on a row or Return chooses, a click
// elsewhere or Escape closes it. Choosing sets the current value, closes the list and posts
// the message code to the owner with the chosen index as parameter 2. Subclasses say what the
// entries are and draw them. User-interface thread only.
#include <memory>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/input/RHotSpotList.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

constexpr u32 kDefaultPopupMessage = 8765;
// Posted by a row's hot spot to its popup, parameter 1 the row.
constexpr u32 kMsgPopupRow = 8766;
constexpr i16 kPopupRowHeight = 20;
constexpr i16 kPopupMinWidth = 120;

class RPopup : public RSender, public CListener, public RInputObject {
public:
    explicit RPopup(CListener* owner);
    ~RPopup() override;

    void SetAnchor(const Rect16& anchor) { anchor_ = anchor; }
    void SetAnchor(Point16 point) { anchor_ = Rect16{point.h, point.v, point.h, point.v}; }
    void SetMessageCode(u32 code) { code_ = code; }
    u32 GetMessageCode() const { return code_; }

    // False when there is nothing to show.
    bool Open();
    void Close();
    bool IsOpen() const { return rows_ != nullptr; }
    // -1: none. Values past the entries are refused.
    int GetValue() const { return value_; }
    void SetValue(int value);
    // Closes and forgets the current value.
    void Reset();
    // The rectangle of a row while open (all zero otherwise, and for rows past the coordinates).
    Rect16 GetRowRect(int index) const;
    int GetHighlighted() const { return highlighted_; }

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleKey(u32 key) override;

protected:
    virtual int Count() const = 0;
    virtual void DrawRow(int index, const Rect16& row, bool current) = 0;

private:
    void Choose(int index);
    void DrawRows();
    Rect16 Area() const;
    int ShownRows() const;

    CListener* owner_;
    Rect16 anchor_{0, 0, 0, 0};
    u32 code_ = kDefaultPopupMessage;
    int value_ = -1;
    int highlighted_ = -1;
    std::unique_ptr<RHotSpotList> rows_;
};

}  // namespace Ostrel
