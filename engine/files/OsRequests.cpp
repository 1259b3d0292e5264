#include "engine/files/OsRequests.h"

#include <new>

#include "engine/files/OsState.h"
#include "engine/os/OsThreads.h"
#include "engine/os/OsWorker.h"

u32 asyncCreateFile::execute() { return systemError = plat::fileOpen(name, access, share, disposition, &handle); }
u32 asyncCreateDirectory::execute() { return systemError = plat::folderCreate(name); }
u32 asyncCloseHandle::execute() { return systemError = plat::fileClose(handle); }
u32 asyncDeleteFile::execute() { return systemError = plat::fileDelete(name); }
u32 asyncRemoveDirectory::execute() { return systemError = plat::folderRemove(name); }
u32 asyncMoveFile::execute() { return systemError = plat::fileRenameNoReplace(from, to); }
u32 asyncReplaceFile::execute() { return systemError = plat::fileReplace(from, to); }
u32 asyncReplaceOpenFile::execute() { return systemError = plat::fileReplaceOpen(handle, from, to); }
u32 asyncFlushFile::execute() { return systemError = plat::fileFlush(handle); }
u32 asyncFlushFolder::execute() { return systemError = plat::folderFlushOf(name); }
u32 asyncFindFirstFile::execute() { return systemError = plat::findFirst(pattern, &data, &find); }
u32 asyncFindNextFile::execute() { return systemError = plat::findNext(find, &data); }
u32 asyncGetFileAttributes::execute() { return systemError = plat::fileGetAttributes(name, &attributes); }
u32 asyncSetFileAttributes::execute() { return systemError = plat::fileSetAttributes(name, attributes); }
u32 asyncGetVolumeInformation::execute() { return systemError = plat::driveReadVolume(letter, &volume); }
u32 asyncGetDiskFreeSpace::execute() { return systemError = plat::driveFreeBytes(letter, &bytes); }
u32 asyncReadFile::execute() { return systemError = plat::fileRead(handle, buffer, count, &done); }
u32 asyncReadFileAt::execute() {
    u32 more = 0;
    systemError = plat::fileReadAt(handle, offset + done, static_cast<u8*>(buffer) + done, count - done,
                                   plat::ReadWait::ForDevice, &more);
    done += more;
    return systemError;
}

bool asyncReadFileAt::finishWithoutDevice() {
    if (count > kCallerLimit) return false;
    systemError = plat::fileReadAt(handle, offset, buffer, count, plat::ReadWait::CachedOnly, &done);
    return systemError != 0 || done == count;
}

u32 asyncWriteFile::execute() { return systemError = plat::fileWrite(handle, data, count, &done); }
u32 asyncSetEndOfFile::execute() { return systemError = plat::fileSetEnd(handle); }
u32 asyncSetCurrentDirectory::execute() { return systemError = plat::setCurrentFolder(name); }

namespace {

void executeOnWorker(void* request) { static_cast<asyncAPI*>(request)->execute(); }

void stopWorker(osmWorker* worker) {
    osmWorkerStop(worker);
    delete worker;
}

}  // namespace

asyncAPI::~asyncAPI() {
    if (!worker) return;
    if (gOs.cachedWorker) stopWorker(worker);
    else gOs.cachedWorker = worker;
}

void osReleaseCachedWorker() {
    if (gOs.cachedWorker) stopWorker(gOs.cachedWorker);
    gOs.cachedWorker = nullptr;
}

EngineErr osExecuteRequest(asyncAPI& request) {
    request.systemError = 0;
    if (!request.worker) {
        request.worker = gOs.cachedWorker ? gOs.cachedWorker : new (std::nothrow) osmWorker;
        gOs.cachedWorker = nullptr;
        if (!request.worker) return osSetLastError(kOsErrOutOfMemory);
    }
    EngineErr started = osmWorkerRun(request.worker, executeOnWorker, &request);
    if (started == kOsmErrShutDown) {
        stopWorker(request.worker);
        request.worker = nullptr;
        request.execute();
        started = kErrNone;
    }
    return osSetLastError(started);
}

EngineErr osRunRequest(asyncAPI& request, const char* text) {
    DriveEntry* drive = nullptr;
    if (text[0] && text[1] == ':') {
        drive = osDriveOfText(text);
        if (!drive) return gOs.lastError;
    }
    OsMutexHold hold(drive ? drive->mutex : nullptr);
    if (!request.finishWithoutDevice()) {
        if (const EngineErr error = osExecuteRequest(request)) return error;
    }
    while (request.systemError != 0) {
        if (!osErrorRetry(text, request.systemError)) return gOs.lastError;
        if (const EngineErr error = osExecuteRequest(request)) return error;
    }
    return osSetLastError(kErrNone);
}
