#pragma once
// An ordered list of texts kept in one section of a profile as numbered keys, "<prefix>1",
// "<prefix>2", ..., with a count key "<prefix>_highnumber" (absent when the count is 0). An
// item without text has no key. Numbers run from 1 to kIniListMaxNumber (and to the list's
// own maximum when it has one); other numbers are refused with kIniListErrRefused.
//
// Changes are written at once (writeNow) or remembered as dirty until Save. A node that lost
// its text stays in the chain, empty and dirty, until a save has removed its key. The chain
// is kept in no particular order; ForEach visits the items by number. Used on one thread.
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"
#include "engine/util/OpNew.h"

constexpr EngineErr kIniListErrRefused = 1;
constexpr u32 kIniListMaxNumber = 32767;
// Longest item text read back (the terminator included).
constexpr u16 kIniListValueSize = 400;

class INI_LIST;

class INI_LIST_NODE : public OpNew {
public:
    INI_LIST_NODE(INI_LIST* list, u16 number, const char* value);
    INI_LIST_NODE(const INI_LIST_NODE&) = delete;
    INI_LIST_NODE& operator=(const INI_LIST_NODE&) = delete;
    // Unlinks the node from its neighbours.
    virtual ~INI_LIST_NODE();

    // Each change is written at once with writeNow, else marks the node dirty.
    EngineErr SetValue(const char* text, u16 writeNow);
    EngineErr SetNumber(u16 number, u16 writeNow);
    EngineErr ClearValue(u16 writeNow);
    // Writes the key (or removes it when there is no text); success clears dirty.
    EngineErr Write();

    u16 Number() const { return number_; }
    const char* Value() const { return value_; }
    u16 IsDirty() const { return dirty_; }

private:
    friend class INI_LIST;
    EngineErr Changed(u16 writeNow);

    INI_LIST* list_ = nullptr;
    INI_LIST_NODE* prev_ = nullptr;
    INI_LIST_NODE* next_ = nullptr;
    u16 number_ = 0;
    char* value_ = nullptr;
    u16 dirty_ = 0;
};

class INI_LIST : public OpNew {
public:
    using Callback = void (*)(const char* value, u16 number, void* context);

    // maxNumber ≤ 0: no limit of the list's own.
    INI_LIST(const Path* path, const char* section, const char* prefix, u16 loadNow, i16 maxNumber, u16 writeThrough);
    INI_LIST(const INI_LIST&) = delete;
    // Copies names, numbers and every node with its dirty flag.
    INI_LIST& operator=(const INI_LIST& other);
    // Unsaved items are dropped, not written.
    virtual ~INI_LIST();

    // Reads the items 1 .. the count key (at most limit when limit ≥ 1).
    // An item longer than kIniListValueSize - 1 is left out and kIniErrTooLong returned once the
    // others are read.
    EngineErr Load(i16 limit);
    // Writes the count and the items (every one with force, else what changed), then turns
    // write-through on so that the file takes them. Every key is tried; the first failure is
    // the answer and an item not written stays dirty.
    EngineErr Save(u16 force);
    // The same without turning write-through on: inside a run of changes that is written
    // once after it (IniReplaceOnce), with the file's other settings.
    EngineErr WriteItems(u16 force);
    EngineErr SetValue(const char* text, u32 number, u16 writeNow);
    EngineErr DeleteItem(u32 number, u16 writeNow);
    EngineErr RemoveNode(u32 number, u16 writeNow);
    INI_LIST_NODE* FindNode(u32 number) const;
    // Items with text, by ascending number.
    void ForEach(Callback callback, void* context) const;
    u16 IsDirty() const;
    EngineErr MoveItem(u32 from, u32 to, u16 writeNow);
    // Renumbers the items first..last by delta; dropOverwritten first deletes (unwritten) an
    // item already holding a target number.
    EngineErr ShiftRange(u32 first, u32 last, i32 delta, u16 writeNow, u16 dropOverwritten);
    // Moves one item to `to`, the ones between closing the gap it leaves.
    EngineErr MoveItemShifting(u32 from, u32 to, u16 writeNow);
    // Removes every item and the count key, also keys present only in the file.
    EngineErr EraseAll();
    EngineErr SetPath(const Path* newPath, u16 saveFirst, u16 reload);
    void RaiseHighNumber(u32 number, u16 writeNow);

    i16 HighNumber() const { return highNumber_; }
    i16 MaxNumber() const { return maxNumber_; }
    const char* Section() const { return section_; }
    const char* Prefix() const { return prefix_; }
    const Path* Profile() const;

private:
    friend class INI_LIST_NODE;
    bool Allowed(u32 number) const;
    bool Holds(const INI_LIST_NODE* node) const;
    void DropNodes();
    void Prepend(INI_LIST_NODE* node);
    void Append(INI_LIST_NODE* node);
    EngineErr WriteItemKey(u32 number, const char* text) const;
    EngineErr WriteCount();
    // Deletes, unwritten, every node of `number` but `keep`.
    void DropOthers(u32 number, const INI_LIST_NODE* keep);

    Path path_{};
    char* section_ = nullptr;
    char* prefix_ = nullptr;
    i16 highNumber_ = 0;
    i16 maxNumber_ = 0;
    INI_LIST_NODE* head_ = nullptr;
    u16 writeThrough_ = 0;
    u16 dirty_ = 0;
    // The item MoveItemShifting carries while the others shift: no number finds it.
    INI_LIST_NODE* moving_ = nullptr;
};
