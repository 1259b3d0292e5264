// A child's way through the library and sound buttons on the running program: a sticker
// dragged from the strip onto the page, saved with the picture and found again on reopening;
// a library of the child's own whose entries partly lack thumbnails; the page's Flash limit;
// a take recorded from the microphone, named and kept in the child's own sound library (and
// kept, unsaved, when it cannot be written); a sound put on the page and taken off again.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/base/ByteOrder.h"
#include "engine/ini/IniProfiles.h"
#include "panels/audio/RAudioPanel.h"
#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "platform/keyboard/VirtualKeys.h"
#include "panels/frames/RFrameMaker.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class LibraryPanelFlow : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        microphone.setSignal(plat::sineSignal(440, 0.5));
        plat::setCaptureBackend(&microphone);
    }
    void TearDown() override {
        EaselHarness::TearDown();
        plat::setCaptureBackend(nullptr);
    }
    template <class Panel>
    Panel* open(u32 toolbar) {
        for (const auto& b : easel->Buttons())
            if (b->GetRecord().clickMessage == toolbar) click(centreOf(b->GetSprite()));
        return dynamic_cast<Panel*>(easel->CurrentPanel());
    }
    Point16 canvasPoint(i16 dx, i16 dy) const {
        const Rect16& r = easel->Canvas()->CanvasRect();
        return {i16(r.left + dx), i16(r.top + dy)};
    }
    // Drags strip item `item` to the canvas point.
    void dropItem(RLibPanel& panel, int item, Point16 to) {
        const Rect16 cell = panel.GetScroller()->GetCellRect(item);
        drag({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)}, to);
    }
    RPageData& page() { return easel->CurrentPage()->Data(); }
    std::vector<RPageObject*> objects(FourCC type) {
        std::vector<RPageObject*> found;
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (page().NextObject(&iterator, &object, type)) found.push_back(object);
        return found;
    }
    // The desktop's path of an engine path under the users' folder.
    std::string native(std::string text) const {
        text = text.substr(text.find("\\Users\\"));
        std::replace(text.begin(), text.end(), '\\', '/');
        return root_ + "/data/tumblo4" + text;
    }
    static std::vector<u8> mediaOf(const RLibrary& library, u16 entry) {
        auto object = library.CreateObjectForEntry(entry);
        auto* media = dynamic_cast<RMediaFilePageObject*>(object.get());
        return media ? media->media : std::vector<u8>{};
    }
    void click(u32 command, RAudioPanel& panel) {
        RButton* button = panel.AudioButton(command);
        ASSERT_NE(button, nullptr) << command;
        ScreenHarness::click(centreOf(button->GetSprite()));
    }
    using ScreenHarness::click;

    plat::VirtualMicrophone microphone;
};

TEST_F(LibraryPanelFlow, ADraggedStickerGoesOnThePageWithItsMediaAndSurvivesSaving) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->LibraryType(), kTypeFlash);
    ASSERT_FALSE(panel->Libraries().names.empty());
    ASSERT_GT(panel->GetScroller()->GetCount(), 1);
    const Point16 at = canvasPoint(200, 150);
    const Rect16 underThumbnail{i16(at.h - kLibDragSide), i16(at.v - kLibDragSide), i16(at.h + kLibDragSide), i16(at.v + kLibDragSide)};
    const u64 blank = PictureHash(underThumbnail);
    dropItem(*panel, 1, at);
    EXPECT_NE(PictureHash(underThumbnail), blank) << "the sticker shows where it was dropped";
    const std::vector<RPageObject*> placed = objects(kTypeFlash);
    ASSERT_EQ(placed.size(), 1u);
    const std::vector<u8> media = mediaOf(*panel->OpenedLibrary(), panel->Strip()[1].entryId);
    ASSERT_FALSE(media.empty());
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(placed[0])->media, media);
    EXPECT_EQ((placed[0]->rect.left + placed[0]->rect.right) / 2, 200);
    EXPECT_EQ(placed[0]->rect.right - placed[0]->rect.left, 2 * readBE16(panel->Strip()[1].thumbnail.data()));

    const std::string file = (std::filesystem::path(::testing::TempDir()) / "sticker.tbx").string();
    EnginePath path(file);
    ASSERT_EQ(page().SaveToFile(path.get()), kErrNone);
    RPageData reopened;
    ASSERT_EQ(reopened.OpenAndLoad(path.get()), kErrNone);
    RPageObject* found = nullptr;
    ASSERT_EQ(reopened.FindObject(kTypeFlash, -1, &found), 0);
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(found)->media, media);
    EXPECT_EQ(found->rect, placed[0]->rect);

    panel->ChooseLibrary(0);
    RMessage next(kMsgLibraryNext, 0, 0);
    panel->HandleMessage(&next, 0);
    settle();
    EXPECT_EQ(panel->ShownPlace(), 1);
    // Previous at the first library and next at the last change nothing.
    const int last = int(panel->Libraries().names.size()) - 1;
    for (const auto& [place, command] : {std::pair{0, kMsgLibraryPrevious}, std::pair{last, kMsgLibraryNext}}) {
        panel->ChooseLibrary(place);
        RMessage step(command, 0, 0);
        panel->HandleMessage(&step, 0);
        settle();
        EXPECT_EQ(panel->ShownPlace(), place) << command;
    }
    // A drop back on the panel puts nothing on the page.
    dropItem(*panel, 0, {i16(panel->GetScroller()->GetCellRect(0).left + 100), i16(panel->GetScroller()->GetCellRect(0).top)});
    EXPECT_EQ(objects(kTypeFlash).size(), 1u);
}

// The child's own sticker library of five entries, the second and fourth without thumbnail:
// each thumbnail places its own entry.
TEST_F(LibraryPanelFlow, EntriesWithoutThumbnailsLeaveTheOthersInPlace) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    std::vector<u8> thumbnail;
    std::vector<std::vector<u8>> media;
    for (const StripEntry& entry : panel->Strip()) media.push_back(mediaOf(*panel->OpenedLibrary(), entry.entryId));
    ASSERT_GE(media.size(), 5u);
    ASSERT_EQ(panel->OpenedLibrary()->ReadEntryThumbnail(panel->Strip()[0].entryId, kThumbnailPicture, &thumbnail), kErrNone);
    RLibraryMgr libraries(*easel->UserPaths());
    const std::string folder = libraries.FolderOf(kTypeFlash, kLibraryOfUser);
    std::filesystem::create_directories(native(folder));
    {
        RLibrary mine;
        EnginePath path(folder + "\\Mine.tbl");
        ASSERT_EQ(mine.Create(path.get(), kTypeFlash, kLibraryFlagThumbnails), kErrNone);
        for (u16 n = 0; n < 5; ++n)
            ASSERT_NE(mine.AddItem(media[n], n % 2 ? std::vector<u8>{} : thumbnail, "x"), 0);
    }
    RMessage relist(kMsgLibraryListChanged, kTypeFlash, 0);
    panel->HandleMessage(&relist, 0);
    const auto& kinds = panel->Libraries().kinds;
    const int place = int(std::find(kinds.begin(), kinds.end(), kLibraryOfUser) - kinds.begin());
    ASSERT_LT(size_t(place), kinds.size());
    panel->ChooseLibrary(place);
    settle();
    ASSERT_EQ(panel->GetScroller()->GetCount(), 3);
    dropItem(*panel, 1, canvasPoint(150, 150));
    const std::vector<RPageObject*> placed = objects(kTypeFlash);
    ASSERT_EQ(placed.size(), 1u);
    // The third entry, made from the program library's third item.
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(placed[0])->media, media[2]);

    // The panel made anew shows the child's library again.
    open<RPanel>(kEaselToolbarPencil);
    panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->LibraryKind(), kLibraryOfUser);
}

// With room for one Flash object: the second is refused with the alert, both sides of the
// limit; a hidden one leaves room.
TEST_F(LibraryPanelFlow, APageFullOfFlashObjectsRefusesAnotherUntilOneIsHidden) {
    enterEasel();
    // A limit of 0 is none.
    ASSERT_EQ(iniWriteString(&app->GetIniPath(), "PageObjectLimits", "SWFMax", "0"), kErrNone);
    easel->ReadPageObjectLimits();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarAnimations);
    ASSERT_NE(panel, nullptr);
    for (i16 x : {100, 200}) dropItem(*panel, 0, canvasPoint(x, 300));
    EXPECT_EQ(objects(kTypeFlashAnimation).size(), 2u);
    for (RPageObject* placed : objects(kTypeFlashAnimation)) page().DeleteObject(placed->Type(), placed->Id());
    // Taken off the page behind the canvas's back: its frames follow the page as after a page step.
    easel->Canvas()->FrameMaker()->SyncWithPage();
    ASSERT_EQ(iniWriteString(&app->GetIniPath(), "PageObjectLimits", "SWFMax", "1"), kErrNone);
    easel->ReadPageObjectLimits();
    open<RPanel>(kEaselToolbarPencil);
    panel = open<RLibPanel>(kEaselToolbarAnimations);
    ASSERT_NE(panel, nullptr);
    alerts();
    dropItem(*panel, 0, canvasPoint(100, 100));
    EXPECT_TRUE(alerts().empty());
    dropItem(*panel, 1, canvasPoint(300, 100));
    const std::vector<mfxAlertRecord> shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("full of moving things"), std::string::npos);
    std::vector<RPageObject*> placed = objects(kTypeAnyObject);
    const auto flash = [](RPageObject* o) { return o->Type() == kTypeFlash || o->Type() == kTypeFlashAnimation; };
    ASSERT_EQ(std::count_if(placed.begin(), placed.end(), flash), 1);
    (*std::find_if(placed.begin(), placed.end(), flash))->flags |= kObjectHidden;
    dropItem(*panel, 1, canvasPoint(300, 100));
    placed = objects(kTypeAnyObject);
    EXPECT_EQ(std::count_if(placed.begin(), placed.end(), flash), 2);
}

// A picture as large as the canvas takes the background's place rather than lying over it.
TEST_F(LibraryPanelFlow, ABackgroundTakesThePagesBackgroundPlace) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarBackgrounds);
    ASSERT_NE(panel, nullptr);
    const auto item = panel->OpenedLibrary()->CreateObjectForEntry(panel->Strip()[1].entryId);
    ASSERT_NE(item, nullptr);
    dropItem(*panel, 1, canvasPoint(300, 200));
    RPageObject* background = nullptr;
    ASSERT_EQ(page().FindObject(kTypeBitmap, kBackgroundId, &background), 0);
    EXPECT_EQ(static_cast<RBitmapPageObject*>(background)->picture, static_cast<RBitmapPageObject&>(*item).picture);
    EXPECT_EQ(objects(kTypeBitmap).size(), 1u) << "no picture besides the background";

    // An item whose picture cannot be read out of the library: nothing changes, and the child
    // is told.
    std::vector<u8> thumbnail;
    ASSERT_EQ(panel->OpenedLibrary()->ReadEntryThumbnail(panel->Strip()[0].entryId, kThumbnailPicture, &thumbnail), kErrNone);
    const std::string folder = RLibraryMgr(*easel->UserPaths()).FolderOf(kTypeBitmap, kLibraryOfUser);
    std::filesystem::create_directories(native(folder));
    {
        RLibrary broken;
        EnginePath path(folder + "\\Broken.tbl");
        ASSERT_EQ(broken.Create(path.get(), kTypeBitmap, kLibraryFlagThumbnails), kErrNone);
        ASSERT_NE(broken.AddItem(std::vector<u8>{1, 2, 3}, thumbnail, "Broken"), 0);
    }
    RMessage relist(kMsgLibraryListChanged, kTypeBitmap, 0);
    panel->HandleMessage(&relist, 0);
    const auto& kinds = panel->Libraries().kinds;
    panel->ChooseLibrary(int(std::find(kinds.begin(), kinds.end(), kLibraryOfUser) - kinds.begin()));
    ASSERT_EQ(panel->LibraryKind(), kLibraryOfUser);
    alerts();
    dropItem(*panel, 0, canvasPoint(300, 200));
    const std::vector<mfxAlertRecord> shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("disk is full"), std::string::npos);
    EXPECT_EQ(static_cast<RBitmapPageObject*>(background)->picture, static_cast<RBitmapPageObject&>(*item).picture);
}

TEST_F(LibraryPanelFlow, ARecordedTakeIsNamedAndKeptInTheChildsOwnLibrary) {
    enterEasel();
    RAudioPanel* panel = open<RAudioPanel>(kEaselToolbarSounds);
    ASSERT_NE(panel, nullptr);
    RLibraryMgr libraries(*easel->UserPaths());
    RLibrary unused;
    std::string libraryPath;
    libraries.OpenDefaultLibraryForType(kTypeSound, &unused, &libraryPath);
    unused.Close();

    // A sound from the program's library put on the page, then taken off.
    dropItem(*panel, 0, canvasPoint(120, 120));
    ASSERT_EQ(objects(kTypeSound).size(), 1u);
    settle();
    EXPECT_TRUE(easel->HasMedia());
    click(kMsgAudioRemovePageSound, *panel);
    EXPECT_TRUE(objects(kTypeSound).empty());
    EXPECT_FALSE(easel->HasMedia()) << "the page's Play knows the sound is gone";
    // The program's own sounds stay whole.
    const size_t entries = panel->OpenedLibrary()->Header().entries.size();
    panel->ChooseItem(0);
    EXPECT_NE(panel->PreviewSound(), nullptr) << "a chosen sound is heard";
    RMessage remove(kMsgAudioRemove, 0, 0);
    panel->HandleMessage(&remove, 0);
    EXPECT_EQ(panel->OpenedLibrary()->Header().entries.size(), entries);

    const u64 withoutKnob = PictureHash(RAudioPanel::KnobArea());
    click(kMsgAudioToggleMode, *panel);
    ASSERT_EQ(panel->Mode(), AudioMode::Recording);
    EXPECT_NE(PictureHash(RAudioPanel::KnobArea()), withoutKnob);
    click(kMsgAudioToggleMode, *panel);
    EXPECT_EQ(PictureHash(RAudioPanel::KnobArea()), withoutKnob) << "the knob goes with the recording";
    click(kMsgAudioToggleMode, *panel);
    click(kMsgAudioRecord, *panel);
    ASSERT_TRUE(panel->IsRecording());
    advance(500);
    // A sine of half the full scale: the meter shows half its height.
    EXPECT_NEAR(panel->Level(), 127, 2);
    click(kMsgAudioStop, *panel);
    EXPECT_FALSE(panel->IsRecording());
    ASSERT_FALSE(panel->Take().empty());
    // The knob dragged to the fast end, then the take played at that speed.
    const Rect16 knob = RAudioPanel::KnobArea();
    const i16 middle = i16((knob.top + knob.bottom) / 2);
    drag({i16(knob.left + 1), middle}, {i16(knob.left + 2 * kKnobHalf), middle});
    EXPECT_EQ(panel->PlaybackRate(), 137216u);
    click(kMsgAudioPlay, *panel);
    ASSERT_TRUE(panel->IsPlayingTake());

    // A disk that cannot take it: the take stays, unsaved, and the child is told.
    const std::string blocked = native(libraryPath);
    ASSERT_TRUE(std::filesystem::create_directories(blocked)) << blocked;
    alerts();
    click(kMsgAudioName, *panel);
    ASSERT_NE(panel->NameDialog(), nullptr);
    key(plat::kVkReturn);
    settle();
    EXPECT_TRUE(panel->TakeUnsaved());
    EXPECT_FALSE(panel->Take().empty());
    ASSERT_EQ(alerts().size(), 1u);
    std::filesystem::remove(blocked);

    // Leaving the recording asks for the name; the take goes into the child's library.
    click(kMsgAudioToggleMode, *panel);
    ASSERT_NE(panel->NameDialog(), nullptr);
    key(plat::kVkReturn);
    settle();
    EXPECT_EQ(panel->Mode(), AudioMode::Browsing);
    EXPECT_FALSE(panel->TakeUnsaved());
    EXPECT_EQ(panel->LibraryKind(), kLibraryOfUser);
    RLibrary mine;
    EnginePath path(libraryPath);
    ASSERT_EQ(mine.Open(path.get(), true), kErrNone);
    ASSERT_EQ(mine.LoadHeader(), kErrNone);
    ASSERT_EQ(mine.Header().entries.size(), 1u);
    const u16 id = mine.Header().entries[0].id;
    std::vector<u8> icon, name;
    ArchiveWaveInfo wave;
    ASSERT_EQ(readArchiveWave(mediaOf(mine, id), &wave), kErrNone);
    EXPECT_EQ(wave.sampleRate, kAudioRate);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_NEAR(double(wave.frames), kAudioRate / 2, 1024) << "the half second recorded";
    EXPECT_EQ(mine.ReadEntryThumbnail(id, kThumbnailPicture, &icon), kErrNone);
    EXPECT_FALSE(icon.empty());
    ASSERT_EQ(mine.ReadEntryThumbnail(id, kThumbnailName, &name), kErrNone);
    EXPECT_EQ(std::string(name.begin(), name.end()), kEnterNameDefault);
    mine.Close();

    // Removed again from the child's own library.
    ASSERT_EQ(panel->GetScroller()->GetCount(), 1);
    panel->ChooseItem(0);
    click(kMsgAudioRemove, *panel);
    EXPECT_TRUE(panel->OpenedLibrary()->Header().entries.empty());
}

}  // namespace
