#pragma once
// The transitions between two pictures of one size that the slide show, the preview of its
// transition dialog and the page-erase effects share. A step draws the transition at a
// progress from 0 (the source, exactly) to kTransitionFull (the target, exactly) into a third
// picture. The kinds come in the order of the transition dialog's names (the content's string
// list 7500: none, fade, the four wipes, circle, sparkle, slide in, zoom, blinds, checkers);
// the two pushes follow.
#include "engine/regions/Rects.h"
#include "tools/base/PixelView.h"

enum class TransitionKind : u8 { None, Fade, WipeLeft, WipeRight, WipeUp, WipeDown, Iris, Dissolve, Slide, Zoom, Blinds, Checkers, PushLeft, PushUp };
constexpr u8 kTransitionKindCount = 14;
constexpr u32 kTransitionFull = 65536;
// Blinds are slats this many rows high; checkers squares this many pixels wide.
constexpr i32 kBlindsSlat = 30;
constexpr i32 kCheckersCell = 50;

// The kind a slide's transition index names; an index outside the list is none.
TransitionKind transitionKindOfIndex(i32 index);

// When the sparkle shows the pixel: it shows the target once the progress passes this rank.
// The ranks repeat every kDissolveTile pixels across and down.
constexpr i32 kDissolveTile = 256;
u32 transitionDissolveRank(i32 x, i32 y);

// Draws `kind` at `progress` (past kTransitionFull counts as full) from `from` to `to` into
// `out`, which must be a third picture. `centre` (picture coordinates) is where the circle and
// the zoom grow from. False, drawing nothing, when the three are not of one size.
bool transitionStep(TransitionKind kind, u32 progress, const PixelView& from, const PixelView& to, const PixelView& out,
                    Point16 centre);
