#pragma once
// The paint screen. Entering it builds the canvas (with its tool manager) over the
// application's paint-screen rectangle and shows the pencil's option panel; while it is
// current it receives the screen's commands (button clicks, the main window's menu commands,
// the canvas's and panels' messages) in HandleMessage. It answers the canvas for the
// application's current page. Leaving (deleting) it takes all of that down again.
// User-interface thread only.
#include <memory>
#include <string>

#include "app/module/RModule.h"
#include "app/window/RMenuScreen.h"
#include "engine/gfx/GfxColor.h"
#include "framework/input/RInputObject.h"
#include "screens/easel/RCanvasOwner.h"

namespace Ostrel {

class RPanel;

class PictureFiles;
class RCanvas;

constexpr u16 kEaselContentId = 1000;
constexpr const char* kEaselContentName = "Easel";
// The toolbar command whose panel the easel shows first: the pencils.
constexpr i16 kFirstToolbar = 232;
// The phases of a toolbar selection.
constexpr u16 kToolbarRelease = 2341;
constexpr u16 kToolbarBuild = 2342;
constexpr u16 kToolbarFinish = 2343;

class REasel : public RModule, public RInputObject, public RCanvasOwner, public RMenuScreen {
public:
    REasel();
    ~REasel() override;

    u16 Enter() override;
    u32 HandleMessage(RMessage* message, u32 data) override;
    bool OpenDocumentPath(const std::string& path) override;
    bool Print() override;

    bool OpenPicture(const std::string& path);
    bool ChoosePictureFile(u16 kind);
    bool SavePicture(u16 kind);
    // A picture of that name (".tbx" added) exists in the user's pictures folder: 1; 0 when
    // it does not; another engine error unchanged.
    EngineErr PictureNameExists(const std::string& name) const;

    // Builds the canvas over the application's paint-screen rectangle; the canvas's
    // initialisation result.
    u16 CreateCanvas();
    void SelectToolbar(i16 toolbar, u16 phase);
    void BuildPanel(i16 toolbar);
    void RefreshPageState();

    RCanvas* Canvas() const { return canvas_.get(); }
    RPanel* CurrentPanel() const { return panel_.get(); }
    i16 CurrentToolbar() const { return toolbar_; }

    // --- RCanvasOwner
    RPage* CurrentPage() const override;
    std::unique_ptr<RPage> SetCurrentPage(std::unique_ptr<RPage> page) override;
    RDocument* CurrentDocument() const override;
    const Paths* UserPaths() const override;
    const GlobalUserSettings* UserSettings() const override;
    u16 DetachPanel() override;
    void AttachPanel() override;
    void PageStateChanged() override;
    void GiveObjectFrame(RPageObject* object) override;

private:
    void Save(uintptr_t param1, u16 kind);

    std::unique_ptr<RCanvas> canvas_;
    std::unique_ptr<PictureFiles> files_;
    std::unique_ptr<RPanel> panel_;
    GfxColor color_{};
    i16 toolbar_ = 0;
    i16 rememberedToolbar_ = 0;
    u16 startOverAvailable_ = 1;
    bool listening_ = false;
};

}  // namespace Ostrel
