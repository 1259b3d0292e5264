#pragma once
// The demonstration movies' player: an area of the screen that its records' pictures are
// clipped to, the records it owns (the last made is the current one) and the port they draw
// on (the sprite layer's work port when none is given). One process-wide slot holds the one
// demonstration that may exist at a time: putting a new one in deletes the one before, so two
// never play together. Whoever fills the slot knows its demonstration afterwards by the token
// the filling gave, never by address: a player or record made after one was deleted may sit
// where the old one was. User-interface thread only.
#include <memory>
#include <vector>

#include "engine/regions/Rects.h"
#include "media/objects/DemoMovieObj.h"

class GfxPort;

class RDemoMovie {
public:
    RDemoMovie(GfxPort* port, const Rect16& area) : area_(area), port_(port) {}
    virtual ~RDemoMovie();
    RDemoMovie(const RDemoMovie&) = delete;
    RDemoMovie& operator=(const RDemoMovie&) = delete;

    // The record's current picture with its top-left at (x, y) of `port` (or the player's port,
    // or the sprite layer's work port), clipped to the area. Nothing while the record is busy.
    virtual void Draw(DemoMovieObj* record, i16 x, i16 y, GfxPort* port);

    const Rect16& area() const { return area_; }
    DemoMovieObj* current() const { return current_; }
    size_t count() const { return records_.size(); }

private:
    friend class DemoMovieObj;

    Rect16 area_;
    DemoMovieObj* current_ = nullptr;
    GfxPort* port_;
    std::vector<std::unique_ptr<DemoMovieObj>> records_;
};

// The process-wide slot. Setting deletes what it held; null empties it. The token names what
// the slot holds: a new one for every player put in (no two alike in the process), 0 while empty.
RDemoMovie* demoMovieSlot();
u64 demoMovieSetSlot(std::unique_ptr<RDemoMovie> demo);
u64 demoMovieSlotToken();
// The slot's current record while the slot still holds what `token` named; null otherwise.
DemoMovieObj* demoMovieSlotRecord(u64 token);
