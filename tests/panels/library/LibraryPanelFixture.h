#pragma once
// The library panel over libraries made by our own writer: the program's sticker libraries
// "Animals" (five stickers), "Birds" (two) and "Cars.Fast" (three), and one of the child's
// own, "Mine" (one); a page of its own; a strip of two cells, a page of two, below a canvas
// at (100, 0). The panel's owner records what it hears.
#include <filesystem>
#include <memory>

#include "document/library/RLibraryMgr.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "panels/library/RLibPanel.h"
#include "platform/clock/Clock.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"

namespace testpanels {

// A plain 16-bit engine bitmap, as a library keeps its thumbnails.
inline std::vector<u8> thumbnailBytes(u16 width, u16 height) {
    std::vector<u8> b(kGfxBitmapHeaderSize + size_t(width) * height * 2, 0x11);
    writeBE16(b.data(), width);
    writeBE16(b.data() + 2, height);
    writeBE16(b.data() + 4, u16(width * 2));
    writeBE16(b.data() + 6, 3);
    return b;
}

struct LibraryItem {
    std::vector<u8> media;
    std::vector<u8> thumbnail;
    std::string name;
};

class LibraryPanelFixture : public testspr::WithSpriteScreen<PanelFixture> {
protected:
    // The label (opens the list), previous and next library, one row each.
    std::vector<testres::ResContent> contents() const override {
        return {{fourCC("MBTN"), Ostrel::kLibButtonSet,
                 buttonSet({{18901, 1, Ostrel::kMsgLibraryListOpen, 0, 10},
                            {18902, 1, Ostrel::kMsgLibraryPrevious, 0, 50},
                            {18903, 1, Ostrel::kMsgLibraryNext, 0, 90}})}};
    }
    void SetUp() override {
        PanelFixture::SetUp();
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen({0, 0, 400, 300}, GfxColor::rgb(255, 255, 255)));
        mfxTakeAlertRecords();
        heardSounds.clear();
        sprSetSoundHooks({[](const SprSoundRequest& request) {
                              heardSounds.push_back(request.soundId);
                              return true;
                          },
                          nullptr, nullptr, nullptr});
        // The alerts' texts, each naming what it is about.
        write("prog/TB.ini", "[LanguageFiles]\r\nEnglish=English.ini\r\n");
        write("prog/English.ini",
              "[PanelStrings]\r\nLibraryNotFound=Missing %s\r\nCantOpenLibrary=Unreadable %s\r\nCantRecord=No microphone\r\n"
              "[GeneralStrings]\r\nTooManyPageObjects=Too many\r\n[FileStrings]\r\nVolumeFull=Full\r\n");
        Ostrel::EnginePath program(Ostrel::engineTextOfHostFolder(root_ + "/prog"));
        SetupLanguageFolders(program.get(), kLanguageSetupFile);
        ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
        libraries = std::make_unique<Ostrel::RLibraryMgr>(*paths);
        std::vector<LibraryItem> animals;
        for (u16 n = 1; n <= 5; ++n)
            animals.push_back({{'F', 'W', 'S', u8(n)}, thumbnailBytes(u16(10 + n), 8), "Animal " + std::to_string(n)});
        MakeLibrary(kTypeFlash, Ostrel::kLibraryOnDisk, "Animals.tbl", animals);
        MakeLibrary(kTypeFlash, Ostrel::kLibraryOnDisk, "Birds.tbl",
                    {{{'F', 'W', 'S', 9}, thumbnailBytes(6, 6), "Owl"}, {{'F', 'W', 'S', 8}, thumbnailBytes(6, 6), "Hen"}});
        MakeLibrary(kTypeFlash, Ostrel::kLibraryOnDisk, "Cars.Fast.tbl",
                    {{{'F', 'W', 'S', 7}, thumbnailBytes(4, 4), "Van"},
                     {{'F', 'W', 'S', 6}, thumbnailBytes(4, 4), "Bus"},
                     {{'F', 'W', 'S', 5}, thumbnailBytes(4, 4), "Taxi"}});
        MakeLibrary(kTypeFlash, Ostrel::kLibraryOfUser, "Mine.tbl", {{{'F', 'W', 'S', 4}, thumbnailBytes(5, 5), "Kite"}});
    }
    void TearDown() override {
        panel.reset();
        sprSetSoundHooks({});
        mfxTakeAlertRecords();
        Path none{};
        SetupLanguageFolders(&none, kLanguageSetupFile);
        WithSpriteScreen::TearDown();
        gfxShutdownPalettes();
    }
    // The engine path of a library file of the kind.
    std::string LibraryFile(FourCC type, u16 kind, const std::string& file) const {
        return libraries->FolderOf(type, kind) + "\\" + file;
    }
    void MakeLibrary(FourCC type, u16 kind, const std::string& file, const std::vector<LibraryItem>& items) {
        MakeLibraryAt(libraries->FolderOf(type, kind), file, type, items);
    }
    void MakeLibraryAt(const std::string& folder, const std::string& file, FourCC type, const std::vector<LibraryItem>& items) {
        std::filesystem::create_directories(host(folder));
        Ostrel::RLibrary library;
        Ostrel::EnginePath path(folder + "\\" + file);
        ASSERT_EQ(library.Create(path.get(), type, kLibraryFlagThumbnails), kErrNone);
        for (const LibraryItem& item : items) ASSERT_NE(library.AddItem(item.media, item.thumbnail, item.name), 0);
    }
    // Makes the panel for the kind as the easel does: the kind's current library first, then
    // the one the user chose last.
    template <class Panel = Ostrel::RLibPanel>
    Panel* Open(FourCC type) {
        panel.reset();
        panelHost.page = [this] { return &page; };
        auto made = std::make_unique<Panel>(&owner, paths.get(), libraries.get(), panelHost);
        made->SetCanvasRect(canvasArea);
        made->SetLibraryType(type);
        made->GetScroller()->SetCellRects(kCells, 18004);
        made->GetScroller()->SetPageStep(2);
        std::string path;
        u16 kind = 0;
        EXPECT_EQ(libraries->GetCurrentLibrary(type, &path, &kind), kErrNone);
        Ostrel::RMessage open(Ostrel::kMsgLibraryOpenFile, 0, kind);
        open.Carry(path);
        made->HandleMessage(&open, 0);
        Deliver();
        Panel* shown = made.get();
        panel = std::move(made);
        return shown;
    }
    void Send(u32 code, uintptr_t param1 = 0, u16 param2 = 0) {
        Ostrel::RMessage message(code, param1, param2);
        panel->HandleMessage(&message, 0);
        Deliver();
    }
    // The strip's own way of choosing: the owner hears the hit.
    void ChooseItem(int item) {
        panel->GetScroller()->Select(item);
        Deliver();
    }
    std::string ShownName() const {
        const int place = panel->ShownPlace();
        return place >= 0 && size_t(place) < panel->Libraries().names.size() ? panel->Libraries().names[size_t(place)] : "";
    }
    int FirstShown() const { return panel->GetScroller()->GetFirstVisible(); }
    void ClearPage() {
        std::vector<std::pair<FourCC, u16>> held;
        u32 iterator = 0;
        Ostrel::RPageObject* object = nullptr;
        while (page.NextObject(&iterator, &object, kTypeAnyObject)) held.emplace_back(object->Type(), object->Id());
        for (const auto& [type, id] : held) page.DeleteObject(type, id);
    }
    std::vector<std::string> AlertTexts() {
        std::vector<std::string> texts;
        for (const mfxAlertRecord& alert : mfxTakeAlertRecords()) texts.push_back(alert.text);
        return texts;
    }

    static inline const std::vector<Rect16> kCells = {{0, 400, 40, 440}, {50, 400, 90, 440}};
    const Rect16 canvasArea{100, 0, 500, 300};
    std::unique_ptr<Ostrel::RLibraryMgr> libraries;
    Ostrel::RPageData page;
    Ostrel::LibraryPanelHost panelHost;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
    std::unique_ptr<Ostrel::RLibPanel> panel;
    plat::ScopedFakeClock clock{1000};
    // The panel's own sounds, as the sprite layer was asked to play them.
    static inline std::vector<u16> heardSounds;
};

}  // namespace testpanels
