#pragma once
// Libraries loaded at run time by name and asked for their entry points (decompressor
// plug-ins). A module stays loaded while its object lives; entry points found in it are valid
// only that long. Any thread, but one object is used by one thread at a time.
#include <memory>
#include <string>

namespace plat {

class LoadableModule {
public:
    // Null when the library cannot be found or loaded. A name without a folder is searched
    // where the system looks for libraries.
    static std::unique_ptr<LoadableModule> open(const std::string& path);
    ~LoadableModule();
    LoadableModule(const LoadableModule&) = delete;
    LoadableModule& operator=(const LoadableModule&) = delete;

    // The folder where the system keeps its shared libraries.
    static std::string systemLibraryFolder();

    // The address of an exported entry, or null.
    void* entry(const char* name) const;

private:
    explicit LoadableModule(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace plat
