#pragma once
// The open and save dialogs' box: a folder's sub-folders and the files of the chosen type in a
// list, the name field, the file types as a choice of one, and Open or Save, Cancel and Up,
// with the items of an extension template below them. Everything works from the keyboard: Tab
// moves between the items, arrows pick in the lists, Enter opens the folder picked in the list
// or takes the name typed (a folder's name opens it, ".." goes up; a path from the root or from
// the home folder, "/home/mia/cat.png" or "~/cat.png", and names joined by "/" are taken as
// the desktop writes them), Escape cancels. A dialog that opens outside the user's own folder may
// offer a button to it ("My folder"), the way back to what the user made wherever the list
// shows. Up goes no higher than the user's home folder from
// inside it, nor out of the dialog's reach (mfxFileReach.h): folders out of reach are neither
// listed nor entered, and no file is taken from them, however their path is typed. A save's
// name gets the chosen file type's extension when it lacks it, before a file it would replace
// is asked about; a pipe or a device under the name is refused as no real file before any
// question, and a name no file can take (a character no name holds, or a path whose folder is
// missing or out of reach) is refused with the character to blame. Folders listed show by their
// places' words and the program's own files by their names (mfxFilePlace.h, mfxFileFilter.h);
// an open takes a shown name as the file it stands for.
//
// Folders are listed, never made the process's current folder. User-interface thread only.
#include <memory>
#include <string>
#include <vector>

#include "framework/dialogs/mfxModalDialog.h"
#include "framework/filedialogs/mfxFileFilter.h"
#include "framework/filedialogs/mfxFileNameField.h"
#include "framework/filedialogs/mfxFilePlace.h"
#include "framework/filedialogs/mfxFileReach.h"

// Items of the common part; an extension template's items take other ids.
constexpr u16 kFileDlgFolder = 1;
constexpr u16 kFileDlgList = 2;
constexpr u16 kFileDlgName = 3;
constexpr u16 kFileDlgTypes = 4;
constexpr u16 kFileDlgOk = 5;
constexpr u16 kFileDlgCancel = 6;
constexpr u16 kFileDlgUp = 7;
constexpr u16 kFileDlgTypesLabel = 8;
constexpr u16 kFileDlgOwnFolder = 9;

struct mfxFileDialogSetup {
    bool saving = false;
    std::string title;
    std::string folder;  // full engine text of the folder shown first
    std::vector<mfxFileFilter> filters;
    const DialogTemplate* extension = nullptr;
    // The folders the dialog names in words (mfxFolderShownName).
    std::vector<mfxFilePlace> places;
    // The engine text of the user's home folder, which "~" names and above which Up does not
    // go from inside it; empty: none.
    std::string home;
    // A save's name field starts with this name, all of it selected, so that typing replaces it.
    std::string name;
    // The folders the dialog may show; empty: every folder.
    std::vector<mfxFileReach> reach;
    // The user's own folder, which a button below Up enters; empty: no such button.
    std::string ownFolder{};
};

class mfxFileDialog : public mfxModalDialog {
public:
    mfxFileDialog(mfxWindow* parent, const mfxFileDialogSetup& setup);

    enum class Step {
        None,
        Chosen,         // `path`: the chosen file
        Canceled,
        Selected,       // the list's pick moved to a file, `path` (open dialog)
        FilterChanged,
        Command,        // an extension item was used
        PathTooLong,
        NameRefused,    // a save's name no file of the folder can take: RefusedPart() tells why
    };
    Step Handle(const mfxDialogEvent& event, std::string* path);

    const std::string& Folder() const { return folder_; }
    // What a refused name cannot hold: its first character that no file name may hold, or the
    // whole name when no one character is to blame (a name hidden by its leading dot).
    const std::string& RefusedPart() const { return refused_; }
    // 1-based, as the file types are numbered for the owner.
    u16 FilterIndex() const;
    void EnterFolder(const std::string& folder);
    mfxFileNameField& NameField() { return *name_; }
    bool IsExtensionItem(u16 item) const;
    // The extension's first picture item in the parent window's client coordinates; empty
    // without one.
    Rect16 PreviewArea();
    // The extension's radio buttons are one choice: the one used is checked, the others not.
    // The checked one's id, 0 when the extension has none checked.
    u16 ChooseOption(u16 item);
    u16 Option() const;
    // The extension's check boxes: the one used is ticked or unticked. The ids of those ticked.
    void ToggleCheck(u16 item);
    std::vector<u16> Ticked() const;

private:
    struct Entry {
        std::string name;
        std::string shown;  // as the list shows it
        bool folder;
    };
    void Refill();
    bool AtTop() const;
    bool Reaches(const std::string& folder) const { return mfxReaches(setup_.reach, folder); }
    void ToParentFolder();
    // The engine text of what was typed in the name field, read as the desktop writes paths.
    std::string TypedPath(const std::string& typed) const;
    const Entry* Picked() const;
    Step Accept(std::string* path);
    Step Choose(const std::string& name, std::string* path);
    // An open's name typed without the ending of the program's own files it lists.
    Step OpenByShownName(const std::string& name, std::string* path);
    // A save's name no file can take: RefusedPart() tells why.
    Step RefuseName(const std::string& name);
    bool ConfirmReplace(const std::string& name);
    void RefuseDevice(const std::string& name);

    mfxFileDialogSetup setup_;
    std::string folder_;
    std::vector<Entry> entries_;
    std::unique_ptr<mfxFileNameField> name_;
    std::string refused_;
};

// The dialog's template: the common part (with the button to the user's own folder when
// `ownFolder`), with `extension`'s items below it.
DialogTemplate mfxFileDialogTemplate(bool saving, const std::string& title, const DialogTemplate* extension,
                                     bool ownFolder = false);
