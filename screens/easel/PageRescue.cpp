#include "screens/easel/PageRescue.h"

#include <string>
#include <utility>
#include <vector>

#include "document/pages/RPage.h"
#include "document/project/RecoveryCopy.h"
#include "framework/language/LanguageTexts.h"
#include "platform/display/SignalRescue.h"
#include "platform/files/Files.h"

namespace Ostrel {

PageRescue::~PageRescue() { Drop(); }

void PageRescue::Drop() {
    if (kept_) plat::keepSignalRescue({}, {});
    kept_ = false;
    page_ = nullptr;
}

namespace {

// How long the page stays as it is before it is copied.
constexpr u32 kPauseMillis = 250;

}  // namespace

void PageRescue::Update(RPage* page, const Paths* paths, u32 now, const std::function<bool(RPage*)>& store) {
    // A saved page needs no copy; another page (or another user's) not the old one's.
    if (!page || !paths || !page->Data().IsDirty()) return Drop();
    if (page != page_) Drop();
    const u32 revision = page->Data().Revision();
    if (revision != seen_) seen_ = revision, seenAt_ = now;
    if ((page_ == page && revision == revision_) || now - seenAt_ < kPauseMillis) return;
    if (!store(page)) return;
    std::vector<u8> bytes;
    const std::string file = plat::hostPathOfText(RecoveryCopyPath(*paths, CurrentLanguage()));
    // A copy that cannot be made is tried again at the next change, not at every tick; the
    // one kept before stays, the best there is.
    page_ = page;
    revision_ = page->Data().Revision();
    if (file.empty() || page->Data().WriteCopy(&bytes) != kErrNone) return;
    plat::keepSignalRescue(file, std::move(bytes));
    kept_ = true;
}

}  // namespace Ostrel
