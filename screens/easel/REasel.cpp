#include "screens/easel/REasel.h"

#include "app/application/RApplication.h"
#include "app/window/RDisplayWindow.h"
#include "document/project/RDocument.h"
#include "document/users/EnginePath.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/panels/RPanel.h"
#include "framework/undo/UndoManager.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/PictureFiles.h"
#include "screens/easel/RCanvas.h"

namespace Ostrel {

REasel::REasel() = default;

REasel::~REasel() {
    if (listening_)
        if (RDisplayWindow* window = RDisplayWindow::Get()) window->RemoveListener(this);
    // The panel holds the tool the canvas's tool manager uses.
    panel_.reset();
    files_.reset();
    canvas_.reset();
    Unregister();
}

u16 REasel::Enter() {
    if (u16 err = LoadContent(kEaselContentName)) return err;
    CreateCanvas();
    if (RDisplayWindow* window = RDisplayWindow::Get()) {
        window->AddListener(this);
        listening_ = true;
    }
    if (RApplication* app = GetApplication()) {
        if (!app->GetCurrentPage()) {
            RMessage fresh(kMsgNewPage, 0, 0);
            canvas_->HandleMessage(&fresh, 0);
        } else {
            canvas_->RedrawPage(app->GetCurrentPage(), 1);
        }
    }
    PostMessageTo(this, u32(kFirstToolbar));
    return 0;
}

u16 REasel::CreateCanvas() {
    RApplication* app = GetApplication();
    Rect16 rect{0, 0, 0, 0};
    if (app) app->GetCanvasRect(&rect);
    canvas_ = std::make_unique<RCanvas>(rect);
    SprScreen* screen = sprScreen();
    GfxPort* port = screen ? screen->backgroundPort : (app ? app->GetOffscreenPort() : nullptr);
    const u16 result = canvas_->Init(this, HotSpots(), port, app ? app->GetUndoManager() : nullptr);
    files_ = std::make_unique<PictureFiles>(*canvas_, *this, app ? app->GetUndoManager() : nullptr,
                                            defaultPictureFileUi(*this));
    return result;
}

bool REasel::OpenDocumentPath(const std::string& path) { return OpenPicture(path); }

bool REasel::Print() {
    // TODO(print): the print command arrives with app/print.
    return false;
}

bool REasel::OpenPicture(const std::string& path) {
    if (!files_) return false;
    const bool opened = files_->OpenPicture(path);
    if (opened && panel_) {
        RMessage reopened(6654, 0, 0);
        panel_->HandleMessage(&reopened, 0);
    }
    return opened;
}

bool REasel::ChoosePictureFile(u16 kind) { return files_ && files_->ChoosePictureFile(kind); }

bool REasel::SavePicture(u16 kind) { return files_ && files_->SavePicture(CurrentPage(), kind); }

EngineErr REasel::PictureNameExists(const std::string& name) const {
    const Paths* paths = UserPaths();
    if (!paths) return kOsErrNotFound;
    const EnginePath path(paths->GetPicturesDir() + "\\" + name + ".tbx");
    if (path.empty()) return kOsErrNotFound;
    const EngineErr err = pathCheckExists(path.get());
    return err == kErrNone ? 1 : err == kOsErrNotFound ? 0 : err;
}

// --- RCanvasOwner

RPage* REasel::CurrentPage() const {
    RApplication* app = GetApplication();
    return app ? app->GetCurrentPage() : nullptr;
}

std::unique_ptr<RPage> REasel::SetCurrentPage(std::unique_ptr<RPage> page) {
    RApplication* app = GetApplication();
    return app ? app->SetCurrentPage(std::move(page)) : std::move(page);
}

RDocument* REasel::CurrentDocument() const {
    RApplication* app = GetApplication();
    return app ? app->GetCurrentDocument() : nullptr;
}

const Paths* REasel::UserPaths() const {
    RApplication* app = GetApplication();
    return app ? app->GetPaths() : nullptr;
}

const GlobalUserSettings* REasel::UserSettings() const {
    RApplication* app = GetApplication();
    return app ? app->GetGlobalUserSettings() : nullptr;
}

u16 REasel::DetachPanel() {
    if (!panel_) return 0;
    return panel_->RemoveFrameMaker();
}

void REasel::AttachPanel() {}

void REasel::PageStateChanged() {
    RMessage changed(kMsgPageStateChanged, 0, 0);
    HandleMessage(&changed, 0);
}

void REasel::GiveObjectFrame(RPageObject* object) {
    if (!panel_) return;
    RMessage frame(1250, reinterpret_cast<uintptr_t>(object), 1);
    panel_->HandleMessage(&frame, 0);
}

}  // namespace Ostrel
