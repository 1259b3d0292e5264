#pragma once
// The slide show's save question and its save, for the steps that cannot wait for an answer
// given later: the program's end, in the slide-show editor or during a show. User-interface
// thread only.
#include <string>

#include "engine/base/EngineTypes.h"
#include "screens/picker/PickerFileUi.h"

namespace Ostrel {

class RDocument;

// Asks in the program's own warnings dialog and returns once the child has answered:
// kWarningResultYes, kWarningResultNo, or kDlgResultLeave (cancelled, or left unanswered
// because the program was asked to end again). Without the dialog's art the plain box asks.
u16 AskToSaveShowNow();
// Saves the show where the child chooses, the save dialog prefilled with `name`: 0 saved, 1
// nothing chosen, else the error, which the child has been told; the show's file keeps its
// last save unless the save succeeded.
u16 SaveShowWithDialog(RDocument& document, const std::string& name, const PickerFileUi& files);
// The show's name: its file's name without the extension; empty without a file.
std::string ShowNameOf(RDocument& document);

}  // namespace Ostrel
