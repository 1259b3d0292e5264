#include "panels/text/RTextPanel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/application/RApplication.h"
#include "app/dialogs/RPronounceDlg.h"
#include "app/help/HelpContext.h"
#include "app/window/MenuMessages.h"
#include "document/objects/RTextPageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/PaintColor.h"
#include "framework/controls/RColorPicker.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/FrameHost.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/RTextEditFrame.h"
#include "panels/frames/MeasuringPort.h"
#include "panels/text/TextPanelLists.h"
#include "tools/base/ToolNames.h"
#include "tools/text/RText.h"

namespace Ostrel {
namespace {

constexpr u16 kLabelFontSize = 14;
constexpr u16 kHelpItemText = 877;

bool spanish() { return CurrentLanguage() == kLanguageSpanish; }

// The clicks of the buttons that act once a click: the arrows and the clipboard's.
constexpr u32 kOneShotClicks[] = {kMsgTextFontPrevious, kMsgTextFontNext, kMsgTextSizePrevious, kMsgTextSizeNext,
                                  kMsgTextVoicePrevious, kMsgTextVoiceNext, kMsgTextCut, kMsgTextCopy, kMsgTextPaste};

}  // namespace

RTextPanel::RTextPanel(CListener* owner, const Paths* userPaths, RFrameMaker* frames, FrameHost* host)
    : RToolPanel(owner, userPaths), CCPObj(kTypeText), frames_(frames), host_(host) {
    SetMessageBase(kTextButtonSet);
    SetFrameShape(kTextPanelShape);
}

RTextPanel::~RTextPanel() {
    SavePrefs();
    pronounce_.reset();
    if (speaking_) StopSpeaking();
    CommitText();
    ClosePopup();
    if (labelFont_) gfxDisposeFont(labelFont_);
    if (popupSprite_ != 0) sprDispose(&popupSprite_);
    DropCurrentTool();
    Unregister();
    Say(kMsgPanelDisableCanvas, 0, 130);
}

u16 RTextPanel::Init() {
    RToolPanel::Init();
    labelFont_ = gfxNewFont(kTextDefaultFont, kLabelFontSize, 0);
    BuildLists();
    BuildVoiceList();
    for (int button : {int(kTextButtonFont), int(kTextButtonSize), int(kTextButtonVoice)})
        if (size_t(button) < Buttons().size()) {
            Buttons()[size_t(button)]->SetSpriteProcs(nullptr, nullptr, &RTextPanel::DrawLabel);
            Buttons()[size_t(button)]->SetOwnerData(reinterpret_cast<uintptr_t>(this));
        }
    RestorePrefs();
    GetHelpContext().currentItem = kHelpItemText;
    Say(kMsgPanelDisableCanvas);
    Register(kInputMouseButtons | kInputMouseMove | kInputKeys | kInputTick);
    // The page's texts are outlined; the one chosen among them is edited at once.
    CreateFrameMaker();
    if (frames_ && frames_->EditedObject() && frames_->EditedObject()->Type() == kTypeText)
        Edit(static_cast<RTextPageObject*>(frames_->EditedObject()));
    PostMessageTo(this, kMsgTextMakeTool);
    return 0;
}

// --- lists and choices

void RTextPanel::BuildLists() {
    fonts_ = installedFontNames();
    fontPopup_ = std::make_unique<RFontPopup>(this);
    fontPopup_->SetFonts(0, fonts_);
    fontPopup_->SetMessageCode(kMsgTextFontChosen);
    sizes_.clear();
    for (u16 size : kTextSizes) sizes_.push_back(std::to_string(size));
    sizePopup_ = std::make_unique<RTextPopup>(this);
    sizePopup_->SetItems(sizeIndex_, sizes_);
    sizePopup_->SetMessageCode(kMsgTextSizeChosen);
}

void RTextPanel::BuildVoiceList() {
    voices_ = voiceNames(spanish());
    voiceIndex_ = clampVoice(voiceIndex_, voices_.size());
    if (!voicePopup_) voicePopup_ = std::make_unique<RTextPopup>(this);
    voicePopup_->SetItems(voiceIndex_, voices_);
    voicePopup_->SetMessageCode(kMsgTextVoiceChosen);
    RedrawLabels();
}

void RTextPanel::SetDefaults() {
    TextStyle& style = currentTextStyle();
    style = TextStyle{};
    const std::string face = fonts_.empty() ? std::string(kTextDefaultFont) : fonts_[size_t(findFont(fonts_, kTextDefaultFont))];
    style.Set(face.c_str(), kTextSizes[kTextSizeDefault], 0, CurrentPaintColor());
    justification_ = -1;
    fontIndex_ = findFont(fonts_, style.name);
    sizeIndex_ = findSize(style.size);
    voiceIndex_ = clampVoice(1, voices_.size());
}

u16 RTextPanel::RestorePrefs() {
    tTextPanelSaveData stored{};
    stored.fill(kPrefsNotStored);
    if (UserPaths() != nullptr) {
        RPanelPrefsTmpl<tTextPanelSaveData> prefs(*UserPaths(), kTextPanelSection);
        stored = prefs.GetData();
    }
    choices_ = readTextPanelRecord(stored);
    SetDefaults();
    if (choices_.voice >= 0) {
        justification_ = choices_.justification;
        fontIndex_ = findFont(fonts_, choices_.font);
        sizeIndex_ = findSize(choices_.size);
        voiceIndex_ = clampVoice(choices_.voice, voices_.size());
        TextStyle& style = currentTextStyle();
        if (size_t(fontIndex_) < fonts_.size()) style.Set(fonts_[size_t(fontIndex_)].c_str(), kTextSizes[size_t(sizeIndex_)], style.StyleBits(), style.color);
    }
    fontPopup_->SetValue(fontIndex_);
    sizePopup_->SetValue(sizeIndex_);
    voicePopup_->SetValue(voiceIndex_);
    RefreshControls();
    return 0;
}

u16 RTextPanel::SavePrefs() {
    if (const u16 base = RToolPanel::SavePrefs()) return base;
    if (UserPaths() == nullptr) return 0;
    // Everything the panel shows is kept, not only the voice.
    choices_.voice = i16(voiceIndex_);
    choices_.font = size_t(fontIndex_) < fonts_.size() ? fonts_[size_t(fontIndex_)] : std::string();
    choices_.size = i16(kTextSizes[size_t(std::clamp(sizeIndex_, 0, int(kTextSizes.size()) - 1))]);
    choices_.justification = justification_;
    RPanelPrefsTmpl<tTextPanelSaveData> prefs(*UserPaths(), kTextPanelSection);
    prefs.GetData() = writeTextPanelRecord(choices_);
    prefs.Save();
    return 0;
}

void RTextPanel::SetButton(int button, bool down) {
    if (button < 0 || size_t(button) >= Buttons().size()) return;
    Buttons()[size_t(button)]->HandleEvent(down ? kHsEventPress : kHsEventRelease, true);
}

// A push button goes down with its click and stays down until it is let go.
void RTextPanel::LetGoOf(u32 click) {
    for (const auto& button : Buttons())
        if (button->GetRecord().clickMessage == click && button->GetState() != kButtonUp)
            button->HandleEvent(kHsEventRelease, true);
}

void RTextPanel::RefreshControls() {
    // The controls show the selection's style, or the style at the caret; where the selected
    // characters differ the next text keeps what it had.
    const TextStyle style = editing_ ? editing_->Editor().GetCurrentStyle() : currentTextStyle();
    currentTextStyle().Merge(style);
    SetButton(kTextButtonBold, style.bold == kStyleOn);
    SetButton(kTextButtonItalic, style.italic == kStyleOn);
    SetButton(kTextButtonUnderline, style.underline == kStyleOn);
    SetButton(kTextButtonLeft, justification_ == -1);
    SetButton(kTextButtonCentre, justification_ == 0);
    SetButton(kTextButtonRight, justification_ == 1);
    if (style.name[0] != '\0') fontIndex_ = findFont(fonts_, style.name);
    if (style.size != 0) sizeIndex_ = findSize(style.size);
    if (fontPopup_) fontPopup_->SetValue(fontIndex_);
    if (sizePopup_) sizePopup_->SetValue(sizeIndex_);
    // The easel's colour swatch shows the selection's colour too.
    GfxColor& paint = CurrentPaintColor();
    if (editing_ && style.color.GetKind() != -1 &&
        (paint.red != style.color.red || paint.green != style.color.green || paint.blue != style.color.blue)) {
        paint = style.color;
        Say(kMsgColorSet, reinterpret_cast<uintptr_t>(&paint), 1);
    }
    RedrawLabels();
}

// The labels are drawn over the buttons' looks: the sprites are drawn again whatever their state.
void RTextPanel::RedrawLabels() {
    for (int button : {int(kTextButtonFont), int(kTextButtonSize), int(kTextButtonVoice)}) {
        if (size_t(button) >= Buttons().size()) continue;
        Buttons()[size_t(button)]->Draw();
        if (SprSprite* sprite = sprFind(Buttons()[size_t(button)]->GetSprite())) sprInvalRect(sprite->bounds);
    }
}

void RTextPanel::ApplyStyle(const TextStyle& style) {
    if (!editing_) {
        currentTextStyle().Merge(style);
    } else if (editing_->ApplyStyle(style)) {
        currentTextStyle().Merge(style);
        Changed();
    }
    RefreshControls();
}

void RTextPanel::ApplyJustification(i32 value) {
    justification_ = value;
    if (editing_) {
        MeasuringPort port;
        editing_->Editor().SetJustification(value, false, true);
        Changed();
    }
    RefreshControls();
}

void RTextPanel::ChooseFont(int index) {
    if (index < 0 || size_t(index) >= fonts_.size()) return;
    fontIndex_ = index;
    fontPopup_->SetValue(index);
    TextStyle change;
    std::snprintf(change.name, sizeof change.name, "%s", fonts_[size_t(index)].c_str());
    ApplyStyle(change);
}

void RTextPanel::ChooseSize(int index) {
    if (index < 0 || size_t(index) >= kTextSizes.size()) return;
    sizeIndex_ = index;
    sizePopup_->SetValue(index);
    TextStyle change;
    change.size = kTextSizes[size_t(index)];
    ApplyStyle(change);
}

void RTextPanel::ChooseVoice(int index) {
    if (index < 0 || size_t(index) >= voices_.size()) return;
    voiceIndex_ = u16(index);
    voicePopup_->SetValue(index);
    RedrawLabels();
}

void RTextPanel::SetStyleFlag(int button, u32 TextStyle::*flag) {
    if (size_t(button) >= Buttons().size()) return;
    TextStyle change;
    // A latched toggle is down: the style goes on.
    change.*flag = Buttons()[size_t(button)]->IsLatched() ? kStyleOn : kStyleOff;
    ApplyStyle(change);
}

// --- the text objects

RTextPageObject* RTextPanel::TextAt(Point16 point) const {
    RPageData* page = host_ ? host_->ShownPage() : nullptr;
    if (!page) return nullptr;
    const Rect16& canvas = host_->CanvasRect();
    RTextPageObject* found = nullptr;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    // The text drawn last lies on top.
    while (page->NextObjectSkipFlagged(&iterator, &object, kTypeText)) {
        const PageRect& r = object->rect;
        if (rectContainsPoint(Rect16{i16(r.left + canvas.left), i16(r.top + canvas.top), i16(r.right + canvas.left),
                                     i16(r.bottom + canvas.top)},
                              point))
            found = static_cast<RTextPageObject*>(object);
    }
    return found;
}

void RTextPanel::Edit(RTextPageObject* object) {
    if (editing_ && &editing_->Object() == object) return;
    editing_.reset();
    if (!object || !host_ || !host_->Undo()) return;
    editing_ = std::make_unique<PageTextEditor>(*host_, *object, *host_->Undo());
    // The panel shows the text's own justification.
    justification_ = object->text.justification;
    RefreshControls();
}

void RTextPanel::Changed() {
    if (!editing_) return;
    editing_->Store();
    if (auto* frame = frames_ ? dynamic_cast<RTextEditFrame*>(frames_->EditFrame()) : nullptr;
        frame && frame->Object() == &editing_->Object())
        frame->FollowText();
}

void RTextPanel::CreateTextObject(Point16 point) {
    RPageData* page = host_ ? host_->ShownPage() : nullptr;
    if (!frames_ || !page || creating_) return;
    creating_ = true;
    CommitText();
    Rect16 bounds = host_->CanvasRect();
    rectInset(&bounds, kTextObjectInset, kTextObjectInset);
    const TextStyle& style = currentTextStyle();
    CharMetrics line{};
    u16 widest = 0;
    {
        MeasuringPort port;
        StyleFonts fonts;
        for (u32 c = 32; c < 127; ++c) {
            const CharMetrics m = fonts.Measure(u8(c), style);
            widest = std::max(widest, m.width);
            line.ascent = std::max(line.ascent, m.ascent);
            line.descent = std::max(line.descent, m.descent);
            line.leading = std::max(line.leading, m.leading);
        }
    }
    const i16 half = i16(std::max<u16>(1, widest / 2));
    i16 width = i16(25 * half);
    for (int step = 0; step < 25 && width > bounds.right - bounds.left; ++step) width = i16(width - half);
    const i16 height = i16(line.ascent + line.descent + line.leading + 3);
    i16 left = point.h;
    if (left + width > bounds.right) left = i16(bounds.right - width);
    if (left < bounds.left) left = bounds.left;
    i16 top = std::max<i16>(point.v, i16(bounds.top + kTextObjectTopGap));
    if (top + height > bounds.bottom) top = i16(bounds.bottom - height);
    const Rect16& canvas = host_->CanvasRect();
    const PageRect rect{i16(left - canvas.left), i16(top - canvas.top), i16(left + width - canvas.left),
                        i16(top + height - canvas.top)};
    auto* object = static_cast<RTextPageObject*>(page->AddObject(kTypeText, -1, {}, rect));
    if (!object) {
        host_->TellPageFull();
        creating_ = false;
        return;
    }
    const u32 colour = u32(style.color.red) << 16 | u32(style.color.green) << 8 | style.color.blue;
    object->RenderAndStore(TextRecord{style.name, style.size, style.StyleBits(), colour, {}, i16(justification_)}, rect);
    frames_->AddObjectFrame(object, 1);
    Edit(object);
    PostMessageTo(this, kMsgTextMade);
}

void RTextPanel::DropLostText() {
    if (editing_ && !editing_->OnPage()) editing_.reset();
}

u16 RTextPanel::RemoveFrameMaker() {
    CommitText();
    if (!frames_) return 0;
    frames_->ClearObjectFrames();
    return 1;
}

void RTextPanel::CreateFrameMaker() {
    if (!frames_) return;
    // Texts made later show their outlines too, also when the page had none at first.
    frames_->BuildObjectFrames(kTypeText);
    frames_->ShowOtherItems();
}

u16 RTextPanel::CommitText() {
    DropLostText();
    if (!editing_) return 0;
    std::unique_ptr<PageTextEditor> editing = std::move(editing_);
    RTextPageObject& object = editing->Object();
    if (!editing->Empty()) {
        editing->Editor().SetModified(false);
        editing->Store();
        return 1;
    }
    // The frame goes before its object, so that it never points at a deleted one.
    if (frames_) frames_->RemoveObjectFrame(&object);
    const u16 id = object.Id();
    editing.reset();
    if (RPageData* page = host_->ShownPage()) page->DeleteObject(kTypeText, id);
    // Making and dropping an empty text is no step a child would take back.
    if (host_->Undo()) host_->Undo()->ReleaseCurrent();
    host_->ObjectsChanged();
    return 0;
}

void RTextPanel::MakeTool() {
    std::unique_ptr<RTool> tool = CreateTool(kToolIdText);
    if (!tool) return;
    static_cast<RText&>(*tool).SetOwner(this);
    if (!ActivateTool(std::move(tool))) return;
    Say(kMsgPanelEnableCanvas, 0, kTextCursorPlace);
    AnnounceTool(GetCurrentTool());
    RefreshControls();
}

// --- messages

u32 RTextPanel::HandleMessage(RMessage* message, uintptr_t data) {
    DropLostText();
    const u32 code = message->code;
    const int index = int(message->param2);
    if (std::ranges::find(kOneShotClicks, code) != std::end(kOneShotClicks)) LetGoOf(code);
    switch (code) {
    case kMsgTextFontPrevious: ChooseFont(fontIndex_ - 1); return 0;
    case kMsgTextFontNext: ChooseFont(fontIndex_ + 1); return 0;
    case kMsgTextSizePrevious: ChooseSize(sizeIndex_ - 1); return 0;
    case kMsgTextSizeNext: ChooseSize(sizeIndex_ + 1); return 0;
    case kMsgTextJustifyLeft: ApplyJustification(-1); return 0;
    case kMsgTextJustifyCentre: ApplyJustification(0); return 0;
    case kMsgTextJustifyRight: ApplyJustification(1); return 0;
    case kMsgTextBold: SetStyleFlag(kTextButtonBold, &TextStyle::bold); return 0;
    case kMsgTextItalic: SetStyleFlag(kTextButtonItalic, &TextStyle::italic); return 0;
    case kMsgTextUnderline: SetStyleFlag(kTextButtonUnderline, &TextStyle::underline); return 0;
    case kMsgTextFontPopup: OpenPopup(fontPopup_.get(), kTextButtonFont); return 0;
    case kMsgTextSizePopup: OpenPopup(sizePopup_.get(), kTextButtonSize); return 0;
    case kMsgTextVoicePopup: OpenPopup(voicePopup_.get(), kTextButtonVoice); return 0;
    case kMsgTextSpeak:
    case kMsgTextSpeakOrFree:
        if (speaking_)
            StopSpeaking();
        else if (editing_)
            Speak(editing_->Editor().CopyPlainText());
        SetButton(kTextButtonSpeak, speaking_);
        return 0;
    case kMsgSpeakText:
        if (const std::string* text = message->Payload<std::string>()) Speak(*text);
        return 0;
    case kMsgTextPlace:
    case kTextToolPlace:
        CreateTextObject(Point16{i16(message->param1 & 0xFFFF), i16((message->param1 >> 16) & 0xFFFF)});
        return 0;
    case kMsgTextVoicePrevious: ChooseVoice(voiceIndex_ - 1); return 0;
    case kMsgTextVoiceNext: ChooseVoice(voiceIndex_ + 1); return 0;
    case kMsgTextCut: Cut(); return 0;
    case kMsgTextCopy: Copy(); return 0;
    case kMsgTextPaste: Paste(); return 0;
    case kMsgTextMade:
        if (editing_) {
            MeasuringPort port;
            editing_->ApplyStyle(currentTextStyle());
            editing_->Editor().SetJustification(justification_, false, false);
            Changed();
        }
        creating_ = false;
        return 0;
    case kMsgTextPronounceClosed:
        pronounce_.reset();
        SetButton(kTextButtonPronounce, false);
        return 0;
    case kMsgMenuSpecialCharacter:
        if (editing_ && data) {
            const char* typed = reinterpret_cast<const char*>(data);
            MeasuringPort port;
            if (editing_->Editor().ReplaceSelection(typed, u16(strnlen(typed, 2)), true)) Changed();
        }
        return 0;
    case kMsgTextFontChosen:
        ClosePopup();
        ChooseFont(index);
        return 0;
    case kMsgTextSizeChosen:
        ClosePopup();
        ChooseSize(index);
        return 0;
    case kMsgTextVoiceChosen:
        ClosePopup();
        ChooseVoice(index);
        return 0;
    case kMsgAddObjectFrame:
    case kMsgRemoveObjectFrame:
        if (frames_) frames_->HandleMessage(message, data);
        return 0;
    case kMsgMenuCheckSpelling: CheckSpelling(); return 0;
    case kMsgMenuSayItThisWay: OpenPronounceDialog(); return 0;
    case kMsgMenuTextLanguage:
        voiceIndex_ = 0;
        BuildVoiceList();
        return 0;
    case kMsgTextMakeTool: MakeTool(); return 0;
    case kMsgColorChosen: {
        TextStyle change;
        change.color = CurrentPaintColor();
        ApplyStyle(change);
        return RToolPanel::HandleMessage(message, data);
    }
    default: break;
    }
    return RToolPanel::HandleMessage(message, data);
}

// --- clipboard

bool RTextPanel::Copy() {
    if (!editing_) return false;
    editing_->Editor().CopyToClipboard();
    return true;
}

bool RTextPanel::Cut() {
    if (!editing_) return false;
    MeasuringPort port;
    editing_->Editor().Cut();
    Changed();
    return true;
}

bool RTextPanel::Paste() {
    if (!editing_) return false;
    MeasuringPort port;
    editing_->Editor().Paste();
    Changed();
    return true;
}

bool RTextPanel::CanPaste() { return editing_ != nullptr && !CCPObj::DesktopText().empty(); }

}  // namespace Ostrel
