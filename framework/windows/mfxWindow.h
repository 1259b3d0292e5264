#pragma once
// A framework window: a platform window whose procedure calls this object's hooks. Every
// live framework window is listed, in creation order, for the message loop's message filter
// and its periodic tick. The object owns its platform window and destroys it with itself;
// a window the platform destroyed first leaves the object with no handle.
// User-interface thread only.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "platform/ui/Messages.h"

class mfxMenu;
class mfxMenuBar;

class mfxWindow {
public:
    mfxWindow(const std::string& className, const std::string& title);
    mfxWindow(const mfxWindow&) = delete;
    mfxWindow& operator=(const mfxWindow&) = delete;
    virtual ~mfxWindow();

    plat::WindowHandle GetHandle() const { return handle_; }
    const std::string& GetClassName() const { return className_; }

    // The menu this window shows in its menu bar; the window owns the bar, not the menu.
    virtual void SetMenu(mfxMenu* menu);
    mfxMenu* GetMenu() const { return menu_; }
    // Null until a menu is first set.
    mfxMenuBar* GetMenuBar() const { return bar_.get(); }

    // The window's procedure: turns platform messages into the hooks below; anything else
    // goes to the platform's default procedure.
    virtual intptr_t WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // The message loop offers every message to the first window before dispatching it;
    // true means the window used it and it is not dispatched. The base offers it to the menu
    // bar: accelerators, menu keys, clicks on the bar, and paints (drawn under the bar).
    virtual bool PreTranslateMessage(const plat::Message& message);
    // A key message a dialog's loop took: the menu bar still follows its modifier keys.
    void NoteModifiers(const plat::Message& message);

    // The user asked to close the window: non-zero destroys it.
    virtual u32 OnClose();
    // The update region needs drawing; the base marks it drawn.
    virtual void OnPaint();
    // A menu command or accelerator; non-zero when handled.
    virtual u32 OnCommand(u32 command);
    // The menu is about to be used: states that the window does not follow as they change
    // (what another program put on the clipboard) are brought up to date here.
    virtual void OnInitMenu();
    // The message loop's periodic step, with the program clock's time.
    virtual void OnTick(u32 now);

    // The live framework windows, oldest first.
    static const std::vector<mfxWindow*>& Windows();

protected:
    // The platform window is gone (destroyed by the platform or by this object).
    virtual void OnDestroyed();

private:
    std::string className_;
    plat::WindowHandle handle_ = plat::kNoWindow;
    mfxMenu* menu_ = nullptr;
    std::unique_ptr<mfxMenuBar> bar_;
};
