#pragma once
// File-system requests. Every system call of the OS services that may block on a device is a
// request object whose execute() performs the call and keeps its system error (0 on
// success). osRunRequest runs one with its drive's mutex held and retries it through the
// error callback. It runs on the engine's worker thread while the calling engine thread waits,
// so the other engine threads go on during slow device access.
//
// Entries created through requests are the user's: the file services below create folders
// for the user alone and files that others may only read. A request belongs to one call and is not shared.
#include <string>

#include "engine/base/EngineTypes.h"
#include "platform/drives/Drives.h"
#include "platform/files/Files.h"

struct osmWorker;

class asyncAPI {
public:
    asyncAPI() = default;
    asyncAPI(const asyncAPI&) = delete;
    asyncAPI& operator=(const asyncAPI&) = delete;
    // Keeps the request's worker as the module's cached one, or stops it.
    virtual ~asyncAPI();
    // Performs the call; returns and keeps its system error.
    virtual u32 execute() = 0;
    // A request that can finish without waiting for the device does so here, on the calling
    // thread, keeping its system error; false leaves the call to the worker.
    virtual bool finishWithoutDevice() { return false; }

    osmWorker* worker = nullptr;  // none until first run
    u32 systemError = 0;
};

class asyncCreateFile : public asyncAPI {
public:
    asyncCreateFile(std::string name, u32 access, u32 share, plat::FileDisposition disposition)
        : name(std::move(name)), access(access), share(share), disposition(disposition) {}
    u32 execute() override;

    std::string name;
    u32 access;
    u32 share;
    plat::FileDisposition disposition;
    plat::FileHandle handle = plat::kNoFile;
};

class asyncCreateDirectory : public asyncAPI {
public:
    explicit asyncCreateDirectory(std::string name) : name(std::move(name)) {}
    u32 execute() override;
    std::string name;
};

class asyncCloseHandle : public asyncAPI {
public:
    explicit asyncCloseHandle(plat::FileHandle handle) : handle(handle) {}
    u32 execute() override;
    plat::FileHandle handle;
};

class asyncDeleteFile : public asyncAPI {
public:
    explicit asyncDeleteFile(std::string name) : name(std::move(name)) {}
    u32 execute() override;
    std::string name;
};

class asyncRemoveDirectory : public asyncAPI {
public:
    explicit asyncRemoveDirectory(std::string name) : name(std::move(name)) {}
    u32 execute() override;
    std::string name;
};

class asyncMoveFile : public asyncAPI {
public:
    asyncMoveFile(std::string from, std::string to) : from(std::move(from)), to(std::move(to)) {}
    u32 execute() override;
    std::string from;
    std::string to;
};

class asyncReplaceFile : public asyncAPI {
public:
    asyncReplaceFile(std::string from, std::string to) : from(std::move(from)), to(std::move(to)) {}
    u32 execute() override;
    std::string from;
    std::string to;
};

class asyncReplaceOpenFile : public asyncAPI {
public:
    asyncReplaceOpenFile(plat::FileHandle handle, std::string from, std::string to)
        : handle(handle), from(std::move(from)), to(std::move(to)) {}
    u32 execute() override;
    plat::FileHandle handle;
    std::string from;
    std::string to;
};

class asyncFlushFile : public asyncAPI {
public:
    explicit asyncFlushFile(plat::FileHandle handle) : handle(handle) {}
    u32 execute() override;
    plat::FileHandle handle;
};

class asyncFlushFolder : public asyncAPI {
public:
    explicit asyncFlushFolder(std::string name) : name(std::move(name)) {}
    u32 execute() override;
    std::string name;
};

// The caller closes the search with plat::findClose.
class asyncFindFirstFile : public asyncAPI {
public:
    explicit asyncFindFirstFile(std::string pattern) : pattern(std::move(pattern)) {}
    u32 execute() override;
    std::string pattern;
    plat::FindData data;
    plat::FindHandle find = plat::kNoFind;
};

class asyncFindNextFile : public asyncAPI {
public:
    explicit asyncFindNextFile(plat::FindHandle find) : find(find) {}
    u32 execute() override;
    plat::FindHandle find;
    plat::FindData data;
};

class asyncGetFileAttributes : public asyncAPI {
public:
    explicit asyncGetFileAttributes(std::string name) : name(std::move(name)) {}
    u32 execute() override;
    std::string name;
    u32 attributes = 0xFFFFFFFF;
};

class asyncSetFileAttributes : public asyncAPI {
public:
    asyncSetFileAttributes(std::string name, u32 attributes) : name(std::move(name)), attributes(attributes) {}
    u32 execute() override;
    std::string name;
    u32 attributes;
};

class asyncGetVolumeInformation : public asyncAPI {
public:
    explicit asyncGetVolumeInformation(char letter) : letter(letter) {}
    u32 execute() override;
    char letter;
    plat::DriveVolume volume;
};

class asyncGetDiskFreeSpace : public asyncAPI {
public:
    explicit asyncGetDiskFreeSpace(char letter) : letter(letter) {}
    u32 execute() override;
    char letter;
    u64 bytes = 0;
};

class asyncReadFile : public asyncAPI {
public:
    asyncReadFile(plat::FileHandle handle, void* buffer, u32 count) : handle(handle), buffer(buffer), count(count) {}
    u32 execute() override;
    plat::FileHandle handle;
    void* buffer;
    u32 count;
    u32 done = 0;
};

// Reads at an offset without moving the file's position. Up to kCallerLimit bytes that the
// system holds in memory are read on the calling thread: no device access can hold it up, and
// a small resource then costs no hand-over to the worker and back. What is not in memory, and
// every larger read, is read on the worker, where a slow device lets the other engine threads
// go on.
class asyncReadFileAt : public asyncAPI {
public:
    static constexpr u32 kCallerLimit = 256 * 1024;

    asyncReadFileAt(plat::FileHandle handle, u64 offset, void* buffer, u32 count)
        : handle(handle), offset(offset), buffer(buffer), count(count) {}
    u32 execute() override;
    bool finishWithoutDevice() override;
    plat::FileHandle handle;
    u64 offset;
    void* buffer;
    u32 count;
    u32 done = 0;
};

class asyncWriteFile : public asyncAPI {
public:
    asyncWriteFile(plat::FileHandle handle, const void* data, u32 count) : handle(handle), data(data), count(count) {}
    u32 execute() override;
    plat::FileHandle handle;
    const void* data;
    u32 count;
    u32 done = 0;
};

class asyncSetEndOfFile : public asyncAPI {
public:
    explicit asyncSetEndOfFile(plat::FileHandle handle) : handle(handle) {}
    u32 execute() override;
    plat::FileHandle handle;
};

class asyncSetCurrentDirectory : public asyncAPI {
public:
    explicit asyncSetCurrentDirectory(std::string name) : name(std::move(name)) {}
    u32 execute() override;
    std::string name;
};

// 0, 2 when no worker could be made, or the worker's error. When the OS manager refuses the
// worker, the request runs on the calling thread.
EngineErr osExecuteRequest(asyncAPI& request);
// 0, or the engine code of the final failure. The text names the entry for the retry
// protocol and, by its "X:" prefix, the drive whose mutex is held for the whole run.
EngineErr osRunRequest(asyncAPI& request, const char* text);
