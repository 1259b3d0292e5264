#pragma once
// What the slide strip shows of a project: one cell per place 1..count, each with the page's
// thumbnail (scaled down by the strip), its transition icon and its timing label. A place
// without a page shows the blank thumbnail; a page whose thumbnail cannot be read shows the
// unreadable one, so that the cells after it still show (and edit) their own pages.
#include <functional>
#include <string>
#include <vector>

#include "document/storage/PictureRecord.h"
#include "framework/controls/ScrollerPicture.h"

namespace Ostrel {

class RDocument;
class RPage;

constexpr u16 kFirstTransitionIcon = 12000;
// The icon of a blank cell refreshed on its own.
constexpr u16 kBlankTransitionIcon = 24004;
// What a blank cell's timing label reads.
constexpr u8 kBlankCellSeconds = 7;

struct SlideCells {
    std::vector<ScrollerPicture> thumbnails;
    std::vector<ScrollerPicture> icons;
    std::vector<std::string> labels;
    // The places that hold no page (the shared blank page).
    std::vector<bool> blank;
};

// A 16-bit engine bitmap of the picture (alpha ignored).
ScrollerPicture ThumbnailPicture(const PictureRecord& picture);
// A plain thumbnail-sized picture of one colour (0x00RRGGBB).
ScrollerPicture PlainThumbnail(u32 rgb);
// The page's stored thumbnail as a picture; empty when its file has none or cannot be read.
ScrollerPicture ReadPageThumbnail(const RPage& page);
// The same of the page file of the engine text `file`.
ScrollerPicture ReadPageFileThumbnail(const std::string& file);

// The texts of the timing modes: [0] the seconds' unit, [1..4] the other modes.
using TimingTexts = std::vector<std::string>;
TimingTexts LoadTimingTexts();
// "7 sec", or the mode's text; a mode past the known ones reads as timed.
std::string TimingLabel(u8 seconds, u8 mode, const TimingTexts& texts);

struct SlideCellSources {
    std::function<ScrollerPicture(const RPage&)> thumbnail = ReadPageThumbnail;
    // The transition icon by picture id; empty when there is none.
    std::function<ScrollerPicture(u16 id)> icon;
    TimingTexts timing;
};

// One cell for each place 1..count of the document.
SlideCells BuildSlideCells(RDocument& document, u16 count, const SlideCellSources& sources);
// One place's cell into `cells` (grown when needed).
void BuildSlideCell(RDocument& document, u16 place, const SlideCellSources& sources, SlideCells& cells);

}  // namespace Ostrel
