// The project list and the project files: building the list, the save question, saving,
// new slide shows, loading by name or path, deleting and closing.
#include <algorithm>
#include <cstring>

#include "app/application/RApplication.h"
#include "app/dialogs/RDeleter.h"
#include "app/dialogs/RDlgWarnings.h"
#include "app/settings/GlobalUserSettings.h"
#include "app/window/MenuMessages.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/UniqueFileName.h"
#include "engine/gfx/GfxBusyCursor.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"
#include "screens/picker/PickerCommands.h"
#include "screens/picker/PickerProjectList.h"
#include "screens/picker/RPicker.h"
#include "screens/picker/ShowSaveQuestion.h"
#include "screens/picker/UndoPicker.h"

namespace Ostrel {

namespace {

constexpr u16 kListFirstHotSpot = 5217;
constexpr u16 kListAreaShape = 5214;
constexpr u16 kDeleteShowMessage = 7813;
constexpr u16 kCopyWarningKind = 1438;
constexpr u16 kProjectTrashAnimation = 5003;
constexpr u32 kMaxProjectFileName = 260;

std::string fullText(const Path* path) {
    char text[kSystemTextSize] = {};
    if (path) pathGetFullText(path, text);
    return text;
}

void releaseUndo() {
    if (RApplication* app = GetApplication(); app && app->GetUndoManager()) app->GetUndoManager()->ReleaseCurrent();
}

}  // namespace

void RPicker::BuildProjectList(bool openLast) {
    RPortfolio* portfolio = Portfolio();
    if (!portfolio) return;
    if (!list_) {
        list_ = std::make_unique<PickerProjectList>(this);
        Rect16 parts[kSprMaxParts];
        const i16 count = sprGetShapePartRects(kListAreaShape, parts);
        list_->SetCellRects(std::vector<Rect16>(parts, parts + std::max<i16>(count, 0)), kListFirstHotSpot);
        GiveTrashCan();
        list_->RegisterInput();
        WatchPointerFirst();
    } else {
        list_->Empty();
    }
    if (openLast) SetProjectName("");
    u32 iterator = 0;
    std::string name;
    while (portfolio->NextProjectName(&iterator, &name)) list_->AddItem(0, 0, name);
    list_->SortByName();
    if (openLast && list_->ItemCount() > 0) {
        GlobalUserSettings* settings = Settings();
        std::string last = settings ? std::string(settings->projectTitle.data()) : std::string();
        int position = settings ? settings->projectPosition : 0;
        if (last.empty() || list_->FindName(last) < 0) {
            last = list_->NameOf(0);
            position = 0;
        }
        if (!LoadProjectByName(last, false)) {
            list_->Empty();
            list_.reset();
            BuildProjectList(false);
            return;
        }
        list_->ScrollTo(position);
    }
    if (!projectName_.empty()) list_->SelectByName(projectName_);
    list_->Redraw();
}

bool RPicker::LoadProjectByName(const std::string& name, bool reselect) {
    RPortfolio* portfolio = Portfolio();
    if (!portfolio || !portfolio->OpenProject(name)) {
        ShowFailedLoad(name);
        if (list_ && !projectName_.empty()) list_->SelectByName(projectName_);
        return false;
    }
    RDocument* document = Document();
    SetProjectNameFromPath();
    const int first = std::max<int>(0, ProjectConfigFile::PickerPlace(document->Config().topLeftPage) - 1);
    const int selected = std::max<int>(0, ProjectConfigFile::PickerPlace(document->Config().selectedPage) - 1);
    SetSlideLabel(PickerText("LoadingSlideShow"));
    BuildStrip(first, selected);
    KeepStripPlace();
    clipboard_.reset();
    if (undo_) undo_->Record(kPickerUndoClear);
    dirty_ = false;
    if (reselect && list_) list_->SelectByName(projectName_);
    return true;
}

void RPicker::ShowFailedLoad(const std::string& name) {
    ShowAlert((PickerText("FailedLoadProject") + name).c_str(), nullptr, kAlertOk | kAlertIconStop);
}

bool RPicker::HasWorkToSave() const {
    RDocument* document = Document();
    return document && dirty_ && (document->PageCount() > 0 || document->Config().HasContent());
}

void RPicker::AskToSave(std::function<void(u16)> then) {
    if (!HasWorkToSave()) {
        then(kSaveQuestionDone);
        return;
    }
    // The open dialog is the child's business first: the step waits for another time.
    if (dialog_) {
        then(kSaveQuestionCancelled);
        return;
    }
    auto question = std::make_unique<RDlgWarnings>(this, kPickerSaveQuestionClosed);
    if (question->Open(kWarningSaveShow) != 0) {
        // Without the dialog's art the box still asks: no change goes unasked.
        then(SaveQuestion());
        return;
    }
    dialog_ = std::move(question);
    afterSaveQuestion_ = std::move(then);
}

void RPicker::SaveQuestionAnswered(const RMessage& answer) {
    if (!dialog_ || answer.param1 != reinterpret_cast<uintptr_t>(dialog_.get())) return;
    dialog_.reset();
    const std::function<void(u16)> then = std::move(afterSaveQuestion_);
    afterSaveQuestion_ = nullptr;
    sprUpdateScreen(1);
    u16 result = kSaveQuestionCancelled;
    if (answer.param2 == kWarningResultNo)
        result = kSaveQuestionDone;
    else if (answer.param2 == kWarningResultYes)
        result = Save(false);
    // What waits may end this screen: nothing of it is touched after.
    if (then) then(result);
}

u16 RPicker::SaveQuestion() {
    if (!HasWorkToSave()) return kSaveQuestionDone;
    const u16 answer = AskToSaveShowNow();
    if (answer == kWarningResultNo) return kSaveQuestionDone;
    if (answer != kWarningResultYes) return kSaveQuestionCancelled;
    return Save(false);
}

u16 RPicker::Save(bool reload) {
    if (!Document()) return kSaveQuestionDone;
    KeepStripPlace();
    const u16 result = SaveAs();
    if (undo_) undo_->Record(kPickerUndoClear);
    releaseUndo();
    if (result == kErrNone && reload) {
        SetProjectNameFromPath();
        BuildProjectList(false);
        KeepStripPlace();
    }
    return result;
}

u16 RPicker::SaveAs() {
    RDocument* document = Document();
    if (!document) return kSaveQuestionCancelled;
    const u16 result = SaveShowWithDialog(*document, projectName_, files_);
    if (result != kErrNone) return result;
    dirty_ = false;
    if (RPortfolio* portfolio = Portfolio()) portfolio->Rebuild();
    return kErrNone;
}

void RPicker::SaveCommand() {
    if (!Document()) return;
    KeepStripPlace();
    Save(true);
    clipboard_.reset();
}

void RPicker::NewSlideShow() {
    AskToSave([this](u16 answer) {
        if (answer == kSaveQuestionDone) MakeNewSlideShow();
    });
}

bool RPicker::NewShowPath(EnginePath* target) const {
    RApplication* app = GetApplication();
    const Paths* paths = app ? app->GetPaths() : nullptr;
    EnginePath folder;
    if (!paths || paths->GetPath(folder.get(), kFolderProjects) != kErrNone) return false;
    char name[kMaxProjectFileName + 1] = {};
    std::strncpy(name, PickerText("NewShowName").c_str(), kMaxProjectFileName - 5);
    if (name[0] == '\0') std::strcpy(name, "Slide Show");
    return MakeUniqueFileName(folder.get(), name, sizeof name, ".tbp", target->get(), kMaxProjectFileName, nullptr, nullptr,
                              0) == kErrNone;
}

void RPicker::NameUnsavedShowInLanguage(RDocument& document) {
    const Path* path = document.Config().GetPath();
    EnginePath target;
    if (!path || document.PageCount() > 0 || pathCheckExists(path) == kErrNone || !NewShowPath(&target)) return;
    document.Config().SetPath(target.get());
}

void RPicker::MakeNewSlideShow() {
    EnginePath target;
    if (!NewShowPath(&target)) return;
    Portfolio()->SetDocument(std::make_unique<RDocument>(target.get()));
    SetProjectNameFromPath();
    BuildProjectList(false);
    SetSlideLabel(PickerText("LoadingSlideShow"));
    sprUpdateScreen(1);
    BuildStrip(0, 0);
    clipboard_.reset();
    if (undo_) undo_->Record(kPickerUndoClear);
    releaseUndo();
    dirty_ = false;
    KeepStripPlace();
}

void RPicker::ChooseProject(const std::string& name) {
    if (name.empty() || name == projectName_) return;
    AskToSave([this, name](u16 answer) {
        // A question left without an answer, or a save that failed, keeps the project it was about.
        if (answer != kSaveQuestionDone) {
            if (list_) list_->SelectByName(projectName_);
            return;
        }
        LoadProjectByName(name, true);
    });
}

void RPicker::OpenProjectFile() {
    AskToSave([this](u16 answer) {
        if (answer != kSaveQuestionDone || !files_.openProject) return;
        const std::string path = files_.openProject();
        if (!path.empty()) OpenDocumentPath(path);
    });
}

bool RPicker::OpenDocumentPath(const std::string& path) {
    EnginePath file(path);
    RPortfolio* portfolio = Portfolio();
    if (file.empty() || !portfolio || pathCheckExists(file.get()) != kErrNone) return false;
    char name[kSystemTextSize] = {};
    pathGetFileName(file.get(), name);
    std::string project = name;
    if (const size_t dot = project.rfind('.'); dot != std::string::npos) project.erase(dot);
    if (portfolio->ComparePathWithParent(path)) return LoadProjectByName(project, true);
    // An empty or foreign file would open as an empty show: the child hears that it did not open.
    if (!ProjectConfigFile::IsProjectFile(file.get())) {
        ShowFailedLoad(project);
        return false;
    }
    auto document = std::make_unique<RDocument>(file.get());
    {
        GfxBusyCursor busy;
        document->LoadPages();
    }
    portfolio->SetDocument(std::move(document));
    SetProjectNameFromPath();
    BuildStrip(0, 0);
    clipboard_.reset();
    dirty_ = false;
    return true;
}

void RPicker::ConfirmDelete(const ScrollerDrop& drop) {
    if (dialog_ || !list_) return;
    auto entry = std::make_unique<PageThumbEntry>();
    entry->kind = kThumbCut;
    entry->source = kDropSourceList;
    entry->sourceCell = drop.sourceIndex;
    entry->sourceName = list_->NameOf(drop.sourceIndex);
    if (entry->sourceName.empty()) return;
    auto dialog = std::make_unique<RDeleter>(this);
    if (dialog->Open(kDeleteShowMessage) != 0) return;
    dialog_ = std::move(dialog);
    deleting_ = std::move(entry);
}

void RPicker::DeleteConfirmed(u16 answer) {
    std::unique_ptr<PageThumbEntry> entry = std::move(deleting_);
    if (!entry || answer != kDlgResultConfirm) return;
    DeleteProject(entry->sourceName);
}

void RPicker::DeleteProject(const std::string& name) {
    RPortfolio* portfolio = Portfolio();
    if (!portfolio || !list_) return;
    const bool current = name == projectName_ && Document() &&
                         portfolio->ComparePathWithParent(fullText(Document()->Config().GetPath()));
    if (portfolio->DeleteProject(name) != kErrNone) {
        PostMessageTo(this, kPickerShowDeleteWarning);
    } else if (current) {
        // The deleted project is not offered for saving again.
        portfolio->SetDocument(nullptr);
        dirty_ = false;
        if (strip_) {
            strip_->Clear();
            strip_->EnableCells(false);
        }
        const std::optional<std::string> next = list_->RemoveByName(name);
        if (next) {
            LoadProjectByName(*next, true);
        } else {
            SetProjectName("");
            SetSlideLabel("");
            PostMessageTo(this, kMsgMenuNewSlideShow);
            if (SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
            sprUpdateScreen(1);
        }
        AnimateTrash(kProjectTrashAnimation);
    } else {
        list_->RemoveByName(name);
        AnimateTrash(kProjectTrashAnimation);
    }
    list_->SortByName();
    list_->Redraw();
    clipboard_.reset();
    if (undo_) undo_->Record(kPickerUndoClear);
    releaseUndo();
}

void RPicker::CloseProject(std::function<void()> then) {
    if (Document()) KeepStripPlace();
    AskToSave([this, then = std::move(then)](u16 answer) {
        if (answer != kSaveQuestionDone) return;
        if (Document()) {
            if (undo_) undo_->Record(kPickerUndoClear);
            releaseUndo();
            clipboard_.reset();
            if (strip_) strip_->Clear();
            Portfolio()->SetDocument(nullptr);
            dirty_ = false;
            if (RApplication* app = GetApplication()) app->SetCurrentPage(nullptr);
        }
        if (then) then();
    });
}

void RPicker::Play(bool once) {
    RApplication* app = GetApplication();
    RDocument* document = Document();
    // Without the player nothing plays: the button and the menu's items stay out of service.
    if (!app || !app->HasScreen(kScreenSlideShow) || !strip_ || !document || document->PageCount() == 0) return;
    if (GlobalUserSettings* settings = Settings()) settings->playOnce = once ? 1 : 0;
    PostMessageTo(app, kScreenSlideShow);
}

void RPicker::ShowWarning(u16 messageId) {
    if (dialog_) return;
    auto dialog = std::make_unique<RDlgWarnings>(this, kCopyWarningKind);
    if (dialog->Open(messageId) != 0) return;
    dialog_ = std::move(dialog);
}

}  // namespace Ostrel
