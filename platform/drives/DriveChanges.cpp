#include "platform/drives/DriveChanges.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/drives/MountTable.h"

namespace plat {
namespace {

constexpr intptr_t kVolumeDevice = 2;
constexpr int kDeviceTypeShift = 40;
constexpr intptr_t kMediaBit = intptr_t(1) << 32;
constexpr intptr_t kUnitsMask = 0x3FFFFFF;

// The kernel marks /proc/self/mountinfo with POLLPRI whenever a mount comes or goes.
class MountWatcher {
public:
    MountWatcher() : stop_(::eventfd(0, EFD_CLOEXEC)), thread_([this] { run(); }) {}
    ~MountWatcher() {
        const uint64_t one = 1;
        if (::write(stop_, &one, sizeof one) != sizeof one) return;  // the thread cannot be told: leave it
        thread_.join();
        ::close(stop_);
    }

private:
    void run() {
        const int table = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        if (table < 0) return;
        pollfd fds[2] = {{stop_, POLLIN, 0}, {table, POLLPRI, 0}};
        for (;;) {
            fds[0].revents = fds[1].revents = 0;
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                break;
            }
            if (fds[0].revents) break;
            if (!(fds[1].revents & (POLLPRI | POLLERR))) continue;
            const drives_detail::MountChanges changes = drives_detail::rescanDrives();
            if (changes.arrived) drives_detail::notifyDriveChange(kDeviceArrival, {changes.arrived, true});
            if (changes.removed) drives_detail::notifyDriveChange(kDeviceRemoveComplete, {changes.removed, true});
        }
        ::close(table);
    }

    int stop_;
    std::thread thread_;
};

struct Listening {
    std::mutex mutex;
    DriveChangeListener listener;
    std::unique_ptr<MountWatcher> watcher;
};

Listening& listening() {
    static auto* instance = new Listening();  // outlives static destructors that may still post
    return *instance;
}

}  // namespace

intptr_t encodeVolumeChange(VolumeChange change) {
    return (kVolumeDevice << kDeviceTypeShift) | (change.media ? kMediaBit : 0) | (intptr_t(change.units) & kUnitsMask);
}

bool decodeVolumeChange(intptr_t parameter, VolumeChange* change) {
    if (((parameter >> kDeviceTypeShift) & 0xFF) != kVolumeDevice) return false;
    *change = VolumeChange{uint32_t(parameter & kUnitsMask), (parameter & kMediaBit) != 0};
    return true;
}

void driveSetChangeListener(DriveChangeListener listener) {
    Listening& l = listening();
    std::unique_ptr<MountWatcher> retired;
    {
        std::lock_guard lock(l.mutex);
        l.listener = std::move(listener);
        if (l.listener && !l.watcher) {
            l.watcher = std::make_unique<MountWatcher>();
        } else if (!l.listener) {
            retired = std::move(l.watcher);
        }
    }
    // Joined outside the lock: the watcher may be waiting for it to report a change.
    retired.reset();
}

void drives_detail::notifyDriveChange(uint32_t event, VolumeChange change) {
    DriveChangeListener listener;
    {
        std::lock_guard lock(listening().mutex);
        listener = listening().listener;
    }
    if (listener) listener(event, change);
}

}  // namespace plat
