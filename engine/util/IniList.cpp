#include "engine/util/IniList.h"

#include "engine/base/TextUtils.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/ini/IniProfiles.h"
#include "engine/util/IniWriteStringEnsurePath.h"
#include "engine/util/MemoryBlocks.h"

namespace {

bool isEmpty(const char* text) {
    return !text || !*text;
}

// The profile's write-through flag set for a run of changes and put back after it.
class FlushModeScope {
public:
    FlushModeScope(const Path* profile, u16 mode) : profile_(profile), previous_(iniSetFlushMode(profile, mode)) {}
    ~FlushModeScope() {
        if (previous_ != kIniFlushModeUnknown) iniSetFlushMode(profile_, previous_);
    }
    FlushModeScope(const FlushModeScope&) = delete;
    FlushModeScope& operator=(const FlushModeScope&) = delete;

private:
    const Path* profile_;
    u16 previous_;
};

}  // namespace

INI_LIST_NODE::INI_LIST_NODE(INI_LIST* list, u16 number, const char* value)
    : list_(list), number_(number), value_(isEmpty(value) ? nullptr : StrDupHandle(value)) {}

INI_LIST_NODE::~INI_LIST_NODE() {
    if (prev_) prev_->next_ = next_;
    if (next_) next_->prev_ = prev_;
    if (list_ && list_->head_ == this) list_->head_ = next_;
    if (list_ && list_->moving_ == this) list_->moving_ = nullptr;
    SafeFreePtr(value_);
}

EngineErr INI_LIST_NODE::Changed(u16 writeNow) {
    if (writeNow) return Write();
    dirty_ = 1;
    return kErrNone;
}

EngineErr INI_LIST_NODE::SetValue(const char* text, u16 writeNow) {
    if (isEmpty(text)) {
        SafeFreePtr(value_);
        value_ = nullptr;
    } else if (!value_ || strCompareNoCase(value_, text) != 0) {
        char* copy = StrDupHandle(text);
        if (!copy) return memGetLastError();
        SafeFreePtr(value_);
        value_ = copy;
    }
    return Changed(writeNow);
}

EngineErr INI_LIST_NODE::SetNumber(u16 number, u16 writeNow) {
    number_ = number;
    return Changed(writeNow);
}

EngineErr INI_LIST_NODE::ClearValue(u16 writeNow) {
    return SetValue(nullptr, writeNow);
}

EngineErr INI_LIST_NODE::Write() {
    const EngineErr error = list_->WriteItemKey(number_, value_);
    if (!error) dirty_ = 0;
    return error;
}

INI_LIST::INI_LIST(const Path* path, const char* section, const char* prefix, u16 loadNow, i16 maxNumber,
                   u16 writeThrough)
    : section_(StrDupHandle(section)), prefix_(StrDupHandle(prefix)), maxNumber_(maxNumber),
      writeThrough_(writeThrough) {
    if (path)
        pathInitCopy(&path_, path);
    else
        pathInitEmpty(&path_);
    if (loadNow) Load(maxNumber_);
    iniSetFlushMode(Profile(), writeThrough_);
}

INI_LIST::~INI_LIST() {
    iniSetFlushMode(Profile(), 1);
    DropNodes();
    SafeFreePtr(section_);
    SafeFreePtr(prefix_);
    pathRelease(&path_);
}

INI_LIST& INI_LIST::operator=(const INI_LIST& other) {
    if (this == &other) return *this;
    DropNodes();
    pathAssign(&path_, &other.path_);
    SafeFreePtr(section_);
    SafeFreePtr(prefix_);
    section_ = StrDupHandle(other.section_);
    prefix_ = StrDupHandle(other.prefix_);
    highNumber_ = other.highNumber_;
    maxNumber_ = other.maxNumber_;
    writeThrough_ = other.writeThrough_;
    dirty_ = other.dirty_;
    for (const INI_LIST_NODE* node = other.head_; node; node = node->next_) {
        auto* copy = new INI_LIST_NODE(this, node->number_, node->value_);
        copy->dirty_ = node->dirty_;
        Prepend(copy);
    }
    return *this;
}

const Path* INI_LIST::Profile() const {
    return iniProfileOf(path_);
}

bool INI_LIST::Allowed(u32 number) const {
    return number >= 1 && number <= kIniListMaxNumber && (maxNumber_ <= 0 || number <= u32(maxNumber_));
}

void INI_LIST::DropNodes() {
    while (head_) delete head_;
    moving_ = nullptr;
}

void INI_LIST::Prepend(INI_LIST_NODE* node) {
    node->next_ = head_;
    if (head_) head_->prev_ = node;
    head_ = node;
}

void INI_LIST::Append(INI_LIST_NODE* node) {
    INI_LIST_NODE* last = head_;
    while (last && last->next_) last = last->next_;
    if (!last) {
        head_ = node;
        return;
    }
    last->next_ = node;
    node->prev_ = last;
}

EngineErr INI_LIST::WriteItemKey(u32 number, const char* text) const {
    char key[kIniListValueSize];
    std::snprintf(key, sizeof key, "%s%u", prefix_ ? prefix_ : "", number);
    return IniWriteStringEnsurePath(Profile(), section_, key, isEmpty(text) ? nullptr : text);
}

EngineErr INI_LIST::WriteCount() {
    char key[kIniListValueSize];
    std::snprintf(key, sizeof key, "%s_highnumber", prefix_ ? prefix_ : "");
    char count[8];
    std::snprintf(count, sizeof count, "%u", unsigned(highNumber_));
    const EngineErr error = IniWriteStringEnsurePath(Profile(), section_, key, highNumber_ ? count : nullptr);
    if (!error) dirty_ = 0;
    return error;
}

EngineErr INI_LIST::Load(i16 limit) {
    DropNodes();
    highNumber_ = 0;
    if (isEmpty(section_) || isEmpty(prefix_)) return kIniListErrRefused;
    char key[kIniListValueSize];
    std::snprintf(key, sizeof key, "%s_highnumber", prefix_);
    i32 count = 0;
    const EngineErr error = iniGetLong(Profile(), section_, key, &count, INT32_MIN, INT32_MAX);
    if (error == kIniErrNoFile || error == kIniErrNotFound) {
        count = 0;
    } else if (error) {
        return error;
    }
    // A count beyond the numbers an item may have is read as the highest one.
    count = std::clamp<i32>(count, 0, i32(kIniListMaxNumber));
    if (limit >= 1 && count > limit) count = limit;
    highNumber_ = i16(count);
    char value[kIniListValueSize];
    EngineErr result = kErrNone;
    for (i32 n = 1; n <= count; ++n) {
        std::snprintf(key, sizeof key, "%s%d", prefix_, n);
        const EngineErr read = iniGetString(Profile(), section_, key, value, kIniListValueSize, "");
        if (read == kIniErrNotFound) continue;
        // An item too long to read whole is left out, its key untouched in the file; the items
        // after it are still the list's.
        if (read == kIniErrTooLong) {
            result = read;
            continue;
        }
        if (read) return read;
        if (!*value) continue;
        auto* node = new (std::nothrow) INI_LIST_NODE(this, u16(n), value);
        if (!node) return kIniListErrRefused;
        Append(node);
    }
    return result;
}

EngineErr INI_LIST::Save(u16 force) {
    const u16 previous = iniSetFlushMode(Profile(), writeThrough_);
    EngineErr result = WriteItems(force);
    // The keys written so far may live only in memory: they count once the file holds them.
    // A profile that cannot be loaded has had nothing written into it to flush.
    if (iniSetFlushMode(Profile(), 1) != kIniFlushModeUnknown && !result) result = iniGetLastError();
    if (previous == 0) iniSetFlushMode(Profile(), 0);
    return result;
}

EngineErr INI_LIST::WriteItems(u16 force) {
    EngineErr result = kErrNone;
    auto keep = [&result](EngineErr error) {
        if (!result) result = error;
    };
    if (dirty_ || force) keep(WriteCount());
    for (INI_LIST_NODE* node = head_; node; node = node->next_) {
        if (force || node->dirty_) keep(node->Write());
    }
    // Empty nodes whose keys are gone have nothing more to do.
    for (INI_LIST_NODE* node = head_; node;) {
        INI_LIST_NODE* next = node->next_;
        if (!node->value_ && !node->dirty_) delete node;
        node = next;
    }
    return result;
}

INI_LIST_NODE* INI_LIST::FindNode(u32 number) const {
    for (INI_LIST_NODE* node = head_; node; node = node->next_) {
        if (node->number_ == number && node != moving_) return node;
    }
    return nullptr;
}

void INI_LIST::DropOthers(u32 number, const INI_LIST_NODE* keep) {
    for (INI_LIST_NODE* node = head_; node;) {
        INI_LIST_NODE* next = node->next_;
        if (node->number_ == number && node != keep && node != moving_) delete node;
        node = next;
    }
}

EngineErr INI_LIST::SetValue(const char* text, u32 number, u16 writeNow) {
    if (!Allowed(number)) return kIniListErrRefused;
    if (INI_LIST_NODE* node = FindNode(number)) {
        const EngineErr error = node->SetValue(text, writeNow);
        if (isEmpty(text) && !node->dirty_) delete node;
        return error;
    }
    if (isEmpty(text)) return kErrNone;
    auto* node = new INI_LIST_NODE(this, u16(number), text);
    Prepend(node);
    node->Changed(writeNow);
    RaiseHighNumber(number, writeNow);
    return kErrNone;
}

EngineErr INI_LIST::DeleteItem(u32 number, u16 writeNow) {
    if (!Allowed(number)) return kIniListErrRefused;
    if (writeNow) return WriteItemKey(number, nullptr);
    if (FindNode(number)) return SetValue(nullptr, number, 0);
    // A key with no node behind it (its item moved away) is removed at the next save.
    auto* marker = new INI_LIST_NODE(this, u16(number), nullptr);
    marker->dirty_ = 1;
    Prepend(marker);
    return kErrNone;
}

EngineErr INI_LIST::RemoveNode(u32 number, u16 writeNow) {
    INI_LIST_NODE* node = FindNode(number);
    if (!node) return kErrNone;
    SafeFreePtr(node->value_);
    node->value_ = nullptr;
    if (!writeNow) {
        node->dirty_ = 1;
        return kErrNone;
    }
    const EngineErr error = node->Write();
    if (!error) delete node;
    return error;
}

bool INI_LIST::Holds(const INI_LIST_NODE* node) const {
    for (const INI_LIST_NODE* held = head_; held; held = held->next_) {
        if (held == node) return true;
    }
    return false;
}

void INI_LIST::ForEach(Callback callback, void* context) const {
    std::vector<std::pair<u16, const INI_LIST_NODE*>> visits;
    for (const INI_LIST_NODE* node = head_; node; node = node->next_) {
        if (node->value_) visits.emplace_back(node->number_, node);
    }
    std::stable_sort(visits.begin(), visits.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // The callback may change the list, even delete the node it is given: each node is looked
    // for in the chain again before its turn, and one that went or changed is passed over.
    for (const auto& [number, node] : visits) {
        if (Holds(node) && node->number_ == number && node->value_) callback(node->value_, number, context);
    }
}

u16 INI_LIST::IsDirty() const {
    if (dirty_) return 1;
    for (const INI_LIST_NODE* node = head_; node; node = node->next_) {
        if (node->dirty_) return 1;
    }
    return 0;
}

void INI_LIST::RaiseHighNumber(u32 number, u16 writeNow) {
    if (i64(number) <= highNumber_ || number > kIniListMaxNumber) return;
    if (maxNumber_ >= 1 && number > u32(maxNumber_)) number = u32(maxNumber_);
    if (i64(number) == highNumber_) return;
    highNumber_ = i16(number);
    if (writeNow)
        WriteCount();
    else
        dirty_ = 1;
}

EngineErr INI_LIST::MoveItem(u32 from, u32 to, u16 writeNow) {
    INI_LIST_NODE* source = FindNode(from);
    if (from == to || !source) return kErrNone;
    if (!Allowed(to)) return kIniListErrRefused;
    FlushModeScope mode(Profile(), writeThrough_);
    if (const EngineErr error = SetValue(source->value_, to, writeNow)) return error;
    source->ClearValue(writeNow);
    if (!source->dirty_) delete source;
    return kErrNone;
}

EngineErr INI_LIST::ShiftRange(u32 first, u32 last, i32 delta, u16 writeNow, u16 dropOverwritten) {
    if (delta == 0 || first > last) return kErrNone;
    if (!Allowed(first) || !Allowed(last) || !Allowed(u32(i64(first) + delta)) || !Allowed(u32(i64(last) + delta)))
        return kIniListErrRefused;
    FlushModeScope mode(Profile(), writeThrough_);
    const i64 step = delta < 0 ? 1 : -1;
    for (i64 n = delta < 0 ? first : last; n >= i64(first) && n <= i64(last); n += step) {
        const u32 target = u32(n + delta);
        INI_LIST_NODE* node = FindNode(u32(n));
        if (!node) {
            DeleteItem(target, writeNow);
            continue;
        }
        // An empty marker at the target only stood for a key that this node now rewrites.
        for (INI_LIST_NODE* other = FindNode(target); other; other = FindNode(target)) {
            if (!dropOverwritten && other->value_) break;
            delete other;
        }
        node->SetNumber(u16(target), writeNow);
        if (delta > 0) RaiseHighNumber(target, writeNow);
    }
    return kErrNone;
}

EngineErr INI_LIST::MoveItemShifting(u32 from, u32 to, u16 writeNow) {
    if (from == to) return kErrNone;
    if (!Allowed(from) || !Allowed(to)) return kIniListErrRefused;
    FlushModeScope mode(Profile(), writeThrough_);
    INI_LIST_NODE* moved = FindNode(from);
    moving_ = moved;
    if (from < to)
        ShiftRange(from + 1, to, -1, writeNow, 0);
    else
        ShiftRange(to, from - 1, +1, writeNow, 0);
    moving_ = nullptr;
    if (!moved) return DeleteItem(to, writeNow);
    DropOthers(to, moved);
    moved->SetNumber(u16(to), writeNow);
    RaiseHighNumber(to, writeNow);
    return kErrNone;
}

EngineErr INI_LIST::EraseAll() {
    EngineErr result = kErrNone;
    auto keep = [&result](EngineErr error) {
        if (!result && error != kIniErrNotFound && error != kIniErrNoFile) result = error;
    };
    while (head_) {
        keep(WriteItemKey(head_->number_, nullptr));
        delete head_;
    }
    // The file may hold items the list never loaded: past its limit, or too long to read.
    // Their keys go by number, up to the count the file gives.
    Load(0);
    DropNodes();
    for (i32 n = 1; n <= highNumber_; ++n) keep(WriteItemKey(u32(n), nullptr));
    highNumber_ = 0;
    keep(WriteCount());
    return result;
}

EngineErr INI_LIST::SetPath(const Path* newPath, u16 saveFirst, u16 reload) {
    if (saveFirst) {
        FlushModeScope mode(Profile(), 1);
        // Nothing moves when the old file did not take the list.
        if (const EngineErr error = Save(0)) return error;
    }
    if (reload) DropNodes();
    if (newPath)
        pathAssign(&path_, newPath);
    else
        pathRelease(&path_);
    iniSetFlushMode(Profile(), writeThrough_);
    return reload ? Load(maxNumber_) : kErrNone;
}
