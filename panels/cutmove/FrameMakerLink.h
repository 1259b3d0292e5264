#pragma once
// What the tool panels that move page objects (the cut and move panel's move mode) ask of the
// frame maker, which frames the page's objects on the canvas and edits the chosen one. The
// frame maker lives with the edit frames; the screen that hosts the panel hands it a maker
// that reaches the canvas's one frame maker. Without a maker, a panel finds no objects to frame.
// The panel sends it the frame maker's commands as messages: kFrameMakerAdd (1250, an object
// and a select flag), kFrameMakerRemove (1251), kFrameMakerDelete (1253), kFrameMakerCopy
// (1254), kFrameMakerPaste (1255, a clip), kFrameMakerFlattenOne and kFrameMakerFlattenAll
// (1600, 1601, a kind). User-interface thread only.
#include <functional>
#include <memory>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "framework/messaging/CListener.h"

namespace Ostrel {

class RHotSpotList;

constexpr u32 kFrameMakerAdd = 1250;
constexpr u32 kFrameMakerRemove = 1251;
constexpr u32 kFrameMakerDelete = 1253;
constexpr u32 kFrameMakerCopy = 1254;
constexpr u32 kFrameMakerPaste = 1255;
constexpr u32 kFrameMakerFlattenOne = 1600;
constexpr u32 kFrameMakerFlattenAll = 1601;

class FrameMakerLink : public CListener {
public:
    // A frame per visible object of the kinds (0: every kind); how many were made.
    virtual u16 BuildObjectFrames(FourCC kind) = 0;
    virtual void ClearObjectFrames() = 0;
    // Shows the frames of every object but the one being edited.
    virtual void ShowOtherItems() = 0;
    virtual bool HasCurrentFrame() const = 0;
};

// (owner, hot-spot list of the frames' items, the page-object kinds the panel moves); null
// when there is no frame maker to reach.
using FrameMakerMaker = std::function<std::unique_ptr<FrameMakerLink>(CListener* owner, RHotSpotList* hotSpots,
                                                                       const std::vector<FourCC>& kinds)>;

}  // namespace Ostrel
