#include "engine/base/TList.h"

#include <algorithm>
#include <new>

namespace {

constexpr int32_t kDefaultCapacity = 5;
constexpr int32_t kFirstLookupCapacity = 20;

}  // namespace

TList::~TList() {
    delete[] items_;
    items_ = nullptr;
    count_ = 0;
    capacity_ = 0;
}

TListItem* TList::Init(int32_t capacity) {
    if (capacity <= 0) capacity = kDefaultCapacity;
    auto* fresh = new (std::nothrow) TListItem[size_t(capacity)];
    if (!fresh) return nullptr;
    delete[] items_;
    items_ = fresh;
    capacity_ = capacity;
    count_ = 0;
    return items_;
}

int32_t TList::Count() const { return count_; }

int32_t TList::Find(TListItem item) { return IndexOf(item); }

int32_t TList::IndexOf(TListItem item) {
    if (!items_ && !Init(kFirstLookupCapacity)) return -1;
    const TListItem* end = items_ + count_;
    const TListItem* found = std::find(static_cast<const TListItem*>(items_), end, item);
    return found == end ? -1 : int32_t(found - items_);
}

TListItem TList::At(int32_t index) const { return (index < 0 || index >= count_) ? 0 : items_[index]; }

TListItem TList::Get(int32_t index) const { return At(index); }

int32_t TList::Append(TListItem item) { return InsertAt(item, count_); }

int32_t TList::Add(TListItem item) { return Append(item); }

int32_t TList::Insert(TListItem item, int32_t index) { return InsertAt(item, index); }

int32_t TList::InsertAt(TListItem item, int32_t index) {
    const int32_t position = std::clamp(index, 0, count_);
    if (count_ >= capacity_) {
        // A compacted empty list has no room to double; it starts again from the default size.
        const int32_t grown = capacity_ > 0 ? capacity_ * 2 : kDefaultCapacity;
        auto* fresh = new (std::nothrow) TListItem[size_t(grown)];
        if (!fresh) return -1;
        std::copy(items_, items_ + count_, fresh);
        delete[] items_;
        items_ = fresh;
        capacity_ = grown;
    }
    std::copy_backward(items_ + position, items_ + count_, items_ + count_ + 1);
    items_[position] = item;
    ++count_;
    return position;
}

int32_t TList::Delete(TListItem item) { return Remove(item); }

int32_t TList::Remove(TListItem item) {
    const int32_t position = IndexOf(item);
    if (position >= 0) RemoveAt(position);
    return position;
}

TListItem TList::RemoveAt(int32_t index) {
    if (index < 0 || index >= count_) return 0;
    const TListItem removed = items_[index];
    std::copy(items_ + index + 1, items_ + count_, items_ + index);
    --count_;
    return removed;
}

int32_t TList::Capacity() const { return capacity_; }

void TList::Compact() {
    auto* fresh = new (std::nothrow) TListItem[size_t(std::max(count_, 1))];
    if (!fresh) return;
    std::copy(items_, items_ + count_, fresh);
    delete[] items_;
    items_ = fresh;
    capacity_ = count_;
}
