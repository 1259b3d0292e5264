#include "app/print/MakeLayoutJob.h"

#include "app/print/RCardJob.h"
#include "app/print/RComicJob.h"
#include "app/print/RPosterJob.h"
#include "app/print/RPrintDialog.h"
#include "app/print/RStoryJob.h"
#include "app/print/RThumbnailJob.h"

namespace Ostrel {

std::unique_ptr<RPrintJob> MakeLayoutJob(u32 layout, u32 posterSize, const PrintSources& sources) {
    switch (layout) {
    case kLayoutComic: return std::make_unique<RComicJob>(sources);
    case kLayoutCard: return std::make_unique<RCardJob>(sources);
    case kLayoutThumbnail: return std::make_unique<RThumbnailJob>(sources);
    case kLayoutStory: return std::make_unique<RStoryJob>(sources);
    case kLayoutPoster: return std::make_unique<RPosterJob>(u16(posterSize), sources);
    default: return std::make_unique<RPrintJob>(1, sources);
    }
}

}  // namespace Ostrel
