#pragma once
// The paint screen's commands: a table from each command (or span of commands) the easel
// answers to the small handler that carries it out. The table holds every code the screen
// acts on; any other goes to the screen base, which ignores it. The handlers work on the
// easel they belong to, whose state they share. User-interface thread only.
#include <cstdint>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

class REasel;
struct RMessage;

class REaselCommands {
public:
    explicit REaselCommands(REasel& easel) : easel_(easel) {}

    u32 Handle(RMessage* message, uintptr_t data);
    // Whether the table has a handler for the code.
    static bool Handles(u32 code);

private:
    using Handler = u32 (REaselCommands::*)(RMessage*, uintptr_t);
    struct Entry {
        u32 first;
        u32 last;
        Handler handler;
    };
    static const Entry kCommands[];
    static const Entry* Find(u32 code);

    // Buttons and the tool bar.
    u32 ToolbarChosen(RMessage* message, uintptr_t data);
    u32 ButtonGroupChanged(RMessage* message, uintptr_t data);
    u32 ShowToolTip(RMessage* message, uintptr_t data);
    u32 UndoHover(RMessage* message, uintptr_t data);
    u32 Undo(RMessage* message, uintptr_t data);
    u32 StartOver(RMessage* message, uintptr_t data);
    u32 StartOverFinished(RMessage* message, uintptr_t data);
    u32 SetPanelButtons(RMessage* message, uintptr_t data);
    u32 SelectToolbarPhase(RMessage* message, uintptr_t data);
    u32 Play(RMessage* message, uintptr_t data);
    u32 Stop(RMessage* message, uintptr_t data);
    // Handed on as they come.
    u32 ToCanvas(RMessage* message, uintptr_t data);
    u32 ToPanel(RMessage* message, uintptr_t data);
    // Pictures and pages.
    u32 NewPicture(RMessage* message, uintptr_t data);
    u32 NewPageAfterQuestion(RMessage* message, uintptr_t data);
    u32 NewPageAfterLogin(RMessage* message, uintptr_t data);
    u32 NewPageFromMenu(RMessage* message, uintptr_t data);
    u32 OpenPicture(RMessage* message, uintptr_t data);
    u32 OpenChosenPicture(RMessage* message, uintptr_t data);
    u32 Save(RMessage* message, uintptr_t data);
    u32 SaveAs(RMessage* message, uintptr_t data);
    u32 Print(RMessage* message, uintptr_t data);
    u32 Export(RMessage* message, uintptr_t data);
    u32 RedrawPage(RMessage* message, uintptr_t data);
    u32 DropPage(RMessage* message, uintptr_t data);
    u32 PageStateChanged(RMessage* message, uintptr_t data);
    // Leaving the easel.
    u32 QuitRequest(RMessage* message, uintptr_t data);
    u32 Quit(RMessage* message, uintptr_t data);
    u32 GoToSlideShow(RMessage* message, uintptr_t data);
    u32 OpenProject(RMessage* message, uintptr_t data);
    // Questions and dialogs.
    u32 AskToSave(RMessage* message, uintptr_t data);
    u32 SaveQuestionAnswered(RMessage* message, uintptr_t data);
    u32 PictureNamed(RMessage* message, uintptr_t data);
    u32 OpenCopyDialog(RMessage* message, uintptr_t data);
    u32 CloseCopyDialog(RMessage* message, uintptr_t data);
    u32 ShowNote(RMessage* message, uintptr_t data);
    u32 NoteClosed(RMessage* message, uintptr_t data);
    u32 StartHelp(RMessage* message, uintptr_t data);
    u32 EndHelp(RMessage* message, uintptr_t data);
    u32 SmallKidsChanged(RMessage* message, uintptr_t data);
    // The colour swatch and the pickers.
    u32 SwatchInService(RMessage* message, uintptr_t data);
    u32 SwatchHover(RMessage* message, uintptr_t data);
    u32 ColorPickerClosed(RMessage* message, uintptr_t data);
    u32 ColorChosen(RMessage* message, uintptr_t data);
    u32 OpenTexturePicker(RMessage* message, uintptr_t data);
    u32 TextureChosen(RMessage* message, uintptr_t data);
    u32 TexturePickerClosed(RMessage* message, uintptr_t data);

    REasel& easel_;
};

}  // namespace Ostrel
