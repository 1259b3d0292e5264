// The slide strip and what is done to slides: building the cells from the project's pages,
// adding pictures, cut, copy, paste, delete, moves, closing the gaps, the per-slide dialogs and
// the arrangement's undo.
#include <algorithm>

#include "app/application/RApplication.h"
#include "app/dialogs/RDlgTiming.h"
#include "app/dialogs/RDlgToggle.h"
#include "app/dialogs/RTransDialogue.h"
#include "app/window/MenuMessages.h"
#include "document/pages/RPageData.h"
#include "document/project/ProjectCopy.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/users/EnginePath.h"
#include "engine/files/OsFiles.h"
#include "engine/gfx/GfxBusyCursor.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RHotSpotList.h"
#include "framework/language/LanguageTexts.h"
#include "screens/picker/PickerCommands.h"
#include "screens/picker/RPicker.h"
#include "screens/picker/UndoPicker.h"

namespace Ostrel {

namespace {

constexpr u16 kStripCellsShape = 5058;
constexpr u16 kStripFrameShape = 5219;
constexpr u16 kStripBackArrow = 5060;
constexpr u16 kStripForwardArrow = 5068;
constexpr u16 kStripFirstHotSpot = 5080;
constexpr u32 kArrowSpriteFlags = 0xC08000;
constexpr u16 kSlideTrashAnimation = 5006;

struct DetailHotSpots {
    u16 shape;
    u16 group;
    u32 message;
    u16 picture;
    bool showsLabel;
};
// The controls of each visible cell's detail row, by mode group: the slide's sounds, its
// timing (with the timing label) and its transition.
constexpr DetailHotSpots kDetailHotSpots[] = {
    {5119, kBmoModeDetail, kPickerCellToggle, 6507, false},
    {5093, kBmoModeDetail + 1, kPickerCellTiming, 6502, true},
    {5107, kBmoModeDetail + 2, kPickerCellTransition, 6505, false},
};

std::vector<Rect16> shapeParts(u16 shape) {
    Rect16 parts[kSprMaxParts];
    const i16 count = sprGetShapePartRects(shape, parts);
    return std::vector<Rect16>(parts, parts + std::max<i16>(count, 0));
}

std::string withoutExtension(std::string name) {
    if (const size_t slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

bool holdsPage(RDocument& document, int cell) {
    return cell >= 0 && cell < kMaxProjectPages && document.GetPage(u16(cell + 1))->Number() == u16(cell + 1);
}

}  // namespace

void RPicker::CreateStrip() {
    strip_ = std::make_unique<RBMOBitmapScroller>(this, 0);
    std::vector<Rect16> arrows;
    for (size_t i = 0; i < 2; ++i) {
        const u16 shape = i == 0 ? kStripBackArrow : kStripForwardArrow;
        arrowSprites_[i] = sprNew(kArrowSpriteFlags, shape, nullptr);
        if (arrowSprites_[i] == kSprNoId) arrowSprites_[i] = 0;
        if (SprSprite* sprite = sprFind(arrowSprites_[i])) {
            sprShow(sprite, 0);
            arrows.push_back(sprite->bounds);
        }
    }
    strip_->SetCellRects(shapeParts(kStripCellsShape), kStripFirstHotSpot, arrows);
    strip_->SetPageStep(strip_->GetVisibleCount());
    strip_->SetFewCells(strip_->GetVisibleCount() < 4);
    GiveTrashCan();
    strip_->SetOwnerHotSpots(HotSpots());
    Rect16 frame{0, 0, 0, 0};
    for (const Rect16& part : shapeParts(kStripFrameShape)) frame = part;
    strip_->SetArea(stripArea_.bounds, frame);
    // In the strip's own list, after its cells: over a cell, the row's controls take the click
    // where the strip draws them.
    std::vector<BmoDetailControl> controls;
    for (const DetailHotSpots& row : kDetailHotSpots) {
        const std::vector<Rect16> parts = shapeParts(row.shape);
        controls.push_back({parts, cellSources_.icon ? cellSources_.icon(row.picture) : ScrollerPicture{}, row.showsLabel});
        for (size_t cell = 0; cell < parts.size(); ++cell) {
            HSInfo info;
            info.rect = parts[cell];
            info.message = row.message;
            info.group = row.group;
            if (RHotSpotItem* item = strip_->HotSpots().AddHotSpot(info, this)) item->SetRecord(cell);
        }
    }
    strip_->SetDetailControls(std::move(controls));
    strip_->RegisterInput();
    WatchPointerFirst();
}

void RPicker::BuildStrip(int firstVisible, int selected) {
    RDocument* document = Document();
    if (!document) {
        strip_.reset();
        SetSlideLabel(PickerText("EmptySlide"));
        return;
    }
    SlideCells cells = BuildSlideCells(*document, slideCount_, cellSources_);
    if (!strip_) CreateStrip();
    strip_->SetVectors(std::move(cells.thumbnails), std::move(cells.icons), std::move(cells.labels));
    for (size_t cell = 0; cell < cells.blank.size(); ++cell) strip_->SetBare(int(cell), cells.blank[cell]);
    strip_->SetMode(detail_ ? kBmoModeDetail : kBmoModePlain);
    strip_->EnableCells(true);
    strip_->ScrollTo(firstVisible);
    strip_->Select(std::clamp(selected, 0, strip_->GetCount() - 1), false);
    ShowSlideName(strip_->GetSelected());
    strip_->Redraw();
}

void RPicker::RefreshCell(int cell) {
    RDocument* document = Document();
    if (!document || !strip_ || cell < 0 || cell >= strip_->GetCount()) return;
    SlideCells one;
    BuildSlideCell(*document, u16(cell + 1), cellSources_, one);
    strip_->SetThumbnail(cell, std::move(one.thumbnails[size_t(cell)]));
    strip_->SetIcon(cell, std::move(one.icons[size_t(cell)]));
    strip_->SetLabel(cell, std::move(one.labels[size_t(cell)]));
    strip_->SetBare(cell, one.blank[size_t(cell)]);
    strip_->Redraw();
}

void RPicker::ShowSlideName(int cell) {
    RDocument* document = Document();
    if (document && holdsPage(*document, cell))
        SetSlideLabel(withoutExtension(document->GetPage(u16(cell + 1))->FileName()));
    else
        SetSlideLabel(PickerText("EmptySlide"));
}

u16 RPicker::FirstFreePlace() const {
    RDocument* document = Document();
    if (!document || !strip_) return 0;
    const int selected = strip_->GetSelected();
    if (selected >= 0 && selected < slideCount_ && !holdsPage(*document, selected)) return u16(selected + 1);
    const u16 from = u16(selected >= 0 && selected + 1 < slideCount_ ? selected + 2 : 1);
    return document->FindBlankSlotWrapping(from);
}

u16 RPicker::PlaceAfterSelected() const {
    RDocument* document = Document();
    if (!document || !strip_) return 0;
    // The loaded picture follows the chosen slide, taking the place of a slide there; a blank
    // place chosen takes it itself (a new show's first); after the last place it goes to the
    // first free one.
    const int selected = strip_->GetSelected();
    if (selected >= 0 && selected < slideCount_ && !holdsPage(*document, selected)) return u16(selected + 1);
    if (selected >= 0 && selected + 2 <= slideCount_) return u16(selected + 2);
    return document->FindBlankSlotWrapping(1);
}

void RPicker::AskForPicture() {
    if (!Document() || !strip_ || !files_.choosePicture) return;
    const std::string path = files_.choosePicture();
    if (!path.empty()) AddPictureAsSlide(path, PlaceAfterSelected());
}

bool RPicker::AddPictureAsSlide(const std::string& path, u16 place) {
    RDocument* document = Document();
    if (!document || !strip_) return false;
    const Path* project = document->Config().GetPath();
    if (place == 0 || !project) return false;
    EnginePath folder;
    EnginePath source(path);
    std::string name;
    // A file no page can be is refused by its size, and one that is no page by its thumbnail,
    // before it is copied: a copy of gigabytes would hold the screen for long.
    const i64 size = source.empty() ? -1 : osGetPathSize(source.get());
    const char* refusal = source.empty()                             ? "CantOpenPictureFile"
                          : size > 0 && u64(size) > kPageFileMaxBytes ? "FileTooBig"
                          : ReadPageFileThumbnail(path).empty()      ? "CantReadPictureFile"
                                                                     : nullptr;
    if (refusal) {
        ShowAlert(LookupLanguageText("FileStrings", refusal).c_str(), nullptr, kAlertOk | kAlertIconStop);
        return false;
    }
    // The slide keeps its own copy beside the project, which names it from there.
    EngineErr copied = kOsErrBadPath;
    if (pathJoin(folder.get(), project, "..")->record) {
        GfxBusyCursor busy;
        copied = CopyFileIntoFolder(source.get(), folder.get(), &name);
    }
    if (copied != kErrNone) {
        ShowAlert(LookupLanguageText("FileStrings", "CantOpenPictureFile").c_str(), nullptr, kAlertOk | kAlertIconStop);
        return false;
    }
    EnginePath copy;
    pathJoin(copy.get(), folder.get(), name.c_str());
    char text[kSystemTextSize] = {};
    pathGetFullText(copy.get(), text);
    auto page = std::make_unique<RPage>(PageSettings{}, name, place);
    page->SetFilePath(text);
    if (document->PlacePage(place, std::move(page)) != kErrNone) {
        osDeletePath(copy.get());
        return false;
    }
    ShowPlacedSlide(place);
    return true;
}

void RPicker::ShowPlacedSlide(u16 place) {
    undo_->Record(kPickerUndoPlace);
    dirty_ = true;
    RefreshCell(place - 1);
    strip_->ScrollIntoView(place - 1);
    strip_->Select(place - 1, false);
    ShowSlideName(place - 1);
}

void RPicker::CutOrCopy(bool cut) {
    RDocument* document = Document();
    if (!document || !strip_) return;
    clipboard_.reset();
    undo_->Record(kPickerUndoClear);
    const int cell = strip_->GetSelected();
    if (!holdsPage(*document, cell)) {
        SetPasteEnabled(false);
        return;
    }
    ScrollerDrop drop;
    drop.kind = cut ? kThumbCut : kThumbCopy;
    drop.source = kDropSourceStrip;
    drop.sourceIndex = cell;
    drop.firstVisible = strip_->GetFirstVisible();
    Drop(drop);
}

void RPicker::DeleteSelectedSlide() {
    deleteKey_ = true;
    CutOrCopy(true);
    deleteKey_ = false;
}

void RPicker::Paste() {
    if (!clipboard_ || clipboard_->source != kDropSourceStrip || !strip_) return;
    auto entry = std::make_unique<PageThumbEntry>(*clipboard_);
    entry->kind = kThumbPlace;
    entry->destinationCell = strip_->GetSelected();
    DropSlide(std::move(entry));
}

void RPicker::Drop(const ScrollerDrop& drop) {
    RDocument* document = Document();
    if (drop.source == kDropSourceList) {
        ConfirmDelete(drop);
        return;
    }
    if (!document || !strip_) return;
    auto entry = std::make_unique<PageThumbEntry>();
    entry->kind = drop.kind;
    entry->source = drop.source;
    entry->sourceCell = drop.sourceIndex;
    entry->destinationCell = drop.destinationIndex;
    if (drop.kind == kThumbMove) {
        // The strip has moved its cells; the pages follow.
        if (!document->MovePageTo(u16(drop.sourceIndex + 1), u16(drop.destinationIndex + 1))) {
            BuildStrip(strip_->GetFirstVisible(), strip_->GetSelected());
            return;
        }
        clipboard_ = std::move(entry);
        undo_->Record(kPickerUndoMove);
        dirty_ = true;
        ShowSlideName(drop.destinationIndex);
        return;
    }
    if (!holdsPage(*document, drop.sourceIndex)) return;
    const RPage* page = document->GetPage(u16(drop.sourceIndex + 1));
    entry->sourceName = page->FileName();
    entry->sourcePath = page->FilePath();
    entry->settings = page->settings;
    entry->cut = drop.kind == kThumbCut;
    DropSlide(std::move(entry));
}

void RPicker::DropSlide(std::unique_ptr<PageThumbEntry> entry) {
    RDocument* document = Document();
    if (!document || !strip_) return;
    switch (entry->kind) {
    case kThumbCopy:
        clipboard_ = std::move(entry);
        undo_->Record(kPickerUndoCopy);
        SetPasteEnabled(true);
        break;
    case kThumbCut: {
        const int cell = entry->sourceCell;
        // The page's file stays: the entry names it until a paste makes the page again.
        document->RemovePage(u16(cell + 1));
        clipboard_ = std::move(entry);
        undo_->Record(kPickerUndoDelete);
        dirty_ = true;
        RefreshCell(cell);
        AnimateTrash(kSlideTrashAnimation);
        SetSlideLabel(PickerText("EmptySlide"));
        sprUpdateScreen(1);
        SetPasteEnabled(!deleteKey_);
        break;
    }
    case kThumbPlace: {
        const int to = entry->destinationCell;
        if (to < 0 || to >= slideCount_) return;
        const bool sourceHeld = !entry->cut;
        if (to == entry->sourceCell && sourceHeld && holdsPage(*document, to)) return;
        auto page = std::make_unique<RPage>(entry->settings, entry->sourceName, u16(to + 1));
        page->SetFilePath(entry->sourcePath);
        if (document->PlacePage(u16(to + 1), std::move(page)) != kErrNone) {
            PostMessageTo(this, kPickerShowCopyWarning);
            return;
        }
        undo_->Record(kPickerUndoPlace);
        dirty_ = true;
        RefreshCell(to);
        ShowSlideName(to);
        // A cut pasted once is a copy of the page it made from now on.
        entry->cut = false;
        entry->sourceCell = to;
        clipboard_ = std::move(entry);
        break;
    }
    default: break;
    }
}

void RPicker::ArrangementUndone(bool undo) {
    RDocument* document = Document();
    if (!document || !strip_) return;
    if (!(undo ? document->UndoArrangement() : document->RedoArrangement())) return;
    dirty_ = true;
    BuildStrip(strip_->GetFirstVisible(), strip_->GetSelected());
}

void RPicker::CloseGaps() {
    RDocument* document = Document();
    if (!document || !strip_) return;
    u16 next = 1;
    for (u16 place = 1; place <= slideCount_; ++place) {
        if (!holdsPage(*document, place - 1)) continue;
        if (place != next) document->MovePage(place, next);
        ++next;
    }
    undo_->Record(kPickerUndoClear);
    dirty_ = true;
    BuildStrip(strip_->GetFirstVisible(), strip_->GetSelected());
}

int RPicker::CellOfHotSpot(uintptr_t visibleCell) const {
    return strip_ ? strip_->GetFirstVisible() + int(visibleCell) : -1;
}

void RPicker::OpenSlideDialog(u32 code, int cell) {
    RDocument* document = Document();
    if (!document || !strip_) return;
    if (cell < 0) cell = strip_->GetSelected();
    // Only a place that holds a page: a blank cell is the shared blank page.
    if (!holdsPage(*document, cell)) return;
    RPage* page = document->GetPage(u16(cell + 1));
    if (dialog_) return;
    if (code == kMsgMenuTransition) {
        auto dialog = std::make_unique<RTransDialogue>(this, kPickerTransitionClosed);
        if (dialog->Open(page) != 0) return;
        dialog_ = std::move(dialog);
    } else if (code == kPickerTimingDialog) {
        auto dialog = std::make_unique<RDlgTiming>(this, kPickerTimingClosed);
        if (dialog->Open(page) != 0) return;
        dialog_ = std::move(dialog);
    } else {
        auto dialog = std::make_unique<RDlgToggle>(this, kPickerToggleClosed);
        if (dialog->Open(page) != 0) return;
        dialog_ = std::move(dialog);
    }
    dialogCell_ = cell;
}

void RPicker::DialogClosed(RMessage* message) {
    if (!dialog_ || message->param1 != reinterpret_cast<uintptr_t>(dialog_.get())) return;
    const bool confirmed = message->param2 == kDlgResultConfirm;
    dialog_.reset();
    if (confirmed) {
        dirty_ = true;
        RefreshCell(dialogCell_);
    }
    dialogCell_ = -1;
}

}  // namespace Ostrel
