#pragma once
// One setting kept under a key of a profile, changed in memory and written when asked or at
// once. An item remembers whether memory differs from the profile (dirty), so saving writes
// only what changed; a failed write leaves it dirty for the next save. CFG_LONG, a signed
// 32-bit number, is the kind the program keeps. Items are used on one thread.
//
// Building an item sets the profile's write-through flag to the item's; destroying it turns
// write-through on, which writes a changed profile to disk.
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"
#include "engine/util/OpNew.h"

class CFG_ITEM : public OpNew {
public:
    CFG_ITEM(const Path* path, const char* section, const char* key, u16 writeThrough);
    CFG_ITEM(const CFG_ITEM&) = delete;
    CFG_ITEM& operator=(const CFG_ITEM& other);
    virtual ~CFG_ITEM();

    virtual EngineErr Write() { return kErrNone; }
    virtual void ClearDirty() { dirty_ = 0; }
    virtual EngineErr Load() { return kErrNone; }

    EngineErr Save(u16 force);
    EngineErr WriteNow();
    // Moves the setting to another profile, optionally writing a dirty value to the old one
    // first (its error is returned before anything moves) and loading from the new one.
    EngineErr SetPath(const Path* newPath, u16 saveFirst, u16 reload);

    u16 IsDirty() const { return dirty_; }
    const char* Section() const { return section_; }
    const char* Key() const { return key_; }

protected:
    const Path* Profile() const;

    Path path_{};
    char* section_ = nullptr;
    char* key_ = nullptr;
    u16 writeThrough_ = 0;
    u16 dirty_ = 0;
};

class CFG_LONG : public CFG_ITEM {
public:
    CFG_LONG(const Path* path, const char* section, const char* key, u16 loadNow, u16 writeThrough);

    // A missing profile, section or key reads as 0; other errors leave the value alone.
    EngineErr Load() override;
    EngineErr Write() override;
    // With writeNow the value is written at once and that result returned.
    EngineErr SetValue(i32 value, u16 writeNow);
    i32 Value() const { return value_; }
    // The value when it lies in [low, high], else the default a missing key reads as (0): a
    // number a file holds out of the setting's range is never wrapped into another.
    i32 ValueWithin(i32 low, i32 high) const { return value_ >= low && value_ <= high ? value_ : 0; }

private:
    i32 value_ = 0;
};
