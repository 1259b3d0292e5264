#pragma once
// What a screen offers the main window beyond its message handler: the easel's text panel,
// which some menu commands talk to, the canvas's edit frame, which a click or a command
// elsewhere commits first, and the page's teacher's note and library choices for the Teacher
// menu. The easel derives from it; the main window finds it on the current screen.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

class CListener;

namespace Ostrel {

class RMenuScreen {
public:
    virtual ~RMenuScreen() = default;

    // The current tool panel when it is the text panel; null otherwise.
    virtual CListener* TextPanel() const { return nullptr; }
    // When the canvas says a click (null: a menu command) misses the active edit frame, the
    // canvas deselects. True when that took the click and it lies in the canvas, so that
    // nothing else hears it.
    virtual bool DeselectMissedEditFrame(const Point16* click) {
        (void)click;
        return false;
    }
    // The current page has a teacher's note ("EditNote" instead of "AddNote").
    virtual bool PageHasNote() const { return false; }
    // The current page is kept in a picture file of its own (saved, or opened from one) and
    // unchanged since: the Teacher's "Publish" is offered for it.
    virtual bool PageSavedAsIs() const { return false; }
    // The Teacher menu's page dialogs: 242 manage libraries, 243 the teacher's note.
    virtual void RunTeacherDialog(u16 command) { (void)command; }
    // The language changed: a screen whose art carries words shows itself again in the new one.
    virtual void LanguageChanged() {}
};

}  // namespace Ostrel
