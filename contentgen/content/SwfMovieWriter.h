#pragma once
// Flash movies made from rasters, for the sticker and animation libraries: the raster becomes
// one DefineShape3 of filled rectangles, one per run of a colour (runs of equal rows joined),
// in the program's 16-bit colours, with transparent places left out; each frame places that
// shape through a matrix, so an animation moves, turns and squashes one picture. The movie
// is composed with the Flash library's own tags and written by it.
#include <vector>

#include "contentgen/raster/Raster.h"

struct SwfPlacement {
    double x = 0, y = 0;          // where the picture's centre goes, in pixels of the movie
    double scaleX = 1, scaleY = 1;
    double turn = 0;              // degrees, clockwise
};

// A movie of `width` x `height` pixels at `framesPerSecond`, one frame per placement.
// Throws ArtError when the raster has no opaque place or the library refuses the movie.
std::vector<u8> writeSwfMovie(const Raster& picture, const std::vector<SwfPlacement>& frames, int width, int height,
                              int framesPerSecond);
