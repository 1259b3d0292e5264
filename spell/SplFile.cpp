#include "spell/SplFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "engine/base/ByteOrder.h"
#include "platform/files/StdioSync.h"
#include "spell/SplErrors.h"

void* splAlloc(size_t size) { return std::malloc(size == 0 ? 1 : size); }

void splFree(void* block) { std::free(block); }

SplFile* splFileOpen(const char* name, int mode) {
    static const char* const kModes[] = {"rb", "r+b", "w+bx"};
    if (mode < kSplFileReadOnly || mode > kSplFileCreate) return nullptr;
    return std::fopen(name, kModes[mode]);
}

int splFileClose(SplFile* file) { return file != nullptr && std::fclose(file) != 0 ? 1 : 0; }

u32 splFileRead(void* buffer, u32 count, SplFile* file) { return u32(std::fread(buffer, 1, count, file)); }

u32 splFileWrite(const void* buffer, u32 count, SplFile* file) {
    size_t done = std::fwrite(buffer, 1, count, file);
    if (std::fflush(file) != 0 || std::ferror(file)) {
        std::clearerr(file);
        return 0;
    }
    return u32(done);
}

int splFileSync(SplFile* file) { return plat::syncStdioFile(file) ? 1 : 0; }

int splFileReplace(const char* from, const char* to) {
    return std::rename(from, to) == 0 && plat::syncFolderOfHostPath(to) ? 1 : 0;
}

int splFileMoveToFreeName(const char* from, const char* to) {
    return plat::moveHostPathIfFree(from, to) && plat::syncFolderOfHostPath(to) ? 1 : 0;
}

int splFileSyncFolder(const char* name) { return plat::syncFolderOfHostPath(name) ? 1 : 0; }

int splFileRemove(const char* name) { return std::remove(name) == 0 || errno == ENOENT ? 1 : 0; }

int splFileSeek(i64 offset, SplFile* file) {
    if (offset < 0) return -1;
    return std::fseek(file, long(offset), SEEK_SET) == 0 ? 0 : -1;
}

i64 splFileLength(SplFile* file) {
    long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0) return -1;
    return end;
}

int splReadExactly(void* buffer, u32 count, SplFile* file) {
    return splFileRead(buffer, count, file) == count ? 1 : 0;
}

int splReadWords(u16* words, u32 count, SplFile* file) {
    for (u32 i = 0; i < count; ++i) {
        u8 bytes[2];
        if (!splReadExactly(bytes, 2, file)) return 0;
        words[i] = readLE16(bytes);
    }
    return 1;
}

int splAllocRead(u8** out, u32 count, SplFile* file, u32* error) {
    *out = nullptr;
    u8* block = static_cast<u8*>(splAlloc(count));
    if (block == nullptr) {
        *error = kSplErrNoMemory;
        return 0;
    }
    if (!splReadExactly(block, count, file)) {
        splFree(block);
        *error = kSplErrRead;
        return 0;
    }
    *out = block;
    return 1;
}
