#pragma once
// The base of the painting tools. A tool is made with its id (its index in the tool-name
// table) by a panel, which owns it, activates it on the canvas and hands it to the tool
// manager with 'born'. The manager hands it each press, move and release of a stroke with a
// ToolCanvas; the tool paints into the canvas's picture and marks what it changed. Its
// parameters (sizes, sounds) come from its section of "TB.cfg" at activation when a tool
// profile is set. User-interface thread only.
#include <cstdint>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"
#include "engine/regions/Rects.h"
#include "framework/messaging/RMessage.h"
#include "tools/base/ToolCanvas.h"
#include "tools/params/ToolParams.h"
#include "tools/base/ToolSettings.h"
#include "tools/base/ToolSounds.h"

class GfxPort;
class RToolMgr;

constexpr i16 kToolActivated = 888;
constexpr i16 kToolActivateFailed = 889;
// Tools' icons are 'tBMP' pictures numbered from here by tool id.
constexpr u16 kToolIconBase = 30000;

// The profile whose sections hold the tools' parameters ("TB.cfg"); null: the defaults.
void setToolProfile(const Path* profile);
const Path* toolProfile();

class RTool {
public:
    explicit RTool(i16 toolId);
    // A tool deleted while a tool manager holds it (a panel replacing its pencil without
    // 'kild') is dropped by that manager first.
    virtual ~RTool();
    RTool(const RTool&) = delete;
    RTool& operator=(const RTool&) = delete;

    i16 GetToolId() const { return toolId_; }
    // The screen port and the layer (-1 for the canvas) are the panel's; the tools paint
    // into the tool manager's work picture. kToolActivated, or kToolActivateFailed when the
    // canvas rectangle is empty.
    virtual i16 Activate(GfxPort* screenPort, i32 layer, const Rect16& canvasRect);
    bool IsActive() const { return active_; }
    const Rect16& CanvasRect() const { return canvasRect_; }

    u16 GetIconId() const { return u16(kToolIconBase + toolId_); }
    // The icon's stored 'tBMP' bytes, null when no open archive holds it.
    const u8* GetIcon() const;

    void SetParams(const ToolParams& params);
    const ToolParams& Params() const { return params_; }
    // Sizes are counted from 0; an index past the list picks its last size, below 0 its first.
    virtual void SelectSize(i16 index);
    i16 GetSizeIndex() const { return sizeIndex_; }
    i16 GetSize() const;
    // The panel's 'chng' record: its size factor picks size (factor - 1).
    virtual void ApplySettings(const ToolSettings& settings);
    const ToolSettings& Settings() const { return settings_; }

    // A stroke: the press plays the start sound, the release the end sound. The tool may be
    // deleted from inside its press or release (by an owner answering what it handed over);
    // neither touches it afterwards.
    void Press(ToolCanvas& canvas, Point16 p);
    void Move(ToolCanvas& canvas, Point16 p);
    void Release(ToolCanvas& canvas, Point16 p);
    // Ends whatever the tool holds unfinished (a polygon being clicked, a curve being bent).
    virtual void Finish(ToolCanvas&) {}
    // Takes away what the tool shows in the picture but has not painted for good; the tool
    // manager calls it when another tool (or none) becomes current.
    virtual void Drop(ToolCanvas&) {}
    // A message a panel hands its current tool as the panel heard it (the spray panel's
    // pattern): the record's parameters and the data word. 1 when the tool took it; a tool
    // that takes no messages answers 0.
    virtual u32 HandleToolMessage(const Ostrel::RMessage&, uintptr_t) { return 0; }
    // A tool that goes on by itself after its release (a page-erase wipe) is running until it
    // is done; the tool manager keeps its stroke open and has it paint at each tick what is
    // due by the canvas's time, and has it paint the rest at once when the picture is about
    // to go.
    virtual bool IsRunning() const { return false; }
    virtual void StepRun(ToolCanvas&) {}
    virtual void EndRun(ToolCanvas&) {}
    // Whether the tool paints where the mouse merely moves over the canvas, without a press
    // (the hands-free brushes): the tool manager then hands it the moves as a stroke.
    virtual bool PaintsOnHover() const { return false; }
    // Between its drags a tool may show where the next one will take it as the pointer moves
    // with no button down (the curve bends toward the pointer). The preview is no stroke: the
    // tool keeps what it covers and takes it away again itself. True when it drew one.
    virtual bool Follow(ToolCanvas&, Point16) { return false; }

protected:
    virtual void MouseDown(ToolCanvas& canvas, Point16 p) = 0;
    virtual void MouseMove(ToolCanvas&, Point16) {}
    virtual void MouseUp(ToolCanvas&, Point16) {}
    ToolSounds& Sounds() { return sounds_; }

private:
    friend class RToolMgr;
    i16 toolId_;
    // The tool manager whose current tool this is, if any.
    RToolMgr* holder_ = nullptr;
    bool active_ = false;
    Rect16 canvasRect_{0, 0, 0, 0};
    ToolParams params_;
    i16 sizeIndex_ = 0;
    ToolSettings settings_;
    ToolSounds sounds_;
};
