#pragma once
// The program's content locator: the locator of engine/resources/tContents.h with the user's
// side of it, in alerts worded by the language files ([ContentStrings]): asking for a disc,
// asking to eject discs that hold no content, asking back a content disc taken out while in
// use, and ending the program when its content cannot be found. Texts are shown as they
// stand; a disc's name is put into its text as plain text, never through a format. Whatever
// ends the program this way first lets the screen keep the work the child has not saved.
//
// Built once at start-up, after the language files are set up. User-interface thread only.
#include <functional>
#include <string>

#include "engine/resources/tContents.h"

namespace Ostrel {

constexpr const char* kContentStrings = "ContentStrings";

class GameFileMgr : public tContents {
public:
    // Over the program folder and the data folder: the table "TB.ini", the switches "TB.cfg".
    GameFileMgr(const Path* programFolder, const Path* dataFolder);

    u16 AskForDisc(i32 discNumber) override;
    u16 Prompt(u16 kind) override;
    u16 ReportVolumeError(const OsErrorRecord& event, u16* outQuit) override;
    u16 AskToPutBackDisc(const char* label, u16 mayRetry) override;
    // Keeps the unsaved work, then stops the program.
    void ExitProgram(int code) override;

    // While 0, the prompts that would end the program answer 0 and end nothing.
    u16 quitAllowed = 1;
    // What the program keeps before it stops at once (the screen's unsaved page); null: nothing.
    std::function<void()> keepUnsavedWork;
    // How the program stops; null: at once, with the code (tests go on instead).
    std::function<void(int code)> stopProgram;

protected:
    // Whether the program is ending: a disc is then no longer asked for, since alerts shown
    // while it ends close by themselves and would ask again without end.
    virtual bool Quitting() const;

private:
    bool keeping_ = false;
};

// `text` with its first "%s" replaced by `name` (the text itself when it holds none).
std::string InsertName(const std::string& text, const std::string& name);

}  // namespace Ostrel
