#pragma once
// The base of the tool option panels. A panel shows a tool family's art and buttons, builds
// the tool the child picks with the tool factory, activates it on the canvas and announces it
// to its listeners (the tool manager, the canvas) with 'born'; before it deletes its tool it
// says 'kild', so the manager never holds a deleted tool. The easel makes a panel, copies the
// canvas rectangle into it, adds the tool manager and the canvas as its listeners, then calls
// Init; deleting the panel ends its tool. Colour buttons (FirstColorButton..LastColorButton)
// show their picture with an area tinted in the current paint colour. A panel with a user's
// folders (`userPaths`) keeps its choices in that user's "user.ini".
// User-interface thread only.
#include <memory>
#include <vector>

#include "app/menus/RMenuOwner.h"
#include "document/users/Paths.h"
#include "engine/regions/Rects.h"
#include "engine/resources/ResourceManager.h"
#include "framework/panels/RPanel.h"
#include "tools/base/RTool.h"
#include "tools/base/ToolSettings.h"

namespace Ostrel {

constexpr const char* kToolPanelsItem = "ToolPanels";
// The family's art: 'tBMP' pictures numbered from here until the first missing id.
constexpr u16 kToolPanelArtBase = 19000;

// A menu owner: a dialog a panel opens hands the menu bar back to the easel when it closes.
class RToolPanel : public RPanel, public RMenuOwner {
public:
    // `userPaths` may be null: the panel then starts from its defaults and saves nothing.
    RToolPanel(CListener* owner, const Paths* userPaths);
    ~RToolPanel() override;

    // The base panel, then the family's art from "ToolPanels"; 0.
    u16 Init() override;
    // The base's buttons, then the colour buttons become colour swatches.
    u16 CreateButtons(u16 setId) override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    std::unique_ptr<RTool> CreateTool(i16 index) const;
    // Redraws every colour button.
    void RefreshColorButtons();
    // Button indices of the colour buttons; -1 when the panel has none.
    virtual int FirstColorButton() const { return -1; }
    virtual int LastColorButton() const { return -1; }

    void SetCanvasRect(const Rect16& rect) { canvasRect_ = rect; }
    const Rect16& GetCanvasRect() const { return canvasRect_; }
    const ToolSettings& GetToolSettings() const { return toolSettings_; }
    RTool* GetCurrentTool() const { return currentTool_.get(); }
    // The locked data of the art pictures, in id order.
    std::vector<const u8*> Art() const;
    const Paths* UserPaths() const { return userPaths_; }

protected:
    // Says 'kild' and deletes the current tool; nothing without one.
    void DropCurrentTool();
    // Deletes the current tool without a word: the listeners hold another tool.
    void DeleteCurrentToolQuietly();
    // Activates the tool on the canvas in the brushes' colour and keeps it as the current tool;
    // false (and nothing kept) for null.
    bool ActivateTool(std::unique_ptr<RTool> tool);
    // Activates a tool kept elsewhere (a shape tool in front of the current tool).
    void ActivateOnCanvas(RTool& tool);
    // 'born' with the tool.
    void AnnounceTool(RTool* tool);
    // 'chng' with the panel's tool settings.
    void AnnounceSettings();
    void Say(u32 code, uintptr_t param1 = 0, u16 param2 = 0);
    // Opens the canvas to clicks under the family's cursor.
    void EnableCanvas(u16 cursor);
    ToolSettings& MutableToolSettings() { return toolSettings_; }

private:
    struct ArtPicture {
        ResourceRef ref;
        const u8* data;
    };
    void LoadArt();
    void ReleaseArt();
    static void DrawColorSwatch(SprSprite* sprite);

    const Paths* userPaths_;
    Rect16 canvasRect_{0, 0, 0, 0};
    ToolSettings toolSettings_;
    std::unique_ptr<RTool> currentTool_;
    std::vector<ArtPicture> art_;
    bool itemOpen_ = false;
};

}  // namespace Ostrel
