#pragma once
// The panel of the easel's rubber-stamp button: the stamps of one stamp library (a category)
// at a time in its strip, the category label with its popup and the previous and next
// buttons, four sizes, and the stamp editor on the chosen stamp. The stamping tool is an
// RStampSimpleBitmap. A stamp the child edits is kept in the user's own stamp file for the
// category (a file of the library's name in the user's stamp folder) under the stamp's id, and
// shown in the strip in place of the library's from then on. The strip owns copies of the
// pictures, so closing a category's files never leaves it drawing freed data. The category
// (by library id), the size and the stamp chosen in each category are kept per user in
// [StampPanel]. User-interface thread only.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/stampeditor/RStampEditor.h"
#include "document/library/RLibraryMgr.h"
#include "framework/controls/RTextPopup.h"
#include "panels/base/PanelSaveData.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/stamp/StampCategories.h"
#include "panels/stamp/StampPanelCommands.h"
#include "tools/stamps/RStampSimpleBitmap.h"

namespace Ostrel {

constexpr u16 kStampButtonSet = 18700;
constexpr u16 kStampSizeButtonSet = 18202;
constexpr u16 kStampSizeButtonFirst = 18261;
constexpr u16 kStampStripLayout = 18022;
constexpr u16 kStampPanelShape = 18048;
constexpr u16 kStampCanvasCursor = 25;
constexpr u16 kFirstStampId = 8000;
constexpr FourCC kStampPictureType = fourCC("tBMP");

// The library exclusions of the current page, asked for each time the libraries are listed.
using StampExclusionsSource = std::function<const RLibExclusionsObject*()>;

class RStampPanel : public RScrollToolPanel, public RStampEditorOwner {
public:
    // `libraries` (may be null: no categories) lists the stamp libraries.
    RStampPanel(CListener* owner, const Paths* userPaths, const RLibraryMgr* libraries, StampExclusionsSource exclusions);
    ~RStampPanel() override;

    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;

    // Lists the categories again and reopens the remembered one; 0, or the disc's error.
    u16 LoadStampLibraries();
    // Opens a stamp library by its path: 0, or 1 when its archive cannot be opened (the strip
    // is then empty).
    u16 OpenCategory(const std::string& path);
    void CommitStampEdit(u16 modified) override;
    // Keeps the stamp as the user's own version of the chosen stamp, shown in the strip at once;
    // a stamp with nothing drawn removes the user's version.
    void KeepStamp(const StampGrid& stamp);
    bool StoredStampPicture(std::vector<u8>* bitmap) const override;

    const StampCategories& Categories() const { return categories_; }
    RTextPopup* Popup() const { return popup_.get(); }
    RStampSimpleBitmap* StampTool() const;
    RStampEditor* Editor() const { return editor_.get(); }
    int CurrentStamp() const { return currentStamp_; }
    i16 CategoryId() const { return record_[kStampWordCategory]; }
    i16 SizeIndex() const { return record_[kStampWordSize]; }
    const RButtonSet& SizeButtons() const { return sizeButtons_; }
    const std::string& CategoryFile() const { return categoryFile_; }
    std::string UserStampPath() const { return userStampFolder_ + categoryFile_; }

private:
    void BuildStampTool();
    void ChooseCategory(int place);
    void ChooseSize(i16 number);
    void ChooseStamp(int item);
    void ShowStamp(int item);
    void OpenEditor(bool isNew);
    void OpenPopup();
    void EditorClosed();
    void CloseFiles();
    // No category: files closed, strip empty, no stamp on the tool.
    void ClearCategory();
    // The category's pictures, the user's own in place of the library's.
    std::vector<ScrollerPicture> LoadCategoryStamps() const;
    bool SaveNewStamp(const std::vector<u8>& stored);
    void ReplaceStripItem(int item, ScrollerPicture picture);
    static void DrawLabel(SprSprite* sprite);
    static void DrawPopup(SprSprite* sprite);
    // The list has no shape for the layer's own step to size it by: its bounds stay the
    // list's, so that it is drawn again over whatever behind it is redrawn.
    static void StepPopup(SprSprite* sprite, memHandle region);

    const RLibraryMgr* libraries_;
    StampExclusionsSource exclusions_;
    tStampPanelSaveData record_{};
    RButtonSet sizeButtons_;
    std::unique_ptr<RTextPopup> popup_;
    StampCategories categories_;
    std::unique_ptr<RStampEditor> editor_;
    int currentStamp_ = -1;
    ResMapHandle libraryFile_ = 0;
    ResMapHandle userFile_ = 0;
    std::string categoryFile_;
    std::string userStampFolder_;
    GfxFont* labelFont_ = nullptr;
    u16 mascotSprite_ = 0;
    u16 popupSprite_ = 0;
    Rect16 popupArea_{0, 0, 0, 0};
    bool inInit_ = false;
    bool loaded_ = false;
};

}  // namespace Ostrel
