// The tool option panel of the chosen toolbar button, and the screen's state after a panel or
// page change.
#include "app/application/RApplication.h"
#include "app/help/HelpContext.h"
#include "app/settings/GlobalUserSettings.h"
#include "app/menus/MenuCommands.h"
#include "document/clipboard/CCPObj.h"
#include "document/objects/RTextPageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "framework/undo/UndoManager.h"
#include "panels/alphabet/RAlphaPanel.h"
#include "panels/audio/RAudioPanel.h"
#include "panels/brush/RRealMediaToolPanel.h"
#include "panels/cutmove/RCutMovePanel.h"
#include "panels/eraser/REraserPanel.h"
#include "panels/fill/RFillPanel.h"
#include "panels/library/RLibPanel.h"
#include "panels/mixer/RMixerPanel.h"
#include "panels/pencil/RPencilPanel.h"
#include "panels/stamp/RStampPanel.h"
#include "panels/text/RTextPanel.h"
#include "panels/wacky/RWackyToolPanel.h"
#include "screens/easel/CanvasFrameMakerLink.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/PageMedia.h"
#include "screens/easel/PageSounds.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tools/base/RToolMgr.h"

namespace Ostrel {
namespace {

// The commands the text panel carries out on the text being written.
constexpr u16 kTextCommands[] = {kCmdCheckSpelling, kCmdSayItThisWay};
constexpr u16 kHelpGroup = 777;
constexpr u16 kBackgroundsCursor = 28;

struct ToolbarHelp {
    u32 toolbar;
    u16 first;
    u16 second;
};

// The help items each toolbar's panel shows in help mode; the wacky brushes and the
// pictures keep the last ones.
constexpr ToolbarHelp kToolbarHelp[] = {
    {kEaselToolbarStickers, 797, 798}, {kEaselToolbarAnimations, 807, 808}, {kEaselToolbarBackgrounds, 787, 788},
    {kEaselToolbarSounds, 817, 818},   {kEaselToolbarGrab, 887, 888},       {kEaselToolbarEraser, 897, 898},
    {kEaselToolbarText, 877, 0},       {kEaselToolbarPencil, 827, 828},     {kEaselToolbarPaint, 837, 838},
    {kEaselToolbarFill, 847, 848},     {kEaselToolbarStamps, 867, 868},     {kEaselToolbarMixer, 857, 858},
};

// The media kind of each library button's panel.
struct LibraryToolbar {
    u32 toolbar;
    FourCC type;
};
constexpr LibraryToolbar kLibraryToolbars[] = {
    {kEaselToolbarStickers, kTypeFlash},
    {kEaselToolbarAnimations, kTypeFlashAnimation},
    {kEaselToolbarBackgrounds, kTypeBitmap},
    {kEaselToolbarPictures, kTypeBitmap},
    {kEaselToolbarSounds, kTypeSound},
};

// What the program can play of a page: animations and movies, texts read aloud and sounds,
// the last two while the user's switch for each is on.
bool canPlay(const RPageObject& object, const GlobalUserSettings* settings) {
    if (!settings) return false;
    if (isPageMediaType(object.Type())) return true;
    if (object.Type() == kTypeSound) return settings->attachedSounds && IsPlayablePageSound(object);
    if (object.Type() != kTypeText || !settings->textToSpeech) return false;
    return !static_cast<const RTextPageObject&>(object).text.text.empty();
}

void enableCommand(RApplication* app, u16 command, bool enable) {
    if (enable)
        app->EnableMenuCommand(command);
    else
        app->DisableMenuCommand(command);
}

}  // namespace

void REasel::SelectToolbar(i16 toolbar, u16 phase) {
    RApplication* app = GetApplication();
    if (phase <= kToolbarRelease) {
        ReleaseUndo();
        TellLibraryPanel(kMsgLibraryNameBox, 0);
        rememberedToolbar_ = toolbar;
    }
    if (phase <= kToolbarBuild) BuildPanel(rememberedToolbar_);
    TellLibraryPanel(kMsgLibraryNameBox, 1);
    RefreshPageState();
    if (app) enableCommand(app, kCmdPaste, CCPObj::AnyCanPaste());
}

void REasel::BuildPanel(i16 toolbar) {
    if (panel_ && picker_) picker_->RemoveListener(panel_.get());
    panel_.reset();
    // The frames of the page's objects went with the panel that drove them; one being placed
    // stays until it is put down.
    if (canvas_ && canvas_->FrameMaker() && !canvas_->IsBusy()) canvas_->FrameMaker()->ClearObjectFrames();
    if (RButton* startOver = Button(kStartOverButton)) startOver->Show();
    startOverAvailable_ = 1;
    // The wacky brushes and the pictures' library leave the help where it was.
    if (toolbar != i16(kEaselToolbarWacky) && toolbar != i16(kEaselToolbarPictures)) {
        std::array<u16, 3>& sets = GetHelpContext().buttonSets;
        for (const ToolbarHelp& help : kToolbarHelp)
            if (i16(help.toolbar) == toolbar) sets = {kHelpGroup, help.first, help.second};
        sets[0] = kHelpGroup;
    }
    if (toolbar == i16(kEaselToolbarEraser)) {
        if (RButton* startOver = Button(kStartOverButton)) startOver->Hide();
        startOverAvailable_ = 0;
    }
    if (toolbar == i16(kEaselToolbarBackgrounds) && canvas_) {
        RMessage cursor(kMsgEnableClicks, 0, kBackgroundsCursor);
        canvas_->HandleMessage(&cursor, 0);
    }
    if (!canvas_) return;
    std::unique_ptr<RToolPanel> panel;
    switch (u32(toolbar)) {
        case kEaselToolbarPencil:
            panel = std::make_unique<RPencilPanel>(this, UserPaths());
            break;
        case kEaselToolbarGrab: {
            auto cut = std::make_unique<RCutMovePanel>(this, UserPaths(), canvas_->ToolManager());
            cut->SetFrameMakerMaker([canvas = canvas_.get()](CListener*, RHotSpotList*, const std::vector<FourCC>&) {
                RFrameMaker* frames = canvas->FrameMaker();
                return frames ? std::unique_ptr<FrameMakerLink>(std::make_unique<CanvasFrameMakerLink>(*frames)) : nullptr;
            });
            panel = std::move(cut);
            break;
        }
        case kEaselToolbarPaint:
            panel = std::make_unique<RRealMediaToolPanel>(this, UserPaths());
            break;
        case kEaselToolbarWacky:
            panel = std::make_unique<RWackyToolPanel>(this);
            break;
        case kEaselToolbarFill:
            panel = std::make_unique<RFillPanel>(this, UserPaths());
            break;
        case kEaselToolbarEraser:
            panel = std::make_unique<REraserPanel>(this, UserPaths());
            break;
        case kEaselToolbarMixer:
            panel = std::make_unique<RMixerPanel>(this, UserPaths());
            break;
        case kEaselToolbarStamps:
            panel = std::make_unique<RStampPanel>(this, UserPaths(), libraries_.get(), [this]() -> const RLibExclusionsObject* {
                RPage* page = CurrentPage();
                return page ? page->Data().FindExclusions() : nullptr;
            });
            break;
        case kEaselToolbarText:
            // Small children stamp letters; the others write texts on the page.
            if (SmallKids())
                panel = std::make_unique<RAlphaPanel>(this, UserPaths());
            else
                panel = std::make_unique<RTextPanel>(this, UserPaths(), canvas_->FrameMaker(), canvas_.get());
            break;
        case kEaselToolbarStickers:
        case kEaselToolbarAnimations:
        case kEaselToolbarBackgrounds:
        case kEaselToolbarPictures:
        case kEaselToolbarSounds:
            panel = BuildLibraryPanel(u32(toolbar));
            break;
        default:
            return;
    }
    panel->SetCanvasRect(canvas_->CanvasRect());
    panel->AddListener(canvas_->ToolManager());
    panel->AddListener(canvas_.get());
    FourCC libraryType = 0;
    for (const LibraryToolbar& library : kLibraryToolbars)
        if (library.toolbar == u32(toolbar)) libraryType = library.type;
    auto* library = dynamic_cast<RLibPanel*>(panel.get());
    std::string libraryPath;
    u16 libraryKind = 0;
    // A kind without a library to show gets no panel.
    if (library && (libraryType == 0 || !libraries_ || libraries_->GetCurrentLibrary(libraryType, &libraryPath, &libraryKind) != kErrNone))
        return;
    if (library)
        library->SetLibraryType(libraryType);
    else
        panel->Init();
    panel_ = std::move(panel);
    if (library) {
        RMessage open(kMsgLibraryOpenFile, 0, libraryKind);
        open.Carry(libraryPath);
        library->HandleMessage(&open, libraryType);
    }
}

void REasel::TellLibraryPanel(u32 code, u16 param2) {
    if (auto* library = dynamic_cast<RLibPanel*>(panel_.get())) {
        RMessage message(code, 0, param2);
        library->HandleMessage(&message, 0);
    }
}

CListener* REasel::TextPanel() const { return dynamic_cast<RTextPanel*>(panel_.get()); }

std::unique_ptr<RToolPanel> REasel::BuildLibraryPanel(u32 toolbar) {
    LibraryPanelHost host;
    host.page = [this]() -> RPageData* {
        RPage* page = CurrentPage();
        return page ? &page->Data() : nullptr;
    };
    host.flashLimit = i16(PageObjectLimit());
    host.settings = UserSettings();
    host.frames = canvas_ ? canvas_->FrameMaker() : nullptr;
    if (toolbar == kEaselToolbarSounds) return std::make_unique<RAudioPanel>(this, UserPaths(), libraries_.get(), std::move(host));
    return std::make_unique<RLibPanel>(this, UserPaths(), libraries_.get(), std::move(host));
}

void REasel::RefreshPageState() {
    RPage* page = CurrentPage();
    RApplication* app = GetApplication();
    if (!page) return;
    const GlobalUserSettings* settings = UserSettings();
    bool sound = false;
    u16 playable = 0;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    RPageObject* last = nullptr;
    bool texts = false, stickers = false;
    while (page->Data().NextObjectSkipFlagged(&iterator, &object, kTypeAnyObject)) {
        sound |= object->Type() == kTypeSound;
        texts |= object->Type() == kTypeText;
        stickers |= object->Type() == kTypeFlash;
        if (canPlay(*object, settings)) ++playable;
        if (object->Type() != kTypeNote && object->Type() != kTypeExclusions &&
            !(object->Type() == kTypeBitmap && object->Id() == kBackgroundId))
            last = object;
    }
    if (playable == 0 && last && canPlay(*last, settings)) playable = 1;
    hasMedia_ = playable != 0;
    // Small children's menus keep only the language and their own switch.
    if (app && !SmallKids()) {
        enableCommand(app, kCmdAttachedSounds, sound);
        const bool text = TextPanel() != nullptr;
        for (u16 command : kTextCommands) enableCommand(app, command, text);
        // The page's texts are read aloud where they are worked on: the text and cut-and-move panels.
        enableCommand(app, kCmdTextToSpeech, texts && (text || CutMovePanelCurrent()));
        for (u16 command = kCmdFirstSpecialCharacter; command <= kCmdLastSpecialCharacter; ++command)
            enableCommand(app, command, text);
        // Objects merge into the picture from the panels that choose them: texts from the text
        // and cut-and-move panels, stickers from the cut-and-move and the animations' libraries.
        const auto* library = dynamic_cast<const RLibPanel*>(panel_.get());
        const bool animations = library && (library->LibraryType() == kTypeFlash || library->LibraryType() == kTypeFlashAnimation);
        enableCommand(app, kCmdFlattenText, texts && (text || CutMovePanelCurrent()));
        enableCommand(app, kCmdFlattenStickers, stickers && (animations || CutMovePanelCurrent()));
    }
    if (hasMedia_)
        SetPlayButtons(kPlayButtonsPlay);
    else if (playing_)
        StopPlaying();
    else
        SetPlayButtons(kPlayButtonsOff);
}

}  // namespace Ostrel
