// A child at the library panel: libraries chosen by their buttons, by place and by number;
// pages of the strip remembered per library and for the next time; a chosen item's name; a
// thumbnail dropped on the page, on both sides of the canvas's edges, as a sticker or a
// background; the page's Flash limit; libraries that are missing or unreadable; the swatch
// resting while a thumbnail is dragged.
#include <gtest/gtest.h>

#include <fstream>

#include "document/objects/RLibExclusionsObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "framework/undo/UndoManager.h"
#include "panels/frames/FrameHost.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/library/LibraryStrip.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/panels/library/LibraryPanelFixture.h"

namespace {

using namespace Ostrel;

class LibraryPanelTest : public testpanels::LibraryPanelFixture {
protected:
    // What the owner was given to place: type, id, rectangle and media.
    struct Placed {
        FourCC type = 0;
        u16 id = 0;
        PageRect rect{};
        std::vector<u8> media;
    };
    void SetUp() override {
        LibraryPanelFixture::SetUp();
        owner.onMessage = [this](const RMessage& message) {
            if (message.code != kMsgLibraryPlaceObject) return;
            const auto* object = reinterpret_cast<const RPageObject*>(message.param1);
            Placed p{object->Type(), object->Id(), object->rect, {}};
            if (const auto* media = dynamic_cast<const RMediaFilePageObject*>(object)) p.media = media->media;
            placed.push_back(p);
        };
    }
    static std::vector<std::string> Alerts(bool shown, const char* text) {
        return shown ? std::vector<std::string>{text} : std::vector<std::string>{};
    }
    int Heard(u32 code) const { return int(std::count(log.begin(), log.end(), "owner:" + std::to_string(code))); }

    std::vector<Placed> placed;
};

TEST_F(LibraryPanelTest, LibrariesAreChosenByTheirButtonsByPlaceAndByNumber) {
    Open(kTypeFlash);
    ASSERT_EQ(panel->Libraries().names, (std::vector<std::string>{"Animals", "Birds", "Cars", "Mine"}));
    EXPECT_EQ(panel->Libraries().kinds, (std::vector<u16>{kLibraryOnDisk, kLibraryOnDisk, kLibraryOnDisk, kLibraryOfUser}));
    ASSERT_EQ(ShownName(), "Animals");
    ASSERT_EQ(panel->Strip().size(), 5u);
    struct Step {
        const char* what;
        std::function<void()> act;
        std::string shown;
        size_t items;
        bool stays;  // the library and its chosen item
    };
    const Step steps[] = {
        {"next button", [&] { Click(*panel, 0, 90), Deliver(); }, "Birds", 2, false},
        {"next", [&] { Send(kMsgLibraryNext); }, "Cars", 3, false},
        {"next to the last", [&] { Send(kMsgLibraryNext); }, "Mine", 1, false},
        {"next at the last", [&] { Send(kMsgLibraryNext); }, "Mine", 1, true},
        {"previous button", [&] { Click(*panel, 0, 50), Deliver(); }, "Cars", 3, false},
        {"by place", [&] { Send(kMsgLibraryChosen, 0, 1); }, "Birds", 2, false},
        {"by number", [&] { Send(kMsgLibraryChosen, 1, 3); }, "Mine", 1, false},
        {"by unknown number", [&] { Send(kMsgLibraryChosen, 1, 9); }, "Animals", 5, false},
        {"previous at the first", [&] { Send(kMsgLibraryPrevious); }, "Animals", 5, true},
        {"by place past the list", [&] { Send(kMsgLibraryChosen, 0, 4); }, "Animals", 5, false},
    };
    for (const Step& step : steps) {
        ChooseItem(0);
        const std::string chosen = panel->ItemName();
        ASSERT_FALSE(chosen.empty()) << step.what;
        step.act();
        EXPECT_EQ(ShownName(), step.shown) << step.what;
        EXPECT_EQ(panel->Strip().size(), step.items) << step.what;
        EXPECT_EQ(panel->GetScroller()->GetCount(), int(step.items)) << step.what;
        EXPECT_EQ(panel->LibraryKind(), step.shown == "Mine" ? kLibraryOfUser : kLibraryOnDisk) << step.what;
        EXPECT_EQ(panel->ItemName(), step.stays ? chosen : "") << step.what << ": another library forgets the chosen item";
        EXPECT_EQ(panel->CurrentItemId() == -1, !step.stays) << step.what;
    }
    // The label's button opens the list of the libraries.
    Click(*panel, 0, 10);
    Deliver();
    ASSERT_NE(panel->LibraryPopup(), nullptr);
    EXPECT_TRUE(panel->LibraryPopup()->IsOpen());
}

TEST_F(LibraryPanelTest, ThePagesExclusionsAndNewLibrariesChangeTheList) {
    Open(kTypeFlash);
    Send(kMsgLibraryChosen, 0, 2);
    ASSERT_EQ(ShownName(), "Cars");
    page.GetExclusions()->Add(kTypeFlash, "Birds");
    Send(kMsgLibraryExclusionsChanged);
    EXPECT_EQ(panel->Libraries().names, (std::vector<std::string>{"Animals", "Cars", "Mine"}));
    EXPECT_EQ(panel->Libraries().ids, (std::vector<u16>{0, 2, 3}));
    EXPECT_EQ(ShownName(), "Cars") << "the shown library stays, at its new place";
    EXPECT_EQ(panel->ShownPlace(), 1);
    Send(kMsgLibraryChosen, 1, 1);
    EXPECT_EQ(ShownName(), "Animals") << "an excluded library cannot be chosen by number";
    Send(kMsgLibraryNext);
    EXPECT_EQ(ShownName(), "Cars") << "next passes over the excluded library";
    Send(kMsgLibraryChosen, 0, 0);

    MakeLibrary(kTypeFlash, kLibraryOnDisk, "Boats.tbl", {{{'F', 'W', 'S', 3}, testpanels::thumbnailBytes(4, 4), "Ship"}});
    Send(kMsgLibraryListChanged, kTypeSound);
    EXPECT_EQ(panel->Libraries().names.size(), 3u) << "another kind's libraries changed";
    Send(kMsgLibraryListChanged, kTypeFlash);
    EXPECT_EQ(panel->Libraries().names, (std::vector<std::string>{"Animals", "Boats", "Cars", "Mine"}));
    EXPECT_EQ(ShownName(), "Animals");
}

// Five items two to a page: the last page starts at item 3.
TEST_F(LibraryPanelTest, EachLibraryKeepsItsPageAndTheNextPanelFindsThem) {
    Open(kTypeFlash);
    RBitmapScroller* strip = panel->GetScroller();
    struct Step {
        const char* what;
        std::function<void()> act;
        std::string shown;
        int first;
    };
    const Step steps[] = {
        {"forward", [&] { panel->GetScroller()->ScrollForward(); }, "Animals", 2},
        {"forward to the last", [&] { panel->GetScroller()->ScrollForward(); }, "Animals", 3},
        {"another library", [&] { Send(kMsgLibraryNext); }, "Birds", 0},
        {"back on its last page", [&] { Send(kMsgLibraryPrevious); }, "Animals", 3},
        {"back one page", [&] { panel->GetScroller()->ScrollBack(); }, "Animals", 2},
        {"Cars", [&] { Send(kMsgLibraryChosen, 0, 2); }, "Cars", 0},
        {"its second page", [&] { panel->GetScroller()->ScrollForward(); }, "Cars", 1},
        {"the panel made again", [&] { strip = Open(kTypeFlash)->GetScroller(); }, "Cars", 1},
        {"Animals on its page", [&] { Send(kMsgLibraryChosen, 0, 0); }, "Animals", 2},
    };
    for (const Step& step : steps) {
        step.act();
        Deliver();
        EXPECT_EQ(ShownName(), step.shown) << step.what;
        EXPECT_EQ(strip->GetFirstVisible(), step.first) << step.what;
        EXPECT_EQ(panel->GetCounter(), (step.first + 1) / 2 + 1) << step.what;
    }
    ChooseItem(3);
    EXPECT_EQ(panel->ItemName(), "Animal 4");
    strip->ScrollBack();
    Deliver();
    EXPECT_EQ(panel->ItemName(), "") << "a scrolled strip forgets the chosen item's name";
}

TEST_F(LibraryPanelTest, AChosenItemShowsItsNameCutAtItsEnd) {
    MakeLibrary(kTypeFlash, kLibraryOfUser, "Odd.tbl",
                {{{'F', 'W', 'S', 1}, testpanels::thumbnailBytes(4, 4), std::string("Bus\0stop", 8)},
                 {{'F', 'W', 'S', 2}, {}, "No thumbnail"},
                 {{'F', 'W', 'S', 3}, testpanels::thumbnailBytes(4, 4), std::string(300, 'x')},
                 {{'F', 'W', 'S', 4}, testpanels::thumbnailBytes(4, 4), std::string(kLibMaxItemName, 'y')}});
    Open(kTypeFlash);
    Send(kMsgLibraryChosen, 0, 4);
    ASSERT_EQ(ShownName(), "Odd");
    ASSERT_EQ(panel->Strip().size(), 3u);
    const std::pair<int, std::string> cases[] = {
        {0, "Bus"}, {1, std::string(kLibMaxItemName, 'x')}, {2, std::string(kLibMaxItemName, 'y')}};
    for (const auto& [item, name] : cases) {
        ChooseItem(item);
        EXPECT_EQ(panel->ItemName(), name) << item;
        EXPECT_EQ(panel->CurrentItemId(), panel->Strip()[size_t(item)].entryId) << item;
    }
    EXPECT_EQ(panel->CurrentItemId(), 4) << "the entry without a thumbnail keeps its place in the library";
    for (int past : {3, -1}) {
        panel->ChooseItem(past);
        EXPECT_EQ(panel->CurrentItemId(), 4) << past;
    }
    EXPECT_EQ(heardSounds, std::vector<u16>(3, kLibChooseSound)) << "each choice sounds";
    // The name box comes with the tool bar and empties when it goes.
    Send(kMsgLibraryNameBox, 0, 1);
    const u16 box = panel->NameBoxSprite();
    ASSERT_NE(sprFind(box), nullptr);
    EXPECT_EQ(panel->ItemName(), std::string(kLibMaxItemName, 'y'));
    Send(kMsgLibraryNameBox, 0, 0);
    EXPECT_EQ(panel->ItemName(), "");
    EXPECT_EQ(sprFind(box)->shape, kLibNameBoxEmptyShape);
    Send(kMsgLibraryNameBox, 0, 1);
    EXPECT_EQ(panel->NameBoxSprite(), box);
    EXPECT_EQ(sprFind(box)->shape, kLibNameBoxShape);
    panel.reset();
    EXPECT_EQ(sprFind(box), nullptr) << "the panel takes its sprites along";
}

// The canvas is 400 x 300 at (100, 0); Animal 1's thumbnail is 11 x 8, its sticker 22 x 16.
TEST_F(LibraryPanelTest, ADroppedStickerIsCentredOnThePointAndKeptOnThePage) {
    Open(kTypeFlash);
    struct Case {
        Point16 at;
        int item;
        bool placed;
        PageRect rect;
    };
    const Case cases[] = {
        {{300, 150}, 0, true, {189, 142, 211, 158}},
        {{100, 0}, 0, true, {0, 0, 22, 16}},
        {{499, 299}, 0, true, {378, 284, 400, 300}},
        {{99, 150}, 0, false, {}},
        {{500, 150}, 0, false, {}},
        {{300, -1}, 0, false, {}},
        {{300, 300}, 0, false, {}},
        {{300, 150}, 1, true, {188, 142, 212, 158}},
        {{300, 150}, 5, false, {}},
    };
    for (const Case& c : cases) {
        placed.clear();
        log.clear();
        Send(kMsgLibraryItemDropped, PackDropPoint(c.at), u16(c.item));
        ASSERT_EQ(placed.size(), c.placed ? 1u : 0u) << c.at.h << "," << c.at.v;
        EXPECT_EQ(Heard(kMsgLibraryPageChanged), c.placed ? 1 : 0);
        EXPECT_EQ(heardSounds, c.placed ? std::vector<u16>{kLibPlaceSound} : std::vector<u16>{});
        heardSounds.clear();
        if (!c.placed) continue;
        EXPECT_EQ(placed[0].type, kTypeFlash);
        EXPECT_EQ(placed[0].rect, c.rect) << c.at.h << "," << c.at.v;
        EXPECT_EQ(placed[0].media, (std::vector<u8>{'F', 'W', 'S', u8(c.item + 1)}));
    }
    EXPECT_TRUE(AlertTexts().empty());
}

// Pictures come their own size; one covering the canvas becomes the page's background, one a
// line short of it does not; a picture that cannot be read is not placed, and the child hears.
TEST_F(LibraryPanelTest, APictureAsLargeAsTheCanvasBecomesTheBackground) {
    const auto thumb = testpanels::thumbnailBytes(4, 3);
    MakeLibrary(kTypeBitmap, kLibraryOnDisk, "Places.tbl",
                {{{'x', 'x'}, thumb, "Broken"},
                 {testdoc::pictureBytes(20, 10, 0x40, false), thumb, "Small"},
                 {testdoc::pictureBytes(400, 300, 0x50, false), thumb, "Park"},
                 {testdoc::pictureBytes(400, 299, 0x60, false), thumb, "Beach"},
                 {testdoc::pictureBytes(399, 300, 0x70, false), thumb, "Hill"}});
    Open(kTypeBitmap);
    ASSERT_EQ(panel->Strip().size(), 5u);
    struct Case {
        int item;
        LibraryDrop result;
        u16 id;
        PageRect rect;
    };
    const Case cases[] = {
        {0, LibraryDrop::NotCopied, 0, {}},
        {1, LibraryDrop::Placed, 2, {190, 145, 210, 155}},
        {2, LibraryDrop::Placed, kBackgroundId, {0, 0, 400, 300}},
        {3, LibraryDrop::Placed, 4, {0, 1, 400, 300}},
        {4, LibraryDrop::Placed, 5, {1, 0, 400, 300}},
    };
    for (const Case& c : cases) {
        placed.clear();
        EXPECT_EQ(panel->DropItem(c.item, {300, 150}), c.result) << c.item;
        EXPECT_EQ(AlertTexts(), Alerts(c.result == LibraryDrop::NotCopied, "Full")) << c.item;
        ASSERT_EQ(placed.size(), c.result == LibraryDrop::Placed ? 1u : 0u) << c.item;
        if (placed.empty()) continue;
        EXPECT_EQ(placed[0].type, kTypeBitmap) << c.item;
        EXPECT_EQ(placed[0].id, c.id) << c.item;
        EXPECT_EQ(placed[0].rect, c.rect) << c.item;
    }
}

TEST_F(LibraryPanelTest, APageFullOfFlashObjectsRefusesAnotherWithAnAlert) {
    struct Case {
        const char* what;
        i16 limit;
        int shown, hidden, animations;
        LibraryDrop result;
    };
    const Case cases[] = {
        {"room for one more", 2, 1, 0, 0, LibraryDrop::Placed},
        {"full", 2, 2, 0, 0, LibraryDrop::OverLimit},
        {"an animation counts", 2, 1, 0, 1, LibraryDrop::OverLimit},
        {"a hidden one leaves room", 2, 1, 1, 0, LibraryDrop::Placed},
        {"no limit", 0, 3, 0, 0, LibraryDrop::Placed},
        {"an empty page", 1, 0, 0, 0, LibraryDrop::Placed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearPage();
        for (int n = 0; n < c.shown + c.hidden; ++n)
            page.AddObject(kTypeFlash, -1, std::vector<u8>{'F'}, {0, 0, 9, 9})->flags = n < c.shown ? 0 : kObjectHidden;
        for (int n = 0; n < c.animations; ++n) page.AddObject(kTypeFlashAnimation, -1, std::vector<u8>{'F'}, {0, 0, 9, 9});
        panelHost.flashLimit = c.limit;
        Open(kTypeFlash);
        placed.clear();
        EXPECT_EQ(panel->DropItem(0, {300, 150}), c.result);
        EXPECT_EQ(placed.size(), c.result == LibraryDrop::Placed ? 1u : 0u);
        EXPECT_EQ(AlertTexts(), Alerts(c.result == LibraryDrop::OverLimit, "Too many"));
    }
}

TEST_F(LibraryPanelTest, AMissingOrUnreadableLibraryIsNamedAndTheRememberedOneShown) {
    Open(kTypeFlash);
    Send(kMsgLibraryChosen, 0, 1);
    panel->SavePrefs();
    write("prog/Other/broken.tbl", "not a library");
    struct Case {
        std::string path;
        std::string alert;
    };
    const std::string missing = LibraryFile(kTypeFlash, kLibraryOnDisk, "Gone.tbl");
    const std::string broken = engineTextOfHostFolder(root_ + "/prog/Other") + "\\broken.tbl";
    for (const Case& c : {Case{missing, "Missing " + missing}, Case{broken, "Unreadable " + broken}}) {
        RMessage open(kMsgLibraryOpenFile, 0, kLibraryOnDisk);
        open.Carry(c.path);
        panel->HandleMessage(&open, 0);
        Deliver();
        EXPECT_EQ(AlertTexts(), std::vector<std::string>{c.alert});
        EXPECT_EQ(ShownName(), "Birds") << "the library chosen last comes back";
        EXPECT_EQ(panel->Strip().size(), 2u);
    }
    // A library damaged while listed shows nothing, and says so.
    const std::string cars = LibraryFile(kTypeFlash, kLibraryOnDisk, "Cars.Fast.tbl");
    std::ofstream(host(cars), std::ios::binary | std::ios::trunc) << "damaged";
    Send(kMsgLibraryChosen, 0, 2);
    EXPECT_EQ(AlertTexts(), std::vector<std::string>{"Unreadable " + cars});
    EXPECT_EQ(panel->OpenedLibrary(), nullptr);
    EXPECT_EQ(panel->GetScroller()->GetCount(), 0);
    EXPECT_EQ(panel->DropItem(0, {300, 150}), LibraryDrop::Outside);
}

// The screen shows another file of the same library: the strip keeps its page where it can.
TEST_F(LibraryPanelTest, AnotherFileOfTheLibraryKeepsThePage) {
    Open(kTypeFlash);
    panel->GetScroller()->ScrollForward();
    panel->GetScroller()->ScrollForward();
    Deliver();
    ASSERT_EQ(FirstShown(), 3);
    struct Case {
        std::string file;
        size_t items;
        int first;
    };
    // A copy of Animals elsewhere, as a library on another disc would be.
    const std::string other = engineTextOfHostFolder(root_ + "/prog/Other");
    std::vector<testpanels::LibraryItem> zoo;
    for (u8 n = 0; n < 5; ++n) zoo.push_back({{'F', n}, testpanels::thumbnailBytes(4, 4), "Zoo"});
    MakeLibraryAt(other, "Zoo.tbl", kTypeFlash, zoo);
    const std::string birds = LibraryFile(kTypeFlash, kLibraryOnDisk, "Birds.tbl");
    const Case cases[] = {{"", 5, 3},
                          {LibraryFile(kTypeFlash, kLibraryOnDisk, "Animals.tbl"), 5, 3},
                          {other + "\\Zoo.tbl", 5, 3},
                          {LibraryFile(kTypeFlash, kLibraryOnDisk, "Cars.Fast.tbl"), 3, 1},
                          {birds, 2, 0}};
    for (const Case& c : cases) {
        RMessage change(kMsgLibrarySwitchFile, 0, 0);
        change.Carry(c.file);
        panel->HandleMessage(&change, 0);
        Deliver();
        EXPECT_EQ(panel->Strip().size(), c.items) << c.file;
        EXPECT_EQ(FirstShown(), c.first) << c.file;
    }
    EXPECT_EQ(panel->LibraryPath(), birds);
    EXPECT_EQ(ShownName(), "Animals") << "the list still names the library";
}

// A press on a thumbnail rests the colour swatch until the button is let go, wherever.
TEST_F(LibraryPanelTest, ThePressOnAThumbnailRestsTheSwatchUntilItIsLetGo) {
    Open(kTypeFlash);
    const Point16 onCell{20, 420}, offCell{45, 420};
    struct Case {
        const char* what;
        u32 button;
        Point16 at;
        bool active;
        std::function<void()> release;
        int off, on;
    };
    RInputEvent up{};
    up.kind = kInputEventMouseUp;
    const Case cases[] = {
        {"left on a cell", kInputLeftButton, onCell, true, [&] { panel->HandleMouseUp(kInputLeftButton, {300, 100}, 0); }, 1, 1},
        {"let go elsewhere", kInputLeftButton, onCell, true, [&] { panel->HandleNotification(up); }, 1, 1},
        {"between cells", kInputLeftButton, offCell, true, [&] { panel->HandleMouseUp(kInputLeftButton, offCell, 0); }, 0, 0},
        {"right button", 2, onCell, true, [&] { panel->HandleMouseUp(2, onCell, 0); }, 0, 0},
        {"panel at rest", kInputLeftButton, onCell, false, [&] { panel->HandleMouseUp(kInputLeftButton, onCell, 0); }, 0, 0},
    };
    for (const Case& c : cases) {
        panel->SetActive(c.active);
        log.clear();
        panel->HandleInput(c.button, c.at, 0);
        panel->HandleMouseMove({250, 100}, 1);
        Deliver();
        EXPECT_EQ(Heard(kMsgLibrarySwatchOff), c.off) << c.what;
        EXPECT_EQ(Heard(kMsgLibrarySwatchOn), 0) << c.what;
        c.release();
        c.release();
        Deliver();
        EXPECT_EQ(Heard(kMsgLibrarySwatchOn), c.on) << c.what << ": once";
    }
}

// The canvas's frame maker over the panel's page.
class Canvas : public FrameHost {
public:
    explicit Canvas(RPageData& page) : page_(page) {}
    RPageData* ShownPage() const override { return &page_; }
    const Rect16& CanvasRect() const override { return rect_; }
    UndoManager* Undo() const override { return &undo_; }
    void ObjectsChanged() override {}
    void KeepPainting() override {}
    void PictureMerged() override {}
    bool TakesNoInput() const override { return false; }
    bool CutMovePanelCurrent() const override { return false; }
    void TellPageFull() override {}

private:
    RPageData& page_;
    Rect16 rect_{100, 0, 500, 300};
    mutable UndoManager undo_{1, [](const char*) { return std::string(); }};
};

// A chosen sticker is copied, pasted and cut through the frame maker; a paste takes only what
// the program itself copied.
TEST_F(LibraryPanelTest, TheChosenStickerIsCopiedPastedAndCut) {
    plat::LocalClipboard desktop;
    plat::setClipboardBackend(&desktop);
    Canvas canvas(page);
    RFrameMaker frames(canvas);
    panelHost.frames = &frames;
    Open(kTypeFlash);
    const auto flashObjects = [&] {
        int count = 0;
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (page.NextObject(&iterator, &object, kTypeFlash)) ++count;
        return count;
    };
    RPageObject* sticker = page.AddObject(kTypeFlash, -1, std::vector<u8>{'F', 'W', 'S', 1}, {10, 10, 40, 40});
    struct Step {
        const char* what;
        std::function<bool()> act;
        bool done;
        int objects;
        bool canPaste, pageChanged;
    };
    const Step steps[] = {
        {"nothing chosen: no copy", [&] { return panel->Copy(); }, false, 1, false, false},
        {"nothing chosen: no cut", [&] { return panel->Cut(); }, false, 1, false, false},
        {"nothing copied: no paste", [&] { return panel->Paste(); }, false, 1, false, false},
        {"copied", [&] { frames.AddObjectFrame(sticker, 1); return panel->Copy(); }, true, 1, true, false},
        {"pasted", [&] { return panel->Paste(); }, true, 2, true, true},
        {"cut", [&] { return panel->Cut(); }, true, 1, true, true},
        {"another program copied", [&] { return desktop.place({"words", {}, {}}) && panel->Paste(); }, false, 1, false, false},
    };
    for (const Step& step : steps) {
        log.clear();
        EXPECT_EQ(step.act(), step.done) << step.what;
        Deliver();
        EXPECT_EQ(flashObjects(), step.objects) << step.what;
        EXPECT_EQ(panel->CanPaste(), step.canPaste) << step.what;
        EXPECT_EQ(Heard(kMsgLibraryPageChanged), step.pageChanged ? 1 : 0) << step.what;
    }
    panel.reset();
    plat::setClipboardBackend(nullptr);
}

}  // namespace
