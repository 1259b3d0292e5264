#pragma once
// INI profiles: settings files the engine reads and writes itself. A profile is loaded whole
// into a purgeable memory handle on first use and parsed in place on every call; a purged
// text is read from the file again. Every operation takes the profile's Path, or null for the
// engine profile ("KESTROW.W32", else "KESTROW.INI", in the program's folder).
//
// Writes go through at once while write-through is on (the default). A caller making many
// changes turns it off, writes, and turns it on again, which writes the file once. A file is
// rewritten through a temporary file beside it that is then moved over it, so an interrupted
// write never leaves a truncated profile. Reads take no lock; writes hold the profile's mutex.
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

constexpr EngineErr kIniErrNoFile = 10600;
constexpr EngineErr kIniErrNotText = 10601;
constexpr EngineErr kIniErrBadValue = 10603;
constexpr EngineErr kIniErrNotFound = 10604;
constexpr EngineErr kIniErrTooLong = 10606;

constexpr u32 kIniMaxFileSize = 65535;
constexpr u16 kIniFlushModeUnknown = 65535;

EngineErr iniInit();
void iniShutdown();
EngineErr iniGetLastError();

// Null section: every section name, each followed by a NUL, and one more NUL; null key: the
// section's keys the same way. Otherwise the value. A missing file, section or key fills in
// the default and still returns its code.
EngineErr iniGetString(const Path* profile, const char* section, const char* key, char* buffer, u16 size,
                       const char* defaultValue);
EngineErr iniGetLong(const Path* profile, const char* section, const char* key, i32* out, i32 min, i32 max);
EngineErr iniGetULong(const Path* profile, const char* section, const char* key, u32* out, u32 min, u32 max);
EngineErr iniGetShort(const Path* profile, const char* section, const char* key, i16* out, i16 min, i16 max);
EngineErr iniGetUShort(const Path* profile, const char* section, const char* key, u16* out, u16 min, u16 max);
EngineErr iniGetBool(const Path* profile, const char* section, const char* key, u16* out);

// A profile may stand on another: a value it lacks (no file, no section, no key) is read from
// there, as are the values that one lacks from its own. Null `fallback` ends it. A fallback that
// leads back to the profile is refused with kIniErrBadValue. Lists of names are the profile's own.
EngineErr iniSetFallback(const Path* profile, const Path* fallback);

// Null section empties the profile, null key removes the section, null value the key.
// kIniErrBadValue, and nothing written, for a name or value holding a CR, an LF or a Ctrl-Z or
// a key starting with "[": its line would not read back, and the lines after it would read
// otherwise. New lines end with CR LF, whatever ending the file's other lines have.
EngineErr iniWriteString(const Path* profile, const char* section, const char* key, const char* value);
// The previous flag, kIniFlushModeUnknown when the profile cannot be loaded. Turning
// write-through on writes a changed profile; iniGetLastError then tells whether it was written.
u16 iniSetFlushMode(const Path* profile, u16 writeThrough);
// Forgets what the profile holds in memory, written or not: its next use reads the file.
// A run of changes that failed halfway is so never written by whoever turns write-through on.
void iniDropChanges(const Path* profile);
