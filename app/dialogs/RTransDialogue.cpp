#include "app/dialogs/RTransDialogue.h"

#include <algorithm>
#include <vector>

#include "app/application/RApplication.h"
#include "app/dialogs/StorePageSettings.h"
#include "document/pages/RPage.h"
#include "document/project/BackgroundColors.h"
#include "document/project/RDocument.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/regions/Rects.h"
#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/resources/mfxReadResource.h"
#include "text/host/TextKeys.h"

namespace Ostrel {

namespace {

// A colour index outside the table previews over black.
constexpr u16 kOutsideTableColor = 14;

u16 backgroundPixel(u16 index) {
    const BackgroundColor& c = kBackgroundColors[index < kBackgroundColorCount ? index : kOutsideTableColor];
    return rgb555(c.red, c.green, c.blue);
}

// The rows' sprite has no shape: its place is the rows' and stays where it is put.
void keepPlace(SprSprite*, memHandle) {}

void addRowArea(Rect16* area, const RBMOBitmapScroller& row) {
    for (int cell = 0; cell < row.GetVisibleCount(); ++cell) rectUnion(area, row.GetCellRect(cell));
}

// The page's stored values as places of a row: a negative one (as a signed word) is none.
i32 placeOf(u16 value) { return i16(value) < 0 ? -1 : i32(value); }

std::vector<Rect16> shapeParts(u16 shape) {
    Rect16 parts[kSprMaxParts];
    const i16 count = sprGetShapePartRects(shape, parts);
    return std::vector<Rect16>(parts, parts + std::clamp<i16>(count, 0, kSprMaxParts));
}

}  // namespace

RTransDialogue::~RTransDialogue() {
    if (preview_.IsRunning()) EndPreview();
    if (rowsSprite_) sprDispose(&rowsSprite_);
    for (auto& row : arrows_)
        for (u16& arrow : row)
            if (arrow) sprDispose(&arrow);
    transitions_.reset();
    sounds_.reset();
    if (stepPort_) {
        gfxUnlockPort(stepPort_);
        gfxDisposePort(stepPort_);
    }
}

i16 RTransDialogue::Open(RPage* page) {
    if (!page || Run(kTransContent, kTransLayout) != 0) return 1;
    page_ = page;
    transitionNames_.Load(kTransNamesList);
    soundNames_.Load(kTransSoundNamesList);
    transition_ = placeOf(page->GetTransitionEffect());
    sound_ = placeOf(page->GetTransitionOption());
    transitions_ = BuildRow(transitionNames_, kTransIconBase, kTransCmdPicked, kTransRowShape, kTransVisibleCells,
                            {kTransBackArrow, kTransForwardArrow}, arrows_[0], transition_);
    sounds_ = BuildRow(soundNames_, kTransSoundIconBase, kTransCmdSoundPicked, kTransSoundRowShape,
                       kTransSoundVisibleCells, {kTransSoundBackArrow, kTransSoundForwardArrow}, arrows_[1], sound_);
    ShowRows();
    sprUpdateScreen(1);
    return 0;
}

void RTransDialogue::ShowRows() {
    Rect16 area{0, 0, 0, 0};
    addRowArea(&area, *transitions_);
    addRowArea(&area, *sounds_);
    if (rectIsEmpty(area)) return;
    Point16 at{area.left, area.top};
    const u16 id = sprNewWithProcs(kDialogRootSpriteFlags, 0, &at, nullptr, &keepPlace, &RTransDialogue::DrawRows);
    rowsSprite_ = id == kSprNoId ? 0 : id;
    SprSprite* sprite = sprFind(rowsSprite_);
    if (!sprite) return;
    sprite->data1 = reinterpret_cast<uintptr_t>(this);
    sprite->bounds = area;
    if (GetRootSprite()) sprSetLayerById(rowsSprite_, 1, GetRootSprite());
    sprInvalRect(area);
}

void RTransDialogue::DrawRows(SprSprite* sprite) {
    auto* dialog = reinterpret_cast<RTransDialogue*>(sprite->data1);
    if (!dialog) return;
    for (RBMOBitmapScroller* row : {dialog->transitions_.get(), dialog->sounds_.get()})
        if (row) row->DrawCells();
}

std::unique_ptr<RBMOBitmapScroller> RTransDialogue::BuildRow(const StringList& names, u16 iconBase, u32 command,
                                                             u16 rowShape, size_t most, const u16 (&arrowShapes)[2],
                                                             u16 (&arrows)[2], i32 current) {
    std::vector<ScrollerPicture> icons;
    std::vector<std::string> labels;
    for (u16 i = 0; i < names.Count(); ++i) {
        // A cell whose icon is missing keeps its place and its name: the places are the
        // transitions' and sounds' numbers.
        ScrollerPicture icon;
        if (mfxReadResource(kTypeBitmap, u16(iconBase + i), &icon) != kErrNone) icon.clear();
        icons.push_back(std::move(icon));
        labels.push_back(names.CopyString(i).value_or(std::string()));
    }
    auto row = std::make_unique<RBMOBitmapScroller>(this, command);
    // A row of fewer places than its most cells shows them all and never scrolls.
    std::vector<Rect16> cells = shapeParts(rowShape);
    cells.resize(std::min({cells.size(), most, size_t(names.Count())}));
    // A row with more places than cells scrolls by its arrows, a whole row of cells at a time;
    // a row that shows every place has none.
    std::vector<Rect16> arrowRects;
    for (size_t i = 0; i < 2 && names.Count() > cells.size(); ++i) {
        // An arrow's sprite takes its place at its first step: its place is its shape's.
        const std::vector<Rect16> place = shapeParts(arrowShapes[i]);
        const u16 id = place.empty() ? kSprNoId : sprNew(kButtonSpriteFlags, arrowShapes[i], nullptr);
        arrows[i] = id == kSprNoId ? 0 : id;
        if (!arrows[i]) continue;
        arrowRects.push_back(place.front());
        if (GetRootSprite()) sprSetLayerById(arrows[i], 1, GetRootSprite());
    }
    row->SetCellRects(cells, rowShape, arrowRects);
    row->SetFewCells(names.Count() < most);
    row->SetIconsCentred(true);
    row->SetPageStep(row->GetVisibleCount());
    row->SetMode(kBmoModeDetail);
    row->SetVectors({}, std::move(icons), std::move(labels));
    row->RegisterInput();
    // A place past the row's is none.
    if (current >= 0) {
        row->Select(current, false);
        row->ScrollIntoView(current);
    }
    row->Refresh(kRefreshAll);
    return row;
}

void RTransDialogue::PickTransition(i32 index) {
    transition_ = index;
    // The sound of the same place goes with it, when there is one.
    if (index >= 0 && sounds_ && index < sounds_->GetCount()) {
        sounds_->Select(index, false);
        sounds_->ScrollIntoView(index);
        sounds_->Refresh(kRefreshAll);
        sound_ = index;
    }
    sprUpdateScreen(1);
}

void RTransDialogue::PickSound(i32 index) {
    sound_ = index;
    sprUpdateScreen(1);
}

void RTransDialogue::Confirm() {
    if (page_) {
        page_->SetTransitionEffect(u16(transition_));
        page_->SetTransitionOption(u16(sound_));
        StorePageSettings(*page_);
    }
    Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm);
}

void RTransDialogue::StartPreview() {
    RApplication* app = GetApplication();
    RDocument* document = app ? app->GetCurrentDocument() : nullptr;
    if (!document || !page_ || !sprScreen() || preview_.IsRunning()) return;
    app->GetCanvasRect(&previewRect_);
    const i16 width = i16(previewRect_.right - previewRect_.left), height = i16(previewRect_.bottom - previewRect_.top);
    if (width <= 0 || height <= 0) return;
    if (!stepPort_) {
        stepPort_ = gfxNewOffscreenPort(u16(width), u16(height), 16, nullptr);
        if (!stepPort_ || gfxLockPort(stepPort_) != kErrNone) return;
        step_ = pixelViewOfPort(*static_cast<GfxOffscreenPort*>(stepPort_));
    }
    // From the project's background colour into the slide.
    const Rect16 local = step_.Bounds();
    std::vector<u16> from, to;
    const PixelView fromView = pixelViewOfBuffer(from, width, height);
    fromView.Fill(backgroundPixel(document->BackgroundColor()));
    step_.Fill(backgroundPixel(document->BackgroundColor()));
    page_->Data().Render(stepPort_, 0, 0);
    const PixelView toView = pixelViewOfBuffer(to, width, height);
    toView.CopyRectFrom(step_, local);
    step_.CopyRectFrom(fromView, local);
    if (!preview_.Start(transitionKindOfIndex(transition_), fromView, toView, step_,
                        Point16{i16(width / 2), i16(height / 2)}))
        return;
    // A slide that comes in without a transition comes in without its sound.
    if (transitionKindOfIndex(transition_) != TransitionKind::None) transitionSounds_.Play(i16(sound_));
    previewTimed_ = false;
    // The preview stands in front of everything, the dialog too, which steps aside for it.
    covered_ = previewRect_;
    if (const SprSprite* root = sprFind(GetRootSprite())) rectUnion(&covered_, root->bounds);
    const Point16 at{covered_.left, covered_.top};
    const u16 id = sprNewWithProcs(kDialogRootSpriteFlags, 0, &at, nullptr, &keepPlace, &RTransDialogue::DrawPreview);
    previewSprite_ = id == kSprNoId ? 0 : id;
    if (SprSprite* sprite = sprFind(previewSprite_)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(this);
        sprite->bounds = covered_;
        sprBringToFront(sprite);
    }
    sprInvalRect(covered_);
}

void RTransDialogue::DrawPreview(SprSprite* sprite) {
    const auto* dialog = reinterpret_cast<const RTransDialogue*>(sprite->data1);
    const SprScreen* screen = sprScreen();
    if (!dialog || !dialog->stepPort_ || !screen || !screen->backgroundPort) return;
    GfxPort* port = gfxGetPort();
    gfxCopyBits(port, screen->backgroundPort, dialog->covered_, dialog->covered_, 0);
    gfxCopyBits(port, dialog->stepPort_, dialog->previewRect_, dialog->step_.Bounds(), 0);
}

void RTransDialogue::EndPreview() {
    preview_.Dispose();
    if (previewSprite_) sprDispose(&previewSprite_);
    // The whole screen is drawn again: the dialog comes back where the preview was.
    RApplication* app = GetApplication();
    sprInvalRect(app ? app->GetScreenRect() : covered_);
    sprUpdateScreen(1);
}

void RTransDialogue::HandleTick(u32 now) {
    if (!preview_.IsRunning()) return;
    if (!previewTimed_) {
        previewStart_ = now;
        previewTimed_ = true;
    }
    if (!preview_.StepFor(now - previewStart_, kTransPreviewMillis)) return;
    sprInvalRect(previewRect_);
    if (!preview_.IsRunning()) EndPreview();
}

u32 RTransDialogue::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kTransCmdPicked: PickTransition(i16(message->param2)); return 0;
    case kTransCmdSoundPicked: PickSound(i16(message->param2)); return 0;
    case kTransCmdPreview: StartPreview(); return 0;
    case kDlgResultConfirm: Confirm(); return 0;
    case kDlgResultLeave: Answer(kDlgResultLeave, reinterpret_cast<uintptr_t>(this), kDlgResultLeave); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RTransDialogue::HandleKey(u32 key) {
    if (LeaveOnEscape(key)) return 1;
    if (keyRecordVirtualKey(key) == kKeyReturn) StartPreview();
    return 1;
}

}  // namespace Ostrel
