#pragma once
// The paint screen. Entering it shows the easel's backdrop and buttons, builds the canvas
// (with its tool manager) over the application's paint-screen rectangle, the colour swatch
// with its colour picker and the library manager, and shows the pencil's option panel; while
// it is current it receives the screen's commands (button clicks, the main window's menu
// commands, the replies of its dialogs, the canvas's, pickers' and panels' messages) in
// HandleMessage, which hands each to its handler in REaselCommands. It answers the canvas for
// the application's current page and hosts the picture's life cycle (PictureSession: opening,
// saving, naming, the save question). Leaving (deleting) it takes all of that down again.
// User-interface thread only.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/application/ApplicationMessages.h"
#include "app/module/RModule.h"
#include "app/window/RMenuScreen.h"
#include "engine/gfx/GfxColor.h"
#include "framework/input/RInputObject.h"
#include "screens/easel/EaselButtons.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/PictureSession.h"
#include "screens/easel/RCanvasOwner.h"
#include "screens/easel/REaselCommands.h"

class RDFirecracker2;

namespace Ostrel {

class PictureFiles;
class RCanvas;
class RColorPicker;
class RDlgBase;
class RDlgEnterName;
class RDlgWarnings;
class RHelp;
class RHotSpotItem;
class RNoteDlg;
class RToolPanel;
class RLibraryMgr;
class RPanel;
class RTexturePicker;

constexpr u16 kEaselContentId = 1000;
// The small-kids palette and swatch shapes (1500, 1501): a group of their own, held while the
// small picker is shown, so that the screen's group need not reach up to their numbers.
constexpr u16 kSmallPickerGroup = 1500;
constexpr const char* kEaselContentName = "Easel";
// The phases of a toolbar selection.
constexpr u16 kToolbarRelease = 2341;
constexpr u16 kToolbarBuild = 2342;
constexpr u16 kToolbarFinish = 2343;
// The states of the shared place of Play and Stop.
constexpr u16 kPlayButtonsOff = 0;
constexpr u16 kPlayButtonsPlay = 1;
constexpr u16 kPlayButtonsStop = 2;
// Parameter 1 of the easel's request to open another project; the application reads only
// parameter 2.
constexpr uintptr_t kOpenProjectParam = 265;
// The page-object limit when none is configured.
constexpr u16 kNoPageObjectLimit = 65535;

class REasel : public RModule,
               public RInputObject,
               public RCanvasOwner,
               public RMenuScreen,
               private PictureSessionHost {
public:
    REasel();
    ~REasel() override;

    u16 Enter() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    bool OpenDocumentPath(const std::string& path) override;
    bool Print() override;
    // An unsaved page, painting included, goes to the user's recovery copy.
    void KeepUnsavedWork() override;

    // --- RInputObject: while the page plays, a click anywhere but on Stop stops it; the
    // start-over effect moves on each tick.
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    void HandleTick(u32 now) override;

    bool OpenPicture(const std::string& path) { return session_.Open(path); }
    EngineErr PictureNameExists(const std::string& name) const { return session_.PictureNameExists(name); }
    PictureSession& Pictures() { return session_; }

    // Builds the canvas over the application's paint-screen rectangle; the canvas's
    // initialisation result.
    u16 CreateCanvas();
    void SelectToolbar(i16 toolbar, u16 phase);
    // Sends a library panel, when one is current, a message at once.
    void TellLibraryPanel(u32 code, u16 param2);
    void BuildPanel(i16 toolbar);
    // The panel of a library button (stickers, animations, backgrounds, sounds).
    std::unique_ptr<RToolPanel> BuildLibraryPanel(u32 toolbar);
    void RefreshPageState();

    // Play and Stop.
    void SetPlayButtons(u16 state);
    void StartPlaying();
    void StopPlaying();
    // Stops whatever plays; run first by almost every command.
    void StopAll() override;

    // The panel lets go of the canvas; non-zero when it had something to give back.
    u16 DetachPanelFromCanvas();
    void AttachPanelToCanvas();
    // Menu item 243 reads "AddNote" or "EditNote".
    void UpdateNoteMenuItem(bool hasNote) override;

    // The colour swatch and its picker (small-kids mode: the small picker).
    void BuildColorPicker();
    void ReadPageObjectLimits();

    RCanvas* Canvas() const { return canvas_.get(); }
    RPanel* CurrentPanel() const { return panel_.get(); }
    i16 CurrentToolbar() const { return toolbar_; }
    bool IsPlaying() const { return playing_ != 0; }
    bool HasMedia() const { return hasMedia_ != 0; }
    bool StartOverAvailable() const { return startOverAvailable_ != 0; }
    u16 PageObjectLimit() const { return limits_ ? (*limits_)[0] : kNoPageObjectLimit; }
    const GfxColor& CurrentColor() const { return color_; }
    u16 TextureIndex() const { return texture_; }
    RColorPicker* ColorPicker() const { return picker_.get(); }
    RTexturePicker* TexturePicker() const { return texturePicker_.get(); }
    RDlgWarnings* WarningDialog() const { return warning_.get(); }
    RDlgEnterName* NameDialog() const { return nameDialog_.get(); }
    RDFirecracker2* StartOverEffect() const { return firecracker_.get(); }
    RHotSpotItem* SwatchHotSpot() const { return swatchHotSpot_; }
    u16 UndoSprite() const { return undoSprite_; }
    u16 SwatchSprite() const { return swatchSprite_; }
    u16 PickerSprite() const { return pickerSprite_; }
    RNoteDlg* NoteDialog() const { return noteDialog_.get(); }
    // Help mode while it is on.
    RHelp* Help() const { return help_.get(); }

    // --- RCanvasOwner
    RPage* CurrentPage() const override;
    std::unique_ptr<RPage> SetCurrentPage(std::unique_ptr<RPage> page) override;
    RDocument* CurrentDocument() const override;
    const Paths* UserPaths() const override;
    GlobalUserSettings* UserSettings() const override;
    GfxColor PaintColor() const override { return color_; }
    u16 DetachPanel() override;
    void AttachPanel() override;
    bool CutMovePanelCurrent() const override;
    void PageStateChanged() override;
    void GiveObjectFrame(RPageObject* object) override;
    u32 FileAlert(const char* key, u32 style) override;
    bool AskImportFile(u16 kind, ImportChoice* choice, const ImportPreview* preview) override;
    bool IsCurrentScreen() const override;
    void ClickOutsideCanvas(Point16 point) override;
    void SendToPanel(u32 code, uintptr_t param1) override;
    u16 FlashObjectLimit() const override { return PageObjectLimit(); }
    const RLibraryMgr* Libraries() const override { return libraries_.get(); }
    void RefreshMenus() override;

    // --- RMenuScreen
    CListener* TextPanel() const override;
    // While an object is being placed, a press that misses its frame puts it down, and the
    // snail takes it away.
    bool DeselectMissedEditFrame(const Point16* click) override;
    bool PageHasNote() const override;
    bool PageSavedAsIs() const override;
    void RunTeacherDialog(u16 command) override;
    // The easel's art carries words: it is entered again in the new language, its page
    // (with the painting not yet saved) kept.
    void LanguageChanged() override;

private:
    // Entering.
    void CreateButtons();
    void CreateLibraryManager();
    // The page the application holds, or a new one, on the canvas.
    void ShowHeldPage();
    void LoadSwatchFrames();
    void PlayScreenSounds();
    void ShowSmallKidsButtons(bool smallKids);
    // Whether the program has the slide-show screens to go to.
    bool SlideShowsBuilt() const;
    // The picture's name without folder and extension; the program's name for a new picture.
    std::string PictureTitle() const;
    // What the commands do (the handlers are REaselCommands').
    friend class REaselCommands;
    void StartOver();
    // Puts the current panel's buttons in or out of service (a change only).
    void SetPanelButtonsEnabled(bool enabled);
    void Undo();
    // The undo snail at rest, unless it is animating an undo.
    void RestUndoSnail();
    void ShowToolTipFor(u32 code, uintptr_t entering);
    // The toolbar button of a toolbar command (clicked, or chosen in the Toolbox menu) shows
    // selected and the others of its group go up.
    void ShowToolbarChosen(u32 code);
    // A push button the screen is done with goes back up.
    void ReleaseButton(u16 id);
    void UpdateInputRegistration();
    // The answers of the save question and the naming dialog, for the picture session.
    void SaveQuestionAnswered(u32 reply, RDlgBase* dialog);
    void PictureNamed(RDlgBase* dialog);
    void ShowNote();
    // Pickers.
    void OpenColorPicker();
    void CloseColorPicker();
    void ColorChosen(RMessage* message, uintptr_t data);
    void OpenTexturePicker();
    void CloseTexturePicker();
    bool PageUnsaved() const;
    GlobalUserSettings* Settings() const;

    // --- PictureSessionHost
    PictureFiles* Files() override { return files_.get(); }
    bool SmallKids() const override;
    void SuspendCanvas() override;
    void ResumeCanvas() override;
    void EndStroke(u32 data) override;
    void FinishTool() override;
    void RefreshScreen() override;
    void ReleaseUndo() override;
    void DropPage() override;
    void ShowBlankPage() override;
    void ForgetClips() override;
    void PlayPageSounds() override;
    void PictureOpened() override;
    void PostToScreen(u32 code) override;
    void PostToApplication(u32 code) override;
    void OpenProject(u32 code) override;
    bool AskSaveQuestion(u32 reply, u16 text) override;
    bool AskPictureName(const std::string& suggestion) override;
    u32 AskAfterFailedSave(const char* key) override;
    RButton* Button(u16 id);
    static void DrawSwatch(SprSprite* sprite);
    static void UndoSpriteEvent(SprSprite* sprite, i32 event);

    std::unique_ptr<RCanvas> canvas_;
    std::unique_ptr<PictureFiles> files_;
    std::unique_ptr<RPanel> panel_;
    std::unique_ptr<RDFirecracker2> firecracker_;
    std::unique_ptr<RColorPicker> picker_;
    std::unique_ptr<RTexturePicker> texturePicker_;
    std::unique_ptr<RLibraryMgr> libraries_;
    std::unique_ptr<RDlgWarnings> warning_;
    std::unique_ptr<RDlgEnterName> nameDialog_;
    std::unique_ptr<RNoteDlg> noteDialog_;
    std::unique_ptr<RHelp> help_;
    std::unique_ptr<std::array<u16, 3>> limits_;
    RHotSpotItem* swatchHotSpot_ = nullptr;
    RHotSpotItem* undoHotSpot_ = nullptr;
    u16 secondGroup_ = kNoShapeGroup;
    u16 swatchSprite_ = 0;
    u16 pickerSprite_ = 0;
    u16 copySprite_ = 0;
    u16 undoSprite_ = 0;
    std::vector<u8> swatchFrames_[2];
    GfxColor color_{};
    u16 texture_ = 0;
    u16 playing_ = 0;
    u16 hasMedia_ = 0;
    i16 toolbar_ = 0;
    i16 rememberedToolbar_ = 0;
    u16 startOverAvailable_ = 1;
    std::string libraryPostfix_;
    bool listening_ = false;
    bool noteShown_ = false;
    bool groupsLoaded_ = false;
    PictureSession session_{*this};
    REaselCommands commands_{*this};
};

}  // namespace Ostrel
