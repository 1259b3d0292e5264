// Discs put in and taken out while the program runs: the drive layer reports them from its
// own threads, so they are posted to the OS manager's hidden window and handled on the
// user-interface thread, where the drive table lives.
#include "engine/files/OsState.h"
#include "platform/drives/DriveChanges.h"
#include "platform/ui/MessageQueue.h"

namespace {

template <typename Action>
void forEachDrive(u32 units, Action action) {
    for (DriveEntry& drive : gOs.drives) {
        if (drive.number && (units & (1u << (drive.number - 1)))) action(drive);
    }
}

intptr_t deviceChangeProcedure(plat::WindowHandle window, u32 message, uintptr_t wParam, intptr_t lParam) {
    plat::VolumeChange change;
    if (message == plat::kMsgDeviceChange && plat::decodeVolumeChange(lParam, &change)) {
        if (wParam == plat::kDeviceQueryRemove && !change.media) return plat::kBroadcastQueryDeny;
        if (wParam == plat::kDeviceArrival && change.media) {
            // A disc that cannot be read now is asked for when a path needs it, not here.
            --gOs.suppression;
            forEachDrive(change.units, [](DriveEntry& drive) {
                if (drive.mediaLocked) return;
                osMountDrive(drive.number);
                osSetMediaLock(&drive, false);
            });
            ++gOs.suppression;
        }
        if (wParam == plat::kDeviceRemoveComplete && change.media) {
            forEachDrive(change.units, [](DriveEntry& drive) { drive.current = nullptr; });
        }
    }
    return gOs.previousProcedure ? gOs.previousProcedure(window, message, wParam, lParam)
                                 : plat::defaultWindowProcedure(window, message, wParam, lParam);
}

}  // namespace

void osWatchDeviceChanges() {
    const plat::WindowHandle window = osmGetHiddenWindow();
    if (!window) return;
    gOs.watchingWindow = window;
    gOs.previousProcedure = plat::setWindowProcedure(window, deviceChangeProcedure);
    plat::driveSetChangeListener([window](u32 event, plat::VolumeChange change) {
        plat::postMessage(window, plat::kMsgDeviceChange, event, plat::encodeVolumeChange(change));
    });
}

void osStopWatchingDeviceChanges() {
    if (!gOs.watchingWindow) return;
    plat::driveSetChangeListener(nullptr);
    plat::setWindowProcedure(gOs.watchingWindow, std::move(gOs.previousProcedure));
    gOs.watchingWindow = plat::kNoWindow;
}
