// The teacher's note of the page, shown in its dialog.
#include <cstring>

#include "app/application/ApplicationMessages.h"
#include "app/application/RApplication.h"
#include "app/dialogs/RDlgEnterName.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RNoteDlg.h"
#include "document/clipboard/CCPObj.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/files/OsServices.h"
#include "engine/files/UniqueFileName.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/EaselSaveQuestion.h"
#include "screens/easel/PictureFiles.h"
#include "screens/easel/RCanvas.h"
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
