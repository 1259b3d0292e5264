#pragma once
// Queued reads: a range of a resource read into memory later, in pieces, either by the
// resource reader thread (archives on volumes that read in the background) or by a caller
// that spends a time budget. Requests of one archive are kept in file order and served like
// an elevator from the file's current position, so that several streams read one file with
// few seeks. Callbacks run with the archive's file lock held, on whichever thread serves
// the request; they must not wait for the user-interface thread.
#include "engine/resources/ResourceManager.h"

constexpr u32 kResNoLimit = 0xFFFFFFFFu;
constexpr u16 kResBadRequest = 0xFFFF;

enum ResReadEvent : u32 {
    kResReadBegin = 0,      // return the destination; nullptr ends the request at once
    kResReadEndOfData = 1,  // the destination is no longer written
    kResReadCancelled = 2,
    kResReadCompleted = 3,
    kResReadFailed = 4,
};

// The part of a request its callback sees.
struct ResReadArea {
    u32 userValue;
    void* destination;
    u32 offset;
    u32 count;
    u32 bytesDone;
    u32 dataOffset;  // the resource's place in the file when it was queued
    u16 done;
    u16 busy;
};

struct ResReadRequest;

using ResReadCallback = void* (*)(u32 event, ResourceRef ref, ResReadArea* area);
// (kResReadCompleted, kResReadFailed or kResReadCancelled, reference, the user value)
using ResLoadCallback = void (*)(u32 event, ResourceRef ref, u32* userValue);

// nullptr when refused, and also when the read was served at once (the data was loaded).
ResReadRequest* resQueueRead(ResourceRef ref, ResReadCallback callback, u32 userValue, u32 count, u32 offset);
ResReadRequest* resLoadResourceAsync(ResourceRef ref, ResLoadCallback callback, u32 userValue);
// 1 done, 0 not yet; budget 0 only asks, kResNoLimit reads to the end.
u16 resServiceRead(ResReadRequest* request, u32 budgetMs);
EngineErr resFinishRead(ResReadRequest* request);
// 1 while requests remain, 0 when none.
u16 resServiceReads(ResMapHandle map, u32 budgetMs);
EngineErr resCancelReads(ResourceRef ref);
EngineErr resCompleteReads(ResourceRef ref);
