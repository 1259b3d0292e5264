#pragma once
// What the canvas asks of the screen that owns it: the page it shows (owned by the
// application), the document, and the tool option panel that must let go of the canvas while
// the page is replaced. The easel answers for the application; tests answer with a plain page.
#include <memory>

#include "engine/base/EngineTypes.h"
#include "engine/gfx/GfxColor.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

class RDocument;
class RPage;
class RPageObject;
class RLibraryMgr;
struct ImportChoice;
struct ImportPreview;
class Paths;
struct GlobalUserSettings;

class RCanvasOwner {
public:
    virtual ~RCanvasOwner() = default;

    virtual RPage* CurrentPage() const = 0;
    // Takes the page; the previous one comes back to the caller.
    virtual std::unique_ptr<RPage> SetCurrentPage(std::unique_ptr<RPage> page) = 0;
    virtual RDocument* CurrentDocument() const = 0;
    // The user's folders; null while no user is logged in.
    virtual const Paths* UserPaths() const = 0;
    // Null while no user is logged in.
    virtual GlobalUserSettings* UserSettings() const = 0;
    // The colour the tools paint in: the one the child chose last.
    virtual GfxColor PaintColor() const = 0;
    // The panel releases its canvas objects and drops its frame maker; non-zero when it had
    // something to give back.
    virtual u16 DetachPanel() = 0;
    virtual void AttachPanel() = 0;
    // The page or what it holds changed: menus and Play follow (message 280).
    virtual void PageStateChanged() = 0;
    // The menus as the mode gives them, after an object was placed.
    virtual void RefreshMenus() {}
    // A new Flash or text object needs an edit frame from the panel (message 1250).
    virtual void GiveObjectFrame(RPageObject* object) = 0;
    // An alert showing the text of `key` in section "FileStrings" (kAlert* style); the
    // button pressed (kAlertAnswer*).
    virtual u32 FileAlert(const char* key, u32 style) = 0;
    // The document's import dialog of `kind`, with the preview when one is given; false when
    // nothing was chosen.
    virtual bool AskImportFile(u16 kind, ImportChoice* choice, const ImportPreview* preview) = 0;
    // Whether the owner is the application's current screen.
    virtual bool IsCurrentScreen() const = 0;
    // A click outside the canvas: when it is on an available Start Over button, the panel's
    // buttons go out of service until the effect ends.
    virtual void ClickOutsideCanvas(Point16 point) = 0;
    // Sends the current panel a message at once (a flatten answer: the button and the kind).
    virtual void SendToPanel(u32 code, uintptr_t param1) = 0;
    // Whether the current tool panel is the cut-and-move panel.
    virtual bool CutMovePanelCurrent() const = 0;
    // The most Flash objects a page may hold.
    virtual u16 FlashObjectLimit() const = 0;
    // The libraries the panels show; null when there are none.
    virtual const RLibraryMgr* Libraries() const { return nullptr; }
};

}  // namespace Ostrel
