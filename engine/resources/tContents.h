#pragma once
// The content locator: finds the archive files of a named content item, opens them with the
// resource manager and keeps them open until the item is released. The table of contents is
// "TB.ini" in the program folder: each item's section names the disc that holds it ("Disc")
// and its archives ("File_0", "File_1", ... relative names, numbered without gaps). An
// item's archives are looked for in the program's data folder first (the usual case), then
// on the content discs in the drives, asking for the right disc when none holds them.
//
// There is one locator at a time. It installs its own OS error callback, through which a
// content disc taken out while in use is asked back. What the user is told is left to a
// class above (the application's prompts): the base asks nothing and gives up. Texts of the
// table of contents are only ever names and values, never formats.
//
// User-interface thread; the OS services call the error callback from inside a failing file
// operation, which is why the handler guards against re-entry.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "engine/resources/ResourceManager.h"

class tContents {
public:
    // Thrown inside the locator; also the codes OpenContent answers and Prompt is asked with.
    enum tError : u16 {
        kOtherFailure = 1,
        kSecondLocator = 3,
        kAskToEject = 4,  // Prompt kind: may discs that hold no content be ejected?
        kDiscRefused = 5,
        kNoDiscKey = 6,
        kItemNotFound = 7,
        kNoTableOfContents = 9,
    };

    // Reads the table `tocName` and the switches of `configName` ([TOC] Debug, MCD) in
    // `programFolder`; items are looked for in `dataFolder` first. Throws kSecondLocator or
    // kNoTableOfContents.
    tContents(const Path* programFolder, const Path* dataFolder, const char* tocName, const char* configName);
    virtual ~tContents();
    tContents(const tContents&) = delete;
    tContents& operator=(const tContents&) = delete;

    // 0 when the item's archives are open; else the code the last Prompt was asked with.
    virtual u16 OpenContent(const char* name, u16 mode);
    virtual void ReleaseContent(const char* name);
    // The file `name` in the folders of the open items, newest item first; false when none.
    virtual bool FindContentFile(const char* name, Path* out);
    // 1 once the user says the disc is in, 0 to give up.
    virtual u16 AskForDisc(i32 discNumber);
    // The answer to a tError kind: non-zero tries again (kAskToEject: yes).
    virtual u16 Prompt(u16 kind);
    // 1 to retry.
    virtual u16 ReportVolumeError(const OsErrorRecord& event, u16* outQuit);
    // 1 to retry the failing operation.
    virtual u16 HandleVolumeEvent(const OsErrorRecord& event, u16* outQuit);
    virtual u16 ScanningVolumeEvent(const OsErrorRecord& event, u16* outQuit);
    // A content disc in use was taken out: 1 when the user put it back, 0 to quit.
    virtual u16 AskToPutBackDisc(const char* label, u16 mayRetry);
    // Ends the program; the shell's version deletes the engine's threads first.
    virtual void ExitProgram(int code);

    // The archives of the newest open record of `name`; empty when it is not open.
    std::vector<ResMapHandle> ArchivesOf(const char* name) const;
    VolumeRecord* FindDisc(i32 discNumber);
    u16 RescanVolumes();

    u16 multiDisc = 0;
    u16 debugContent = 0;
    u16 keepCallback = 0;
    u16 scanning = 0;

private:
    struct Volume {
        VolumeRecord* volume = nullptr;
        u32 serial = 0;
        std::string label;
        i32 discNumber = 0;  // 0: not a content disc
        u32 lastUse = 0;
        u16 useCount = 0;
    };
    struct Content {
        std::string name;
        Volume* volume = nullptr;
        std::vector<ResMapHandle> archives;
        std::vector<std::string> folders;  // full texts
    };

    Content* Locate(const char* name, u16 mode);
    bool SearchFiles(std::vector<Path>* files, Volume* volume, const char* name);
    void ScanDrives();
    Volume* AddVolume(VolumeRecord* volume);
    void PromptForDisc(i32 discNumber);
    void Eject(Volume* volume);
    bool EjectOtherVolumes();
    void EjectLeastRecentlyUsed();
    void RemoveVolume(Volume* volume);
    void CloseContent(Content* content);
    bool IsContentDiscInUse(const VolumeRecord* volume) const;
    static u16 OnOsError(const OsErrorRecord* event);

    Path programFolder_{};
    Path dataFolder_{};
    Path tocPath_{};
    VolumeRecord* programVolume_ = nullptr;
    std::vector<Volume*> volumes_;
    std::vector<Content*> openContents_;  // newest first
    OsErrorCallback previousCallback_ = nullptr;
    size_t lastScanCount_ = 0;
    bool inHandler_ = false;
    bool quitPending_ = false;
};

// The one locator, or null.
tContents* contentsLocator();
