#pragma once
// The tool manager, owned by the canvas. It listens to the tool panels: 'born' makes the
// tool in parameter 1 current, 'kild' drops it (the panel deletes it), 'chng' copies the
// panel's ToolSettings and hands them to the tool. It hands the current tool each press, move
// and release inside the canvas, copies what changed from its work picture to the screen and
// broadcasts 'grfx' with the changed rectangle (screen coordinates) when a stroke ends. Before
// each stroke it keeps a snapshot of the picture; a stroke that changed something hands its
// snapshot to the undo step 'pPnt', which swaps it back in (and out again for redo). A stroke
// that changed nothing leaves the earlier undo step as it was. User-interface thread only.
#include <functional>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"
#include "tools/base/PixelView.h"
#include "tools/base/ToolCanvas.h"
#include "tools/base/ToolHost.h"
#include "tools/base/ToolSettings.h"

class GfxPort;
class RTool;
namespace Ostrel {
class UndoManager;
}

constexpr FourCC kToolMsgBorn = fourCC("born");
constexpr FourCC kToolMsgKild = fourCC("kild");
constexpr FourCC kToolMsgChng = fourCC("chng");
constexpr FourCC kToolMsgGraphics = fourCC("grfx");
constexpr FourCC kToolMgrTag = fourCC("TMGR");
constexpr FourCC kPaintUndoCode = fourCC("pPnt");

class RToolMgr : public CListener, public Ostrel::RSender {
public:
    RToolMgr();
    ~RToolMgr() override;

    // The work picture is the canvas's size; canvasRect places it on the screen. The undo
    // manager may be null (no undo). A new picture ends a running stroke, drops what the tool
    // held unfinished and the undo step kept for the old one.
    void Init(const PixelView& work, const Rect16& canvasRect, Ostrel::UndoManager* undo);
    // The ports UpdateScreenRect copies between (either null: no copy).
    void SetPorts(GfxPort* workPort, GfxPort* screenPort);
    // Whom the tools ask for their colour and their sounds switch (null: black, sounds on).
    void SetHost(const ToolHost* host);
    // What the screen shows above the picture (the page's texts) is drawn again over each
    // rectangle (screen coordinates) copied there, which the bare picture would cover.
    void SetCover(std::function<void(const Rect16&)> cover) { cover_ = std::move(cover); }

    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t data) override;

    // A press at a screen point: 1 when it lies in the canvas and a tool takes it.
    u16 HandleInput(Point16 screenPoint, u32 timeMs);
    void TrackInput(Point16 screenPoint, u32 timeMs);
    void EndInput(Point16 screenPoint, u32 timeMs);
    // Ends a running stroke where it last was (help mode, a dialog opening, a save), and a
    // running tool at its end.
    void InputEnd(u32 extra);
    bool IsTracking() const { return tracking_; }
    // The current tool runs on after its stroke (a page-erase wipe); new strokes wait for it.
    bool IsRunning() const { return running_; }
    // One frame of the running tool, shown on the screen; the frame that ends it ends its
    // stroke, which becomes one undo step.
    void StepTool(u32 timeMs);
    // A move with no button down. A tool that paints on hover paints it as a stroke that
    // begins where the mouse comes into the canvas and ends, as one undo step, when it leaves,
    // at a press, or when the tool, the picture or the screen changes. 1 when a tool took it.
    u16 HoverInput(Point16 screenPoint, u32 timeMs);
    bool IsHovering() const { return hovering_; }
    // A move with no button down between strokes, for the tool to show its preview
    // (RTool::Follow) on the screen; no undo step. 1 when the tool drew one.
    u16 FollowInput(Point16 screenPoint, u32 timeMs);

    RTool* GetCurrentTool() const { return tool_; }
    // -1 without a current tool.
    i16 CurrentToolIndex() const;
    // The current tool finishes what it holds unfinished; its changes become one undo step.
    void FinishTool();
    const ToolSettings& Settings() const { return settings_; }

    // Copies the rectangle (screen coordinates) from the work picture to the screen, and
    // broadcasts 'grfx'; the listener, when given, is remembered and hears every later 'grfx'.
    void UpdateScreenRect(const Rect16& screenRect, CListener* listener);
    // The rectangle the last 'grfx' named.
    const Rect16& LastChanged() const { return lastChanged_; }
    // The bounds (screen coordinates) of what was copied to the screen port since the last
    // call, which empties it: all the screen must draw again after a move.
    Rect16 TakeShown();

    // The picture the tools paint into (picture coordinates) and its place on the screen.
    const PixelView& Work() const { return work_; }
    const Rect16& CanvasRect() const { return canvasRect_; }
    // A change made to the picture outside a stroke (a cut piece lifted here and put down
    // there) becomes one undo step like a stroke: BeginChange keeps the picture as it is now
    // (a running stroke ends first), ShowChange shows a changed rectangle (picture
    // coordinates) on the screen without a word, EndChange records the step and says 'grfx'
    // when the picture differs. A new picture closes an open change without a step.
    void BeginChange();
    void ShowChange(const Rect16& local);
    void EndChange();
    bool ChangeOpen() const { return changeOpen_; }

private:
    friend class RTool;
    // The current tool is being deleted: a running stroke ends without it.
    void ToolDeleted(RTool* tool);
    void SetTool(RTool* tool);
    static void ReleaseUndo(CListener* owner, FourCC code);
    Point16 ToPicture(Point16 screenPoint) const;
    Rect16 ToScreen(const Rect16& local) const;
    void BeginStroke();
    // Whether the work picture differs from the stroke's snapshot inside the rectangle.
    bool Differs(const Rect16& r) const;
    // Copies the changes of the stroke to the screen, records the undo step and says 'grfx'.
    void EndStroke();
    void UpdateScreen();
    // Copies the rectangle (screen coordinates) from the work picture to the screen.
    void ShowOnScreen(const Rect16& screenRect);
    void SwapUndo();
    // Steps the running tool to its end (its picture is about to go, or another tool comes).
    void RunToEnd();
    void SayGraphics(const Rect16& screenRect);

    RTool* tool_ = nullptr;
    ToolSettings settings_;
    PixelView work_;
    Rect16 canvasRect_{0, 0, 0, 0};
    Ostrel::UndoManager* undo_ = nullptr;
    GfxPort* workPort_ = nullptr;
    GfxPort* screenPort_ = nullptr;
    const ToolHost* host_ = nullptr;
    std::function<void(const Rect16&)> cover_;
    std::vector<u16> snapshotPixels_;
    PixelView snapshot_;
    std::vector<u16> undoPixels_;
    ToolCanvas canvas_{PixelView{}, PixelView{}};
    bool tracking_ = false;
    bool running_ = false;
    // A hover stroke runs (tracking_ is set with it).
    bool hovering_ = false;
    bool undoHeld_ = false;
    bool changeOpen_ = false;
    Point16 lastPoint_{0, 0};
    Rect16 lastChanged_{0, 0, 0, 0};
    Rect16 shown_{0, 0, 0, 0};
};
