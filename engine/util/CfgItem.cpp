#include "engine/util/CfgItem.h"

#include <climits>
#include <cstdio>

#include "engine/ini/IniProfiles.h"
#include "engine/util/IniWriteStringEnsurePath.h"
#include "engine/util/MemoryBlocks.h"

CFG_ITEM::CFG_ITEM(const Path* path, const char* section, const char* key, u16 writeThrough)
    : section_(StrDupHandle(section)), key_(StrDupHandle(key)), writeThrough_(writeThrough) {
    if (path)
        pathInitCopy(&path_, path);
    else
        pathInitEmpty(&path_);
    iniSetFlushMode(Profile(), writeThrough_);
}

CFG_ITEM::~CFG_ITEM() {
    iniSetFlushMode(Profile(), 1);
    SafeFreePtr(section_);
    SafeFreePtr(key_);
    dirty_ = 0;
    pathRelease(&path_);
}

CFG_ITEM& CFG_ITEM::operator=(const CFG_ITEM& other) {
    if (this == &other) return *this;
    pathAssign(&path_, &other.path_);
    SafeFreePtr(section_);
    SafeFreePtr(key_);
    section_ = StrDupHandle(other.section_);
    key_ = StrDupHandle(other.key_);
    writeThrough_ = other.writeThrough_;
    dirty_ = other.dirty_;
    return *this;
}

const Path* CFG_ITEM::Profile() const {
    return iniProfileOf(path_);
}

EngineErr CFG_ITEM::Save(u16 force) {
    return dirty_ || force ? Write() : kErrNone;
}

EngineErr CFG_ITEM::WriteNow() {
    ClearDirty();
    // A value that did not reach the file stays dirty, so that a later save tries again.
    const EngineErr error = Write();
    if (error) dirty_ = 1;
    return error;
}

EngineErr CFG_ITEM::SetPath(const Path* newPath, u16 saveFirst, u16 reload) {
    if (saveFirst) {
        const u16 previous = iniSetFlushMode(Profile(), 1);
        const EngineErr error = dirty_ ? Write() : kErrNone;
        if (previous != kIniFlushModeUnknown) iniSetFlushMode(Profile(), previous);
        if (error) return error;
    }
    if (newPath)
        pathAssign(&path_, newPath);
    else
        pathRelease(&path_);
    iniSetFlushMode(Profile(), writeThrough_);
    return reload ? Load() : kErrNone;
}

CFG_LONG::CFG_LONG(const Path* path, const char* section, const char* key, u16 loadNow, u16 writeThrough)
    : CFG_ITEM(path, section, key, writeThrough) {
    if (loadNow) Load();
}

EngineErr CFG_LONG::Load() {
    i32 value = 0;
    const EngineErr error = iniGetLong(Profile(), section_, key_, &value, INT32_MIN, INT32_MAX);
    if (error == kIniErrNoFile || error == kIniErrNotFound) {
        value = 0;
    } else if (error) {
        return error;
    }
    value_ = value;
    dirty_ = 0;
    return kErrNone;
}

EngineErr CFG_LONG::Write() {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", long(value_));
    const EngineErr error = IniWriteStringEnsurePath(Profile(), section_, key_, text);
    if (!error) dirty_ = 0;
    return error;
}

EngineErr CFG_LONG::SetValue(i32 value, u16 writeNow) {
    const bool changed = value != value_;
    value_ = value;
    if (writeNow) return Write();
    if (changed) dirty_ = 1;
    return kErrNone;
}
