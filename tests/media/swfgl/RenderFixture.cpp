#include "tests/media/swfgl/RenderFixture.h"

namespace swfgltest {

RenderFixture::RenderFixture() {
    picture_ = plat::gdi::Surface::create(kWidth, kHeight, 16, plat::gdi::RowOrder::BottomUp);
    Clear(kWhite555);
    dc_ = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *picture_);
}

RenderFixture::~RenderFixture() {
    player_.reset();
    document_.reset();
}

void RenderFixture::Clear(u16 value) {
    for (i32 y = 0; y < kHeight; ++y) picture_->fillSpan(y, 0, kWidth, value);
}

void RenderFixture::Load(const Bytes& movie) {
    player_.reset();
    document_ = std::make_unique<swf::document>();
    ASSERT_EQ(swftest::Load(*document_, movie), swf::kOk);
    player_ = std::make_unique<swf::player>(*document_, nullptr);
    ASSERT_EQ(player_->AdvanceFrame(), swf::kOk);
}

swf::Result RenderFixture::Draw(u32 flags) {
    if (renderer_.Attach(dc_.get(), kWidth, kHeight, 0, 0, kWidth, kHeight) != kGlOk) return swf::kErrNoContext;
    renderer_.SetView(GlViewRect{kFrame.xMin, kFrame.yMin, kFrame.xMax, kFrame.yMax});
    return player_->Render(renderer_, flags);
}

}  // namespace swfgltest
