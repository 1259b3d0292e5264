#include "text/speech/SpeechSurroundings.h"

#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"

namespace {

SpeechSurroundings& installed() {
    static SpeechSurroundings surroundings;
    return surroundings;
}

}  // namespace

void SetSpeechSurroundings(SpeechSurroundings surroundings) { installed() = std::move(surroundings); }

const SpeechSurroundings& CurrentSpeechSurroundings() { return installed(); }

void ShowSpeechMissingAlert() {
    ShowAlert(LookupLanguageText("HardwareStrings", "WindowsSpeechMissing").c_str(), nullptr, kAlertOk);
}
