// The missing-volume prompt: what the user is asked when a file lies on a volume that is not
// there, for every volume but the content discs (the content locator asks for those itself).
#include <cstdlib>
#include <string>

#include "app/application/RApplication.h"
#include "engine/files/OsServices.h"
#include "engine/os/OsThreads.h"
#include "framework/dialogs/mfxAlert.h"

namespace Ostrel {

namespace {

constexpr u16 kGiveUp = 0;
constexpr u16 kTryAgain = 1;
constexpr int kExitVolumeFailure = 1;
// A system error is tried again at once, but not more often than this in a row: a lasting
// one (a failing disc) would otherwise hold the failing call for ever.
constexpr u16 kSystemErrorRetryLimit = 3;

// "D:" for the drive, empty when no drive is known.
std::string driveText(u32 drive) {
    OsDriveInfo info{};
    if (drive == 0 || osGetDriveInfo(drive, &info) != kErrNone || info.letter == 0) return std::string();
    return std::string(1, char(info.letter)) + ":";
}

// The volume's name goes into the text as it stands, never through a format.
std::string insertText(const OsErrorRecord& request) {
    const std::string name = request.volume ? std::string(request.volume->info.name) : std::string("unknown");
    const std::string drive = driveText(request.drive);
    if (name.empty()) return "Please insert the disk in drive " + drive;
    return "Please insert volume \"" + name + "\" in drive " + drive;
}

}  // namespace

u16 RApplication::SetMissingVolumePrompt(u16 flag) {
    RApplication* application = GetApplication();
    if (!application) return 0;
    const u16 previous = application->missingVolumeAsk_;
    application->missingVolumeAsk_ = flag;
    return previous;
}

u16 RApplication::PromptForMissingVolume(const OsErrorRecord* request) {
    RApplication* application = GetApplication();
    if (!application || !request || application->missingVolumeGivenUp_) return kGiveUp;
    if (request->kind != kOsErrorKindSystem) application->systemErrorRetries_ = 0;
    switch (request->kind) {
        case kOsErrorKindSystem:
            if (application->systemErrorRetries_ >= kSystemErrorRetryLimit) {
                application->systemErrorRetries_ = 0;
                return kGiveUp;
            }
            ++application->systemErrorRetries_;
            return kTryAgain;
        case kOsErrorKindInsertVolume: {
            if (!application->missingVolumeAsk_) return kGiveUp;
            const u32 buttons = request->mayRetry ? kAlertRetryCancel : kAlertOk;
            return mfxAlert(buttons | kAlertIconStop, insertText(*request)) == kAlertAnswerRetry ? kTryAgain : kGiveUp;
        }
        default:
            application->missingVolumeGivenUp_ = 1;
            if (!application->IsShuttingDown()) {
                osmDeleteAllThreads();
                std::exit(kExitVolumeFailure);
            }
            return kGiveUp;
    }
}

}  // namespace Ostrel
