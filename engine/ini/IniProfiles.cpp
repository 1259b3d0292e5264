#include "engine/ini/IniProfiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ini/IniText.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsFiles.h"
#include "engine/os/OsMutex.h"

namespace {

constexpr const char* kEngineProfileNames[] = {"KESTROW.W32", "KESTROW.INI"};
constexpr u32 kNumberBufferSize = 64;
constexpr char kCtrlZ = 0x1A;

// A file holding nothing but one line end is empty: what is written to it starts at its top.
bool isLineEndAlone(std::string_view bytes) { return bytes == "\r\n" || bytes == "\n" || bytes == "\r"; }

struct IniProfile {
    IniProfile* previous;
    IniProfile* next;
    OsMutex* mutex;
    Path path;
    u16 writeThrough;
    u16 dirty;
    u16 length;
    // The section found last: its name's offset (0 = none) and length, and where its keys begin.
    u16 sectionOffset;
    u16 sectionLength;
    u32 sectionHeader;
    u32 sectionBody;
    memHandle text;
};

struct IniFallback {
    Path profile;
    Path fallback;
};

struct IniState {
    EngineErr lastError = 0;
    bool initialised = false;
    IniProfile* head = nullptr;
    Path engineProfile{};
    std::vector<IniFallback> fallbacks;
};

IniState gIni;

EngineErr setError(EngineErr error) {
    gIni.lastError = error;
    return error;
}

// The profile's bytes, locked while the view lives.
class LockedText {
public:
    explicit LockedText(const IniProfile* profile)
        : handle_(profile->text), bytes_(static_cast<char*>(memLockHandle(handle_))), text_({bytes_, profile->length}) {}
    ~LockedText() { memUnlockHandle(handle_); }
    LockedText(const LockedText&) = delete;
    LockedText& operator=(const LockedText&) = delete;
    const IniText& text() const { return text_; }
    std::string_view bytes() const { return {bytes_, text_.size()}; }

private:
    memHandle handle_;
    char* bytes_;
    IniText text_;
};

void closeProfile(IniProfile* profile) {
    if (profile->previous) profile->previous->next = profile->next;
    else gIni.head = profile->next;
    if (profile->next) profile->next->previous = profile->previous;
    pathRelease(&profile->path);
    osMutexTake(profile->mutex, kOsWaitForever);
    osMutexRelease(profile->mutex);
    osMutexDelete(profile->mutex);
    memFreeHandle(profile->text);
    delete profile;
}

// The profile the path's values fall back to, or null.
const Path* fallbackOf(const Path* path) {
    if (!path) path = &gIni.engineProfile;
    for (const IniFallback& f : gIni.fallbacks)
        if (pathCompare(&f.profile, path) == kErrNone) return &f.fallback;
    return nullptr;
}

void releaseFallbacks() {
    for (IniFallback& f : gIni.fallbacks) {
        pathRelease(&f.profile);
        pathRelease(&f.fallback);
    }
    gIni.fallbacks.clear();
}

// Reads the whole file into a new text handle, applying the checks of the syntax.
EngineErr readProfileFile(const Path* path, memHandle* handle, u16* length) {
    const i64 size = osGetPathSize(path);
    if (size < 0) return pathGetLastError() == kOsErrNotFound ? kIniErrNoFile : pathGetLastError();
    if (u64(size) > kIniMaxFileSize) return kIniErrTooLong;
    *handle = memAllocHandle(u32(size) + 1);
    if (!*handle) return memGetLastError();
    char* bytes = static_cast<char*>(memLockHandle(*handle));
    EngineErr error = kErrNone;
    OsFile* file = osOpenFile(path, kOsOpenRead | kOsOpenShareRead);
    if (!file) {
        error = pathGetLastError() == kOsErrNotFound ? kIniErrNoFile : pathGetLastError();
    } else {
        u32 count = u32(size);
        error = osReadFile(file, bytes, &count);
        osCloseFile(file, 1);
    }
    u32 n = u32(size);
    if (!error) {
        if (std::memchr(bytes, 0, n)) error = kIniErrNotText;
        if (n && bytes[n - 1] == kCtrlZ) --n;
        if (std::memchr(bytes, kCtrlZ, n)) error = kIniErrNotText;
        if (isLineEndAlone(std::string_view(bytes, n))) n = 0;
        bytes[n] = 0;
    }
    memUnlockHandle(*handle);
    if (error) {
        memFreeHandle(*handle);
        return error;
    }
    *length = u16(n);
    memSetHandlePurgeable(*handle, 1);
    return kErrNone;
}

// The loaded profile of the path, or null; a profile whose text was purged is closed.
EngineErr findLoaded(const Path* path, IniProfile** found) {
    *found = nullptr;
    for (IniProfile* profile = gIni.head; profile; profile = profile->next) {
        const EngineErr compared = pathCompare(&profile->path, path);
        if (compared == kOsErrDifferent) continue;
        if (compared) return compared;
        if (memGetHandleSize(profile->text) > 0) {
            *found = profile;
            return kErrNone;
        }
        closeProfile(profile);
        break;
    }
    return kErrNone;
}

EngineErr loadProfile(const Path* path, IniProfile** result) {
    if (!path) path = &gIni.engineProfile;
    if (const EngineErr error = findLoaded(path, result)) return error;
    if (*result) return kErrNone;
    // A text that a stopped writer left beside the profile was never the profile's.
    osRemoveStaleReplacement(path);
    memHandle text = 0;
    u16 length = 0;
    if (const EngineErr error = readProfileFile(path, &text, &length)) return error;
    // Reading waits for the file, so another engine thread may have loaded the profile
    // meanwhile: a file has one profile, or the changes made through one would be lost.
    const EngineErr error = findLoaded(path, result);
    if (error || *result) {
        memFreeHandle(text);
        return error;
    }
    auto* profile = new IniProfile{};
    profile->mutex = osMutexCreate();
    pathInitCopy(&profile->path, path);
    profile->writeThrough = 1;
    profile->length = length;
    profile->text = text;
    profile->next = gIni.head;
    if (gIni.head) gIni.head->previous = profile;
    gIni.head = profile;
    *result = profile;
    return kErrNone;
}

bool findSection(IniProfile* profile, const IniText& text, std::string_view name, u32* body, u32* header) {
    const bool cached = profile->sectionOffset &&
                        iniNamesEqual(text.slice({profile->sectionOffset, profile->sectionLength}), name);
    if (!cached) {
        if (!text.findSection(name, body, header)) return false;
        profile->sectionOffset = u16(text.skipBlanks(*header) + 1);
        profile->sectionLength = u16(name.size());
        profile->sectionHeader = *header;
        profile->sectionBody = *body;
    }
    *body = profile->sectionBody;
    *header = profile->sectionHeader;
    return true;
}

// Writes NUL-separated names while each fits with its NUL and the final NUL.
template <typename Next>
EngineErr listNames(char* buffer, u16 size, Next next) {
    if (size == 0) return kIniErrTooLong;
    u32 written = 0;
    std::string_view name;
    EngineErr result = kErrNone;
    while (next(&name)) {
        if (written + name.size() + 2 > size) {
            result = kIniErrTooLong;
            break;
        }
        std::memcpy(buffer + written, name.data(), name.size());
        written += u32(name.size());
        buffer[written++] = 0;
    }
    buffer[written] = 0;
    return result;
}

EngineErr copyCut(char* buffer, u16 size, std::string_view value) {
    if (size == 0) return kIniErrTooLong;
    const size_t n = value.size() < size ? value.size() : size - 1u;
    std::memcpy(buffer, value.data(), n);
    buffer[n] = 0;
    return value.size() >= size ? kIniErrTooLong : kErrNone;
}

// Gives the file the profile's text, whole, and returns once it is on the disk.
EngineErr writeText(const IniProfile* profile, OsFile* file) {
    EngineErr error = osSetFileSize(file, profile->length);
    if (!error) {
        u32 count = profile->length;
        error = osWriteFile(file, memLockHandle(profile->text), &count);
        memUnlockHandle(profile->text);
    }
    if (!error) error = osFlushFile(file);
    const EngineErr closed = osCloseFile(file, 1);
    return error ? error : closed;
}

EngineErr writeProfileFile(IniProfile* profile) {
    OsMutexHold hold(profile->mutex);
    // Moving a new file over a read-only one would succeed where writing into it must not.
    u16 kind = 0;
    if (const EngineErr error = osGetPathKind(&profile->path, &kind)) return error;
    if (kind & kOsKindReadOnly) return kOsErrAccessDenied;
    Path temporary;
    osReplacementPathOf(&profile->path, &temporary);
    if (!temporary.record) {
        // No room for a temporary name beside a profile whose path is near the limit: the file
        // is written in place, which needs no name of its own.
        OsFile* file = osOpenFile(&profile->path, kOsOpenWrite);
        return file ? writeText(profile, file) : pathGetLastError();
    }
    OsFile* file = osOpenFile(&temporary, kOsOpenWrite | kOsOpenAlways | kOsOpenTruncate);
    EngineErr error = file ? writeText(profile, file) : pathGetLastError();
    if (!error) error = osReplacePath(&temporary, &profile->path);
    if (!error) error = osFlushFolderOf(&profile->path);
    else if (file) osDeletePath(&temporary);
    pathRelease(&temporary);
    return error;
}

void setDirty(IniProfile* profile, u16 dirty) {
    profile->dirty = dirty;
    // A dirty text lives only in memory: it must not be purged.
    memSetHandlePurgeable(profile->text, dirty ? 0 : 1);
}

// Replaces `removed` bytes at `start` by `inserted`.
// Puts a text (with its NUL) in the profile's handle.
EngineErr storeText(IniProfile* profile, const std::string& text) {
    if (const EngineErr error = memResizeHandle(profile->text, u32(text.size()) + 1)) return error;
    std::memcpy(memLockHandle(profile->text), text.c_str(), text.size() + 1);
    memUnlockHandle(profile->text);
    profile->length = u16(text.size());
    profile->sectionOffset = 0;
    return kErrNone;
}

EngineErr replaceRange(IniProfile* profile, u32 start, u32 removed, const std::string& inserted) {
    if (removed == 0 && inserted.empty()) return kErrNone;
    OsMutexHold hold(profile->mutex);
    const u32 newLength = profile->length - removed + u32(inserted.size());
    if (newLength > profile->length && newLength > kIniMaxFileSize) return kIniErrTooLong;
    std::string old;
    {
        LockedText locked(profile);
        old = std::string(locked.bytes());
    }
    const bool changed = removed != inserted.size() || !iniNamesEqual(std::string_view(old).substr(start, removed), inserted);
    std::string text = old;
    text.replace(start, removed, inserted);
    if (const EngineErr error = storeText(profile, text)) return error;
    if (profile->writeThrough) {
        // A change the file did not take is not kept either: the caller was told it failed.
        const EngineErr error = writeProfileFile(profile);
        if (error) storeText(profile, old);
        return error;
    }
    if (changed) setDirty(profile, 1);
    return kErrNone;
}

EngineErr readNumberText(const Path* profile, const char* section, const char* key, char* buffer) {
    const EngineErr error = iniGetString(profile, section, key, buffer, kNumberBufferSize, "");
    return error == kIniErrTooLong ? kErrNone : error;
}

// As the 32-bit strtol and strtoul: out-of-range values saturate.
bool parseSigned(const char* text, i32* value) {
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 0);
    if (end == text) return false;
    if (errno == ERANGE || parsed > std::numeric_limits<i32>::max()) *value = std::numeric_limits<i32>::max();
    else if (parsed < std::numeric_limits<i32>::min()) *value = std::numeric_limits<i32>::min();
    else *value = i32(parsed);
    if (errno == ERANGE && parsed < 0) *value = std::numeric_limits<i32>::min();
    return true;
}

bool parseUnsigned(const char* text, u32* value) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text, &end, 0);
    if (end == text) return false;
    const bool negative = std::strchr(text, '-') && std::strchr(text, '-') < end;
    const unsigned long long magnitude = negative ? 0ull - parsed : parsed;
    if (errno == ERANGE || magnitude > std::numeric_limits<u32>::max()) *value = std::numeric_limits<u32>::max();
    else *value = u32(parsed);
    return true;
}

bool startsWithNoCase(const char* text, const char* word) {
    const size_t n = std::strlen(word);
    return std::strlen(text) >= n && iniNamesEqual(std::string_view(text, n), word);
}

}  // namespace

EngineErr iniInit() {
    gIni = IniState{};
    Path folder;
    pathGetModuleDirectory(&folder);
    for (const char* name : kEngineProfileNames) {
        pathRelease(&gIni.engineProfile);
        if (folder.record) pathJoin(&gIni.engineProfile, &folder, name);
        if (gIni.engineProfile.record && pathCheckExists(&gIni.engineProfile) == kErrNone) break;
    }
    pathRelease(&folder);
    gIni.initialised = true;
    return setError(kErrNone);
}

void iniShutdown() {
    while (gIni.head) closeProfile(gIni.head);
    releaseFallbacks();
    pathRelease(&gIni.engineProfile);
    gIni.initialised = false;
}

EngineErr iniGetLastError() { return gIni.lastError; }

EngineErr iniSetFallback(const Path* profile, const Path* fallback) {
    const Path* own = profile ? profile : &gIni.engineProfile;
    for (const Path* next = fallback; next; next = fallbackOf(next))
        if (pathCompare(next, own) == kErrNone) return setError(kIniErrBadValue);
    for (auto f = gIni.fallbacks.begin(); f != gIni.fallbacks.end(); ++f)
        if (pathCompare(&f->profile, own) == kErrNone) {
            pathRelease(&f->profile);
            pathRelease(&f->fallback);
            gIni.fallbacks.erase(f);
            break;
        }
    if (fallback) {
        IniFallback added{};
        pathInitCopy(&added.profile, own);
        pathInitCopy(&added.fallback, fallback);
        gIni.fallbacks.push_back(added);
    }
    return setError(kErrNone);
}

EngineErr iniGetString(const Path* path, const char* section, const char* key, char* buffer, u16 size,
                       const char* defaultValue) {
    IniProfile* profile = nullptr;
    EngineErr error = loadProfile(path, &profile);
    if (!error) {
        LockedText locked(profile);
        const IniText& text = locked.text();
        u32 body = 0;
        u32 header = 0;
        IniKeyLine line{};
        if (!section) {
            u32 pos = 0;
            // A nameless section or key is left out: its empty name would end the list there,
            // hiding every name after it.
            return setError(listNames(buffer, size, [&](std::string_view* name) {
                IniSpan span{};
                do {
                    if (!text.nextSection(&pos, &span, &header)) return false;
                    *name = text.slice(span);
                } while (name->empty());
                return true;
            }));
        }
        if (!findSection(profile, text, section, &body, &header)) {
            error = kIniErrNotFound;
        } else if (!key) {
            u32 pos = body;
            return setError(listNames(buffer, size, [&](std::string_view* name) {
                do {
                    if (!text.nextKey(&pos, &line)) return false;
                    *name = text.slice(line.key);
                } while (name->empty());
                return true;
            }));
        } else if (!text.findKey(body, key, &line)) {
            error = kIniErrNotFound;
        } else {
            return setError(copyCut(buffer, size, text.slice(text.value(line))));
        }
    }
    const Path* fallback = error == kIniErrNoFile || error == kIniErrNotFound ? fallbackOf(path) : nullptr;
    if (fallback && key) return iniGetString(fallback, section, key, buffer, size, defaultValue);
    if (size != 0) copyCut(buffer, size, defaultValue ? defaultValue : "");
    return setError(error);
}

EngineErr iniGetLong(const Path* profile, const char* section, const char* key, i32* out, i32 min, i32 max) {
    char text[kNumberBufferSize];
    if (const EngineErr error = readNumberText(profile, section, key, text)) return setError(error);
    i32 value = 0;
    if (!parseSigned(text, &value) || value < min || value > max) return setError(kIniErrBadValue);
    *out = value;
    return setError(kErrNone);
}

EngineErr iniGetULong(const Path* profile, const char* section, const char* key, u32* out, u32 min, u32 max) {
    char text[kNumberBufferSize];
    if (const EngineErr error = readNumberText(profile, section, key, text)) return setError(error);
    u32 value = 0;
    if (!parseUnsigned(text, &value) || value < min || value > max) return setError(kIniErrBadValue);
    *out = value;
    return setError(kErrNone);
}

EngineErr iniGetShort(const Path* profile, const char* section, const char* key, i16* out, i16 min, i16 max) {
    i32 value = 0;
    if (const EngineErr error = iniGetLong(profile, section, key, &value, min, max)) return error;
    *out = i16(value);
    return kErrNone;
}

EngineErr iniGetUShort(const Path* profile, const char* section, const char* key, u16* out, u16 min, u16 max) {
    u32 value = 0;
    if (const EngineErr error = iniGetULong(profile, section, key, &value, min, max)) return error;
    *out = u16(value);
    return kErrNone;
}

EngineErr iniGetBool(const Path* profile, const char* section, const char* key, u16* out) {
    char text[kNumberBufferSize];
    if (const EngineErr error = readNumberText(profile, section, key, text)) return setError(error);
    for (const char* word : {"true", "yes", "on", "1"}) {
        if (startsWithNoCase(text, word)) return *out = 1, setError(kErrNone);
    }
    for (const char* word : {"false", "no", "off", "0"}) {
        if (startsWithNoCase(text, word)) return *out = 0, setError(kErrNone);
    }
    return setError(kIniErrBadValue);
}

namespace {

// Loads the profile and takes its mutex before a change is located in its text, so that a
// write that waited for another one finds its place in the text that write left. A text
// purged while waiting is read again. The text is then kept from purges until the change is
// made and written, since writing the file waits and lets other engine threads allocate.
EngineErr takeProfile(const Path* path, IniProfile** result) {
    for (;;) {
        if (const EngineErr error = loadProfile(path, result)) return error;
        osMutexTake((*result)->mutex, kOsWaitForever);
        if (memGetHandleSize((*result)->text) > 0) {
            memSetHandlePurgeable((*result)->text, 0);
            return kErrNone;
        }
        osMutexRelease((*result)->mutex);
    }
}

void releaseProfile(IniProfile* profile) {
    memSetHandlePurgeable(profile->text, profile->dirty ? 0 : 1);
    osMutexRelease(profile->mutex);
}

EngineErr changeProfile(IniProfile* profile, const char* section, const char* key, const char* value) {
    u32 start = 0;
    u32 removed = 0;
    std::string inserted;
    {
        LockedText locked(profile);
        const IniText& text = locked.text();
        u32 body = 0;
        u32 header = 0;
        IniKeyLine line{};
        const bool hasSection = section && findSection(profile, text, section, &body, &header);
        const bool hasKey = hasSection && key && text.findKey(body, key, &line);
        if (!section) {
            removed = text.size();
        } else if (!key) {
            if (!hasSection) return kIniErrNotFound;
            start = header;
            removed = text.nextHeaderStart(body) - header;
        } else if (!value) {
            if (!hasKey) return kIniErrNotFound;
            start = line.lineStart;
            removed = text.nextLine(line.lineStart) - start;
        } else if (hasKey) {
            start = line.valueStart;
            removed = line.lineEnd - start;
            inserted = value;
        } else if (hasSection) {
            start = text.afterLastKey(body);
            // A key line or header without its line end gets one, so the new key has its own line.
            const std::string_view bytes = locked.bytes();
            const bool lineOpen = start == text.size() && start > 0 && !bytes.ends_with('\r') && !bytes.ends_with('\n');
            inserted = std::string(lineOpen ? "\r\n" : "") + key + "=" + value + "\r\n";
        } else {
            start = text.size();
            inserted = std::string(text.size() ? "\r\n" : "") + "[" + section + "]\r\n" + key + "=" + value + "\r\n";
        }
    }
    return replaceRange(profile, start, removed, inserted);
}

// A CR or LF in a name or value would end its line early and a Ctrl-Z would end the file, and a
// key line starting with "[" reads as a section header: the lines after such a line would say
// something else, or the whole profile would stop reading.
bool staysOnItsLine(const char* text) { return !text || !std::strpbrk(text, "\r\n\x1A"); }

bool readsAsKey(const char* key) {
    while (*key == ' ' || *key == '\t') ++key;
    return *key != '[';
}

}  // namespace

EngineErr iniWriteString(const Path* path, const char* section, const char* key, const char* value) {
    if (!staysOnItsLine(section) || !staysOnItsLine(key) || !staysOnItsLine(value) || (key && !readsAsKey(key)))
        return setError(kIniErrBadValue);
    IniProfile* profile = nullptr;
    if (const EngineErr error = takeProfile(path, &profile)) return setError(error);
    const EngineErr result = changeProfile(profile, section, key, value);
    releaseProfile(profile);
    return setError(result);
}

u16 iniSetFlushMode(const Path* path, u16 writeThrough) {
    IniProfile* profile = nullptr;
    if (const EngineErr error = loadProfile(path, &profile)) {
        setError(error);
        return kIniFlushModeUnknown;
    }
    const u16 previous = profile->writeThrough;
    profile->writeThrough = writeThrough;
    // The write's outcome is the last error, so that a caller can tell whether the file took it.
    const EngineErr error = writeThrough && profile->dirty ? writeProfileFile(profile) : kErrNone;
    if (writeThrough && profile->dirty && error == kErrNone) setDirty(profile, 0);
    setError(error);
    return previous;
}

void iniDropChanges(const Path* path) {
    IniProfile* profile = nullptr;
    if (findLoaded(path ? path : &gIni.engineProfile, &profile) == kErrNone && profile) closeProfile(profile);
}
