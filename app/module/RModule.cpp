#include "app/module/RModule.h"

#include <algorithm>
#include <cstring>

#include "app/menus/RShellWindow.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/ini/IniProfiles.h"
#include "engine/resources/NamedResources.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/input/RHotSpotList.h"
#include "framework/language/LanguageTexts.h"
#include "framework/windows/mfxQueries.h"

namespace Ostrel {

namespace {

constexpr u32 kToolTipSpriteFlags = 0x800000;
constexpr u16 kToolTipTextFlags = 0x22;
constexpr u16 kFontNameSize = 32;
constexpr const char* kAlertCaption = "Ostrel";
// The largest tip font: a tip is one line under a button. A size past it (or below 1) is read
// as missing, as a larger one gives a tip wider and taller than the screen and takes seconds to draw.
constexpr i32 kToolTipFontSizeLimit = 72;
constexpr i16 kToolTipPadding = 3;

}  // namespace

RModule::RModule() : RSender(kModuleSenderTag) {}

RModule::~RModule() {
    DisposeToolTip();
    if (toolTipFont_) gfxDisposeFont(toolTipFont_);
    toolTipFont_ = nullptr;
    toolTipText_.fill('\0');
    buttons_.clear();
    if (shapeGroup_ != kNoShapeGroup) sprReleaseGroup(shapeGroup_, 1);
    hotSpots_.reset();
    if (!contentName_.empty()) ReleaseNamedResource(contentName_.c_str());
}

u32 RModule::HandleMessage(RMessage*, uintptr_t) { return 0; }

u16 RModule::Enter() { return 0; }

bool RModule::OpenDocumentPath(const std::string&) { return false; }

bool RModule::Print() { return false; }

void RModule::KeepUnsavedWork() {}

u16 RModule::LoadContent(const char* name) {
    if (OpenNamedResource(name, 1) != 0) {
        mfxAlert(kAlertOk, LookupLanguageText("ContentStrings", "NoDataMustQuit").c_str(), kAlertCaption);
        return 1;
    }
    contentName_ = name;
    hotSpots_ = std::make_unique<RHotSpotList>(this);
    if (SprScreen* screen = sprScreen()) {
        GfxPort* previous = gfxSetPort(screen->workPort);
        gfxFillRect(screen->screenRect, GfxColor::rgb(0, 0, 0), 0);
        gfxSetPort(previous);
        sprInvalRect(screen->screenRect);
    }
    toolTipText_.fill('\0');
    return 0;
}

i32 RModule::FindButtonById(u16 id) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i] && buttons_[i]->GetCommand() == id) return i32(i);
    return -1;
}

u16 RModule::LoadToolTipMetrics() {
    EnginePath settings(shell_.paths ? shell_.paths->SettingsFile() : "");
    char fontName[kFontNameSize + 1] = {};
    iniGetString(settings.get(), kToolTipMetricsSection, "FontName", fontName, kFontNameSize, kDefaultToolTipFont);
    i32 size = 0;
    iniGetLong(settings.get(), kToolTipMetricsSection, "FontSize", &size, 1, kToolTipFontSizeLimit);
    struct Component {
        const char* key;
        u8* into;
    };
    const Component components[] = {
        {"BkgrndColorR", &toolTipBackground_.red}, {"BkgrndColorG", &toolTipBackground_.green},
        {"BkgrndColorB", &toolTipBackground_.blue}, {"FontColorR", &toolTipTextColor_.red},
        {"FontColorG", &toolTipTextColor_.green},   {"FontColorB", &toolTipTextColor_.blue},
    };
    for (const Component& component : components) {
        i32 value = 0;
        if (iniGetLong(settings.get(), kToolTipMetricsSection, component.key, &value, INT32_MIN, INT32_MAX) ==
            kErrNone) {
            *component.into = u8(value & 0xFF);
            // A colour read from the settings is an RGB value, no longer the default colour.
            (component.into < &toolTipTextColor_.red ? toolTipBackground_ : toolTipTextColor_).flag = 0;
        }
    }
    u16 frame = toolTipFrame_;
    if (iniGetBool(settings.get(), kToolTipMetricsSection, "Frame", &frame) == kErrNone) toolTipFrame_ = frame;
    if (toolTipFont_) gfxDisposeFont(toolTipFont_);
    toolTipFont_ = gfxNewFont(fontName, u16(size), 0);
    toolTipText_.fill('\0');
    toolTipLineHeight_ = 0;
    if (toolTipFont_) {
        GfxFont* previous = gfxSetFont(toolTipFont_);
        GfxFontInfo info{};
        // The whole height of the font, ascent and descent: a tip only as tall as its letters'
        // ascent lets the tails of g, p and y hang out of it.
        if (gfxGetFontInfo(&info) == kErrNone) toolTipLineHeight_ = u16(info.values[4] + info.values[1]);
        gfxSetFont(previous);
    }
    return 0;
}

void RModule::HideToolTip() { DisposeToolTip(); }

void RModule::DisposeToolTip() {
    if (!toolTipSprite_) return;
    // The tip draws itself over the rectangle it keeps (its sprite has no shape to go by):
    // that rectangle is what the next update draws again.
    sprInvalRect(toolTipRect_);
    if (SprSprite* sprite = sprFind(toolTipSprite_)) sprSetProcs(sprite, nullptr, nullptr, nullptr);
    sprDispose(&toolTipSprite_);
    toolTipSprite_ = 0;
}

u16 RModule::ShowToolTip(u16 buttonId, const char* textKey) {
    if (shell_.window && !shell_.window->ToolTipsOn()) return 0;
    if (toolTipSprite_) {
        DisposeToolTip();
        return 0;
    }
    toolTipText_.fill('\0');
    // A longer text is cut at the field's end.
    const RcString text = LookupLanguageText(kToolTipsSection, textKey);
    std::strncpy(toolTipText_.data(), text.c_str(), kToolTipTextSize - 1);
    const i32 index = FindButtonById(buttonId);
    if (index < 0 || !buttons_[size_t(index)]->GetHotSpot()) return 0;
    const Rect16 button = buttons_[size_t(index)]->GetHotSpot()->GetRect();

    GfxFont* previous = toolTipFont_ ? gfxSetFont(toolTipFont_) : nullptr;
    const i32 width = gfxTextWidth(toolTipText_.data(), u16(std::strlen(toolTipText_.data())));
    if (toolTipFont_) gfxSetFont(previous);
    // A little room at each end keeps the first and last letters clear of the frame.
    Rect16 tip{button.left, i16(button.bottom + 1), i16(button.left + width + 2 * kToolTipPadding),
               i16(button.bottom + 1 + toolTipLineHeight_ + 2)};

    Rect16 area = shell_.screenRect;
    area.bottom = i16(area.bottom - mfxGetMenuBarHeight());
    if (tip.left < area.left) rectOffset(&tip, i16(area.left - tip.left), 0);
    if (tip.right > area.right) rectOffset(&tip, i16(area.right - tip.right), 0);
    // A button at the screen's foot has its tip above it: pushed up, the tip would cover it.
    if (tip.bottom > area.bottom) rectOffset(&tip, 0, i16(button.top - 1 - tip.bottom));
    if (tip.top < area.top) rectOffset(&tip, 0, i16(area.top - tip.top));
    toolTipRect_ = tip;

    const Point16 at{tip.left, tip.top};
    toolTipSprite_ = sprNewWithProcs(kToolTipSpriteFlags, 0, &at, nullptr, StepToolTip, DrawToolTip);
    if (toolTipSprite_ == kSprNoId) {
        toolTipSprite_ = 0;
        return 0;
    }
    if (SprSprite* sprite = sprFind(toolTipSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = tip;
        sprite->limit = shell_.screenRect;
        // In front of everything, not only of its own button: a tip reaches over the buttons
        // below and beside it.
        sprBringToFront(sprite);
        sprShow(sprite, 0);
        sprInvalRect(tip);
    }
    return 0;
}

void RModule::StepToolTip(SprSprite* sprite, memHandle) {
    if (const auto* module = reinterpret_cast<const RModule*>(sprite->data1)) sprite->bounds = module->toolTipRect_;
}

void RModule::DrawToolTip(SprSprite* sprite) {
    const auto* module = reinterpret_cast<const RModule*>(sprite->data1);
    if (!module) return;
    GfxPenState pen{};
    gfxGetPenState(&pen);
    GfxFont* previousFont = module->toolTipFont_ ? gfxSetFont(module->toolTipFont_) : nullptr;
    const Rect16& rect = module->toolTipRect_;
    gfxFillRect(rect, module->toolTipBackground_, 0);
    if (module->toolTipFrame_ == 1) {
        GfxColor previous{};
        gfxSetForeColor(&previous, GfxColor::rgb(0, 0, 0));
        gfxFrameRect(rect);
    }
    GfxColor previousText{};
    gfxSetForeColor(&previousText, module->toolTipTextColor_);
    gfxDrawTextBox(rect, kToolTipTextFlags, module->toolTipText_.data(), kGfxWholeText);
    if (module->toolTipFont_) gfxSetFont(previousFont);
    gfxSetPenState(pen);
}

}  // namespace Ostrel
