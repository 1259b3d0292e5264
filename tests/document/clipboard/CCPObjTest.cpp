// Cut, copy and paste among participants, the clip list's keys and order, and text reaching
// the desktop's clipboard.
#include <gtest/gtest.h>

#include "document/clipboard/CCPObj.h"
#include "document/objects/RTextPageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "platform/clipboard/choice/ClipboardChoice.h"

namespace {

using namespace Ostrel;

struct Participant : CCPObj {
    Participant(FourCC type, bool accepts) : CCPObj(type), accepts(accepts) {}
    bool Copy() override { return log("copy"); }
    bool Cut() override { return log("cut"); }
    bool Paste() override { return log("paste"); }
    bool CanPaste() override { return accepts; }
    bool log(const char* what) {
        done.push_back(what);
        return true;
    }
    bool accepts;
    std::vector<std::string> done;
};

class ClipBoard : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setClipboardBackend(&desktop);
        CCPObj::Clips().DeleteAll();
    }
    void TearDown() override {
        CCPObj::Clips().DeleteAll();
        plat::setClipboardBackend(nullptr);
    }
    plat::LocalClipboard desktop;
};

TEST_F(ClipBoard, CopyGoesToTheNewestPasteToTheFirstThatAccepts) {
    EXPECT_FALSE(CCPObj::CopyActive()) << "no participant";
    Participant canvas(kTypeBitmap, false), text(kTypeText, true);
    {
        Participant note(kTypeNote, false);
        EXPECT_TRUE(CCPObj::CopyActive());
        EXPECT_EQ(note.done, std::vector<std::string>{"copy"});
    }
    EXPECT_TRUE(CCPObj::CutActive());
    EXPECT_EQ(text.done, std::vector<std::string>{"cut"}) << "the note left the list when it closed";
    EXPECT_TRUE(CCPObj::AnyCanPaste());
    EXPECT_TRUE(CCPObj::PasteToFirstAccepting());
    EXPECT_EQ(text.done, (std::vector<std::string>{"cut", "paste"}));
    EXPECT_TRUE(canvas.done.empty());
    text.accepts = false;
    EXPECT_FALSE(CCPObj::AnyCanPaste());
    EXPECT_FALSE(CCPObj::PasteToFirstAccepting());
}

TEST_F(ClipBoard, ClipsAreKeyedByKindAndIdNewestLast) {
    RTextPageObject first(1), second(2);
    first.text.text = "one";
    second.text.text = "two";
    CCPObj::Add(std::make_unique<PageClip>(first));
    CCPObj::Add(std::make_unique<PageClip>(second));
    CCPObj::Add(std::make_unique<BitmapClip>(kTypeBitmap, -1, PictureRecord{1, 1, {1, 2, 3, 4}, {}}));
    EXPECT_EQ(desktop.text(), "two") << "a text clip reaches the desktop";
    first.text.text = "one again";
    CCPObj::Add(std::make_unique<PageClip>(first));
    ClipList& clips = CCPObj::Clips();
    EXPECT_EQ(clips.Count(), 3u) << "the same kind and id replaces";
    auto* newest = dynamic_cast<PageClip*>(clips.FindLastOfTypes({kTypeText, kTypeSound}));
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(static_cast<const RTextPageObject&>(newest->Object()).text.text, "one again");
    EXPECT_EQ(clips.FindLastOfTypes({kTypeSound}), nullptr);
    clips.DeleteAllButBitmaps();
    EXPECT_EQ(clips.Count(), 1u);
    EXPECT_NE(clips.FindLastOfTypes({kTypeBitmap}), nullptr);
    EXPECT_EQ(CCPObj::DesktopText(), "one again");
}

}  // namespace

namespace {

// A clip outlives the page its object was copied from: its copy belongs to no page.
TEST(PageClips, TheCopyBelongsToNoPage) {
    auto clip = [] {
        Ostrel::RPageData page;
        Ostrel::RPageObject* object = page.AddObject(kTypeSound, 1, {}, {});
        EXPECT_TRUE(object->IsOnPage());
        return std::make_unique<Ostrel::PageClip>(*object);
    }();
    EXPECT_FALSE(clip->Object().IsOnPage());
    EXPECT_EQ(clip->Object().Owner(), nullptr);
}

}  // namespace
