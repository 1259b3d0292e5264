#pragma once
// What the rest of the program sees of speech: speaking texts with a chosen voice, and the
// user's pronunciation list. One handler serves the whole process: made on the first
// GetInstance, deleted by DestroyInstance at shutdown.
#include <string_view>

#include "engine/base/EngineTypes.h"

class ASpeechHandler {
public:
    virtual ~ASpeechHandler() = default;
    virtual void Speak(const char* text, i32 length) = 0;
    virtual bool IsSpeaking() const = 0;
    virtual i32 Stop() = 0;
    virtual bool SetVoice(u16 number) = 0;
    virtual u32 SetVoiceFamily(u32 family) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual bool AddPronunciation(std::string_view word, std::string_view pronunciation) = 0;

    // Null only when memory runs out.
    static ASpeechHandler* GetInstance();
    static void DestroyInstance();
};
