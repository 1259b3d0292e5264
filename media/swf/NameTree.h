#pragma once
// The display-list name tree of one playing movie: entries by depth under their parent,
// with names, reached by index. All entries form one list in which every entry's descendants
// follow it, and children are kept in descending depth order. Indices stay valid until their
// entry is removed; freed entries are reused. Entries are also found by parent and depth. Belongs to the thread that plays the movie.
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "engine/base/RcString.h"
#include "media/swf/SwfTypes.h"

namespace swf {

class NameTree;
class tagObject;

// What an entry shows; released when its entry is removed. A release may free the entry
// itself (its kind then reads 0).
class NameTreeInstance {
public:
    virtual void ReleaseInstance(NameTree& tree, u32 index) = 0;

protected:
    ~NameTreeInstance() = default;
};

constexpr u32 kNoEntry = 0xFFFFFFFF;
constexpr u32 kEntryFree = 0;
constexpr u32 kEntryReserved = 1;
// Kinds of entries while a movie plays.
constexpr u32 kEntryCharacter = 2;  // a character that draws nothing of its own
constexpr u32 kEntryButton = 3;
constexpr u32 kEntryShape = 4;
constexpr u32 kEntrySprite = 5;
constexpr u32 kEntryText = 6;

struct NameTreeEntry {
    u32 next = kNoEntry;  // the free-list link while the entry is free
    u32 previous = kNoEntry;
    u32 parent = kNoEntry;
    u16 depth = 0;
    u16 level = 0;
    NameTreeInstance* instance = nullptr;
    // The definition whose instance this is.
    tagObject* character = nullptr;
    Matrix matrix;
    Cxform cxform;
    RcString name;
    u32 kind = kEntryFree;
};

class NameTree {
public:
    explicit NameTree(void* owner = nullptr) : owner_(owner) {}

    // The entry at that depth among the parent's children (kNoEntry: the top level), made
    // reserved and empty when there is none; kNoEntry and kErrMemory when it cannot be made,
    // kNoEntry and kErrNotFound when the parent is not an entry in use.
    u32 FindOrAdd(u32 parent, u16 depth);
    // The entry at that depth among the parent's children, or kNoEntry.
    u32 FindChild(u32 parent, u16 depth) const;
    void Remove(u32 index);
    // kNoEntry removes every entry and also clears the background colour and change count.
    void RemoveChildren(u32 index);
    // Follows a '/'-separated path of names from an entry (a leading '/' starts at the top,
    // ".." goes to the parent); a name matches exactly, among the descendants of where the
    // search stands. kErrNotFound and kNoEntry when a name is missing.
    Result Find(u32 start, const char* path, u32& found);

    // References last until the next entry is added: the table may move as it grows.
    NameTreeEntry& Entry(u32 index) { return entries_[index]; }
    const NameTreeEntry& Entry(u32 index) const { return entries_[index]; }
    u32 Last() const { return last_; }
    u32 First() const { return first_; }
    u32 InUse() const { return inUse_; }
    Result Status() const { return status_; }
    void* Owner() const { return owner_; }

    Rgba background{0, 0, 0, 0};
    u32 changeCount = 0;

private:
    // Indices that a caller kept past their entry's removal name nothing.
    bool Live(u32 index) const { return index < entries_.size() && entries_[index].kind != kEntryFree; }
    u32 Allocate();
    void Free(u32 index);
    void InsertBefore(u32 index, u32 before);
    u32 FindName(u32 from, const char* name, size_t length) const;
    static u64 DepthKey(u32 parent, u16 depth) { return (u64(parent + 1) << 16) | depth; }

    void* owner_;
    Result status_ = kOk;
    u32 freeHead_ = kNoEntry;
    u32 first_ = kNoEntry;
    u32 last_ = kNoEntry;
    u32 inUse_ = 0;
    std::vector<NameTreeEntry> entries_;
    // Entries in use by parent and depth: a movie moves the same objects frame after frame,
    // which a walk along the list would find in time growing with the list.
    std::unordered_map<u64, u32> byDepth_;
};

}  // namespace swf
