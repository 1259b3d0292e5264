#include "media/swf/NameTree.h"

#include <cstring>
#include <new>
#include <unordered_map>

namespace swf {

namespace {

constexpr u32 kGrowth = 8;

}  // namespace

u32 NameTree::Allocate() {
    if (freeHead_ == kNoEntry) {
        const u32 old = u32(entries_.size());
        try {
            entries_.reserve(old + kGrowth);
            entries_.resize(old + kGrowth);
        } catch (const std::bad_alloc&) {
            return kNoEntry;
        }
        for (u32 i = old; i < old + kGrowth; ++i) entries_[i].next = i + 1 < old + kGrowth ? i + 1 : freeHead_;
        freeHead_ = old;
    }
    const u32 index = freeHead_;
    freeHead_ = entries_[index].next;
    entries_[index] = NameTreeEntry{};
    ++inUse_;
    return index;
}

void NameTree::Free(u32 index) {
    NameTreeEntry& e = entries_[index];
    byDepth_.erase(DepthKey(e.parent, e.depth));
    if (e.previous != kNoEntry) entries_[e.previous].next = e.next;
    else first_ = e.next;
    if (e.next != kNoEntry) entries_[e.next].previous = e.previous;
    else last_ = e.previous;
    e = NameTreeEntry{};
    e.next = freeHead_;
    freeHead_ = index;
    --inUse_;
}

void NameTree::InsertBefore(u32 index, u32 before) {
    NameTreeEntry& e = entries_[index];
    e.next = before;
    e.previous = before == kNoEntry ? last_ : entries_[before].previous;
    if (e.previous != kNoEntry) entries_[e.previous].next = index;
    else first_ = index;
    if (before != kNoEntry) entries_[before].previous = index;
    else last_ = index;
}

u32 NameTree::FindOrAdd(u32 parent, u16 depth) {
    if (parent != kNoEntry && !Live(parent)) return status_ = kErrNotFound, kNoEntry;
    if (const auto known = byDepth_.find(DepthKey(parent, depth)); known != byDepth_.end())
        return status_ = kOk, known->second;
    const u16 level = parent == kNoEntry ? 0 : u16(entries_[parent].level + 1);
    u32 at = parent == kNoEntry ? first_ : entries_[parent].next;
    while (at != kNoEntry && entries_[at].level >= level) {
        const NameTreeEntry& e = entries_[at];
        if (e.level == level) {
            if (e.depth == depth) return status_ = kOk, at;
            if (e.depth < depth) break;
        }
        at = e.next;
    }
    std::unordered_map<u64, u32>::iterator slot;
    try {
        slot = byDepth_.emplace(DepthKey(parent, depth), kNoEntry).first;
    } catch (const std::bad_alloc&) {
        return status_ = kErrMemory, kNoEntry;
    }
    const u32 index = Allocate();
    if (index == kNoEntry) {
        byDepth_.erase(slot);
        return status_ = kErrMemory, kNoEntry;
    }
    slot->second = index;
    InsertBefore(index, at);
    NameTreeEntry& made = entries_[index];
    made.parent = parent;
    made.depth = depth;
    made.level = level;
    made.kind = kEntryReserved;
    status_ = kOk;
    return index;
}

u32 NameTree::FindChild(u32 parent, u16 depth) const {
    if (parent != kNoEntry && !Live(parent)) return kNoEntry;
    const auto known = byDepth_.find(DepthKey(parent, depth));
    return known == byDepth_.end() ? kNoEntry : known->second;
}

void NameTree::Remove(u32 index) {
    if (!Live(index)) return;
    RemoveChildren(index);
    // The entry lets go of its instance first, so that a release that removes the entry
    // itself does not release the instance again.
    NameTreeInstance* instance = entries_[index].instance;
    entries_[index].instance = nullptr;
    if (instance) instance->ReleaseInstance(*this, index);
    if (entries_[index].kind != kEntryFree) Free(index);
}

void NameTree::RemoveChildren(u32 index) {
    if (index != kNoEntry && !Live(index)) return;
    std::vector<u32> children;
    if (index == kNoEntry) {
        for (u32 at = first_; at != kNoEntry; at = entries_[at].next)
            if (entries_[at].parent == kNoEntry) children.push_back(at);
        background = Rgba{0, 0, 0, 0};
        changeCount = 0;
    } else {
        for (u32 at = entries_[index].next; at != kNoEntry && entries_[at].level > entries_[index].level;
             at = entries_[at].next)
            if (entries_[at].parent == index) children.push_back(at);
    }
    for (u32 child : children)
        if (entries_[child].kind != kEntryFree) Remove(child);
}

u32 NameTree::FindName(u32 from, const char* name, size_t length) const {
    const u16 level = from == kNoEntry ? 0 : u16(entries_[from].level + 1);
    for (u32 at = from == kNoEntry ? first_ : entries_[from].next; at != kNoEntry && entries_[at].level >= level;
         at = entries_[at].next) {
        const RcString& text = entries_[at].name;
        if (text.ByteLength() == length && std::memcmp(text.c_str(), name, length) == 0) return at;
    }
    return kNoEntry;
}

Result NameTree::Find(u32 start, const char* path, u32& found) {
    u32 at = start;
    if (*path == '/') {
        at = kNoEntry;
        ++path;
    }
    if (at != kNoEntry && !Live(at)) {
        found = kNoEntry;
        return status_ = kErrNotFound;
    }
    while (*path) {
        const char* slash = std::strchr(path, '/');
        const size_t length = slash ? size_t(slash - path) : std::strlen(path);
        if (length == 2 && path[0] == '.' && path[1] == '.') {
            at = at == kNoEntry ? kNoEntry : entries_[at].parent;
        } else if (length > 0) {
            at = FindName(at, path, length);
            if (at == kNoEntry) {
                found = kNoEntry;
                return status_ = kErrNotFound;
            }
        }
        path += length + (slash ? 1 : 0);
    }
    found = at;
    return status_ = kOk;
}

}  // namespace swf
