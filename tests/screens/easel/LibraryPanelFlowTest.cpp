// A child's way through the library and sound buttons on the running program: a sticker
// dragged from the strip onto the page, saved with the picture and found again on reopening;
// a library of the child's own whose entries partly lack thumbnails; the page's Flash limit;
// a take recorded from the microphone, named and kept in the child's own sound library (and
// kept, unsaved, when it cannot be written, and ended when its minute is up); a sound put on
// the page and taken off again; cut, copy and paste of a chosen sticker; libraries that cannot
// be read, whatever their names; the screen's words to the panel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/menus/MenuCommands.h"
#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/base/ByteOrder.h"
#include "engine/ini/IniProfiles.h"
#include "framework/language/LanguageTexts.h"
#include "panels/audio/RAudioPanel.h"
#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/keyboard/VirtualKeys.h"
#include "panels/frames/REditFrame.h"
#include "panels/frames/RFrameMaker.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/PixelView.h"

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
    void command(u16 id) {
        mainWindow->OnCommand(id);
        settle();
    }
    // The child's own library folder of the kind, made, as the program names it and on disk.
    std::pair<std::string, std::string> ownFolder(FourCC type) {
        const std::string folder = RLibraryMgr(*easel->UserPaths()).FolderOf(type, kLibraryOfUser);
        std::filesystem::create_directories(native(folder));
        return {folder, native(folder)};
    }
    int placeOfOwn(RLibPanel& panel) {
        RMessage relist(kMsgLibraryListChanged, panel.LibraryType(), 0);
        panel.HandleMessage(&relist, 0);
        const auto& kinds = panel.Libraries().kinds;
        return int(std::find(kinds.begin(), kinds.end(), kLibraryOfUser) - kinds.begin());
    }

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

    const std::string file = root_ + "/sticker.tbx";
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

// A picture as large as the canvas becomes what the page is painted on, in place of what was
// painted, and a page picture of its own no more (the snail's taking it back is the page
// objects journey's).
TEST_F(LibraryPanelFlow, ABackgroundCoversThePainting) {
    enterEasel();
    drag(canvasPoint(100, 100), canvasPoint(300, 100));
    const PixelView& picture = easel->Canvas()->Picture();
    const auto pixels = [&picture] {
        std::vector<u16> all;
        for (i32 y = 0; y < picture.height; ++y) all.insert(all.end(), picture.Row(y), picture.Row(y) + picture.width);
        return all;
    };
    ASSERT_NE(picture.At(200, 100), kRgb555White) << "the pencil painted";
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarBackgrounds);
    ASSERT_NE(panel, nullptr);
    const auto item = panel->OpenedLibrary()->CreateObjectForEntry(panel->Strip()[1].entryId);
    ASSERT_NE(item, nullptr);
    const PictureRecord& background = static_cast<RBitmapPageObject&>(*item).picture;
    ASSERT_GE(background.width, picture.width);
    // The canvas's pixel (x, y) as the background stretched over the canvas gives it.
    const auto fromBackground = [&](i32 x, i32 y) {
        const u8* rgba = background.pixels.data() +
                         (size_t(y * background.height / picture.height) * background.width + size_t(x * background.width / picture.width)) * 4;
        return rgb555(rgba[0], rgba[1], rgba[2]);
    };
    dropItem(*panel, 1, canvasPoint(300, 200));
    for (const Point16 at : {Point16{200, 100}, Point16{5, 5}, Point16{i16(picture.width - 3), i16(picture.height - 3)}})
        EXPECT_EQ(picture.At(at.h, at.v), fromBackground(at.h, at.v)) << at.h << "," << at.v;
    const std::vector<RPageObject*> bitmaps = objects(kTypeBitmap);
    EXPECT_TRUE(std::all_of(bitmaps.begin(), bitmaps.end(), [](RPageObject* o) { return o->Id() == kBackgroundId; }))
        << "no picture besides the page's own";
    const std::vector<u16> covered = pixels();

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
    EXPECT_EQ(pixels(), covered);
}

// An animation on the page is moved by a drag from inside its frame and resized by a drag of
// its corner, with its own panel shown, as with Cut and Move's hand (a sticker's is the page
// objects journey's).
TEST_F(LibraryPanelFlow, AnimationsMoveAndResizeInTheirOwnPanel) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarAnimations);
    ASSERT_NE(panel, nullptr);
    dropItem(*panel, 0, canvasPoint(200, 150));
    const std::vector<RPageObject*> placed = objects(panel->LibraryType());
    ASSERT_EQ(placed.size(), 1u);
    RPageObject& object = *placed[0];
    const PageRect before = object.rect;
    const i16 width = i16(before.right - before.left);
    drag(canvasPoint(i16((before.left + before.right) / 2), i16((before.top + before.bottom) / 2)),
         canvasPoint(i16((before.left + before.right) / 2 + 60), i16((before.top + before.bottom) / 2 + 40)));
    EXPECT_EQ(object.rect.left, before.left + 60) << "moved";
    EXPECT_EQ(object.rect.top, before.top + 40);
    EXPECT_EQ(object.rect.right - object.rect.left, width);
    const RFrameMaker* frames = easel->Canvas()->FrameMaker();
    ASSERT_NE(frames->EditFrame(), nullptr);
    const Rect16 frame = frames->EditFrame()->GetRect();
    drag({i16(frame.right - 1), i16(frame.bottom - 1)}, {i16(frame.right + 29), i16(frame.bottom + 19)});
    EXPECT_GT(object.rect.right - object.rect.left, width) << "resized by its corner";
    EXPECT_EQ(object.rect.left, before.left + 60) << "from the corner dragged";
}

TEST_F(LibraryPanelFlow, ARecordedTakeIsNamedAndKeptInTheChildsOwnLibrary) {
    enterEasel();
    // In Spanish: the offered name and the child's library speak it.
    command(kCmdSwitchLanguage);
    easel = dynamic_cast<REasel*>(app->GetCurrentModule());
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
    EXPECT_EQ(std::string(name.begin(), name.end()), LookupLanguageText("FileStrings", kEnterNameDefaultKey).c_str());
    mine.Close();
    EXPECT_EQ(panel->Libraries().names.at(size_t(placeOfOwn(*panel))), "Biblioteca de " + easel->UserPaths()->UserName());

    // Removed again from the child's own library.
    ASSERT_EQ(panel->GetScroller()->GetCount(), 1);
    panel->ChooseItem(0);
    click(kMsgAudioRemove, *panel);
    EXPECT_TRUE(panel->OpenedLibrary()->Header().entries.empty());
}

// Copy and Cut (the menu's, which reach the newest of the program's editors) and the panel's
// Paste work on the chosen sticker; a paste takes only what the program itself copied.
TEST_F(LibraryPanelFlow, CutCopyAndPasteWorkOnTheChosenSticker) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    dropItem(*panel, 0, canvasPoint(200, 150));
    ASSERT_NE(easel->Canvas()->FrameMaker()->EditedObject(), nullptr) << "the placed sticker is chosen";
    plat::clipboard().setText("another program's words");
    EXPECT_FALSE(panel->CanPaste());
    EXPECT_FALSE(panel->Paste());
    enum class Step { Copy, Cut, Paste };
    struct Case {
        Step step;
        size_t stickers;
        bool chosen;
    };
    const Case cases[] = {
        // A cut leaves the last sticker left chosen, for the next cut; with none left, nothing.
        {Step::Copy, 1, true}, {Step::Paste, 2, true}, {Step::Cut, 1, true}, {Step::Cut, 0, false},
        {Step::Cut, 0, false}, {Step::Paste, 1, true}, {Step::Paste, 2, true},
    };
    for (const Case& c : cases) {
        const bool chosen = easel->Canvas()->FrameMaker()->EditedObject() != nullptr;
        if (c.step == Step::Paste)
            EXPECT_TRUE(panel->Paste());
        else if (c.step == Step::Cut)
            EXPECT_EQ(panel->Cut(), chosen) << "a cut needs a chosen sticker";
        else
            command(kCmdCopy);
        settle();
        EXPECT_EQ(objects(kTypeFlash).size(), c.stickers) << int(c.step);
        EXPECT_EQ(easel->Canvas()->FrameMaker()->EditedObject() != nullptr, c.chosen) << int(c.step);
        EXPECT_TRUE(panel->CanPaste()) << int(c.step);
    }
    // The pastes hold the sticker's own media.
    const std::vector<RPageObject*> placed = objects(kTypeFlash);
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(placed.back())->media, static_cast<RMediaFilePageObject*>(placed.front())->media);
}

// A copied sticker pasted onto a page that shows as many stickers as the easel allows is refused
// with the words of the library's own refusal, and the page stays as it was; one fewer, and it
// is pasted.
TEST_F(LibraryPanelFlow, APastedStickerBeyondThePagesLimitIsRefusedAsTooMany) {
    enterEasel();
    ASSERT_EQ(iniWriteString(&app->GetIniPath(), "PageObjectLimits", "SWFMax", "2"), kErrNone);
    easel->ReadPageObjectLimits();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    dropItem(*panel, 0, canvasPoint(200, 150));
    command(kCmdCopy);
    alerts();
    EXPECT_TRUE(panel->Paste());
    settle();
    EXPECT_EQ(objects(kTypeFlash).size(), 2u);
    EXPECT_TRUE(alerts().empty()) << "one below the limit";
    EXPECT_TRUE(panel->Paste());
    settle();
    EXPECT_EQ(objects(kTypeFlash).size(), 2u) << "at the limit";
    const std::vector<mfxAlertRecord> shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("full of moving things"), std::string::npos);
}

// The pictures' toolbar command shows the pictures library, as the backgrounds' button does.
TEST_F(LibraryPanelFlow, ThePicturesCommandShowsThePicturesLibrary) {
    enterEasel();
    RMessage pictures(kEaselToolbarPictures, 0, 0);
    easel->HandleMessage(&pictures, 0);
    settle();
    auto* panel = dynamic_cast<RLibPanel*>(easel->CurrentPanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->LibraryType(), kTypeBitmap);
    EXPECT_GT(panel->Strip().size(), 0u);
}

// A library that cannot be read tells the child its path, whatever characters the path holds.
TEST_F(LibraryPanelFlow, ALibraryThatCannotBeReadNamesItsPathAsItIs) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    const std::string onDisk = ownFolder(kTypeFlash).second;
    struct Case {
        const char* name;  // on the disc (UTF-8)
        const char* shown;  // as the child typed it
        bool kept;
        const char* says;
    };
    for (const Case& c : {Case{"Odd %s%n%x", "Odd %s%n%x", true, "bad data"},
                          Case{"Gone %n%d%s", "Gone %n%d%s", false, "was not found"},
                          Case{"Begoña", "Bego\xF1" "a", true, "bad data"}}) {
        const std::string file = onDisk + "/" + c.name + ".tbl";
        std::ofstream(file, std::ios::binary) << "not a library";
        const int place = placeOfOwn(*panel);
        ASSERT_LT(size_t(place), panel->Libraries().kinds.size()) << c.name;
        std::string path;
        ASSERT_EQ(RLibraryMgr(*easel->UserPaths()).GetLibraryEntryPath(kTypeFlash, panel->Libraries().ids[size_t(place)], &path), 0);
        if (!c.kept) std::filesystem::remove(file);
        alerts();
        RMessage show(kMsgLibrarySwitchFile, 0, 0);
        show.Carry(path);
        panel->HandleMessage(&show, 0);
        const std::vector<mfxAlertRecord> shown = alerts();
        ASSERT_EQ(shown.size(), 1u) << c.name;
        EXPECT_NE(shown[0].text.find(std::string(c.shown) + ".tbl'"), std::string::npos) << shown[0].text;
        EXPECT_NE(shown[0].text.find(c.says), std::string::npos) << shown[0].text;
        EXPECT_EQ(panel->OpenedLibrary(), nullptr);
        EXPECT_TRUE(panel->Strip().empty());
        std::filesystem::remove(file);
    }
}

// A take ends by itself when its minute is up: a second before, it still records.
TEST_F(LibraryPanelFlow, ATakeStopsAtItsMinute) {
    enterEasel();
    RAudioPanel* panel = open<RAudioPanel>(kEaselToolbarSounds);
    ASSERT_NE(panel, nullptr);
    click(kMsgAudioToggleMode, *panel);
    struct Case {
        u32 millis;
        bool recording;
        u32 seconds;
    };
    for (const Case& c : {Case{59000, true, 59}, Case{60000, false, 60}, Case{61000, false, 60}}) {
        click(kMsgAudioRecord, *panel);
        ASSERT_TRUE(panel->IsRecording()) << c.millis;
        advance(c.millis);
        EXPECT_EQ(panel->IsRecording(), c.recording) << c.millis;
        if (panel->IsRecording()) click(kMsgAudioStop, *panel);
        ArchiveWaveInfo wave;
        ASSERT_EQ(readArchiveWave(panel->Take(), &wave), kErrNone) << c.millis;
        EXPECT_NEAR(double(wave.frames), double(c.seconds * kAudioRate), 1024) << c.millis;
    }
}

// What the screen tells the panel: the name box goes empty while the tool bar changes and
// comes back after; another library file is shown on the same page of the strip.
TEST_F(LibraryPanelFlow, TheScreensWordsReachThePanel) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(panel->NameBoxSprite(), 0) << "the screen shows the name box";
    panel->ChooseItem(0);
    ASSERT_FALSE(panel->ItemName().empty());
    for (const auto& [shown, shape] : {std::pair{u16(0), kLibNameBoxEmptyShape}, std::pair{u16(1), kLibNameBoxShape}}) {
        RMessage box(kMsgLibraryNameBox, 0, shown);
        panel->HandleMessage(&box, 0);
        ASSERT_NE(sprFind(panel->NameBoxSprite()), nullptr) << shown;
        EXPECT_EQ(sprFind(panel->NameBoxSprite())->shape, shape) << shown;
        EXPECT_TRUE(panel->ItemName().empty()) << shown;
    }

    ASSERT_GE(panel->Libraries().ids.size(), 2u);
    // A library named by its number in the kind's enumeration.
    RMessage byNumber(kMsgLibraryChosen, 1, panel->Libraries().ids[1]);
    panel->HandleMessage(&byNumber, 0);
    EXPECT_EQ(panel->ShownPlace(), 1);
    panel->ChooseLibrary(0);
    std::string other;
    ASSERT_EQ(RLibraryMgr(*easel->UserPaths()).GetLibraryEntryPath(kTypeFlash, panel->Libraries().ids[1], &other), 0);
    const std::string first = panel->LibraryPath();
    struct Case {
        std::string path;
        bool reopened;
    };
    for (const Case& c : {Case{first, false}, Case{other, true}, Case{std::string(), false}}) {
        const RLibrary* before = panel->OpenedLibrary();
        const std::string shownBefore = panel->LibraryPath();
        RMessage message(kMsgLibrarySwitchFile, 0, 0);
        message.Carry(c.path);
        // As the application hands it on to the screen.
        easel->HandleMessage(&message, 0);
        EXPECT_EQ(panel->OpenedLibrary() != before, c.reopened) << c.path;
        EXPECT_EQ(panel->LibraryPath(), c.reopened ? c.path : shownBefore) << c.path;
        EXPECT_EQ(panel->ShownPlace(), 0) << "the list still names the library chosen";
    }
    EXPECT_FALSE(panel->Strip().empty());
}

// A sticker comes twice its thumbnail's size, centred where it was let go and kept whole on
// the canvas; one let go outside the canvas goes nowhere.
TEST_F(LibraryPanelFlow, ADroppedStickerStaysWholeOnTheCanvas) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    const i16 cw = i16(canvas.right - canvas.left), ch = i16(canvas.bottom - canvas.top);
    const i16 w = i16(2 * readBE16(panel->Strip()[0].thumbnail.data())), h = i16(2 * readBE16(panel->Strip()[0].thumbnail.data() + 2));
    struct Case {
        i16 dx, dy;
        bool placed;
        i16 left, top;
    };
    const Case cases[] = {
        {200, 150, true, i16(200 - w / 2), i16(150 - h / 2)},
        {2, 3, true, 0, 0},
        {i16(cw - 2), i16(ch - 3), true, i16(cw - w), i16(ch - h)},
        {i16(w / 2), i16(h / 2), true, 0, 0},
        {i16(cw - w / 2), i16(ch - h / 2), true, i16(cw - w), i16(ch - h)},
        {i16(cw + 5), 100, false, 0, 0},
        {100, i16(ch + 5), false, 0, 0},
    };
    for (const Case& c : cases) {
        const LibraryDrop drop = panel->DropItem(0, canvasPoint(c.dx, c.dy));
        EXPECT_EQ(drop, c.placed ? LibraryDrop::Placed : LibraryDrop::Outside) << c.dx << "," << c.dy;
        settle();
        const std::vector<RPageObject*> placed = objects(kTypeFlash);
        ASSERT_EQ(placed.size(), c.placed ? 1u : 0u) << c.dx << "," << c.dy;
        if (!c.placed) continue;
        EXPECT_EQ(placed[0]->rect, (PageRect{c.left, c.top, i16(c.left + w), i16(c.top + h)})) << c.dx << "," << c.dy;
        page().DeleteObject(kTypeFlash, placed[0]->Id());
        easel->Canvas()->FrameMaker()->SyncWithPage();
    }
    // Past the strip: nothing.
    EXPECT_EQ(panel->DropItem(panel->GetScroller()->GetCount(), canvasPoint(100, 100)), LibraryDrop::Outside);
    EXPECT_EQ(panel->DropItem(-1, canvasPoint(100, 100)), LibraryDrop::Outside);
}

// Each library keeps the page of its strip the child last saw, across other libraries and
// across the panel made anew; a page turned empties the chosen item's name.
TEST_F(LibraryPanelFlow, EachLibraryKeepsItsPage) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    ASSERT_GE(panel->Libraries().ids.size(), 2u);
    panel->ChooseLibrary(0);
    RBitmapScroller* strip = panel->GetScroller();
    const int step = strip->GetPageStep();
    ASSERT_GT(strip->GetCount(), step) << "the first library fills more than a page";
    panel->ChooseItem(0);
    ASSERT_FALSE(panel->ItemName().empty());
    strip->ScrollForward();
    settle();
    EXPECT_TRUE(panel->ItemName().empty());
    EXPECT_EQ(panel->GetCounter(), CounterShown(2));
    struct Case {
        int place;
        int first;
    };
    for (const Case& c : {Case{1, 0}, Case{0, step}, Case{1, 0}}) {
        panel->ChooseLibrary(c.place);
        EXPECT_EQ(panel->ShownPlace(), c.place);
        EXPECT_EQ(panel->GetScroller()->GetFirstVisible(), c.first) << c.place;
        EXPECT_EQ(panel->GetCounter(), CounterShown(u32(c.first / step + 1))) << c.place;
    }
    panel->ChooseLibrary(0);
    open<RPanel>(kEaselToolbarPencil);
    panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ShownPlace(), 0);
    EXPECT_EQ(panel->GetScroller()->GetFirstVisible(), step);
}

// The speed knob answers presses only in recording mode, across its whole scale.
TEST_F(LibraryPanelFlow, TheKnobSetsTheSpeedOnlyWhileRecording) {
    enterEasel();
    RAudioPanel* panel = open<RAudioPanel>(kEaselToolbarSounds);
    ASSERT_NE(panel, nullptr);
    const Rect16 knob = RAudioPanel::KnobArea();
    const i16 middle = i16((knob.top + knob.bottom) / 2);
    click({i16(knob.left + 2 * kKnobHalf), middle});
    EXPECT_EQ(panel->PlaybackRate(), kNormalRate) << "browsing: the knob is not there";
    click(kMsgAudioToggleMode, *panel);
    struct Case {
        i16 at;
        u32 rate;
    };
    // Slowest, just below normal, normal, just above, fastest; outside the knob's area nothing.
    for (const Case& c : {Case{0, 20480}, Case{i16(kKnobHalf - 1), (kKnobHalf - 1 + 16) * 1280}, Case{kKnobHalf, kNormalRate},
                          Case{i16(kKnobHalf + 1), (1 + 32) * 2048}, Case{i16(2 * kKnobHalf), 137216},
                          Case{i16(knob.right - knob.left + 4), 137216}}) {
        click({i16(knob.left + c.at), middle});
        EXPECT_EQ(panel->PlaybackRate(), c.rate) << c.at;
    }
    // A move with no button pressed leaves the knob.
    move({i16(knob.left + 3), middle});
    EXPECT_EQ(panel->PlaybackRate(), 137216u);
    drag({i16(knob.left + 2 * kKnobHalf), middle}, {i16(knob.left + kKnobHalf), middle});
    EXPECT_EQ(panel->PlaybackRate(), kNormalRate);
}

// Leaving the recording with a take not kept asks for its name: the child's answer keeps it
// in their library, a cancel lets it go; browsing comes back either way, and only the child's
// own library offers the remove button.
TEST_F(LibraryPanelFlow, LeavingTheRecordingAsksForTheTakesName) {
    enterEasel();
    RAudioPanel* panel = open<RAudioPanel>(kEaselToolbarSounds);
    ASSERT_NE(panel, nullptr);
    const auto removable = [&] { return panel->AudioButton(kMsgAudioRemove)->GetHotSpot()->IsActive(); };
    EXPECT_FALSE(removable()) << "the program's sounds stay";
    std::string path;
    {
        RLibrary unused;
        RLibraryMgr(*easel->UserPaths()).OpenDefaultLibraryForType(kTypeSound, &unused, &path);
    }
    const auto kept = [&] {
        RLibrary mine;
        EnginePath file(path);
        if (mine.Open(file.get(), true) != kErrNone || mine.LoadHeader() != kErrNone) return size_t(0);
        return mine.Header().entries.size();
    };
    struct Case {
        u8 answer;
        size_t entries;
    };
    for (const Case& c : {Case{plat::kVkEscape, 0}, Case{plat::kVkReturn, 1}, Case{plat::kVkEscape, 1}}) {
        click(kMsgAudioToggleMode, *panel);
        EXPECT_FALSE(removable());
        click(kMsgAudioRecord, *panel);
        advance(300);
        click(kMsgAudioStop, *panel);
        ASSERT_TRUE(panel->TakeUnsaved());
        click(kMsgAudioToggleMode, *panel);
        ASSERT_NE(panel->NameDialog(), nullptr) << int(c.answer);
        EXPECT_EQ(panel->Mode(), AudioMode::Recording) << "the name comes first";
        key(c.answer);
        settle();
        EXPECT_EQ(panel->NameDialog(), nullptr);
        EXPECT_EQ(panel->Mode(), AudioMode::Browsing) << int(c.answer);
        EXPECT_TRUE(panel->Take().empty()) << int(c.answer);
        EXPECT_EQ(kept(), c.entries) << int(c.answer);
        EXPECT_EQ(removable(), panel->LibraryKind() == kLibraryOfUser) << int(c.answer);
    }
    EXPECT_TRUE(removable()) << "the child's own library is shown after a take was kept";
    panel->ChooseLibrary(0);
    EXPECT_EQ(removable(), panel->LibraryKind() == kLibraryOfUser);
}

// The label names the library shown and opens the list of libraries under it; a row
// chosen shows its library. A dragged thumbnail follows the pointer until it is let go.
TEST_F(LibraryPanelFlow, TheListOpensUnderTheLabelAndTheThumbnailFollowsThePointer) {
    enterEasel();
    RLibPanel* panel = open<RLibPanel>(kEaselToolbarStickers);
    ASSERT_NE(panel, nullptr);
    ASSERT_GE(panel->Libraries().names.size(), 2u);
    SprSprite* label = sprFind(panel->Buttons()[0]->GetSprite());
    ASSERT_NE(label, nullptr);
    const Rect16 labelArea = label->bounds;
    std::vector<u64> labels;
    for (int place : {0, 1, 0}) {
        panel->ChooseLibrary(place);
        settle();
        labels.push_back(PictureHash(labelArea));
    }
    EXPECT_NE(labels[0], labels[1]) << "each library's name on the label";
    EXPECT_EQ(labels[0], labels[2]);

    click(centreOf(panel->Buttons()[0]->GetSprite()));
    ASSERT_TRUE(panel->LibraryPopup()->IsOpen());
    const Rect16 row = panel->LibraryPopup()->GetRowRect(1);
    const u64 open = PictureHash(row);
    click({i16((row.left + row.right) / 2), i16((row.top + row.bottom) / 2)});
    EXPECT_FALSE(panel->LibraryPopup()->IsOpen());
    EXPECT_EQ(panel->ShownPlace(), 1);
    EXPECT_NE(PictureHash(row), open) << "the open list was drawn over the panel";

    const Rect16 cell = panel->GetScroller()->GetCellRect(0);
    const Point16 from{i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)};
    const Point16 to = canvasPoint(300, 120);
    // Where the pointer passes on its way (the drag's seventh of eight steps).
    const Point16 on{i16(from.h + (to.h - from.h) * 7 / 8), i16(from.v + (to.v - from.v) * 7 / 8)};
    const Rect16 underPointer{i16(on.h - kLibDragSide / 4), i16(on.v - kLibDragSide / 4), i16(on.h + kLibDragSide / 4),
                              i16(on.v + kLibDragSide / 4)};
    const u64 blank = PictureHash(underPointer);
    bool followed = false;
    display_.whilePumped = [&] { followed |= objects(kTypeFlash).empty() && PictureHash(underPointer) != blank; };
    drag(from, to);
    display_.whilePumped = nullptr;
    EXPECT_TRUE(followed) << "the thumbnail was under the pointer before it was let go";
    EXPECT_EQ(objects(kTypeFlash).size(), 1u);
}

// While a take is recorded the meter stands as high as the take is loud; it goes with the
// recording.
TEST_F(LibraryPanelFlow, TheMeterFollowsTheTakesLevel) {
    enterEasel();
    RAudioPanel* panel = open<RAudioPanel>(kEaselToolbarSounds);
    ASSERT_NE(panel, nullptr);
    click(kMsgAudioToggleMode, *panel);
    const Rect16 area{0, 440, 800, 600};
    const u64 resting = PictureHash(area);
    std::vector<u64> shown;
    for (const double loudness : {0.0, 0.5, 1.0}) {
        microphone.setSignal(plat::sineSignal(440, loudness));
        click(kMsgAudioRecord, *panel);
        advance(300);
        EXPECT_NEAR(panel->Level(), loudness * kRecordLevelTop, 2) << loudness;
        shown.push_back(PictureHash(area));
        click(kMsgAudioStop, *panel);
        EXPECT_EQ(PictureHash(area), resting) << "the meter goes with the recording";
    }
    EXPECT_NE(shown[0], resting) << "the meter shows while recording";
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[2]);
}

// A take played stops at Stop, and the play button comes back up; playing again starts anew.
TEST_F(LibraryPanelFlow, APlayedTakeStopsAtStop) {
    enterEasel();
    RAudioPanel* panel = open<RAudioPanel>(kEaselToolbarSounds);
    ASSERT_NE(panel, nullptr);
    click(kMsgAudioToggleMode, *panel);
    click(kMsgAudioRecord, *panel);
    advance(300);
    click(kMsgAudioStop, *panel);
    for (int round = 0; round < 2; ++round) {
        click(kMsgAudioPlay, *panel);
        ASSERT_TRUE(panel->IsPlayingTake()) << round;
        click(kMsgAudioStop, *panel);
        EXPECT_FALSE(panel->IsPlayingTake()) << round;
        EXPECT_EQ(panel->AudioButton(kMsgAudioPlay)->GetState(), kButtonUp) << round;
    }
}

// Each mode shows its own buttons; the list of libraries opened while recording ends the
// recording first, and waits for the name of a take not yet kept.
TEST_F(LibraryPanelFlow, TheListOpenedWhileRecordingWaitsForTheTake) {
    enterEasel();
    RAudioPanel* panel = open<RAudioPanel>(kEaselToolbarSounds);
    ASSERT_NE(panel, nullptr);
    const auto shows = [&](u32 command) { return panel->AudioButton(command)->IsShown(); };
    for (const bool take : {false, true}) {
        click(kMsgAudioToggleMode, *panel);
        for (u32 command : {kMsgAudioRecord, kMsgAudioStop, kMsgAudioPlay}) EXPECT_TRUE(shows(command)) << command;
        EXPECT_FALSE(shows(kMsgAudioRemove));
        if (take) {
            click(kMsgAudioRecord, *panel);
            advance(200);
            click(kMsgAudioStop, *panel);
        }
        RMessage list(kMsgLibraryListOpen, 0, 0);
        panel->HandleMessage(&list, 0);
        settle();
        EXPECT_EQ(panel->Mode(), take ? AudioMode::Recording : AudioMode::Browsing) << take;
        EXPECT_EQ(panel->NameDialog() != nullptr, take) << take;
        EXPECT_EQ(panel->LibraryPopup()->IsOpen(), !take) << take;
        key(plat::kVkEscape);
        settle();
        EXPECT_FALSE(panel->LibraryPopup()->IsOpen());
        EXPECT_EQ(panel->Mode(), AudioMode::Browsing);
        for (u32 command : {kMsgAudioRecord, kMsgAudioStop, kMsgAudioPlay}) EXPECT_FALSE(shows(command)) << command;
        EXPECT_TRUE(shows(kMsgAudioRemove));
    }
}

}  // namespace
