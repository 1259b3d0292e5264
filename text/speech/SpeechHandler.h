#pragma once
// Speaking over the platform's speech service. Texts are respelled with the pronunciation
// list of the current family, rendered by a Speaker and played through the mixer.
//
// The list lives in memory and in "Words.dic" of the user's folder: it is loaded on first
// use, written back when the enabled flag asks for a resynchronisation and at destruction,
// and, when another user has logged in since, written to the last user's file and replaced
// by the new user's list. A write that fails keeps the list in memory, and lastSaveError says why; a
// file that could not be read is read again before a save and never written over unread.
// The first Speak on a machine without real speech tells the user once.
#include <optional>
#include <string>
#include <vector>

#include "platform/drives/SystemErrors.h"
#include "platform/speech/Speaker.h"
#include "text/speech/ASpeechHandler.h"
#include "text/speech/SpeechPlayback.h"
#include "text/speech/SpeechSurroundings.h"
#include "text/speech/format/Pronunciation.h"

class SpeechHandler : public ASpeechHandler {
public:
    SpeechHandler(plat::SpeechBackend& backend, SpeechSurroundings surroundings);
    ~SpeechHandler() override;

    void Speak(const char* text, i32 length) override;
    bool IsSpeaking() const override { return playback_.isSpeaking(); }
    i32 Stop() override;
    bool SetVoice(u16 number) override;
    u32 SetVoiceFamily(u32 family) override;
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool IsEnabled() const override { return enabled_; }
    bool AddPronunciation(std::string_view word, std::string_view pronunciation) override;

    plat::Speaker& speaker() { return speaker_; }
    SpeechPlayback& playback() { return playback_; }
    u32 family() const { return family_; }
    // The voice selected last; none before the first selection, and Speak is silent then.
    const std::optional<plat::SpeechVoice>& voice() const { return voice_; }
    const std::vector<Pronunciation>& pronunciations() const { return list_; }
    plat::SysErr lastSaveError() const { return lastSaveError_; }

private:
    void followUser();
    plat::SysErr readList();
    void save();

    plat::SpeechBackend& backend_;
    plat::Speaker speaker_;
    SpeechPlayback playback_{speaker_};
    SpeechSurroundings surroundings_;
    std::string listPath_;
    std::vector<Pronunciation> list_;
    std::optional<plat::SpeechVoice> voice_;
    u32 family_ = 0;
    u16 voiceNumber_ = 0;
    bool reselect_ = false;
    bool loaded_ = false;
    bool listUnread_ = false;
    bool spokenBefore_ = false;
    bool enabled_ = false;
    plat::SysErr lastSaveError_ = plat::kSysOk;
};
