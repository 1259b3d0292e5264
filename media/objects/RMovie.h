#pragma once
// The movie objects of the page on the screen: the area they show in (the canvas; objects are
// placed relative to its top-left and clipped to it), the port their pictures go to (the sprite
// layer's work port when none is given), and the records it lists, each made by
// MovieObj::Create. User-interface thread only.
#include <memory>
#include <vector>

#include "media/objects/MovieObj.h"

class GfxPort;

class RMovie {
public:
    RMovie(GfxPort* port, const Rect16& area) : area_(area), port_(port) {}
    virtual ~RMovie();
    RMovie(const RMovie&) = delete;
    RMovie& operator=(const RMovie&) = delete;

    // The record's current picture with its top-left at (x, y) of `port` (or the owner's port),
    // clipped to the area. Nothing while the record is busy.
    virtual void Draw(MovieObj* record, i16 x, i16 y, GfxPort* port);
    // Shows the record at `rect` (screen), its movie drawn at that size.
    void MoveMovie(MovieObj* record, const Rect16& rect);
    // Takes the record off the list and deletes it.
    void RemoveMovie(MovieObj* record);
    // Deletes the records whose object went.
    void RemoveOrphans();

    const Rect16& area() const { return area_; }
    size_t count() const { return records_.size(); }
    MovieObj* record(size_t index) const { return records_[index].get(); }
    Rect16 ToScreen(const Ostrel::PageRect& r) const;
    Ostrel::PageRect ToPage(const Rect16& r) const;

private:
    friend class MovieObj;

    Rect16 area_;
    GfxPort* port_;
    std::vector<std::unique_ptr<MovieObj>> records_;
};
