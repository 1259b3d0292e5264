#include "panels/stamp/RStampPanel.h"

#include "engine/base/TextUtils.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/RButton.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/language/LanguageTexts.h"
#include "panels/base/PanelButtons.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelCommands.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/RToolMgr.h"
#include "tools/base/ToolPicture.h"

namespace Ostrel {

namespace {

constexpr u32 kMascotFlags = 0x800000;
constexpr const char* kLabelFontName = "DejaVu Sans";
constexpr u16 kLabelFontSize = 14;
constexpr u16 kCentredOnOneLine = 0x22;
constexpr u16 kLeftOnOneLine = 0x21;
// In front of the panel, as the program's tool tips.
constexpr u32 kPopupSpriteFlags = 0x800000;
constexpr i16 kPopupTextInset = 6;

}  // namespace

RStampPanel::RStampPanel(CListener* owner, const Paths* userPaths, const RLibraryMgr* libraries,
                         StampExclusionsSource exclusions)
    : RScrollToolPanel(owner, userPaths), libraries_(libraries), exclusions_(std::move(exclusions)) {
    SetMessageBase(kStampButtonSet);
    record_.fill(0);
}

RStampPanel::~RStampPanel() {
    SavePrefs();
    editor_.reset();
    popup_.reset();
    if (popupSprite_ != 0) sprDispose(&popupSprite_);
    sizeButtons_.clear();
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    CloseFiles();
    if (labelFont_ != nullptr) gfxDisposeFont(labelFont_);
    Say(kMsgPanelDisableCanvas);
    // Said at once: what a panel posts is dropped with it.
    if (GetOwner() != nullptr) {
        RMessage swatchOn(kMsgStampSwatchOn, 0, 0);
        GetOwner()->HandleMessage(&swatchOn, 0);
    }
}

u16 RStampPanel::Init() {
    // The strip's set-up runs the base's Init itself.
    if (inInit_) return RScrollToolPanel::Init();
    inInit_ = true;
    if (GetOwner() != nullptr) PostMessageTo(GetOwner(), kMsgStampSwatchOff);
    InitScroller(kStampStripLayout, -1);
    inInit_ = false;
    const u16 mascot = sprNew(kMascotFlags, kStampPanelShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    AddButtons(kStampSizeButtonSet, &sizeButtons_);
    labelFont_ = gfxNewFont(kLabelFontName, kLabelFontSize, 0);
    if (!Buttons().empty()) {
        Buttons()[0]->SetSpriteProcs(nullptr, nullptr, &RStampPanel::DrawLabel);
        Buttons()[0]->SetOwnerData(reinterpret_cast<uintptr_t>(this));
    }
    LoadStampLibraries();
    return 0;
}

RStampSimpleBitmap* RStampPanel::StampTool() const { return dynamic_cast<RStampSimpleBitmap*>(GetCurrentTool()); }

u16 RStampPanel::LoadStampLibraries() {
    // A reload restores the choices from the file: what the child chose since is stored first.
    if (loaded_) SavePrefs();
    loaded_ = true;
    categories_ = {};
    if (RStampSimpleBitmap* tool = StampTool()) tool->Reset();
    if (UserPaths() != nullptr) userStampFolder_ = UserPaths()->BuildPath(kFolderLibStamps, true);
    // Libraries come from the program's disc unless the settings keep them on the hard disk.
    const bool fromDisk = strCompareNoCase(LookupLanguageText("TOC", "NoLibsFromCD").c_str(), "TRUE") == 0;
    if (!fromDisk && libraries_ != nullptr) {
        EnginePath folder;
        if (const EngineErr err = libraries_->OpenLibraryWithDiscPrompt(kStampLibraryType, folder.get())) return u16(err);
    }
    if (libraries_ != nullptr) categories_ = ListStampCategories(*libraries_, exclusions_ ? exclusions_() : nullptr);
    popup_ = std::make_unique<RTextPopup>(this);
    popup_->SetItems(0, categories_.names);
    popup_->SetMessageCode(kMsgStampCategory);
    BuildStampTool();
    RestorePrefs();
    if (categories_.names.empty()) ClearCategory();
    if (GetScroller()) GetScroller()->Redraw();
    return 0;
}

void RStampPanel::BuildStampTool() {
    if (StampTool() == nullptr) ActivateTool(std::make_unique<RStampSimpleBitmap>());
    AnnounceTool(GetCurrentTool());
    EnableCanvas(kStampCanvasCursor);
}

u16 RStampPanel::RestorePrefs() {
    tStampPanelSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tStampPanelSaveData> prefs(*UserPaths(), kStampPanelSection);
        stored = prefs.GetData();
    }
    // A first use, or a record whose first word says nothing was stored, starts from zeros.
    if (stored[kStampWordCategory] < 0) stored.fill(0);
    record_ = stored;
    const StampChoices choices = RestoreStampChoices(stored, categories_.ids);
    record_[kStampWordSize] = choices.sizeIndex;
    ChooseCategory(choices.categoryPlace);
    PostMessageTo(this, kMsgStampSize, kStampSizeButtonFirst + choices.sizeIndex);
    SelectPanelButton(sizeButtons_, choices.sizeIndex);
    return 0;
}

u16 RStampPanel::SavePrefs() {
    if (UserPaths() == nullptr) return 0;
    RPanelPrefsTmpl<tStampPanelSaveData> prefs(*UserPaths(), kStampPanelSection);
    prefs.GetData() = record_;
    prefs.Save();
    return 0;
}

void RStampPanel::ChooseCategory(int place) {
    if (RStampSimpleBitmap* tool = StampTool()) {
        tool->Reset();
        AnnounceTool(tool);
    }
    currentStamp_ = -1;
    const bool shown = place >= 0 && size_t(place) < categories_.ids.size();
    std::string path;
    if (!shown || libraries_ == nullptr ||
        libraries_->GetLibraryEntryPath(kStampLibraryType, categories_.ids[size_t(place)], &path) != 0 ||
        OpenCategory(path) != 0) {
        // Nothing of another category stays behind: its files are closed and the strip empty.
        ClearCategory();
    }
    if (shown) record_[kStampWordCategory] = i16(categories_.ids[size_t(place)]);
    const int count = GetScroller() ? GetScroller()->GetCount() : 0;
    const int item = shown ? RememberedStamp(record_, categories_.ids[size_t(place)], count) : 0;
    if (count > 0) {
        SelectItem(item);
        ShowStamp(item);
    }
    if (popup_ && shown) popup_->SetValue(place);
    if (!Buttons().empty())
        if (SprSprite* label = sprFind(Buttons()[0]->GetSprite())) sprSetShape(label, 0, nullptr, 0);
}

void RStampPanel::ChooseSize(i16 number) {
    if (number < 1 || number > kStampSizeCount) return;
    record_[kStampWordSize] = i16(number - 1);
    MutableToolSettings().sizeFactor = float(number);
    AnnounceSettings();
    if (RStampSimpleBitmap* tool = StampTool()) tool->SelectSize(i16(number - 1));
}

void RStampPanel::ChooseStamp(int item) {
    RStampSimpleBitmap* tool = StampTool();
    // A choice past the strip keeps the stamp the child has.
    if (tool == nullptr || GetScroller() == nullptr || GetScroller()->GetItem(item) == nullptr) return;
    tool->Reset();
    AnnounceTool(tool);
    currentStamp_ = -1;
    ShowStamp(item);
    if (currentStamp_ >= 0 && !categories_.ids.empty()) RememberStamp(record_, u16(record_[kStampWordCategory]), item);
}

void RStampPanel::ShowStamp(int item) {
    RStampSimpleBitmap* tool = StampTool();
    const ScrollerPicture* picture = GetScroller() ? GetScroller()->GetItem(item) : nullptr;
    if (tool == nullptr || picture == nullptr || picture->empty()) return;
    tool->SetPicture(tileFromBitmap(picture->data(), u32(picture->size())));
    currentStamp_ = item;
}

// The list is drawn by a sprite of its own in front of the panel, so that each update of the
// screen shows it while it is open.
void RStampPanel::OpenPopup() {
    if (!popup_ || categories_.names.empty()) return;
    // Under the category label, where its button takes the clicks.
    if (!Buttons().empty() && Buttons()[0]->GetHotSpot()) popup_->SetAnchor(Buttons()[0]->GetHotSpot()->GetRect());
    if (!popup_->Open()) return;
    Rect16 area = popup_->GetRowRect(0);
    for (size_t row = 1; row < categories_.names.size(); ++row) rectUnion(&area, popup_->GetRowRect(int(row)));
    popupArea_ = area;
    if (popupSprite_ == 0) {
        const Point16 at{area.left, area.top};
        const u16 id = sprNewWithProcs(kPopupSpriteFlags, 0, &at, nullptr, &RStampPanel::StepPopup, &RStampPanel::DrawPopup);
        popupSprite_ = id == kSprNoId ? 0 : id;
    }
    if (SprSprite* sprite = sprFind(popupSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = area;
        sprBringToFront(sprite);
        sprShow(sprite, 0);
    }
    sprInvalRect(area);
}

void RStampPanel::StepPopup(SprSprite* sprite, memHandle) {
    if (const auto* panel = reinterpret_cast<const RStampPanel*>(sprite->data1)) sprite->bounds = panel->popupArea_;
}

void RStampPanel::DrawPopup(SprSprite* sprite) {
    const auto* panel = reinterpret_cast<const RStampPanel*>(sprite->data1);
    if (panel == nullptr || panel->popup_ == nullptr || !panel->popup_->IsOpen()) return;
    GfxPenState pen{};
    gfxGetPenState(&pen);
    GfxColor previous{};
    gfxSetForeColor(&previous, GfxColor::rgb(0, 0, 0));
    GfxFont* font = panel->labelFont_ ? gfxSetFont(panel->labelFont_) : nullptr;
    for (size_t row = 0; row < panel->categories_.names.size(); ++row) {
        const Rect16 rect = panel->popup_->GetRowRect(int(row));
        const std::string& name = panel->categories_.names[row];
        gfxEraseRect(rect);
        const Rect16 text{i16(rect.left + kPopupTextInset), rect.top, rect.right, rect.bottom};
        gfxDrawTextBox(text, kLeftOnOneLine, name.c_str(), u16(std::min(name.size(), kMaxCategoryFileName)));
        if (int(row) == panel->popup_->GetHighlighted()) gfxInvertRect(rect);
    }
    gfxFrameRect(sprite->bounds);
    if (font != nullptr) gfxSetFont(font);
    gfxSetPenState(pen);
}

void RStampPanel::OpenEditor(bool isNew) {
    // Without a chosen stamp (-1) there is nothing to edit.
    const ScrollerPicture* picture = GetScroller() ? GetScroller()->GetItem(currentStamp_) : nullptr;
    if (picture == nullptr) return;
    if (editor_ == nullptr) {
        if (RStampSimpleBitmap* tool = StampTool()) tool->Reset();
        editor_ = std::make_unique<RStampEditor>(this, this);
        if (editor_->Open() != 0) {
            editor_.reset();
            ShowStamp(currentStamp_);
            return;
        }
    }
    // A picture the editor cannot take (not 16 bits, larger than its grid) is left alone.
    const ScrollerPicture copy = *picture;
    if (editor_->EditStamp(copy, isNew) != 0) {
        editor_.reset();
        ShowStamp(currentStamp_);
    }
}

void RStampPanel::EditorClosed() {
    editor_.reset();
    ShowStamp(currentStamp_);
    EnableCanvas(kStampCanvasCursor);
}

bool RStampPanel::StoredStampPicture(std::vector<u8>* bitmap) const {
    const ScrollerPicture* picture = GetScroller() ? GetScroller()->GetItem(currentStamp_) : nullptr;
    if (picture == nullptr || picture->empty()) return false;
    *bitmap = *picture;
    return true;
}

void RStampPanel::CommitStampEdit(u16 modified) {
    if (modified && editor_ != nullptr) KeepStamp(editor_->Stamp());
}

void RStampPanel::KeepStamp(const StampGrid& stamp) {
    if (currentStamp_ < 0) return;
    bool drawn = false;
    for (i32 y = 0; y < stamp.height && !drawn; ++y)
        for (i32 x = 0; x < stamp.width && !drawn; ++x) drawn = stamp.At(x, y) != kStampTransparent;
    // A stamp erased to nothing is the child's own version deleted: the library's comes back.
    const std::vector<u8> stored = drawn ? BitmapFromStamp(stamp) : std::vector<u8>{};
    if (!SaveNewStamp(stored)) return;
    const std::vector<ScrollerPicture> fresh = LoadCategoryStamps();
    ReplaceStripItem(currentStamp_, size_t(currentStamp_) < fresh.size() ? fresh[size_t(currentStamp_)] : ScrollerPicture{});
}

void RStampPanel::ReplaceStripItem(int item, ScrollerPicture picture) {
    RBitmapScroller* strip = GetScroller();
    if (strip == nullptr || item < 0 || item >= strip->GetCount()) return;
    std::vector<ScrollerPicture> items;
    for (int i = 0; i < strip->GetCount(); ++i) items.push_back(i == item ? picture : *strip->GetItem(i));
    const int first = strip->GetFirstVisible();
    strip->SetItems(std::move(items));
    strip->ScrollTo(first);
    strip->Select(item, false);
    strip->Redraw();
}

u32 RStampPanel::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kMsgStampEditorClosed: EditorClosed(); return 0;
    case kMsgStampBuildTool: BuildStampTool(); return 0;
    case kMsgStampCategory: ChooseCategory(message->param2); return 0;
    case kMsgPanelPictureOpened:
        LoadStampLibraries();
        return 0;
    case kMsgStampSize: ChooseSize(i16(i32(message->param1) - kStampSizeButtonFirst + 1)); return 0;
    case kMsgStampNew: OpenEditor(true); return 0;
    case kMsgStampEdit:
        Say(kMsgPanelDisableCanvas);
        OpenEditor(false);
        return 0;
    case kMsgStampCategoryPopup: OpenPopup(); return 0;
    case kMsgStampPreviousCategory:
        if (popup_ && popup_->GetValue() > 0) PostMessageTo(this, kMsgStampCategory, 0, u16(popup_->GetValue() - 1));
        return 0;
    case kMsgStampNextCategory:
        if (popup_ && popup_->GetValue() + 1 < int(categories_.names.size()))
            PostMessageTo(this, kMsgStampCategory, 0, u16(popup_->GetValue() + 1));
        return 0;
    case kMsgButtonSelected: ReleaseOthersOfGroup({&sizeButtons_}, message->param2, message->param1); return 0;
    case kMsgScrollerHit:
        if (GetScroller() && message->param1 == reinterpret_cast<uintptr_t>(GetScroller())) {
            ChooseStamp(message->param2);
            return 0;
        }
        break;
    default: break;
    }
    return RScrollToolPanel::HandleMessage(message, data);
}

// The category label: the button's own look with the current category's name on it.
void RStampPanel::DrawLabel(SprSprite* sprite) {
    if (sprite == nullptr || sprite->hidden) return;
    sprDraw(sprite);
    const auto* panel = reinterpret_cast<const RStampPanel*>(sprite->data1);
    if (panel == nullptr || panel->popup_ == nullptr) return;
    const int value = panel->popup_->GetValue();
    const std::string name =
        value >= 0 && size_t(value) < panel->categories_.names.size() ? panel->categories_.names[size_t(value)] : std::string();
    GfxPenState pen{};
    gfxGetPenState(&pen);
    GfxColor previous{};
    gfxSetForeColor(&previous, GfxColor::rgb(0, 0, 0));
    GfxFont* font = panel->labelFont_ ? gfxSetFont(panel->labelFont_) : nullptr;
    gfxDrawTextBox(sprite->bounds, kCentredOnOneLine, name.c_str(), u16(std::min<size_t>(name.size(), kMaxCategoryFileName)));
    if (font != nullptr) gfxSetFont(font);
    gfxSetPenState(pen);
}

}  // namespace Ostrel
