#include "spell/SplMemManager.h"

#include <cassert>
#include <cstring>
#include <new>

namespace {

void resetRecord(SplMemManager* mm, SplMemBlock* r, bool freeBuffer) {
    r->file = nullptr;
    r->block = 0xFFFFFFFFu;
    r->priority = kMmFreePriority;
    r->state = 0;
    if (freeBuffer && r->buffer != nullptr && r != mm->table) {
        splFree(r->buffer);
        r->buffer = nullptr;
        --mm->buffers;
    }
}

int writeBack(SplMemBlock* r) {
    if (!(r->state & kMmWrite)) return 1;
    if (splFileSeek(i64(r->block) * kSplBlockSize, r->file) != 0) return 0;
    if (splFileWrite(r->buffer, kSplBlockSize, r->file) != kSplBlockSize) return 0;
    r->state = u8(r->state & ~kMmWrite);
    return 1;
}

void moveToHead(SplMemManager* mm, SplMemBlock* r) {
    if (mm->head == r) return;
    r->prev->next = r->next;
    r->next->prev = r->prev;
    SplMemBlock* head = mm->head;
    r->next = head;
    r->prev = head->prev;
    head->prev->next = r;
    head->prev = r;
    mm->head = r;
}

bool giveBuffer(SplMemManager* mm, SplMemBlock* r) {
    r->buffer = static_cast<u8*>(splAlloc(kSplBlockSize));
    if (r->buffer == nullptr) return false;
    ++mm->buffers;
    return true;
}

SplMemBlock* chooseVictim(SplMemManager* mm, u32 priority) {
    bool mayAllocate = true;
    for (;;) {
        for (SplMemBlock* r = mm->head->prev; r != mm->head; r = r->prev) {
            if (r->priority < priority) continue;
            if (r->buffer != nullptr) return r;
            if (mayAllocate) {
                mayAllocate = false;
                if (giveBuffer(mm, r)) return r;
                resetRecord(mm, r, false);
            }
        }
        if (priority == 0) return mm->head;
        priority = 0;
    }
}

}  // namespace

SplMemManager* splMemOpen(u32 initBlocks, u32 maxBlocks) {
    if (maxBlocks == 0) maxBlocks = 100;
    if (initBlocks < 1) initBlocks = 1;
    assert(initBlocks <= maxBlocks);
    auto* mm = new (std::nothrow) SplMemManager;
    if (mm == nullptr) return nullptr;
    mm->table = new (std::nothrow) SplMemBlock[maxBlocks];
    if (mm->table == nullptr) {
        delete mm;
        return nullptr;
    }
    mm->initBlocks = initBlocks;
    mm->maxBlocks = maxBlocks;
    if (!giveBuffer(mm, &mm->table[0])) {
        delete[] mm->table;
        delete mm;
        return nullptr;
    }
    bool allocating = true;
    for (u32 i = 0; i < maxBlocks; ++i) {
        SplMemBlock* r = &mm->table[i];
        resetRecord(mm, r, false);
        if (allocating && r->buffer == nullptr && mm->buffers < initBlocks) allocating = giveBuffer(mm, r);
        r->next = &mm->table[(i + 1) % maxBlocks];
        r->prev = &mm->table[(i + maxBlocks - 1) % maxBlocks];
    }
    mm->head = &mm->table[0];
    return mm;
}

u8* splMemGetBlock(SplMemManager* mm, u32 block, SplFile* file, u32 flags) {
    assert(flags & (kMmRead | kMmWrite));
    u32 priority = flags & 15;
    SplMemBlock* found = nullptr;
    SplMemBlock* r = mm->head;
    do {
        if (r->file == file && r->block == block) {
            if (r->buffer != nullptr) found = r;
            else resetRecord(mm, r, false);
            break;
        }
        r = r->next;
    } while (r != mm->head);

    if (found == nullptr) {
        found = chooseVictim(mm, priority);
        if (found->buffer == nullptr && !giveBuffer(mm, found)) return nullptr;
        if (found->file != nullptr && !writeBack(found)) return nullptr;
        resetRecord(mm, found, false);
        if (flags & kMmRead) {
            if (splFileSeek(i64(block) * kSplBlockSize, file) != 0 ||
                !splReadExactly(found->buffer, kSplBlockSize, file)) {
                resetRecord(mm, found, false);
                return nullptr;
            }
            found->state = kMmRead;
        } else {
            std::memset(found->buffer, 0, kSplBlockSize);
        }
        found->file = file;
        found->block = block;
    }
    if (flags & kMmWrite) found->state |= kMmWrite;
    found->priority = u8(priority);
    moveToHead(mm, found);
    return found->buffer;
}

int splMemFlush(SplMemManager* mm, SplFile* file) {
    SplMemBlock* start = mm->head->prev;
    SplMemBlock* r = start;
    do {
        SplMemBlock* before = r->prev;
        if (r->file != nullptr && (file == nullptr || r->file == file)) {
            if (!writeBack(r)) return 0;
            if (file != nullptr) resetRecord(mm, r, true);
        }
        r = before;
    } while (r != start);
    return 1;
}

u32 splMemPurge(SplMemManager* mm, u32 n, int* failed) {
    assert(n >= 1);
    *failed = 0;
    u32 released = 0;
    for (SplMemBlock* r = mm->head->prev; r != mm->head && released < n; r = r->prev) {
        if (r->buffer == nullptr || r == mm->table) continue;
        if (r->file != nullptr && !writeBack(r)) {
            *failed = 1;
            return released;
        }
        resetRecord(mm, r, true);
        ++released;
    }
    return released;
}

int splMemClose(SplMemManager* mm) {
    if (mm == nullptr) return 1;
    int ok = splMemFlush(mm, nullptr);
    for (u32 i = 0; i < mm->maxBlocks; ++i) splFree(mm->table[i].buffer);
    delete[] mm->table;
    delete mm;
    return ok;
}
