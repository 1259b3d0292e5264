// Instantiation and release of characters in display-list entries.
#include <algorithm>
#include <new>

#include "engine/base/ByteOrder.h"
#include "media/swf/ButtonInstance.h"
#include "media/swf/ButtonTags.h"
#include "media/swf/Player.h"
#include "media/swf/Records.h"
#include "media/swf/SpriteInstance.h"
#include "media/swf/SpriteTag.h"

namespace swf {

namespace {

// Characters that show characters (buttons, sprites placing themselves) could nest without end.
Result PrepareEntry(NameTree& tree, u32 index) {
    if (tree.Entry(index).level > kMaxDisplayLevel) return kErrBadData;
    ReleaseEntry(tree, index);
    return kOk;
}

void Show(NameTree& tree, u32 index, NameTreeInstance* instance, tagObject& character, u32 kind) {
    NameTreeEntry& e = tree.Entry(index);
    e.kind = kind;
    e.instance = instance;
    e.character = &character;
    ++tree.changeCount;
    character.AddUse();
}

void Hide(NameTree& tree, u32 index, tagObject& character) {
    NameTreeEntry& e = tree.Entry(index);
    e.kind = kEntryReserved;
    e.instance = nullptr;
    e.character = nullptr;
    ++tree.changeCount;
    character.DropUse();
}

Rect TransformedBounds(const Rect& r, const Matrix& m) {
    const i64 xs[2] = {r.xMin, r.xMax}, ys[2] = {r.yMin, r.yMax};
    i64 minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    for (i64 x : xs)
        for (i64 y : ys) {
            const i64 tx = ((x * m.scaleX + y * m.rotateSkew1) >> 16) + m.translateX;
            const i64 ty = ((x * m.rotateSkew0 + y * m.scaleY) >> 16) + m.translateY;
            minX = std::min(minX, tx), maxX = std::max(maxX, tx);
            minY = std::min(minY, ty), maxY = std::max(maxY, ty);
        }
    auto clamp = [](i64 v) { return i32(std::clamp<i64>(v, INT32_MIN, INT32_MAX)); };
    return Rect{clamp(minX), clamp(minY), clamp(maxX), clamp(maxY)};
}

}  // namespace

void ReleaseEntry(NameTree& tree, u32 index) {
    tree.RemoveChildren(index);
    NameTreeInstance* instance = tree.Entry(index).instance;
    if (instance) instance->ReleaseInstance(tree, index);
}

Result tagObject::Instantiate(u32 index, movie& timeline) {
    NameTree& tree = timeline.DisplayList();
    SWF_TRY(PrepareEntry(tree, index));
    Show(tree, index, this, *this, InstanceKind());
    return kOk;
}

void tagObject::ReleaseInstance(NameTree& tree, u32 index) { Hide(tree, index, *this); }

tagSprite::tagSprite(tagDefineSprite& definition, movie& parent, u32 entry)
    : movie(parent.Player(), *definition.Movie(), entry, &parent), definition_(definition) {
    Player().Born(this);
}

tagSprite::~tagSprite() = default;

void tagSprite::ReleaseInstance(NameTree& tree, u32 index) {
    ForgetEntry();
    Hide(tree, index, definition_);
    delete this;
}

Result tagDefineSprite::Instantiate(u32 index, movie& timeline) {
    NameTree& tree = timeline.DisplayList();
    if (!Movie()) return kErrBadData;
    SWF_TRY(PrepareEntry(tree, index));
    if (timeline.Player().Crowded()) return kErrBadData;
    tagSprite* sprite = new (std::nothrow) tagSprite(*this, timeline, index);
    if (!sprite) return kErrMemory;
    Show(tree, index, sprite, *this, kEntrySprite);
    sprite->GotoFrame(0);
    sprite->nextFrameTime = timeline.Player().clock + Movie()->FrameDurationMs();
    return kOk;
}

buttonInstance::buttonInstance(tagDefineButton& definition, movie& timeline, u32 entry)
    : definition_(definition), timeline_(timeline), entry_(entry) {}

void buttonInstance::ReleaseInstance(NameTree& tree, u32 index) {
    SwitchState(0);
    player& root = timeline_.Player();
    root.ForgetButton(this);
    --timeline_.buttonCount;
    Hide(tree, index, definition_);
    delete this;
}

Result buttonInstance::SwitchState(u8 states) {
    if (states == states_) return kOk;
    NameTree& tree = timeline_.DisplayList();
    for (u32 i = 0; i < definition_.RecordCount(); ++i) {
        const u8* record = definition_.Record(i);
        if (!(record[0] & states_)) continue;
        const u32 child = tree.FindChild(entry_, readLE16(record + button::kRecordLayer));
        if (child != kNoEntry) tree.Remove(child);
    }
    states_ = states;
    for (u32 i = 0; i < definition_.RecordCount(); ++i) {
        const u8* record = definition_.Record(i);
        if (!(record[0] & states_)) continue;
        // Buttons showing themselves multiply their instances at every level.
        if (!timeline_.Player().Spend()) return kErrBadData;
        const document* owner = definition_.Owner();
        tagObject* character = owner ? owner->FindCharacter(readLE16(record + button::kRecordCharacter)) : nullptr;
        if (!character) continue;
        const u32 child = tree.FindOrAdd(entry_, readLE16(record + button::kRecordLayer));
        if (child == kNoEntry) return tree.Status();
        SWF_TRY(character->Instantiate(child, timeline_));
        // The record may have been copied by a table that grew: read it again.
        const u8* kept = definition_.Record(i);
        NameTreeEntry& e = tree.Entry(child);
        e.matrix = GetMatrix(kept + button::kRecordMatrix);
        e.cxform = GetCxform(kept + button::kRecordCxform);
    }
    return kOk;
}

Result tagDefineButton::Instantiate(u32 index, movie& timeline) {
    NameTree& tree = timeline.DisplayList();
    SWF_TRY(PrepareEntry(tree, index));
    buttonInstance* instance = new (std::nothrow) buttonInstance(*this, timeline, index);
    if (!instance) return kErrMemory;
    Show(tree, index, instance, *this, kEntryButton);
    ++timeline.buttonCount;
    // Front to back: the button goes before the first listed button further back.
    player& root = timeline.Player();
    u32 position = 0;
    for (u32 at = tree.First(); at != kNoEntry && at != index; at = tree.Entry(at).next) ++position;
    auto& buttons = root.Buttons();
    auto before = std::find_if(buttons.begin(), buttons.end(), [&](buttonInstance* b) {
        u32 p = 0;
        for (u32 at = tree.First(); at != kNoEntry && at != b->Entry(); at = tree.Entry(at).next) ++p;
        return p > position;
    });
    buttons.insert(before, instance);
    return instance->SwitchState(button::kStateUp);
}

Rect tagDefineButton::GetBounds() const {
    // Buttons may show buttons that show them again.
    static thread_local u32 nesting = 0;
    if (nesting > kMaxDisplayLevel) return Rect{};
    ++nesting;
    Rect bounds;
    bool any = false;
    for (u32 i = 0; i < RecordCount(); ++i) {
        const u8* record = records_.Data() + i * button::kRecordSize;
        if (!(record[0] & button::kStateUp) || !Owner()) continue;
        const tagObject* character = Owner()->FindCharacter(readLE16(record + button::kRecordCharacter));
        if (!character || character == this) continue;
        const Rect r = TransformedBounds(character->GetBounds(), GetMatrix(record + button::kRecordMatrix));
        if (!any) bounds = r;
        bounds = Rect{std::min(bounds.xMin, r.xMin), std::min(bounds.yMin, r.yMin), std::max(bounds.xMax, r.xMax),
                      std::max(bounds.yMax, r.yMax)};
        any = true;
    }
    --nesting;
    return bounds;
}

}  // namespace swf
