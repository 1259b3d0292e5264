#pragma once
// The panel of the easel's library buttons: the items of one library of a media kind (pictures,
// stickers, animations, sounds) in a paged strip with its page counter, the library's name on
// a label that opens the list of the kind's libraries (those the page's exclusions leave), the
// previous and next library, the chosen item's name, and for sounds a preview. A thumbnail
// dragged onto the canvas becomes a page object holding the item's media, which the page then
// saves with the picture; a picture as large as the canvas becomes the page's background. A
// page already holding its most visible Flash objects refuses one more, with an alert. The
// library shown and the page of each library's strip are kept per user and media kind. Cut,
// Copy and Paste work on the chosen sticker or animation through the canvas's frame maker.
// User-interface thread only.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/GlobalUserSettings.h"
#include "document/clipboard/CCPObj.h"
#include "document/library/RLibraryMgr.h"
#include "document/pages/RPageData.h"
#include "framework/controls/RTextPopup.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/library/LibraryChoices.h"
#include "panels/library/LibraryPanelCommands.h"
#include "sound/RSound.h"

namespace Ostrel {

constexpr u16 kLibButtonSet = 18900;
constexpr u16 kLibStripLayout = 18015;
// The panel's mascot wears the badge of the things its libraries hold.
constexpr u16 kLibPicturesShape = 18036;
constexpr u16 kLibStickersShape = 18040;
constexpr u16 kLibAnimationsShape = 18041;
constexpr u16 kLibNameBoxShape = 18037;
constexpr u16 kLibNameBoxEmptyShape = 18038;
constexpr u16 kLibChooseSound = 31500;
constexpr u16 kLibPlaceSound = 31501;
// The hand over the canvas of the stickers and animations, which the child moves there.
constexpr u16 kLibMoveCursor = 13;
// The side of the thumbnail that follows the pointer while it is dragged.
constexpr i16 kLibDragSide = 40;
constexpr size_t kLibMaxItemName = 255;
// The alerts' texts: a library that cannot be read or is missing (its path for the "%s"), a
// page full of Flash objects, an item whose media could not be copied.
constexpr const char* kLibAlertSection = "PanelStrings";
constexpr const char* kLibraryUnreadableKey = "CantOpenLibrary";
constexpr const char* kLibraryMissingKey = "LibraryNotFound";
constexpr const char* kLibLimitSection = "GeneralStrings";
constexpr const char* kTooManyPageObjectsKey = "TooManyPageObjects";
constexpr const char* kLibFileSection = "FileStrings";
constexpr const char* kLibVolumeFullKey = "VolumeFull";

// What marks the clipboard as holding a copy made inside the program.
constexpr const char* kLibClipFormat = "Tumblo Internal Format";

class RFrameMaker;

// The step of a sprite the panel draws itself: it stays where the panel put it.
void KeepPlace(SprSprite* sprite, memHandle region);

// What the panel needs of the screen: the page shown, the most visible Flash objects a page
// may hold (0 or less: no limit), the user's switches, and the frame maker that chooses the
// page's objects (it outlives the panel).
struct LibraryPanelHost {
    std::function<RPageData*()> page;
    i16 flashLimit = 0;
    const GlobalUserSettings* settings = nullptr;
    RFrameMaker* frames = nullptr;
};

// How a drop went.
enum class LibraryDrop : u8 { Placed, Outside, OverLimit, NotCopied };

class RLibPanel : public RScrollToolPanel, public CCPObj {
public:
    RLibPanel(CListener* owner, const Paths* userPaths, RLibraryMgr* libraries, LibraryPanelHost host);
    ~RLibPanel() override;

    // Keeps the media kind and builds the panel for it.
    void SetLibraryType(FourCC type);
    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;
    // Stickers and animations: the page's objects of the kind are framed and their outlines
    // shown; they go again when the page is replaced or saved (1 then).
    void CreateFrameMaker() override;
    u16 RemoveFrameMaker() override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    void HandleNotification(const RInputEvent& event) override;

    // The chosen object copied, cut or pasted by the frame maker; a copy marks the clipboard
    // as the program's own, and only then does a paste take a sticker or animation.
    bool Copy() override;
    bool Cut() override;
    bool CanPaste() override;
    bool Paste() override;

    // The library at a place of the list, its strip on its remembered page.
    void ChooseLibrary(int place);
    // A thumbnail of the strip was chosen: its name shows, a sound plays (its own for sounds).
    void ChooseItem(int item);
    // Makes the strip item's page object at the drop point (screen coordinates).
    LibraryDrop DropItem(int item, Point16 point);

    FourCC LibraryType() const { return type_; }
    const LibraryList& Libraries() const { return list_; }
    const std::vector<StripEntry>& Strip() const { return strip_; }
    RLibrary* OpenedLibrary() const { return library_.get(); }
    const std::string& LibraryPath() const { return libraryPath_; }
    u16 LibraryKind() const { return libraryKind_; }
    int ShownPlace() const { return popup_ ? popup_->GetValue() : -1; }
    const RTextPopup* LibraryPopup() const { return popup_.get(); }
    i32 CurrentItemId() const { return currentId_; }
    const std::string& ItemName() const { return itemName_; }
    RSound* PreviewSound() const { return preview_.get(); }
    u16 NameBoxSprite() const { return nameSprite_; }

protected:
    std::unique_ptr<RBitmapScroller> NewScroller(u16 layoutId, u16 firstHotSpotId) override;
    virtual u16 StripLayout() const { return kLibStripLayout; }
    virtual u16 BackgroundShape() const;
    // Puts the panel's buttons that depend on the library in or out of service.
    virtual void UpdateLibraryButtons() {}
    // Opens the library file; an alert when it cannot be read, the strip then empty.
    void OpenLibrary(const std::string& path, bool readOnly);
    // Lists the kind's libraries again.
    void BuildLibraryList();
    // The place in the list of the library with this enumeration number; -1 when not listed.
    int PlaceOfLibrary(u16 id) const;
    void SetItemName(std::string name);
    void StopPreview() { preview_.reset(); }
    const LibraryPanelHost& Host() const { return host_; }
    RLibraryMgr* LibraryManager() const { return libraries_; }
    void ShowNameBox(bool shown);
    // The panel's frame in another shape.
    void ShowBackground(u16 shape);

private:
    bool framesStarted_ = false;
    void LoadLibraryItems();
    void OpenCurrentLibrary(const std::string& path, u16 kind);
    void SwitchLibraryFile(const std::string& path);
    void NameBoxMessage(bool shown);
    void RememberShownPage();
    void PlayPreview(u16 entryId);
    bool OverFlashLimit() const;
    void OpenList();
    void StartDrag(int item, Point16 point);
    void EndDrag();
    void MoveDragged(Point16 point);
    void Alert(const char* section, const char* key, const std::string& path = {});
    static void DrawLabel(SprSprite* sprite);
    static void DrawList(SprSprite* sprite);
    static void DrawName(SprSprite* sprite);
    static void DrawDragged(SprSprite* sprite);
    static void FollowPointer(SprSprite* sprite, memHandle region);

    RLibraryMgr* libraries_;
    LibraryPanelHost host_;
    FourCC type_ = 0;
    LibraryList list_;
    std::unique_ptr<RTextPopup> popup_;
    std::unique_ptr<RLibrary> library_;
    std::string libraryPath_;
    u16 libraryKind_ = 0;
    // The open library's number in the kind's enumeration; -1 when it was opened by its path.
    i32 openId_ = -1;
    std::vector<StripEntry> strip_;
    tLibSaveData record_{};
    i32 currentId_ = -1;
    std::string itemName_;
    std::unique_ptr<RSound> preview_;
    GfxFont* font_ = nullptr;
    GfxFont* smallFont_ = nullptr;
    u16 backgroundSprite_ = 0;
    u16 nameSprite_ = 0;
    u16 listSprite_ = 0;
    u16 dragSprite_ = 0;
    int dragItem_ = -1;
    bool inInit_ = false;
};

}  // namespace Ostrel
