#include "panels/library/RLibPanel.h"

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/controls/RButton.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/library/LibraryStrip.h"
#include "platform/clipboard/formats/ClipboardFormats.h"

namespace Ostrel {
namespace {

constexpr const char* kFontName = "DejaVu Sans";
constexpr u16 kFontSize = 14;
// A name too long for its box at kFontSize ("Amigos animados", a child's own library) is
// written smaller, and never closer to the box's edges than kNameInset.
constexpr u16 kSmallFontSize = 11;
constexpr i16 kNameInset = 10;
constexpr u16 kCentredOnOneLine = 0x22;
constexpr u16 kLeftOnOneLine = 0x21;
// In front of the panel, as the program's tool tips.
constexpr u32 kFrontSpriteFlags = 0x800000;
constexpr i16 kListTextInset = 6;
constexpr i16 kLibStickerScale = 2;

bool isFlash(FourCC type) { return type == kTypeFlash || type == kTypeFlashAnimation; }

void playPanelSound(u16 id) {
    SprSoundRequest request;
    request.soundId = id;
    sprRequestSound(request);
}

// The page the strip shows, its step at least 1: the last page starts where the strip's last
// full view does, which may be before a whole step.
int shownPage(const RBitmapScroller& strip, int step) { return (strip.GetFirstVisible() + step - 1) / step; }

// The text with its one "%s" replaced: a path is never a format.
std::string withPath(std::string text, const std::string& path) {
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, path);
    return text;
}

}  // namespace

// Sprites drawn by the panel itself keep the place it gives them: the shape's step would
// take their bounds away, and their last picture would stay on the screen.
void KeepPlace(SprSprite*, memHandle) {}

namespace {

void drawText(const Rect16& box, u16 flags, const std::string& text, GfxFont* font) {
    GfxPenState pen{};
    gfxGetPenState(&pen);
    GfxColor previous{};
    gfxSetForeColor(&previous, GfxColor::rgb(0, 0, 0));
    GfxFont* old = font ? gfxSetFont(font) : nullptr;
    gfxDrawTextBox(box, flags, text.c_str(), u16(std::min(text.size(), kLibMaxItemName)));
    if (old != nullptr) gfxSetFont(old);
    gfxSetPenState(pen);
}

// A name centred in its box, clear of the box's edges, in the smaller font when the panel's
// does not leave it that room.
void drawName(const Rect16& box, const std::string& text, GfxFont* font, GfxFont* smallFont) {
    const Rect16 inside{i16(box.left + kNameInset), box.top, i16(box.right - kNameInset), box.bottom};
    GfxFont* old = font ? gfxSetFont(font) : nullptr;
    const u16 length = u16(std::min(text.size(), kLibMaxItemName));
    const bool fits = gfxTextWidth(text.c_str(), length) <= inside.right - inside.left;
    if (old != nullptr) gfxSetFont(old);
    drawText(inside, kCentredOnOneLine, text, fits || !smallFont ? font : smallFont);
}

}  // namespace

RLibPanel::RLibPanel(CListener* owner, const Paths* userPaths, RLibraryMgr* libraries, LibraryPanelHost host)
    : RScrollToolPanel(owner, userPaths), CCPObj(kTypeBitmap), libraries_(libraries), host_(std::move(host)) {
    SetMessageBase(kLibButtonSet);
    record_.fill(0);
}

RLibPanel::~RLibPanel() {
    Unregister();
    preview_.reset();
    SavePrefs();
    EndDrag();
    popup_.reset();
    for (u16* sprite : {&listSprite_, &nameSprite_, &backgroundSprite_})
        if (*sprite != 0) sprDispose(sprite);
    if (font_ != nullptr) gfxDisposeFont(font_);
    if (smallFont_ != nullptr) gfxDisposeFont(smallFont_);
    if (isFlash(type_)) Say(kMsgPanelDisableCanvas);
}

void RLibPanel::SetLibraryType(FourCC type) {
    type_ = type;
    Init();
}

u16 RLibPanel::Init() {
    // The strip's set-up runs the base's Init itself.
    if (inInit_) return RScrollToolPanel::Init();
    inInit_ = true;
    InitScroller(StripLayout(), -1);
    inInit_ = false;
    Register(kInputMouseButtons | kInputMouseMove);
    ShowBackground(BackgroundShape());
    font_ = gfxNewFont(kFontName, kFontSize, 0);
    if (smallFont_ == nullptr) smallFont_ = gfxNewFont(kFontName, kSmallFontSize, 0);
    if (!Buttons().empty()) {
        Buttons()[0]->SetSpriteProcs(nullptr, nullptr, &RLibPanel::DrawLabel);
        Buttons()[0]->SetOwnerData(reinterpret_cast<uintptr_t>(this));
    }
    // The screen then names the library to show first (kMsgLibraryOpenFile) and shows the
    // name box (kMsgLibraryNameBox).
    BuildLibraryList();
    // The page's stickers and animations are moved and resized by their frames, which take
    // the canvas's presses only while the canvas takes them.
    if (isFlash(type_)) EnableCanvas(kLibMoveCursor);
    CreateFrameMaker();
    return 0;
}

void RLibPanel::CreateFrameMaker() {
    if (!isFlash(type_) || host_.frames == nullptr) return;
    framesStarted_ = true;
    // Objects placed later show their outlines too, also when the page had none at first.
    host_.frames->BuildObjectFrames(type_);
    host_.frames->ShowOtherItems();
}

u16 RLibPanel::RemoveFrameMaker() {
    if (!framesStarted_) return 0;
    framesStarted_ = false;
    if (host_.frames != nullptr) host_.frames->ClearObjectFrames();
    return 1;
}

u16 RLibPanel::BackgroundShape() const {
    if (type_ == kTypeFlash) return kLibStickersShape;
    return type_ == kTypeFlashAnimation ? kLibAnimationsShape : kLibPicturesShape;
}

std::unique_ptr<RBitmapScroller> RLibPanel::NewScroller(u16 layoutId, u16 firstHotSpotId) {
    auto strip = std::make_unique<LibraryStrip>(this, layoutId, ArrowShape(), firstHotSpotId);
    // The strip hears the presses and releases that drag its thumbnails.
    strip->RegisterInput();
    return strip;
}

void RLibPanel::BuildLibraryList() {
    RPageData* page = host_.page ? host_.page() : nullptr;
    list_ = libraries_ ? ListLibraries(*libraries_, type_, page ? page->FindExclusions() : nullptr) : LibraryList{};
    popup_ = std::make_unique<RTextPopup>(this);
    popup_->SetItems(0, list_.names);
    popup_->SetMessageCode(kMsgLibraryChosen);
}

int RLibPanel::PlaceOfLibrary(u16 id) const {
    for (size_t place = 0; place < list_.ids.size(); ++place)
        if (list_.ids[place] == id) return int(place);
    return -1;
}

u16 RLibPanel::RestorePrefs() {
    tLibSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tLibSaveData> prefs(*UserPaths(), std::to_string(type_).c_str());
        stored = prefs.GetData();
    }
    record_ = NormaliseLibRecord(stored);
    ChooseLibrary(RememberedLibraryPlace(record_, list_.ids));
    return 0;
}

u16 RLibPanel::SavePrefs() {
    if (UserPaths() == nullptr || type_ == 0) return 0;
    RememberShownPage();
    RPanelPrefsTmpl<tLibSaveData> prefs(*UserPaths(), std::to_string(type_).c_str());
    prefs.GetData() = record_;
    prefs.Save();
    return 0;
}

void RLibPanel::RememberShownPage() {
    const RBitmapScroller* strip = GetScroller();
    if (library_ && strip && openId_ >= 0)
        RememberPage(record_, u16(openId_), shownPage(*strip, std::max(1, strip->GetPageStep())));
}

void RLibPanel::OpenCurrentLibrary(const std::string& path, u16 kind) {
    record_.fill(0);
    openId_ = -1;
    libraryKind_ = kind;
    OpenLibrary(path, kind != kLibraryOfUser);
    // Then the library the user chose last, on its page.
    RestorePrefs();
}

void RLibPanel::SwitchLibraryFile(const std::string& path) {
    if (path.empty() || path == libraryPath_) return;
    RBitmapScroller* strip = GetScroller();
    const int step = strip ? std::max(1, strip->GetPageStep()) : 1;
    const int page = strip ? shownPage(*strip, step) : 0;
    const i32 id = openId_;
    OpenLibrary(path, !library_ || library_->IsReadOnly());
    openId_ = id;
    if (strip && library_) {
        // The same page, or the new file's last.
        strip->ScrollTo(page * step);
        SetCounter(u32(shownPage(*strip, step) + 1));
        strip->Redraw();
    }
}

void RLibPanel::NameBoxMessage(bool shown) {
    if (shown) {
        ShowNameBox(true);
        if (SprSprite* box = sprFind(nameSprite_)) {
            sprSetShape(box, kLibNameBoxShape, nullptr, 0);
            sprInvalRect(box->bounds);
        }
        return;
    }
    SprSprite* box = sprFind(nameSprite_);
    if (box == nullptr) return;
    SetItemName({});
    sprSetShape(box, kLibNameBoxEmptyShape, nullptr, 0);
}

void RLibPanel::ChooseLibrary(int place) {
    RememberShownPage();
    SetItemName({});
    preview_.reset();
    currentId_ = -1;
    if (place < 0 || size_t(place) >= list_.ids.size()) place = 0;
    std::string path;
    u16 kind = 0;
    openId_ = -1;
    if (list_.ids.empty() || !libraries_ || libraries_->LoadLibraryItem(type_, list_.ids[size_t(place)], &path, &kind) != 0) {
        library_.reset();
        libraryPath_.clear();
        strip_.clear();
        if (GetScroller()) GetScroller()->SetItems({});
    } else {
        record_[kLibWordChosen] = i16(list_.ids[size_t(place)]);
        libraryKind_ = kind;
        OpenLibrary(path, kind != kLibraryOfUser);
        if (library_) openId_ = list_.ids[size_t(place)];
    }
    if (popup_ && !list_.ids.empty()) popup_->SetValue(place);
    if (RBitmapScroller* strip = GetScroller(); strip && library_) {
        const int step = std::max(1, strip->GetPageStep());
        const int pages = (strip->GetCount() + step - 1) / step;
        strip->ScrollTo(RememberedPage(record_, u16(record_[kLibWordChosen]), pages) * step);
        SetCounter(u32(shownPage(*strip, step) + 1));
        strip->Redraw();
    }
    UpdateLibraryButtons();
    if (!Buttons().empty())
        if (SprSprite* label = sprFind(Buttons()[0]->GetSprite())) sprSetShape(label, 0, nullptr, 0);
}

void RLibPanel::OpenLibrary(const std::string& path, bool readOnly) {
    EndDrag();
    strip_.clear();
    libraryPath_ = path;
    library_ = std::make_unique<RLibrary>();
    EnginePath file(path);
    const bool missing = file.empty() || RLibrary::IsMissing(file.get());
    if (missing || library_->Open(file.get(), readOnly) != kErrNone || library_->LoadHeader() != kErrNone) {
        library_.reset();
        if (GetScroller()) GetScroller()->SetItems({});
        Alert(kLibAlertSection, missing ? kLibraryMissingKey : kLibraryUnreadableKey, path);
        return;
    }
    LoadLibraryItems();
}

void RLibPanel::LoadLibraryItems() {
    strip_ = ReadStripEntries(*library_);
    std::vector<ScrollerPicture> pictures;
    for (const StripEntry& entry : strip_) pictures.push_back(entry.thumbnail);
    if (GetScroller()) GetScroller()->SetItems(std::move(pictures));
}

void RLibPanel::ChooseItem(int item) {
    const u16 entry = EntryOfStripItem(strip_, item);
    if (entry == 0 || !library_) return;
    currentId_ = entry;
    if (type_ == kTypeSound) {
        if (host_.settings == nullptr || host_.settings->toolSounds) PlayPreview(entry);
    } else {
        playPanelSound(kLibChooseSound);
    }
    std::string name;
    library_->ReadEntryName(entry, CurrentLanguage() == kLanguageSpanish, &name);
    SetItemName(std::move(name));
}

void RLibPanel::PlayPreview(u16 entryId) {
    preview_.reset();
    std::unique_ptr<RPageObject> object = library_->CreateObjectForEntry(entryId);
    const auto* sound = dynamic_cast<const RMediaFilePageObject*>(object.get());
    if (sound == nullptr || sound->media.empty()) return;
    memHandle handle = memAllocHandle(u32(sound->media.size()));
    if (handle == 0) return;
    std::copy(sound->media.begin(), sound->media.end(), static_cast<u8*>(memLockHandle(handle)));
    memUnlockHandle(handle);
    preview_ = std::make_unique<RSound>();
    if (preview_->LoadFromHandle(handle, 1) != kErrNone || preview_->Play() != kErrNone) preview_.reset();
}

void RLibPanel::SetItemName(std::string name) {
    itemName_ = name.substr(0, std::min(name.find('\0'), kLibMaxItemName));
    if (SprSprite* box = sprFind(nameSprite_)) sprInvalRect(box->bounds);
}

void RLibPanel::ShowNameBox(bool shown) {
    if (!shown) {
        if (nameSprite_ != 0) sprDispose(&nameSprite_);
        return;
    }
    if (nameSprite_ != 0) return;
    const u16 box = sprNew(kSprStopAtEnd, kLibNameBoxShape, nullptr);
    nameSprite_ = box == kSprNoId ? 0 : box;
    if (SprSprite* sprite = sprFind(nameSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(sprite, sprite->ready, sprite->step, &RLibPanel::DrawName);
    }
}

void RLibPanel::ShowBackground(u16 shape) {
    if (backgroundSprite_ != 0) sprDispose(&backgroundSprite_);
    const u16 background = sprNew(kSprBackLayer | kSprStopAtEnd, shape, nullptr);
    backgroundSprite_ = background == kSprNoId ? 0 : background;
}

bool RLibPanel::OverFlashLimit() const {
    RPageData* page = host_.page ? host_.page() : nullptr;
    if (host_.flashLimit <= 0 || page == nullptr) return false;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    i32 count = 0;
    // Hidden objects do not play, so they leave room for another.
    while (page->NextObjectSkipFlagged(&iterator, &object, kTypeAnyObject)) count += isFlash(object->Type());
    return count >= host_.flashLimit;
}

LibraryDrop RLibPanel::DropItem(int item, Point16 point) {
    const u16 entry = EntryOfStripItem(strip_, item);
    const Rect16& canvas = GetCanvasRect();
    if (entry == 0 || !library_ || !rectContainsPoint(canvas, point)) return LibraryDrop::Outside;
    if (isFlash(type_) && OverFlashLimit()) {
        Alert(kLibLimitSection, kTooManyPageObjectsKey);
        return LibraryDrop::OverLimit;
    }
    std::unique_ptr<RPageObject> object = library_->CreateObjectForEntry(entry);
    if (!object) {
        // The item's media could not be read out of the library: nothing goes on the page.
        Alert(kLibFileSection, kLibVolumeFullKey);
        return LibraryDrop::NotCopied;
    }
    if (type_ != kTypeSound) playPanelSound(kLibPlaceSound);
    if (type_ == kTypeSound) preview_.reset();
    i16 width = kLibDragSide, height = kLibDragSide;
    if (auto* picture = dynamic_cast<RBitmapPageObject*>(object.get()); picture && picture->picture.width > 0) {
        width = i16(std::min<u16>(picture->picture.width, 0x7FFF));
        height = i16(std::min<u16>(picture->picture.height, 0x7FFF));
    } else if (const ScrollerPicture* thumbnail = GetScroller() ? GetScroller()->GetItem(item) : nullptr;
               thumbnail && thumbnail->size() >= kGfxBitmapHeaderSize) {
        // Stickers and animations come twice the size of their thumbnail.
        width = i16(readBE16(thumbnail->data()) * kLibStickerScale);
        height = i16(readBE16(thumbnail->data() + 2) * kLibStickerScale);
    }
    const i16 canvasWidth = i16(canvas.right - canvas.left), canvasHeight = i16(canvas.bottom - canvas.top);
    // A picture that covers the canvas is a background: it takes the background's place.
    if (object->Type() == kTypeBitmap && width >= canvasWidth && height >= canvasHeight) object->SetId(kBackgroundId);
    // Centred on the drop point, and kept on the page.
    i16 left = i16(point.h - canvas.left - width / 2), top = i16(point.v - canvas.top - height / 2);
    left = std::max<i16>(0, std::min<i16>(left, i16(canvasWidth - width)));
    top = std::max<i16>(0, std::min<i16>(top, i16(canvasHeight - height)));
    object->rect = {left, top, i16(left + width), i16(top + height)};
    object->changed = true;
    if (GetOwner() != nullptr) {
        RMessage place(kMsgLibraryPlaceObject, reinterpret_cast<uintptr_t>(object.get()), 0);
        GetOwner()->HandleMessage(&place, 0);
        PostMessageTo(GetOwner(), kMsgLibraryPageChanged, 0, 0);
    }
    return LibraryDrop::Placed;
}

void RLibPanel::Alert(const char* section, const char* key, const std::string& path) {
    const std::string text = withPath(std::string(LookupLanguageText(section, key).c_str()), path);
    mfxAlert(kAlertOk | kAlertIconStop, text);
}

u32 RLibPanel::HandleInput(u32 button, Point16 point, u32) {
    RBitmapScroller* strip = GetScroller();
    if (button != kInputLeftButton || strip == nullptr || !IsActive()) return 0;
    for (int item = strip->GetFirstVisible(); item < strip->GetCount(); ++item)
        if (rectContainsPoint(strip->GetCellRect(item), point)) StartDrag(item, point);
    // The strip's own hot spot takes the press and chooses the item.
    return 0;
}

u32 RLibPanel::HandleMouseMove(Point16 point, u32) {
    MoveDragged(point);
    return 0;
}

void RLibPanel::MoveDragged(Point16 point) {
    SprSprite* sprite = sprFind(dragSprite_);
    const Rect16 bounds{i16(point.h - kLibDragSide / 2), i16(point.v - kLibDragSide / 2), i16(point.h + kLibDragSide / 2),
                        i16(point.v + kLibDragSide / 2)};
    if (sprite == nullptr || rectEqual(sprite->bounds, bounds)) return;
    sprInvalRect(sprite->bounds);
    sprite->bounds = bounds;
    sprInvalRect(sprite->bounds);
}

u32 RLibPanel::HandleMouseUp(u32, Point16, u32) {
    // The strip hears the release too and posts the drop when it left the thumbnail's cell.
    EndDrag();
    return 0;
}

void RLibPanel::HandleNotification(const RInputEvent& event) {
    // A release another object took (the canvas's click area) ends the drag all the same.
    if (event.kind == kInputEventMouseUp) EndDrag();
}

void RLibPanel::StartDrag(int item, Point16 point) {
    EndDrag();
    const u16 id = sprNewWithProcs(kFrontSpriteFlags, 0, &point, nullptr, &RLibPanel::FollowPointer, &RLibPanel::DrawDragged);
    dragSprite_ = id == kSprNoId ? 0 : id;
    dragItem_ = item;
    if (SprSprite* sprite = sprFind(dragSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprBringToFront(sprite);
        MoveDragged(point);
    }
    if (GetOwner() != nullptr) PostMessageTo(GetOwner(), kMsgLibrarySwatchOff, 0, 0);
}

// The hot spot the press went to takes the moves while the button is down: the dragged
// thumbnail finds the pointer itself at each step of the sprites.
void RLibPanel::FollowPointer(SprSprite* sprite, memHandle) {
    auto* panel = reinterpret_cast<RLibPanel*>(sprite->data1);
    Point16 pointer{};
    sprGetMouse(&pointer);
    if (panel != nullptr) panel->MoveDragged(pointer);
}

void RLibPanel::EndDrag() {
    if (dragSprite_ == 0) return;
    if (SprSprite* sprite = sprFind(dragSprite_)) sprInvalRect(sprite->bounds);
    sprDispose(&dragSprite_);
    dragItem_ = -1;
    if (GetOwner() != nullptr) PostMessageTo(GetOwner(), kMsgLibrarySwatchOn, 0, 0);
}

void RLibPanel::OpenList() {
    if (!popup_ || list_.names.empty()) return;
    // Under the library label, where its button takes the clicks.
    if (!Buttons().empty() && Buttons()[0]->GetHotSpot()) popup_->SetAnchor(Buttons()[0]->GetHotSpot()->GetRect());
    if (!popup_->Open()) return;
    Rect16 area = popup_->GetRowRect(0);
    for (size_t row = 1; row < list_.names.size(); ++row) rectUnion(&area, popup_->GetRowRect(int(row)));
    if (listSprite_ == 0) {
        const Point16 at{area.left, area.top};
        const u16 id = sprNewWithProcs(kFrontSpriteFlags, 0, &at, nullptr, &KeepPlace, &RLibPanel::DrawList);
        listSprite_ = id == kSprNoId ? 0 : id;
    }
    if (SprSprite* sprite = sprFind(listSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = area;
        sprBringToFront(sprite);
        sprShow(sprite, 0);
    }
    sprInvalRect(area);
}

u32 RLibPanel::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
        case kMsgLibraryChosen:
            if (message->param1 != 0) {
                const int place = PlaceOfLibrary(message->param2);
                ChooseLibrary(place < 0 ? 0 : place);
            } else {
                ChooseLibrary(message->param2);
            }
            return 0;
        case kMsgLibraryListOpen: OpenList(); return 0;
        case kMsgLibraryOpenFile:
            if (const auto* path = message->Payload<std::string>()) OpenCurrentLibrary(*path, message->param2);
            return 0;
        case kMsgLibrarySwitchFile:
            if (const auto* path = message->Payload<std::string>()) SwitchLibraryFile(*path);
            return 0;
        case kMsgLibraryNameBox: NameBoxMessage(message->param2 != 0); return 0;
        case kMsgLibraryPrevious:
            if (popup_ && popup_->GetValue() > 0) PostMessageTo(this, kMsgLibraryChosen, 0, u16(popup_->GetValue() - 1));
            return 0;
        case kMsgLibraryNext:
            if (popup_ && popup_->GetValue() + 1 < int(list_.names.size()))
                PostMessageTo(this, kMsgLibraryChosen, 0, u16(popup_->GetValue() + 1));
            return 0;
        case kMsgLibraryLetGo:
            if (FourCC(message->param1) == type_) {
                EndDrag();
                preview_.reset();
                library_.reset();
            }
            return 0;
        case kMsgLibraryListChanged:
            if (FourCC(message->param1) != type_) return 0;
            [[fallthrough]];
        case kMsgLibraryExclusionsChanged:
            BuildLibraryList();
            ChooseLibrary(std::max(0, PlaceOfLibrary(u16(record_[kLibWordChosen]))));
            return 0;
        case kMsgLibraryItemDropped:
            DropItem(message->param2, UnpackDropPoint(message->param1));
            return 0;
        case kMsgScrollerHit:
            if (GetScroller() && message->param1 == reinterpret_cast<uintptr_t>(GetScroller())) {
                ChooseItem(message->param2);
                return 0;
            }
            break;
        case kMsgScrollerArrowHit: preview_.reset(); break;
        case kMsgScrollerScrolled:
            SetItemName({});
            preview_.reset();
            break;
        default: break;
    }
    return RScrollToolPanel::HandleMessage(message, data);
}

// --- cut, copy and paste

bool RLibPanel::Copy() {
    if (host_.frames == nullptr || host_.frames->EditedObject() == nullptr) return false;
    RMessage copy(kMsgCopyObject, 0, 0);
    host_.frames->HandleMessage(&copy, 0);
    // Another program copying anything takes the mark away again.
    plat::placeClipboardText(std::string(), plat::registerClipboardFormat(kLibClipFormat), std::string("\0\0\0\1", 4));
    return true;
}

bool RLibPanel::Cut() {
    // Copied first: a cut object can be pasted again.
    if (!Copy()) return false;
    RMessage remove(kMsgDeleteObject, 0, 0);
    host_.frames->HandleMessage(&remove, 0);
    if (GetOwner() != nullptr) PostMessageTo(GetOwner(), kMsgLibraryPageChanged, 0, 0);
    return true;
}

bool RLibPanel::CanPaste() {
    if (!plat::clipboardFormatData(plat::registerClipboardFormat(kLibClipFormat))) return false;
    return Clips().FindLastOfTypes({kTypeFlash, kTypeFlashAnimation}) != nullptr;
}

bool RLibPanel::Paste() {
    RPageData* page = host_.page ? host_.page() : nullptr;
    if (!CanPaste() || page == nullptr || host_.frames == nullptr) return false;
    RMessage paste(kMsgPasteObject, reinterpret_cast<uintptr_t>(Clips().FindLastOfTypes({kTypeFlash, kTypeFlashAnimation})), 0);
    host_.frames->HandleMessage(&paste, 0);
    if (GetOwner() != nullptr) PostMessageTo(GetOwner(), kMsgLibraryPageChanged, 0, 0);
    return true;
}

void RLibPanel::DrawLabel(SprSprite* sprite) {
    if (sprite == nullptr || sprite->hidden) return;
    sprDraw(sprite);
    const auto* panel = reinterpret_cast<const RLibPanel*>(sprite->data1);
    if (panel == nullptr || panel->popup_ == nullptr) return;
    const int value = panel->popup_->GetValue();
    const bool listed = value >= 0 && size_t(value) < panel->list_.names.size();
    drawName(sprite->bounds, listed ? panel->list_.names[size_t(value)] : std::string(), panel->font_, panel->smallFont_);
}

void RLibPanel::DrawList(SprSprite* sprite) {
    const auto* panel = reinterpret_cast<const RLibPanel*>(sprite->data1);
    if (panel == nullptr || panel->popup_ == nullptr || !panel->popup_->IsOpen()) return;
    for (size_t row = 0; row < panel->list_.names.size(); ++row) {
        const Rect16 rect = panel->popup_->GetRowRect(int(row));
        gfxEraseRect(rect);
        drawText({i16(rect.left + kListTextInset), rect.top, rect.right, rect.bottom}, kLeftOnOneLine, panel->list_.names[row],
                 panel->font_);
        if (int(row) == panel->popup_->GetHighlighted()) gfxInvertRect(rect);
    }
    gfxFrameRect(sprite->bounds);
}

void RLibPanel::DrawName(SprSprite* sprite) {
    if (sprite == nullptr || sprite->hidden) return;
    sprDraw(sprite);
    const auto* panel = reinterpret_cast<const RLibPanel*>(sprite->data1);
    if (panel != nullptr) drawName(sprite->bounds, panel->itemName_, panel->font_, panel->smallFont_);
}

void RLibPanel::DrawDragged(SprSprite* sprite) {
    const auto* panel = reinterpret_cast<const RLibPanel*>(sprite->data1);
    const RBitmapScroller* strip = panel ? panel->GetScroller() : nullptr;
    const ScrollerPicture* picture = strip ? strip->GetItem(panel->dragItem_) : nullptr;
    if (picture != nullptr && !picture->empty()) gfxDrawBitmapInRect(picture->data(), u32(picture->size()), sprite->bounds, 0, 0);
}

}  // namespace Ostrel
