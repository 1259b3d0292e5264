// The teacher's note of the page, shown in its dialog.
#include "app/dialogs/RNoteDlg.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "screens/easel/REasel.h"

namespace Ostrel {

// --- the teacher's note

void REasel::ShowNote() {
    RPage* page = CurrentPage();
    if (!page) return;
    RNotePageObject* note = page->Data().GetNote();
    if (!note || note->IsEmpty()) {
        UpdateNoteMenuItem(false);
        return;
    }
    StopAll();
    SuspendCanvas();
    EndStroke(0);
    UpdateNoteMenuItem(true);
    noteDialog_ = std::make_unique<RNoteDlg>(this, note);
    if (noteDialog_->Open() != 0) {
        noteDialog_.reset();
        UpdateNoteMenuItem(false);
        ResumeCanvas();
    }
}

}  // namespace Ostrel
