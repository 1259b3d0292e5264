#include "panels/alphabet/RAlphaPanel.h"

#include <cstdlib>

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/controls/PaintColor.h"
#include "framework/controls/RColorPicker.h"
#include "framework/language/LanguageTexts.h"
#include "panels/alphabet/AlphabetGlyphs.h"
#include "panels/alphabet/AlphabetOrder.h"
#include "panels/alphabet/AlphabetSounds.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/ToolPicture.h"

namespace Ostrel {

namespace {

constexpr const char* kAlphabetSection = "SmallKidsAlphabet";
constexpr u32 kMascotFlags = 0x800000;
constexpr i16 kAlphabetStampSize = 0;
constexpr u16 kAlphabetCanvasCursor = 25;
constexpr u16 kAlphabetNoButtons = 0;

bool isFontSize(const std::string& text) {
    if (text.empty() || text.size() > 2) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return std::atoi(text.c_str()) > 0;
}

}  // namespace

AlphabetSettings ReadAlphabetSettings() {
    AlphabetSettings settings;
    const std::string characters = LookupLanguageText(kAlphabetSection, "AlphabetSet").c_str();
    if (!characters.empty() && characters.size() <= kAlphabetMaxCharacters) settings.characters = characters;
    const std::string font = LookupLanguageText(kAlphabetSection, "FontName").c_str();
    if (!font.empty() && font.size() < kAlphabetMaxFontName) settings.fontName = font;
    const std::string size = LookupLanguageText(kAlphabetSection, "FontSize").c_str();
    if (isFontSize(size)) settings.fontSize = u16(std::atoi(size.c_str()));
    return settings;
}

RAlphaPanel::RAlphaPanel(CListener* owner, const Paths* userPaths) : RScrollToolPanel(owner, userPaths) {
    // The strip is all the alphabet shows: no button set of its own.
    SetMessageBase(kAlphabetNoButtons);
}

RAlphaPanel::~RAlphaPanel() {
    if (mascotSprite_ != 0) sprDispose(&mascotSprite_);
    Say(kMsgPanelDisableCanvas);
}

u16 RAlphaPanel::Init() {
    // The strip's set-up runs the base's Init itself.
    if (inInit_) return RScrollToolPanel::Init();
    inInit_ = true;
    InitScroller(kAlphabetStripLayout, -1);
    inInit_ = false;
    const u16 mascot = sprNew(kMascotFlags, kAlphabetPanelShape, nullptr);
    mascotSprite_ = mascot == kSprNoId ? 0 : mascot;
    settings_ = ReadAlphabetSettings();
    order_ = AlphabetOrder(settings_.characters, CurrentLanguage());
    auto tool = std::make_unique<RStampSimpleBitmap>();
    tool->SelectSize(kAlphabetStampSize);
    ActivateTool(std::move(tool));
    PostMessageTo(this, kMsgAlphabetAnnounce, 0, 0);
    current_ = 0;
    RenderCharacters();
    return 0;
}

RStampSimpleBitmap* RAlphaPanel::StampTool() const { return dynamic_cast<RStampSimpleBitmap*>(GetCurrentTool()); }

void RAlphaPanel::RenderCharacters() {
    RBitmapScroller* strip = GetScroller();
    if (strip == nullptr) return;
    std::string shown;
    for (const int index : order_) shown.push_back(settings_.characters[size_t(index)]);
    std::vector<ScrollerPicture> pictures = RenderAlphabet(shown, settings_.fontName, settings_.fontSize, CurrentPaintColor());
    // Without an offscreen picture the strip keeps the pictures it has.
    if (pictures.empty()) return;
    strip->SetItems(std::move(pictures));
    if (current_ < 0 || current_ >= strip->GetCount()) current_ = 0;
    strip->ScrollIntoView(current_);
    strip->Select(current_, false);
    strip->Redraw();
    ChooseCharacter(current_);
}

void RAlphaPanel::ChooseCharacter(int item) {
    RBitmapScroller* strip = GetScroller();
    const ScrollerPicture* picture = strip ? strip->GetItem(item) : nullptr;
    if (picture == nullptr) return;
    current_ = item;
    // The set's own index names the character and its sound.
    const int index = size_t(item) < order_.size() ? order_[size_t(item)] : item;
    if (RStampSimpleBitmap* tool = StampTool()) {
        // The letter stamped is drawn anew at twice the strip's size; the strip's own picture
        // when that cannot be made.
        const std::vector<ScrollerPicture> large =
            size_t(index) < settings_.characters.size()
                ? RenderAlphabet(settings_.characters.substr(size_t(index), 1), settings_.fontName,
                                 u16(settings_.fontSize * kAlphabetStampScale), CurrentPaintColor(),
                                 u16(kAlphabetGlyphSide * kAlphabetStampScale))
                : std::vector<ScrollerPicture>{};
        const ScrollerPicture& stamped = large.empty() ? *picture : large.front();
        tool->Reset();
        tool->SetPicture(tileFromBitmap(stamped.data(), u32(stamped.size())));
        tool->Refresh();
    }
    SprSoundRequest request;
    request.soundId = AlphabetSoundId(index);
    sprRequestSound(request);
}

u32 RAlphaPanel::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kMsgAlphabetAnnounce:
        AnnounceTool(GetCurrentTool());
        AnnounceSettings();
        // The canvas takes the clicks that lay the letters.
        EnableCanvas(kAlphabetCanvasCursor);
        return 0;
    case kMsgColorChosen: RenderCharacters(); return 0;
    case kMsgScrollerHit:
        if (GetScroller() && message->param1 == reinterpret_cast<uintptr_t>(GetScroller())) {
            ChooseCharacter(message->param2);
            return 0;
        }
        break;
    default: break;
    }
    return RScrollToolPanel::HandleMessage(message, data);
}

}  // namespace Ostrel
