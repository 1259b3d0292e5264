#include "text/speech/SpeechHandler.h"

#include <algorithm>
#include <cstring>

#include "text/speech/PronunciationFile.h"
#include "text/speech/Respelling.h"
#include "text/speech/SpeechVoices.h"

SpeechHandler::SpeechHandler(plat::SpeechBackend& backend, SpeechSurroundings surroundings)
    : backend_(backend), speaker_(backend), surroundings_(std::move(surroundings)) {}

SpeechHandler::~SpeechHandler() {
    playback_.stop();
    if (loaded_) save();
}

void SpeechHandler::Speak(const char* text, i32 length) {
    if (!text || length < 1 || !voice_) return;
    followUser();
    if (!spokenBefore_) {
        spokenBefore_ = true;
        if (backend_.standsIn() && surroundings_.speechMissing) surroundings_.speechMissing();
    } else if (enabled_) {
        save();
        enabled_ = false;
    }
    // The text ends at its length or at a NUL before it, never beyond the length.
    const std::string_view given(text, strnlen(text, size_t(length)));
    // Each piece the speaker queues goes to the mixer at once: the first sound does not wait
    // for the whole text to be rendered.
    bool streaming = false;
    const bool spoken = speaker_.speak(*voice_, respell(given, list_, family_), [&] {
        if (!streaming) streaming = true, playback_.play(false);
        else playback_.playMore(false);
    });
    if (spoken) streaming ? playback_.playMore(true) : playback_.play();
    // A rendering that failed part way has replaced what played: nothing of it stays.
    else if (streaming) playback_.stop();
}

i32 SpeechHandler::Stop() {
    playback_.stop();
    return 0;
}

u32 SpeechHandler::SetVoiceFamily(u32 family) {
    if (family == family_) return family;
    if (family < kSpeechFamilyCount) family_ = family;
    reselect_ = true;
    return family;
}

bool SpeechHandler::SetVoice(u16 number) {
    // Before any voice is chosen there is nothing to keep, whatever the number.
    if (voice_ && number == voiceNumber_ && !reselect_) return true;
    reselect_ = false;
    const std::optional<plat::SpeechVoice> voice = speechVoiceFor(family_, number);
    if (!voice) return false;
    const std::vector<plat::SpeechVoice> offered = backend_.voices();
    if (std::find(offered.begin(), offered.end(), *voice) == offered.end()) return false;
    voice_ = voice;
    voiceNumber_ = number;
    return true;
}

bool SpeechHandler::AddPronunciation(std::string_view word, std::string_view pronunciation) {
    followUser();
    if (word.empty() || word.size() >= kPronunciationTextLimit || pronunciation.size() >= kPronunciationTextLimit)
        return false;
    list_.push_back({std::string(word), std::string(pronunciation), 0, family_});
    return true;
}

void SpeechHandler::followUser() {
    // The user's folder is asked for at each use, not at construction: a user is chosen after
    // start-up, and another one may log in later.
    const std::string folder = surroundings_.folderText ? surroundings_.folderText(kSpeechListFolder) : "";
    const std::string path = folder.empty() ? std::string() : folder + kSpeechListFileName;
    if (loaded_ && path == listPath_) return;
    // The last user's words go to their own file; words kept while no user was there stay.
    if (loaded_ && !listPath_.empty()) {
        save();
        list_.clear();
    }
    loaded_ = true;
    listUnread_ = false;
    listPath_ = path;
    if (!listPath_.empty()) readList();
}

plat::SysErr SpeechHandler::readList() {
    PronunciationDecoding read;
    const plat::SysErr err = loadPronunciationFile(listPath_, read);
    if (err == plat::kSysOk) {
        // Words added while the file could not be read follow the file's own.
        read.entries.insert(read.entries.end(), list_.begin(), list_.end());
        list_ = std::move(read.entries);
    }
    // A file that is there but cannot be read now holds the user's words all the same.
    listUnread_ = err != plat::kSysOk && err != plat::kSysFileNotFound && err != plat::kSysPathNotFound;
    return err;
}

void SpeechHandler::save() {
    if (listPath_.empty()) {
        lastSaveError_ = plat::kSysPathNotFound;
        return;
    }
    if (listUnread_) {
        const plat::SysErr err = readList();
        if (listUnread_) {
            lastSaveError_ = err;
            return;
        }
    }
    lastSaveError_ = savePronunciationFile(listPath_, list_);
}
