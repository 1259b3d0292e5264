#pragma once
// TList: the program's growable array of pointer-sized items (pointers or numbers), compared
// by value. Every operation is virtual so that a derived list can replace one; the operations
// that repeat another call it through the table, so replacing one replaces both.
// The list never owns what its items point to. Used on the user-interface thread only.
#include <cstdint>

using TListItem = intptr_t;

class TList {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    virtual ~TList();

    // Allocates room for `capacity` items (5 when 0); null when the allocation fails.
    virtual TListItem* Init(int32_t capacity);
    virtual int32_t Count() const;
    virtual int32_t Find(TListItem item);
    // A list whose Init never ran first gets an array of 20.
    virtual int32_t IndexOf(TListItem item);
    // 0 outside 0 .. Count()-1.
    virtual TListItem At(int32_t index) const;
    virtual TListItem Get(int32_t index) const;
    virtual int32_t Append(TListItem item);
    virtual int32_t Add(TListItem item);
    virtual int32_t Insert(TListItem item, int32_t index);
    // Returns the position used, or -1 when the array could not grow.
    virtual int32_t InsertAt(TListItem item, int32_t index);
    virtual int32_t Delete(TListItem item);
    // Removes the first copy only; returns its position or -1.
    virtual int32_t Remove(TListItem item);
    virtual TListItem RemoveAt(int32_t index);
    virtual int32_t Capacity() const;
    virtual void Compact();

private:
    TListItem* items_ = nullptr;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};
