#include "framework/controls/LoadButtonsFromKVR.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/regions/Regions.h"
#include "framework/input/RHotSpotList.h"
#include "framework/resources/mfxReadResource.h"

namespace Ostrel {
namespace {

// The rectangle around a shape's parts; empty when the shape is not loaded.
Rect16 shapeRect(u16 shape) {
    Rect16 parts[kSprMaxParts];
    const i16 count = sprGetShapePartRects(shape, parts);
    Rect16 around{0, 0, 0, 0};
    for (i16 i = 0; i < count; ++i) rectUnion(&around, parts[i]);
    return around;
}

// The region of a shape's parts; 0 when it cannot be made.
memHandle shapeRegion(u16 shape) {
    const memHandle region = rgnCreate();
    if (region == 0) return 0;
    Rect16 parts[kSprMaxParts];
    const i16 count = sprGetShapePartRects(shape, parts);
    for (i16 i = 0; i < count; ++i) rgnUnionRect(region, parts[i]);
    return region;
}

RHotSpotItem* makeHotSpot(RHotSpotList* list, CListener* listener, const ButtonRecord& record) {
    HSInfo info;
    info.rect = record.usesShapeRect() ? shapeRect(record.shapes[kButtonUp])
                                       : Rect16{record.left, record.top, record.right, record.bottom};
    info.kind = u16(record.hotSpotKind);
    info.message = record.clickMessage;
    info.message2 = record.hoverMessage;
    info.group = record.group;
    RHotSpotItem* item = nullptr;
    if (record.hotSpotKind == ButtonHotSpotKind::Region) {
        const memHandle region = shapeRegion(record.regionId);
        if (region == 0) return nullptr;
        item = list->CreateRegionHotSpot(info, region);
        rgnDispose(region);
        if (item == nullptr) return nullptr;
        item->SetReceiver(listener);
    } else {
        item = list->AddHotSpot(info, listener);
    }
    item->SetCursorIds(record.cursorOver, record.cursorPressed);
    item->SetRecord(record.id);
    return item;
}

}  // namespace

RButtonSet MakeButtons(CListener* listener, RHotSpotList* list, const std::vector<ButtonRecord>& records,
                       u32 spriteFlags) {
    RButtonSet buttons;
    buttons.reserve(records.size());
    for (const ButtonRecord& record : records) {
        RHotSpotItem* item = list != nullptr ? makeHotSpot(list, listener, record) : nullptr;
        // A stored rectangle places the sprite at its corner; otherwise the shape places itself.
        const Point16 corner{record.left, record.top};
        const u16 sprite = sprNew(spriteFlags, record.shapes[kButtonUp], record.usesShapeRect() ? nullptr : &corner);
        if (SprSprite* made = sprFind(sprite)) sprHide(made, 0, 0);
        auto button = std::make_unique<RButton>(record, sprite, item, listener);
        if ((record.flags & kButtonFlagHidden) != 0) button->Hide();
        if ((record.flags & kButtonFlagDisabled) != 0) button->EnableHotSpot(false);
        buttons.push_back(std::move(button));
    }
    return buttons;
}

RButtonSet LoadButtonsFromKVR(CListener* listener, RHotSpotList* list, u16 setId, u32 spriteFlags,
                              EngineErr* error) {
    std::vector<u8> bytes;
    std::vector<ButtonRecord> records;
    EngineErr err = mfxReadResource(kButtonSetType, setId, &bytes);
    if (err == kErrNone) err = parseButtonSet(bytes, &records);
    if (error != nullptr) *error = err;
    if (err != kErrNone) return {};
    return MakeButtons(listener, list, records, spriteFlags);
}

void DrawButtons(const RButtonSet& buttons) {
    for (const auto& button : buttons) {
        if ((button->GetRecord().flags & kButtonFlagHidden) == 0) button->Draw();
    }
}

int FindButtonByCommand(const RButtonSet& buttons, u16 command) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] != nullptr && buttons[i]->GetCommand() == command) return int(i);
    }
    return -1;
}

void ReleaseButtonGroup(const RButtonSet& buttons, u16 group, const RHotSpotItem* kept) {
    if (group == 0) return;
    for (const auto& button : buttons) {
        const RHotSpotItem* item = button ? button->GetHotSpot() : nullptr;
        if (item == nullptr || item == kept || item->GetGroup() != group) continue;
        if (button->GetState() != kButtonUp) button->HandleEvent(kHsEventReset, true);
    }
}

}  // namespace Ostrel
