#include "platform/modules/LoadableModule.h"

#include <dlfcn.h>

namespace plat {

std::unique_ptr<LoadableModule> LoadableModule::open(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    return std::unique_ptr<LoadableModule>(new LoadableModule(handle));
}

std::string LoadableModule::systemLibraryFolder() {
#if defined(__x86_64__)
    return "/usr/lib/x86_64-linux-gnu";
#elif defined(__aarch64__)
    return "/usr/lib/aarch64-linux-gnu";
#else
    return "/usr/lib";
#endif
}

LoadableModule::~LoadableModule() { dlclose(handle_); }

void* LoadableModule::entry(const char* name) const { return dlsym(handle_, name); }

}  // namespace plat
