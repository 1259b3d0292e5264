#include "document/pages/RPage.h"

namespace Ostrel {

RPageData& RPage::Data() {
    if (data_) return *data_;
    data_ = std::make_unique<RPageData>();
    if (!filePath_.empty()) {
        Path path;
        if (pathFromText(&path, filePath_.c_str())->record && data_->OpenAndLoad(&path) != kErrNone)
            data_ = std::make_unique<RPageData>();
        pathRelease(&path);
    }
    return *data_;
}

EngineErr RPage::Draw() { return Data().Render(gfxGetPort(), 0, 0); }

}  // namespace Ostrel
