#pragma once
// What the speech handler needs from the layers above it: where the program's folders are,
// and how to tell the user that speech is missing. The application installs its own before
// the first ASpeechHandler::GetInstance; tests hand theirs to the handler directly.
#include <functional>
#include <string>

#include "engine/base/EngineTypes.h"

// The folder numbers of the program's folder table that speech uses.
constexpr u16 kSpeechListFolder = 19;  // the current user's folder, which holds "Words.dic"
constexpr const char* kSpeechListFileName = "Words.dic";

struct SpeechSurroundings {
    // The text of a program folder with its trailing separator; empty when it has none now.
    std::function<std::string(u16 folder)> folderText;
    // Called once, at the first use, when speech cannot be heard on this machine.
    std::function<void()> speechMissing;
};

// The surroundings GetInstance gives the process-wide handler. Without them the handler
// keeps no pronunciation list on disc and tells nobody.
void SetSpeechSurroundings(SpeechSurroundings surroundings);
const SpeechSurroundings& CurrentSpeechSurroundings();

// The alert the program shows when speech is missing: [HardwareStrings] "WindowsSpeechMissing".
void ShowSpeechMissingAlert();
