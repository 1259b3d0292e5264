#include "engine/resources/tContents.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "engine/base/TextUtils.h"
#include "engine/files/OsFiles.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

namespace {

tContents* gLocator = nullptr;

constexpr u16 kTocValueSize = kSystemTextSize;

bool sameNameNoCase(const std::string& a, const char* b) {
    return a.size() == std::strlen(b) && strCompareNoCase(a.c_str(), b) == 0;
}

void releaseAll(std::vector<Path>* paths) {
    for (Path& path : *paths) pathRelease(&path);
    paths->clear();
}

// The OS error callback is off for the scope: a scan or a release meets missing discs
// without asking the user.
class CallbackOff {
public:
    explicit CallbackOff(bool off) : off_(off) {
        if (off_) saved_ = osSetErrorCallback(nullptr);
    }
    ~CallbackOff() {
        if (off_) osSetErrorCallback(saved_);
    }
    CallbackOff(const CallbackOff&) = delete;
    CallbackOff& operator=(const CallbackOff&) = delete;

private:
    bool off_;
    OsErrorCallback saved_ = nullptr;
};

}  // namespace

tContents* contentsLocator() { return gLocator; }

tContents::tContents(const Path* programFolder, const Path* dataFolder, const char* tocName, const char* configName) {
    if (gLocator) {
        gLocator->Prompt(kSecondLocator);
        throw kSecondLocator;
    }
    pathJoin(&tocPath_, programFolder, tocName);
    if (!tocPath_.record || pathCheckExists(&tocPath_) != kErrNone) {
        pathRelease(&tocPath_);
        throw kNoTableOfContents;
    }
    pathInitCopy(&programFolder_, programFolder);
    pathInitCopy(&dataFolder_, dataFolder);
    gLocator = this;
    Path config;
    pathJoin(&config, programFolder, configName);
    if (config.record) {
        iniGetBool(&config, "TOC", "Debug", &debugContent);
        iniGetBool(&config, "TOC", "MCD", &multiDisc);
    }
    pathRelease(&config);
    programVolume_ = programFolder->record->volume;
    previousCallback_ = osSetErrorCallback(&tContents::OnOsError);
}

tContents::~tContents() {
    osSetErrorCallback(previousCallback_);
    for (Content* content : openContents_) CloseContent(content);
    openContents_.clear();
    for (Volume* volume : volumes_) delete volume;
    volumes_.clear();
    gLocator = nullptr;
    pathRelease(&tocPath_);
    pathRelease(&dataFolder_);
    pathRelease(&programFolder_);
}

u16 tContents::OpenContent(const char* name, u16 mode) {
    osEnableMediaLock(0);
    u16 code = 0;
    for (;;) {
        code = 0;
        try {
            if (Content* content = Locate(name, mode)) {
                openContents_.insert(openContents_.begin(), content);
                break;
            }
            code = kItemNotFound;
        } catch (tError error) {
            code = error;
        } catch (...) {
            code = kOtherFailure;
        }
        if (Prompt(code) == 0) break;
    }
    osEnableMediaLock(1);
    return code;
}

void tContents::ReleaseContent(const char* name) {
    const auto found = std::find_if(openContents_.begin(), openContents_.end(),
                                    [&](const Content* c) { return sameNameNoCase(c->name, name); });
    if (found == openContents_.end()) return;
    Content* content = *found;
    openContents_.erase(found);
    {
        CallbackOff off(true);
        CloseContent(content);
    }
    osmYield();
}

bool tContents::FindContentFile(const char* name, Path* out) {
    pathInitEmpty(out);
    for (const Content* content : openContents_) {
        for (const std::string& folder : content->folders) {
            Path file;
            const std::string text = folder + (folder.back() == '\\' ? "" : "\\") + name;
            pathFromText(&file, text.c_str());
            if (file.record && pathCheckExists(&file) == kErrNone) {
                *out = file;
                return true;
            }
            pathRelease(&file);
        }
    }
    return false;
}

u16 tContents::AskForDisc(i32) { return 0; }
u16 tContents::Prompt(u16) { return 0; }
u16 tContents::ReportVolumeError(const OsErrorRecord&, u16*) { return 0; }
u16 tContents::ScanningVolumeEvent(const OsErrorRecord&, u16*) { return 0; }
u16 tContents::AskToPutBackDisc(const char*, u16) { return 0; }
void tContents::ExitProgram(int code) { std::exit(code); }

u16 tContents::HandleVolumeEvent(const OsErrorRecord& event, u16* outQuit) {
    if (scanning) return ScanningVolumeEvent(event, outQuit);
    switch (event.kind) {
        case kOsErrorKindSystem:
        case kOsErrorKindDriveLocked:
        case kOsErrorKindWriteProtected:
            return ReportVolumeError(event, outQuit);
        case kOsErrorKindInsertVolume:
            break;
        default:
            return 1;
    }
    if (!event.volume) {
        if (!keepCallback) *outQuit = 0;
        return 0;
    }
    if (!IsContentDiscInUse(event.volume)) {
        *outQuit = 0;
        return previousCallback_ ? previousCallback_(&event) : 0;
    }
    osEnableMediaLock(0);
    if (AskToPutBackDisc(event.volume->info.name, event.mayRetry)) return 1;
    quitPending_ = true;
    ExitProgram(1);
    return 0;
}

u16 tContents::OnOsError(const OsErrorRecord* event) {
    tContents* self = gLocator;
    if (!self || self->quitPending_ || self->inHandler_) return 0;
    self->inHandler_ = true;
    u16 quit = 0;
    const u16 retry = self->HandleVolumeEvent(*event, &quit);
    self->inHandler_ = false;
    if (!retry && quit && !self->quitPending_) {
        self->quitPending_ = true;
        self->ExitProgram(-1);
    }
    return retry;
}

std::vector<ResMapHandle> tContents::ArchivesOf(const char* name) const {
    for (const Content* content : openContents_) {
        if (sameNameNoCase(content->name, name)) return content->archives;
    }
    return {};
}

tContents::Content* tContents::Locate(const char* name, u16 mode) {
    i32 disc = 0;
    if (iniGetLong(&tocPath_, name, "Disc", &disc, INT32_MIN, INT32_MAX) != kErrNone) throw kNoDiscKey;
    // An item that names no archive is missing: searching for nothing would succeed at once
    // and never end.
    char first[kTocValueSize];
    if (iniGetString(&tocPath_, name, "File_0", first, sizeof first, "") != kErrNone) return nullptr;
    std::vector<Path> files;
    Volume* used = nullptr;
    for (;;) {
        ScanDrives();
        if (SearchFiles(&files, nullptr, name)) break;
        FindDisc(disc);
        for (Volume* volume : volumes_) {
            if (volume->discNumber != disc) continue;
            if (SearchFiles(&files, volume, name)) used = volume;
            break;
        }
        for (size_t i = 0; !used && i < volumes_.size(); ++i) {
            if (SearchFiles(&files, volumes_[i], name)) used = volumes_[i];
        }
        if (used) break;
        PromptForDisc(disc);
    }
    auto* content = new Content{name, used, {}, {}};
    if (used) ++used->useCount;
    for (Path& file : files) {
        const ResMapHandle map = resOpenFile(&file, mode, 1);
        if (!map) {
            CloseContent(content);
            releaseAll(&files);
            return nullptr;
        }
        content->archives.push_back(map);
        Path folder;
        pathJoin(&folder, &file, "..");
        char text[kSystemTextSize] = {};
        pathGetFullText(&folder, text);
        pathRelease(&folder);
        content->folders.emplace_back(text);
    }
    releaseAll(&files);
    return content;
}

bool tContents::SearchFiles(std::vector<Path>* files, Volume* volume, const char* name) {
    releaseAll(files);
    for (u32 i = 0;; ++i) {
        const std::string key = "File_" + std::to_string(i);
        char value[kTocValueSize];
        if (iniGetString(&tocPath_, name, key.c_str(), value, sizeof value, "") != kErrNone) break;
        Path file;
        pathJoin(&file, &dataFolder_, value);
        if (file.record && pathCheckExists(&file) != kErrNone) pathRelease(&file);
        if (!file.record && volume) {
            const std::string onVolume = std::string("\\") + value;
            pathFromVolume(&file, volume->volume, onVolume.c_str());
            if (file.record && pathCheckExists(&file) != kErrNone) pathRelease(&file);
        }
        if (!file.record) {
            releaseAll(files);
            return false;
        }
        files->push_back(file);
    }
    return !files->empty();
}

void tContents::ScanDrives() {
    scanning = 1;
    {
        CallbackOff off(!keepCallback);
        std::vector<u32> drives;
        osEnumDrives(
            [](u32* drive, void* context) {
                static_cast<std::vector<u32>*>(context)->push_back(*drive);
                return u16(0);
            },
            &drives);
        for (const u32 drive : drives) {
            OsDriveInfo info{};
            if (osGetDriveInfo(drive, &info)) continue;
            const bool wanted = info.kind == kDriveCdRom ||
                                (debugContent && (info.kind == kDriveRemovable || info.kind == kDriveFixed ||
                                                  info.kind == kDriveRamDisk));
            if (!wanted) continue;
            // A disc may have been changed while the locks were off: read what the drive holds.
            if (info.kind == kDriveCdRom || !info.volume) {
                osMountDrive(drive);
                osGetDriveInfo(drive, &info);
            }
            if (info.volume) AddVolume(info.volume);
        }
    }
    scanning = 0;
    lastScanCount_ = volumes_.size();
}

u16 tContents::RescanVolumes() {
    const size_t previous = lastScanCount_;
    ScanDrives();
    return volumes_.size() > previous ? 1 : 0;
}

tContents::Volume* tContents::AddVolume(VolumeRecord* volume) {
    if (volume == programVolume_) return nullptr;
    for (Volume* known : volumes_) {
        if (known->volume == volume) return known;
    }
    Volume* record = nullptr;
    for (Volume* known : volumes_) {
        if (known->serial == volume->info.serial && known->label == volume->info.name) record = known;
    }
    if (record) {
        osForgetVolume(record->volume);
    } else {
        record = new Volume;
        volumes_.push_back(record);
    }
    record->volume = volume;
    record->serial = volume->info.serial;
    record->label = volume->info.name;
    record->discNumber = 0;
    if (!record->label.empty()) {
        iniGetLong(&tocPath_, record->label.c_str(), "Disc", &record->discNumber, INT32_MIN, INT32_MAX);
    }
    record->lastUse = plat::clockMillis();
    return record;
}

VolumeRecord* tContents::FindDisc(i32 discNumber) {
    const std::string section = "Disc" + std::to_string(discNumber) + "_Win";
    char label[kTocValueSize];
    if (iniGetString(&tocPath_, section.c_str(), "Name", label, sizeof label, "") != kErrNone) return nullptr;
    VolumeRecord* volume = osFindVolumeByName(label);
    if (volume) AddVolume(volume);
    return volume;
}

void tContents::PromptForDisc(i32 discNumber) {
    for (;;) {
        const bool others = std::any_of(volumes_.begin(), volumes_.end(), [](const Volume* v) { return v->discNumber == 0; });
        if (!others || !Prompt(kAskToEject) || !EjectOtherVolumes()) EjectLeastRecentlyUsed();
        if (!AskForDisc(discNumber)) throw kDiscRefused;
        ScanDrives();
        if (FindDisc(discNumber)) return;
    }
}

void tContents::Eject(Volume* volume) {
    OsVolumeInfo info{};
    osGetVolumeInfo(volume->volume, &info);
    osForgetVolume(volume->volume);
    if (info.drive) osEjectDrive(info.drive);
    RemoveVolume(volume);
}

bool tContents::EjectOtherVolumes() {
    bool ejected = false;
    for (Volume* volume : std::vector<Volume*>(volumes_)) {
        // An item may have been found on a disc that is no content disc: that disc stays.
        if (volume->discNumber != 0 || volume->useCount > 0) continue;
        OsVolumeInfo info{};
        OsDriveInfo drive{};
        if (osGetVolumeInfo(volume->volume, &info) || !info.drive || osGetDriveInfo(info.drive, &drive)) continue;
        if (!(drive.flags & kDriveFlagRemovable)) continue;
        Eject(volume);
        ejected = true;
    }
    return ejected;
}

void tContents::EjectLeastRecentlyUsed() {
    const u32 now = plat::clockMillis();
    Volume* oldest = nullptr;
    for (Volume* volume : volumes_) {
        if (volume->discNumber == 0) continue;
        if (volume->useCount > 0) {
            volume->lastUse = now;
        } else if (!oldest || now - volume->lastUse > now - oldest->lastUse) {
            oldest = volume;
        }
    }
    if (oldest) Eject(oldest);
}

void tContents::RemoveVolume(Volume* volume) {
    volumes_.erase(std::remove(volumes_.begin(), volumes_.end(), volume), volumes_.end());
    delete volume;
}

void tContents::CloseContent(Content* content) {
    for (const ResMapHandle map : content->archives) resCloseFile(map, 0, 0);
    if (content->volume) --content->volume->useCount;
    delete content;
}

bool tContents::IsContentDiscInUse(const VolumeRecord* volume) const {
    return std::any_of(volumes_.begin(), volumes_.end(), [&](const Volume* v) {
        return v->volume == volume && v->discNumber != 0 && v->useCount > 0;
    });
}
