#pragma once
// The program's open and save dialogs. Building one runs it at once; GetFileName then gives
// the chosen file's full engine text, or an empty text when the user cancelled (which shows
// no alert). The owner hears the dialog's events through its callback: initialised, the
// file type changed, a file picked in the list, an extension item used, closed.
//
// The extension template `templateId` ('DLOG') adds the owner's items below the common ones;
// 0 adds none. `places` names folders in words (mfxFilePlace.h); `reach` bounds the folders the
// dialog shows (mfxFileReach.h), the one it starts in always among them; `ownFolder`, the user's
// own folder, gives an open dialog its button there (empty: none). On a headless display
// the dialog is driven by the scripted input like every other dialog. User-interface thread only.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"
#include "engine/regions/Rects.h"
#include "framework/filedialogs/mfxFileFilter.h"
#include "framework/filedialogs/mfxFilePlace.h"
#include "framework/filedialogs/mfxFileReach.h"

class mfxWindow;

enum mfxFileEventKind : u16 {
    kFileEventSelection = 0,  // open dialog: the list's pick moved to a file; `path`; `rect`: the
                              // extension's picture item in the window's client coordinates,
                              // where the owner may draw a preview of the file (empty without one);
                              // `value`: the option chosen (below); sent again after each drawing
                              // of the dialog, which covers it, and after the option changed
    kFileEventInit = 1,       // `value`: the extension template's id
    kFileEventInitDone = 2,   // save dialog: `value`: the file type's number
    kFileEventDestroy = 3,    // open dialog
    kFileEventCommand = 4,    // `value`: the extension item, `rect`: its client rectangle
    kFileEventTypeChange = 5, // save dialog: `value`: the file type's number (from 1)
};

struct mfxFileDialogEvent {
    u16 kind = 0;
    u16 value = 0;
    Rect16 rect{};
    std::string path;
};

using mfxFileDialogCallback = void (*)(const mfxFileDialogEvent& event, void* context);

class mfxCustomFile {
public:
    virtual ~mfxCustomFile() = default;
    mfxCustomFile(const mfxCustomFile&) = delete;
    mfxCustomFile& operator=(const mfxCustomFile&) = delete;

    const std::string& GetFileName() const { return fileName; }
    // The extension's radio buttons are one choice, its option: the id of the one checked when
    // the dialog closed (the template's checked one until the user picks another), 0 without.
    u16 GetOption() const { return option; }
    // Whether the extension's check box `item` was ticked when a file was chosen.
    bool IsTicked(u16 item) const { return std::find(ticked.begin(), ticked.end(), item) != ticked.end(); }

    std::string fileName;
    mfxFileDialogCallback callback = nullptr;
    u16 templateId = 0;
    void* callbackContext = nullptr;
    std::string initialFolder;  // full engine text
    u16 initDone = 0;
    u16 option = 0;
    std::vector<u16> ticked;

protected:
    mfxCustomFile(const char* title, u16 templateId, const Path* initialFolder, mfxFileDialogCallback callback,
                  void* callbackContext, mfxWindow* owner, std::vector<mfxFileFilter> filter, bool saving,
                  std::vector<mfxFilePlace> places, std::vector<mfxFileReach> reach, std::string ownFolder = {});
    virtual void Run();
    virtual void HookMessage(const mfxFileDialogEvent& event);

    // The name a save's field starts with; empty: none.
    std::string shownName_;

private:
    std::string title_;
    mfxWindow* owner_;
    std::vector<mfxFileFilter> filter_;
    bool saving_;
    std::vector<mfxFilePlace> places_;
    std::vector<mfxFileReach> reach_;
    std::string ownFolder_;
};

class mfxCustomGetFile : public mfxCustomFile {
public:
    mfxCustomGetFile(const char* title, u16 templateId, const Path* initialFolder, mfxFileDialogCallback callback,
                     void* callbackContext, mfxWindow* owner, std::vector<mfxFileFilter> filter,
                     std::vector<mfxFilePlace> places = {}, std::vector<mfxFileReach> reach = {},
                     std::string ownFolder = {});
};

class mfxCustomPutFile : public mfxCustomFile {
public:
    // `defaultName` is kept for the owner; the name field starts empty, or with `defaultName` when
    // `nameShown` (a copy of something that already has a name, such as an export).
    mfxCustomPutFile(const char* title, u16 templateId, const Path* initialFolder, mfxFileDialogCallback callback,
                     void* callbackContext, mfxWindow* owner, std::string defaultName, std::vector<mfxFileFilter> filter,
                     std::vector<mfxFilePlace> places = {}, bool nameShown = false,
                     std::vector<mfxFileReach> reach = {});
    std::string defaultName;
};
