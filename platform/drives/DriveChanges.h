#pragma once
// Media coming and going. One listener (the engine's OS services) hears of every disc put in
// or taken out: a watcher thread follows the host's mount table while a listener is
// installed, and fake drives report their own discs. The listener runs on the thread that
// saw the change, so it must only hand the news on (post a message).
//
// The events carry the numbers the program compares; a change travels inside a message as one
// pointer-sized parameter (encodeVolumeChange), so it can be posted across threads.
#include <cstdint>
#include <functional>

namespace plat {

constexpr uint32_t kDeviceArrival = 0x8000;
constexpr uint32_t kDeviceQueryRemove = 0x8001;
constexpr uint32_t kDeviceRemoveComplete = 0x8004;
// The answer that refuses a query-remove.
constexpr intptr_t kBroadcastQueryDeny = 0x424D5144;

struct VolumeChange {
    uint32_t units = 0;  // drive letters, bit 0 for A:
    bool media = false;  // the medium changed, not the drive itself
};

intptr_t encodeVolumeChange(VolumeChange change);
// False when the parameter does not describe a volume.
bool decodeVolumeChange(intptr_t parameter, VolumeChange* change);

using DriveChangeListener = std::function<void(uint32_t event, VolumeChange change)>;
// Installs the listener, replacing any other; an empty one removes it and stops the watcher.
void driveSetChangeListener(DriveChangeListener listener);

namespace drives_detail {
void notifyDriveChange(uint32_t event, VolumeChange change);
}

}  // namespace plat
