#include "platform/audio/sdl/QuietAlsa.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>

#include "platform/system/SystemInfo.h"

namespace plat {
namespace {

// ALSA's snd_lib_error_handler_t.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void dropAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void quietAlsaErrors() {
    static std::once_flag once;
    std::call_once(once, [] {
        // The library stays loaded for the life of the process, so the handler stays in place
        // for SDL, which loads it by the same name.
        void* alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!alsa) return;
        if (auto set = reinterpret_cast<SetAlsaErrorHandler>(::dlsym(alsa, "snd_lib_error_set_handler"))) set(&dropAlsaError);
    });
}

void reportNoSoundDevice() {
    static std::atomic<bool> said{false};
    if (said.exchange(true)) return;
    debugOutput("tumblo4: no sound device could be opened; the program goes on without sound.\n");
}

}  // namespace plat
