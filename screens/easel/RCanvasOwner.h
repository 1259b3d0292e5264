#pragma once
// What the canvas asks of the screen that owns it: the page it shows (owned by the
// application), the document, and the tool option panel that must let go of the canvas while
// the page is replaced. The easel answers for the application; tests answer with a plain page.
#include <memory>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

class RDocument;
class RPage;
class RPageObject;
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
    virtual const GlobalUserSettings* UserSettings() const = 0;
    // The panel releases its canvas objects and drops its frame maker; non-zero when it had
    // something to give back.
    virtual u16 DetachPanel() = 0;
    virtual void AttachPanel() = 0;
    // The page or what it holds changed: menus and Play follow (message 280).
    virtual void PageStateChanged() = 0;
    // A new Flash or text object needs an edit frame from the panel (message 1250).
    virtual void GiveObjectFrame(RPageObject* object) = 0;
};

}  // namespace Ostrel
