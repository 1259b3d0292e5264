#pragma once
// What the slide-show editor answers: its buttons' clicks and hover tips, its own commands
// (slides, projects, dialogs' replies) and what it posts to itself. The main window's menus
// send it the names of app/window/MenuMessages.h, the application the screen codes of
// app/application/ApplicationMessages.h; the strip and the list post kMsgEntryDropped.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum PickerMessage : u32 {
    // Hover tips of the buttons, in the order of the button row.
    kPickerTipHelp = 343,
    kPickerTipPlay = 344,
    kPickerTipTransitions = 346,
    kPickerTipNewShow = 347,
    kPickerTipLoad = 348,
    kPickerTipTrash = 349,
    kPickerTipPaint = 350,
    // Per-slide dialogs, the cell in parameter 2 (the transition's is the menu's
    // kMsgMenuTransition, 1340).
    kPickerTimingDialog = 1341,
    kPickerToggleDialog = 1342,
    kPickerAddPicture = 1343,
    kPickerPlay = 1370,
    kPickerSave = 1373,
    kPickerHelpOn = 1374,
    // Dialogs' answers: code = the dialog's kind.
    kPickerWarningClosed = 1438,
    kPickerSaveQuestionClosed = 1439,
    kPickerBgColorClosed = 1450,
    kPickerTransitionClosed = 1418,
    kPickerTimingClosed = 1420,
    kPickerToggleClosed = 1422,
    kPickerCloseGaps = 1430,
    kPickerShowCopyWarning = 1440,
    kPickerShowDeleteWarning = 1441,
    kPickerUndoArrangement = 1447,
    kPickerRedoArrangement = 1448,
    kPickerDeleteClosed = 1701,
    kPickerPointerOverCell = 18355,
    kPickerProjectChosen = 19500,
    // The buttons' clicks: each button posts its own id.
    kPickerButtonNewShow = 5025,
    kPickerButtonPlay = 5028,
    kPickerButtonTransitions = 5031,
    kPickerButtonHelp = 5040,
    kPickerButtonPaint = 5043,
    kPickerButtonLoad = 5169,
    kPickerButtonTrash = 5005,
    // The per-cell hot spots of the detail row: parameter 1 the visible cell.
    kPickerCellTiming = 5093,
    kPickerCellToggle = 5119,
    kPickerCellTransition = 5107,
};

// The records the arrangement undo posts itself through the undo manager.
enum PickerUndoCode : u32 {
    kPickerUndoClear = fourCC("pCLR"),
    kPickerUndoCopy = fourCC("pCPG"),
    kPickerUndoMove = fourCC("pMPG"),
    kPickerUndoDelete = fourCC("pDPG"),
    kPickerUndoPlace = fourCC("pPPG"),
    kPickerUndoDeleteShow = fourCC("pDPJ"),
};

}  // namespace Ostrel
