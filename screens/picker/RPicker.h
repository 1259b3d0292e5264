#pragma once
// The slide-show editor. Entering it shows the backdrop, the list of the user's slide shows,
// the strip of the current project's slides (one cell per place), the project's name, the name
// of the slide under the pointer and the button row; the current project is the portfolio's
// document, or the one last used, or a new one. Slides are added from picture files, cut,
// copied, pasted, deleted, dragged to other places and packed together, each step undoable;
// projects are made, saved, opened, deleted and closed, every change going through the save
// question first. Leaving (deleting) it keeps the strip's place in the project and the project
// in the user's settings. User-interface thread only.
#include <functional>
#include <memory>
#include <string>

#include "app/module/RModule.h"
#include "app/window/RMenuScreen.h"
#include "engine/gfx/GfxFont.h"
#include "engine/gfx/sprites/SprCompound.h"
#include "framework/controls/ScrollerDrop.h"
#include "framework/input/RInputObject.h"
#include "document/project/ProjectConfigFile.h"
#include "screens/picker/MediaSlidePage.h"
#include "screens/picker/PageThumbEntry.h"
#include "screens/picker/PickerFileUi.h"
#include "screens/picker/SlideCells.h"

namespace Ostrel {

class PickerProjectList;
class RBMOBitmapScroller;
class RDlgBase;
class EnginePath;
class RDocument;
class RHelp;
class RPortfolio;
struct GlobalUserSettings;
class UndoPicker;

constexpr const char* kPickerContentName = "Picker";
constexpr u16 kPickerContentId = 5000;
// The area words of the pointer.
constexpr u16 kPickerAreaList = 937;
constexpr u16 kPickerAreaStrip = 938;
constexpr u16 kPickerAreaNone = 65535;
constexpr size_t kProjectNameMax = 259;
// The save question's answers.
constexpr u16 kSaveQuestionDone = 0;
constexpr u16 kSaveQuestionCancelled = 1;

class RPicker : public RModule, public RInputObject, public RMenuScreen {
public:
    RPicker();
    ~RPicker() override;

    u16 Enter() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    bool OpenDocumentPath(const std::string& path) override;
    bool Print() override;
    void LanguageChanged() override;

    // --- RInputObject: the Delete key over the list or the strip; the pointer's area.
    u32 HandleKey(u32 key) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;

    // The dialogs the picker asks (tests hand in their own).
    void SetFileUi(PickerFileUi ui) { files_ = std::move(ui); }

    // --- Slides.
    // Puts the picture file as a slide at `place` (1..), replacing a slide there; false when it
    // cannot be read or the place is 0.
    bool AddPictureAsSlide(const std::string& path, u16 place);
    // Makes a slide of the picture (Picture) or of the picture, movie, animation or sound
    // (AnyMedia) file at the first free place, as Add Graphic and Add Movie do; false (the
    // child told why) when the file cannot be made into one or nothing is free.
    bool AddMediaAsSlide(const std::string& path, MediaSlideKind kind);
    void CutOrCopy(bool cut);
    void Paste();
    void DeleteSelectedSlide();
    void CloseGaps();
    // Builds the strip's cells from the document, scrolled and selected as asked.
    void BuildStrip(int firstVisible, int selected);
    // Rebuilds one cell from its page.
    void RefreshCell(int cell);

    // --- Projects.
    // Asks in the warnings dialog whether to save the project first; once answered, `then`
    // hears 0 (saved, the child said No, or nothing to save), 1 (cancelled) or the save's
    // error. At once when there is nothing to ask; cancelled while another dialog is up.
    void AskToSave(std::function<void(u16)> then);
    // The same question, answered before it returns, for when the program is ending.
    u16 SaveQuestion();
    // Saves the current project (the save dialog prefilled); 0 saved, 1 cancelled, else the
    // error, which the child has been told.
    u16 Save(bool reload);
    void NewSlideShow();
    bool LoadProjectByName(const std::string& name, bool reselect);
    // Deletes the named project of the portfolio, as the delete confirmation does.
    void DeleteProject(const std::string& name);
    // The project is dropped after the save question, then `then` runs; nothing happens when
    // the child cancelled.
    void CloseProject(std::function<void()> then);

    RBMOBitmapScroller* Strip() const { return strip_.get(); }
    PickerProjectList* ProjectList() const { return list_.get(); }
    const std::string& ProjectName() const { return projectName_; }
    const std::string& SlideName() const { return slideName_; }
    const PageThumbEntry* ClipboardEntry() const { return clipboard_.get(); }
    RDlgBase* CurrentDialog() const { return dialog_.get(); }
    RHelp* Help() const { return help_.get(); }
    u16 Area() const { return area_; }
    bool IsDirty() const { return dirty_; }

private:
    RPortfolio* Portfolio() const;
    RDocument* Document() const;
    GlobalUserSettings* Settings() const;
    void CreateButtons();
    void ButtonLatched(uintptr_t item);
    void CreateLabels();
    void CreateStrip();
    void SetProjectName(const std::string& name);
    void SetProjectNameFromPath();
    void SetSlideLabel(const std::string& text);
    void ShowSlideName(int cell);
    // A slide just placed at `place` (1-based): undoable, unsaved, shown and chosen.
    void ShowPlacedSlide(u16 place);
    std::string PickerText(const char* key) const;
    static void DrawLabel(SprSprite* sprite);
    static void DrawStrip(SprSprite* sprite);
    static void DrawList(SprSprite* sprite);
    static void TrashEvent(SprSprite* sprite, i32 event);
    void AnimateTrash(u16 shape);
    void SetPasteEnabled(bool enabled);
    // The list and the strip take drops on the trash can where the screen shows it.
    void GiveTrashCan();
    void KeepStripPlace();
    // Puts the picker back in front of the input objects made after it (the strip, the list):
    // it hears every move of the pointer first and takes none, so that it always knows the
    // area the Delete key acts on.
    void WatchPointerFirst();
    // The engine text of the project's file; empty for none.
    std::string ProjectPathText() const;

    // Slides (RPickerSlides.cpp).
    void Drop(const ScrollerDrop& drop);
    void DropSlide(std::unique_ptr<PageThumbEntry> entry);
    void ArrangementUndone(bool undo);
    void OpenSlideDialog(u32 code, int cell);
    void DialogClosed(RMessage* message);
    void AskForPicture();
    void AskForMedia(u16 command);
    int CellOfHotSpot(uintptr_t visibleCell) const;
    // The selected cell when it is blank, else the first blank place after it (wrapping).
    u16 FirstFreePlace() const;
    // Where Load a Picture puts a slide: the place after the selected slide, or the selected
    // place when it is blank.
    u16 PlaceAfterSelected() const;

    // Projects (RPickerProjects.cpp).
    void BuildProjectList(bool openLast);
    u16 SaveAs();
    void SaveCommand();
    void ChooseProject(const std::string& name);
    bool HasWorkToSave() const;
    void SaveQuestionAnswered(const RMessage& answer);
    void MakeNewSlideShow();
    // A free path in the user's slide-show folder under the new show's name in the current
    // language; false without one.
    bool NewShowPath(EnginePath* target) const;
    // A show not yet saved and still empty bears the name the program gave it: in the language
    // read now (the language may change while the picker waits behind the login).
    void NameUnsavedShowInLanguage(RDocument& document);
    void OpenProjectFile();
    void ConfirmDelete(const ScrollerDrop& drop);
    void DeleteConfirmed(u16 answer);
    void ShowFailedLoad(const std::string& name);
    void Play(bool once);
    void Export();
    void ShowWarning(u16 messageId);
    bool OpenDialog(std::unique_ptr<RDlgBase> dialog);

    std::unique_ptr<PickerProjectList> list_;
    std::unique_ptr<RBMOBitmapScroller> strip_;
    std::unique_ptr<UndoPicker> undo_;
    std::unique_ptr<RHelp> help_;
    std::unique_ptr<RDlgBase> dialog_;
    // What waits for the save question's answer.
    std::function<void(u16)> afterSaveQuestion_;
    std::unique_ptr<PageThumbEntry> clipboard_;
    // The entry the delete confirmation is about.
    std::unique_ptr<PageThumbEntry> deleting_;
    // The cell a per-slide dialog is about.
    int dialogCell_ = -1;
    PickerFileUi files_;
    SlideCellSources cellSources_;
    u16 detail_ = 1;
    int restoredFirst_ = 0;
    int restoredSelected_ = 0;
    u16 slideCount_ = kMaxProjectPages;
    u32 trashFlags_ = 0;
    GfxFont* labelFont_ = nullptr;
    SprCompound stripArea_{};
    SprCompound listArea_{};
    u16 area_ = kPickerAreaNone;
    std::string projectName_;
    std::string slideName_;
    u16 projectLabel_ = 0;
    u16 slideLabel_ = 0;
    u16 trashSprite_ = 0;
    u16 arrowSprites_[2] = {0, 0};
    bool deleteKey_ = false;
    // Changed since it was opened or last saved.
    bool dirty_ = false;
    bool listening_ = false;
    bool groupLoaded_ = false;
};

}  // namespace Ostrel
