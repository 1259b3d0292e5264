#include "app/dialogs/RDlgLogin.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/dialogs/DialogTextBox.h"
#include "app/dialogs/RUserList.h"
#include "app/window/RDisplayWindow.h"
#include "document/project/RPortfolio.h"
#include "document/users/DeleteUserFolders.h"
#include "document/users/Paths.h"
#include "document/users/UserNames.h"
#include "engine/base/TextUtils.h"
#include "engine/files/OsFiles.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/PlayAnimation.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/language/LanguageTexts.h"
#include "sound/sprites/SprSoundChannels.h"
#include "text/host/TextKeys.h"

namespace Ostrel {

namespace {

// At most this much of the field is taken as a name.
constexpr size_t kLoginNameBytes = 261;
constexpr u16 kAlphabetSize = 256;
constexpr u16 kListFontSize = 16;
constexpr u16 kRowTextFlags = 0x21;
// A name keeps clear of its row's rounded left edge.
constexpr i16 kRowTextInset = 10;
constexpr u8 kKeyPageUp = 0x21;
constexpr u8 kKeyPageDown = 0x22;
constexpr u32 kLayoutSpriteFlags = 0x4C00000;
constexpr u32 kFieldSpriteFlags = 0x400000;
// The names are written in the dialog's blue, on the field's and the rows' light boxes.
const GfxColor kListColour = GfxColor::rgb(0, 0, 255);
constexpr u16 kHintFontSize = 15;
constexpr i16 kHintInsetH = 12;
constexpr i16 kHintInsetV = 3;

// The users' folders: each user is a folder of the users folder. A folder whose name could
// not be a user's is nobody's.
std::vector<std::string> collectUserFolders(const Paths& paths) {
    std::vector<std::string> names;
    Path folder{};
    pathInitEmpty(&folder);
    Path previous{};
    pathInitEmpty(&previous);
    if (paths.GetPath(&folder, kFolderUsers) == kErrNone) {
        pathGetCurrentDirectory(&previous);
        if (pathSetCurrentDirectory(&folder) == kErrNone) {
            osEnumFolders(
                [](const char* name, void* context) {
                    if (isValidUserName(name)) static_cast<std::vector<std::string>*>(context)->emplace_back(name);
                    return u16(0);
                },
                &names);
            if (previous.record) pathSetCurrentDirectory(&previous);
        }
    }
    pathRelease(&previous);
    pathRelease(&folder);
    return names;
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strCompareNoCase(a.c_str(), b.c_str()) == 0;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

void playSound(u16 id) {
    SprSoundRequest request;
    request.soundId = id;
    sprRequestSound(request);
}

std::vector<Rect16> partRects(u16 shape) {
    Rect16 rects[kSprMaxParts];
    const i16 count = sprGetShapePartRects(shape, rects);
    return std::vector<Rect16>(rects, rects + std::max<i16>(count, 0));
}

// The area a layout shape covers: around its parts.
Rect16 shapeArea(u16 shape) {
    Rect16 area{0, 0, 0, 0};
    for (const Rect16& part : partRects(shape)) rectUnion(&area, part);
    return area;
}

}  // namespace

RDlgLogin::RDlgLogin(CListener* owner, u16 openedLater, const LoginServices& services)
    : RDlgBase(owner, kDlgKindLogin),
      openedLater_(openedLater),
      hiddenButton_(openedLater ? kLoginButtonHiddenLater : kLoginButtonHiddenAtStart),
      services_(services) {}

RDlgLogin::~RDlgLogin() {
    if (!IsOpen()) return;
    list_.reset();
    deleter_.reset();
    // The dialog's typing and refusal sounds end with it.
    sprStopSound(kLoginTypingSound);
    sprStopSound(kNameRefusedSound);
    adminSet_.Clear();
    field_.reset();
    for (u16* sprite : {&listSprite_, &hintSprite_, &mascotSprite_, &dialogArea_.id, &fieldArea_.id, &fieldBox_.id}) {
        if (*sprite) sprDispose(sprite);
    }
    if (listFont_) gfxDisposeFont(listFont_);
}

i16 RDlgLogin::Open() {
    if (Run(kLoginContent, kLoginLayout) != 0) return 1;
    const Rect16 box = LayOutArt();
    BuildUserList();
    BuildNameField(box);
    UpdateLoginButton();
    sprUpdateScreen(1);
    return 0;
}

Rect16 RDlgLogin::LayOutArt() {
    sprLoadGroup(kLoginLayout, kSprEveryScript, 0, 1, kSprFirstIsGroupId);
    if (const SprScreen* screen = sprScreen()) sprInvalRect(screen->screenRect);
    PlayAnimation(kLoginLayout);
    sprNewCompound(kLoginDialogArea, &dialogArea_);
    sprNewCompound(kLoginFieldArea, &fieldArea_);
    // The name field's box: its parts give the text rectangle.
    sprNewCompound(kLoginFieldParts, &fieldBox_);
    dialogRect_ = shapeArea(kLoginDialogArea);
    fieldRect_ = shapeArea(kLoginFieldArea);
    const Rect16 box = shapeArea(kLoginFieldParts);

    adminSet_.Build(this, kLoginAdminButtonSet);
    ShowSet(true);

    // Buttons, the mascot, the list and the field lie in front of the dialog's art.
    layerSprite_ = fieldBox_.id ? fieldBox_.id : fieldArea_.id;
    mascotSprite_ = sprNew(kLayoutSpriteFlags, kLoginMascot, nullptr);
    if (mascotSprite_ == kSprNoId) mascotSprite_ = 0;
    hintRect_ = shapeArea(kLoginHint);
    hintSprite_ = sprNewWithProcs(kLayoutSpriteFlags, kLoginHint, nullptr, nullptr, nullptr, &RDlgLogin::DrawHint);
    if (hintSprite_ == kSprNoId) hintSprite_ = 0;
    if (SprSprite* hint = sprFind(hintSprite_)) {
        hint->data1 = reinterpret_cast<uintptr_t>(this);
        if (layerSprite_) sprSetLayerById(hintSprite_, 1, layerSprite_);
    }
    if (layerSprite_) {
        ButtonSet().SetLayer(layerSprite_);
        adminSet_.SetLayer(layerSprite_);
        if (mascotSprite_) sprSetLayerById(mascotSprite_, 1, layerSprite_);
    }
    return box;
}

void RDlgLogin::BuildUserList() {
    std::vector<std::string> folders = services_.paths ? collectUserFolders(*services_.paths) : std::vector<std::string>{};
    if (openedLater_ && services_.paths) {
        const std::string current = services_.paths->UserName();
        const auto at = std::find_if(folders.begin(), folders.end(), [&](const std::string& n) { return sameName(n, current); });
        if (at != folders.end()) folders.erase(at);
    }

    list_ = std::make_unique<RUserList>(this);
    list_->SetDrawProc([](int, const Rect16&, bool) {});  // the list's sprite draws the rows
    list_->SetClickProc([this](int row) { RowClicked(row); });
    list_->Setup(partRects(kLoginListRows), kLoginRowHotSpots, folders);
    listFont_ = gfxNewFont(currentTextStyle().name[0] ? currentTextStyle().name : "DejaVu Sans", kListFontSize, 0);
    listSprite_ = sprNewWithProcs(kLayoutSpriteFlags, kLoginListRows, nullptr, nullptr, nullptr, &RDlgLogin::DrawList);
    if (listSprite_ == kSprNoId) listSprite_ = 0;
    if (SprSprite* sprite = sprFind(listSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        if (layerSprite_) sprSetLayerById(listSprite_, 1, layerSprite_);
    }
}

void RDlgLogin::BuildNameField(const Rect16& box) {
    if (!services_.undo) return;
    field_ = std::make_unique<DialogNameField>(*services_.undo);
    const Rect16 rect = rectIsEmpty(box) ? fieldRect_ : box;
    const std::vector<std::string>& names = list_->Items();
    const std::string yourName = LookupLanguageText("LoginStrings", "YourName").c_str();
    offeredName_ = yourName.empty() ? kDefaultLoginName : yourName;
    openingText_ = names.empty() ? offeredName_ : names.front();
    fieldTyped_ = false;
    field_->Begin(rect, kListColour, kNameFieldFontSize, kLoginNameMaxLength, openingText_);
    // The offered name shows selected, so that the name typed replaces it.
    field_->Field().SetFocus();
    if (SprSprite* sprite = sprFind(field_->Field().SpriteId())) {
        sprite->flags |= kFieldSpriteFlags;
        if (layerSprite_) sprSetLayerById(field_->Field().SpriteId(), 1, layerSprite_);
    }
    const std::string alphabet = LookupLanguageText(kSectionLoginAlphabet, "LegalAlphabet").c_str();
    field_->SetAlphabet(alphabet.substr(0, kAlphabetSize));
}

void RDlgLogin::DrawList(SprSprite* sprite) {
    sprDrawParts(sprite);
    auto* dialog = reinterpret_cast<RDlgLogin*>(sprite->data1);
    if (!dialog || !dialog->list_) return;
    RUserList& list = *dialog->list_;
    GfxFont* previousFont = dialog->listFont_ ? gfxSetFont(dialog->listFont_) : nullptr;
    GfxColor previousColour{};
    gfxSetForeColor(&previousColour, kListColour);
    for (int row = 0; row < list.GetVisibleCount(); ++row) {
        const int index = list.GetFirstVisible() + row;
        const std::string* name = list.NameAt(index);
        if (!name) break;
        const Rect16 cell = list.GetCellRect(index);
        if (list.IsItemSelected(index)) gfxFillRect(cell, GfxColor::rgb(255, 214, 255), 0);
        Rect16 words = cell;
        words.left = i16(words.left + kRowTextInset);
        gfxDrawTextBox(words, kRowTextFlags, name->c_str(), u16(name->size()));
    }
    GfxColor listColour{};
    gfxSetForeColor(&listColour, previousColour);
    if (dialog->listFont_) gfxSetFont(previousFont);
}

// The hint covers the instruction with its bubble only while it has something to say.
void RDlgLogin::DrawHint(SprSprite* sprite) {
    const auto* dialog = reinterpret_cast<const RDlgLogin*>(sprite->data1);
    if (!dialog || dialog->hint_.empty() || sprite->hideCount > 0) return;
    sprDrawParts(sprite);
    DialogTextStyle style;
    style.size = kHintFontSize;
    style.colour = GfxColor::rgb(255, 255, 255);
    // The words keep clear of the bubble's round ends.
    Rect16 words = dialog->hintRect_;
    rectInset(&words, kHintInsetH, kHintInsetV);
    DrawDialogText(words, dialog->hint_, style);
}

void RDlgLogin::ShowHint(const std::string& text) {
    if (text == hint_) return;
    hint_ = text;
    if (!rectIsEmpty(hintRect_)) sprInvalRect(hintRect_);
}

void RDlgLogin::ShowSet(bool normal) {
    if (normal) {
        adminSet_.HideSet();
        ButtonSet().ShowSet(kLoginNormalGroup, hiddenButton_);
    } else {
        ButtonSet().HideSet();
        adminSet_.ShowSet(kLoginAdminGroup, hiddenButton_);
    }
    normalMode_ = normal;
}

void RDlgLogin::EnableButton(u16 id) {
    if (!ButtonSet().Enable(id)) adminSet_.Enable(id);
}

void RDlgLogin::DisableButton(u16 id) {
    if (!ButtonSet().Disable(id)) adminSet_.Disable(id);
}

u32 RDlgLogin::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kLoginCmdLogIn:
        if (normalMode_) LogIn();
        break;
    case kLoginCmdAbout: {
        RMessage about(kMsgShowAbout, 0, 0);
        if (RDisplayWindow* window = RDisplayWindow::Get()) window->HandleMessage(&about, 0);
        break;
    }
    case kLoginCmdQuit: Answer(kLoginCmdQuit, reinterpret_cast<uintptr_t>(this), kLoginCmdQuit); break;
    case kDlgResultLeave: Answer(0, reinterpret_cast<uintptr_t>(this), 0); break;
    case kLoginCmdLeaveAdmin: LeaveAdmin(); break;
    case kLoginCmdAddUser: CheckName(); break;
    case kLoginCmdDeleteUsers: AskDeleteUsers(); break;
    case kLoginCmdDeleteAnswer:
        if (deleter_ && deleter_->GetResult() == kDlgResultConfirm) DeleteSelectedUsers();
        deleter_.reset();
        break;
    case kLoginCmdEnterAdmin:
        if (field_) {
            field_->SetText(kAdministratorName);
            RMessage logIn(kLoginCmdLogIn, 0, 0);
            HandleMessage(&logIn, 0);
            field_->SelectAll();
            field_->Clear();
        }
        break;
    case kLoginCmdScrollUp:
        if (list_) list_->ScrollBack();
        break;
    case kLoginCmdScrollDown:
        if (list_) list_->ScrollForward();
        break;
    default: return RDlgBase::HandleMessage(message, data);
    }
    return 0;
}

bool RDlgLogin::TakeName(std::string* name, bool* administrator) {
    *administrator = false;
    if (!field_) return false;
    std::string text = field_->Text().substr(0, kLoginNameBytes);
    // Without a name there is nobody to log in: the child hears the refusal and reads why.
    if (!TrimBlanks(text) || text == kDefaultLoginName || text == offeredName_) {
        ShowHint(LookupLanguageText(kLoginTextSection, kLoginEmptyNameKey).c_str());
        playSound(kNameRefusedSound);
        return false;
    }
    if (lowered(text) == kAdministratorName) {
        *administrator = true;
        return true;
    }
    // The name becomes a folder: what the alphabet or the folders refuse (pasted text too)
    // logs nobody in.
    if (!field_->IsLegalName(text) || !isValidUserName(text)) {
        playSound(kNameRefusedSound);
        return false;
    }
    *name = text;
    return true;
}

void RDlgLogin::SelectRow(int row) {
    if (!list_->IsItemSelected(row)) {
        if (!list_->IsAdministrator()) list_->ClearSelection();
        list_->SelectItem(row);
    }
    list_->ScrollIntoView(row);
    list_->Redraw();
}

void RDlgLogin::LogIn() {
    std::string name;
    bool administrator = false;
    if (!TakeName(&name, &administrator)) return;
    if (administrator) {
        SwitchToAdmin(false);
        return;
    }
    if (const int found = list_->Find(name)) {
        SelectRow(found - 1);
        name = *list_->NameAt(found - 1);
        field_->SetText(name);
    }
    AnswerLogIn(name);
}

void RDlgLogin::CheckName() {
    std::string name;
    bool administrator = false;
    if (!TakeName(&name, &administrator)) return;
    if (administrator) {
        if (normalMode_) {
            SwitchToAdmin(true);
        }
        return;
    }
    if (const int found = list_->Find(name)) {
        SelectRow(found - 1);
        if (normalMode_) AnswerLogIn(name);
        return;
    }
    if (normalMode_) {
        AnswerLogIn(name);
        return;
    }
    if (!services_.paths) return;
    const std::string previous = services_.paths->UserName();
    if (services_.paths->SelectUserFolder(name) != kErrNone) {
        playSound(kNameRefusedSound);
        KeepCurrentUser(previous);
        return;
    }
    if (previous.empty()) {
        if (services_.portfolio) services_.portfolio->SetName(name);
    } else {
        KeepCurrentUser(previous);
    }
    list_->AddSorted(name);
}

void RDlgLogin::KeepCurrentUser(const std::string& previous) {
    if (!previous.empty() && services_.paths && services_.paths->UserName() != previous)
        services_.paths->SelectUserFolder(previous);
}

void RDlgLogin::AnswerLogIn(const std::string& name) {
    AnswerWith(kLoginResultLogIn, name, kLoginResultLogIn);
}

void RDlgLogin::SwitchToAdmin(bool disableAdminButtons) {
    if (!normalMode_) return;
    ShowSet(false);
    list_->SetAdministrator(true);
    if (disableAdminButtons) {
        DisableButton(kLoginButtonAdminAdd);
        DisableButton(kLoginButtonAdminDelete);
    }
}

void RDlgLogin::LeaveAdmin() {
    if (openedLater_ && !normalMode_) {
        Answer(0, reinterpret_cast<uintptr_t>(this), 0);
        return;
    }
    ShowSet(true);
    list_->SetAdministrator(false);
}

void RDlgLogin::RowClicked(int row) {
    const bool doublePress = rowPress_.Press(lastPress_);
    const std::string* name = list_->NameAt(row);
    if (!name || name->empty()) return;
    const std::string chosen = *name;
    if (field_) field_->SetText(chosen);
    if (normalMode_) {
        EnableButton(kLoginButtonLogIn);
    } else {
        DisableButton(kLoginButtonAdminAdd);
        EnableButton(kLoginButtonAdminDelete);
    }
    if (doublePress && normalMode_) AnswerLogIn(chosen);
}

void RDlgLogin::AskDeleteUsers() {
    const size_t selected = list_->GetSelectedList().size();
    if (selected == 0) return;
    deleter_.reset();
    deleter_ = std::make_unique<RDeleter>(this);
    if (deleter_->Open(selected == 1 ? kDeleterFirstMessage : kDeleterFirstMessage + 1) != 0) deleter_.reset();
}

void RDlgLogin::DeleteSelectedUsers() {
    if (!services_.paths) return;
    const std::string previous = services_.paths->UserName();
    std::vector<int> rows = list_->GetSelectedList();
    std::vector<std::string> names;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (const std::string* name = list_->NameAt(*row)) names.push_back(*name);
    }
    bool previousDeleted = false;
    for (const std::string& name : names) {
        DeleteUserFolders(*services_.paths, name);
        list_->Remove(name);
        previousDeleted = previousDeleted || name == previous;
    }
    if (!previousDeleted) KeepCurrentUser(previous);
    list_->Redraw();
}

void RDlgLogin::UpdateLoginButton() {
    if (!field_) return;
    const std::string text = field_->TrimmedText();
    const bool administrator = lowered(text) == kAdministratorName;
    const bool enable = !text.empty() && (!administrator || normalMode_);
    const u16 button = normalMode_ ? kLoginButtonLogIn : kLoginButtonAdminAdd;
    if (enable)
        EnableButton(button);
    else
        DisableButton(button);
}

void RDlgLogin::FollowTyping(u8 character) {
    const char one[2] = {char(character), 0};
    if (!strIsAlnum(one)) return;
    const std::string typed = lowered(field_->Text());
    const int found = list_->FindPrefix(typed);
    if (found >= 0) {
        list_->ScrollTo(found);
        rememberedRow_ = found;
    } else if (rememberedRow_ + 1 < int(list_->Items().size())) {
        list_->ScrollTo(rememberedRow_ + 1);
    }
}

u32 RDlgLogin::HandleKey(u32 key) {
    if (keyRecordVirtualKey(key) == kKeyReturn) {
        CheckName();
        return 1;
    }
    if (!field_) return 1;
    if (keyRecordVirtualKey(key) == kKeyPageUp || keyRecordVirtualKey(key) == kKeyPageDown) {
        const int rows = std::max(list_->GetVisibleCount(), 1);
        list_->ScrollTo(list_->GetFirstVisible() + (keyRecordVirtualKey(key) == kKeyPageUp ? -rows : rows));
        return 1;
    }
    if (field_->HandleKey(key) == NameKey::Edited) {
        fieldTyped_ = true;
        ShowHint({});
        playSound(kLoginTypingSound);
        FollowTyping(keyRecordCharacter(key));
    }
    UpdateLoginButton();
    return 1;
}

u32 RDlgLogin::HandleInput(u32, Point16 point, u32) {
    lastPress_ = point;
    pressed_ = true;
    if (field_ && rectContainsPoint(fieldRect_, point)) {
        const bool doublePress = fieldPress_.Press(point);
        if (!fieldTyped_ && field_->Text() == openingText_) {
            if (!field_->Field().Active()) field_->Field().SetFocus();
            field_->SelectAll();
            return 1;
        }
        field_->MouseDown(point, doublePress);
        dragging_ = true;
    }
    return 1;
}

u32 RDlgLogin::HandleMouseMove(Point16 point, u32) {
    if (dragging_ && field_) field_->MouseDrag(point);
    return 1;
}

u32 RDlgLogin::HandleMouseUp(u32, Point16 point, u32) {
    const bool wasDragging = dragging_;
    const bool pressed = pressed_;
    dragging_ = pressed_ = false;
    if (!field_ || !pressed) return 1;
    if (rectContainsPoint(fieldRect_, point)) {
        if (wasDragging) field_->MouseUp();
        list_->ClearSelection();
        list_->Redraw();
        if (!normalMode_) DisableButton(kLoginButtonAdminDelete);
    } else if (rectContainsPoint(dialogRect_, point) && !list_->HotSpots().OverItem()) {
        field_->Restore();
    }
    return 1;
}

void RDlgLogin::HandleNotification(const RInputEvent& event) {
    // A press taken by a row or a button: where it was tells a double press on a row.
    if (event.kind == kInputEventMouseDown) {
        lastPress_ = {i16(u16(event.data & 0xFFFF)), i16(u16(event.data >> 16))};
        pressed_ = true;
    } else if (event.kind == kInputEventMouseUp) {
        pressed_ = false;
    }
}

void RDlgLogin::HandleActivation(u32) {}

void RDlgLogin::HandleTick(u32 now) {
    if (field_) field_->Blink(now);
}

}  // namespace Ostrel
