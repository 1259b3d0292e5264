#include "app/print/RPrintDialog.h"

#include <algorithm>
#include <string>

#include "app/print/MakeLayoutJob.h"
#include "app/print/PictureSurface.h"
#include "framework/language/LanguageTexts.h"
#include "framework/windows/mfxWindow.h"

namespace Ostrel {

namespace {

constexpr const char* kTextSection = "DialogsStrings";

struct ItemText {
    u16 item;
    const char* key;
};

constexpr ItemText kCommonTexts[] = {
    {kPrintFullPage, "FullPageRadio"}, {kPrintOk, "Ok"}, {kPrintCancel, "Cancel"}, {kPrintOptions, "PrintOptions"}};
constexpr ItemText kSlideShowTexts[] = {
    {kPrintComic, "ComicBookRadio"},   {kPrintCard, "CardBookRadio"},         {kPrintThumbnail, "ThumbnailRadio"},
    {kPrintStory, "StoryBookRadio"},   {kPrintLandscapeItem, "Landscape"},    {kPrintPortraitItem, "Portrait"},
    {kPrintModeGroup, "PrintMode"},    {kPrintOrientationGroup, "Orientation"}, {kPrintPreviewGroup, "Preview"},
    {kPrintSlidesGroup, "Slides"},     {kPrintFirstLabel, "PrintLabel1"},     {kPrintFirstLabel + 1, "PrintLabel2"},
    {kPrintFirstLabel + 2, "PrintLabel3"}, {kPrintFirstLabel + 3, "PrintLabel4"}, {kPrintFirstLabel + 4, "PrintLabel5"},
    {kPrintFirstLabel + 5, "PrintLabel6"}, {kPrintStartingLabel, "StartingSlide"}, {kPrintEndingLabel, "EndingSlide"}};
constexpr ItemText kPictureTexts[] = {{kPrintPoster, "Poster"},
                                      {kPrintPoster2x2, "Poster2x2"},
                                      {kPrintPoster3x3, "Poster3x3"},
                                      {kPrintReverse, "Reverse"},
                                      {kPrintModeGroup, "PrintMode"}};

constexpr u16 kLayoutButtons[] = {kPrintFullPage, kPrintComic, kPrintCard, kPrintThumbnail, kPrintStory, kPrintPoster};

std::string text(const char* key) { return LookupLanguageText(kTextSection, key).c_str(); }

}  // namespace

u16 PrintPreviewPicture(u32 layout, u32 orientation) {
    const u16 portrait = orientation == kPrintPortrait ? 1 : 0;
    switch (layout) {
    case kLayoutFullPage: return kPreviewFullPage;
    case kLayoutStory: return u16(901 + portrait);
    case kLayoutCard: return u16(903 + portrait);
    case kLayoutComic: return u16(905 + portrait);
    case kLayoutThumbnail: return kPreviewThumbnail;
    default: return 0;
    }
}

u32 PrintCellsOfLayout(u32 layout) {
    switch (layout) {
    case kLayoutComic: return 6;
    case kLayoutCard: return 4;
    case kLayoutThumbnail: return 24;
    case kLayoutStory: return 2;
    default: return 1;
    }
}

RPrintDialog::RPrintDialog(mfxWindow* owner, u32 dialogId)
    : mfxModalDialog(owner, u16(dialogId)), dialogId_(dialogId), owner_(owner) {}

RPrintDialog::~RPrintDialog() {
    // The item only borrows the picture, which goes before the item does.
    if (HasItem(kPrintPreviewPicture)) SetPicture(kPrintPreviewPicture, nullptr);
}

plat::gdi::Surface* RPrintDialog::PreviewSurface() const {
    if (preview_ < kPreviewFullPage || preview_ > kPreviewThumbnail) return nullptr;
    return previews_[preview_ - kPreviewFullPage].get();
}

void RPrintDialog::ShowPreview() {
    if (HasItem(kPrintPreviewPicture)) SetPicture(kPrintPreviewPicture, PreviewSurface());
}

void RPrintDialog::LoadTexts() {
    const auto put = [this](u16 item, const char* key) {
        const std::string value = text(key);
        if (!value.empty() && HasItem(item)) SetItemText(item, value);
    };
    const std::string title = text(dialogId_ == kPrintModeSlides ? "ProjectPrintDlg" : "EaselPrintDlg");
    if (!title.empty()) SetTitle(title);
    for (const ItemText& t : kCommonTexts) put(t.item, t.key);
    if (dialogId_ == kPrintModeSlides)
        for (const ItemText& t : kSlideShowTexts) put(t.item, t.key);
    else
        for (const ItemText& t : kPictureTexts) put(t.item, t.key);
}

void RPrintDialog::Initialize() {
    LoadTexts();
    layout_ = kLayoutFullPage;
    for (u16 button : kLayoutButtons)
        if (HasItem(button)) SetCheck(button, button == kPrintFullPage);
    if (dialogId_ == kPrintModeSlides) {
        ResetOrientation();
        for (size_t i = 0; i < previews_.size(); ++i) previews_[i] = LoadPictureSurface(u16(kPreviewFullPage + i));
        preview_ = kPreviewFullPage;
        ShowPreview();
    } else {
        SetCheck(kPrintPoster2x2, true);
        SetCheck(kPrintPoster3x3, false);
        EnableItem(kPrintPoster2x2, false);
        EnableItem(kPrintPoster3x3, false);
    }
}

void RPrintDialog::ResetOrientation() {
    orientation_ = kPrintLandscape;
    SetCheck(kPrintLandscapeItem, true);
    SetCheck(kPrintPortraitItem, false);
    EnableItem(kPrintLandscapeItem, false);
    EnableItem(kPrintPortraitItem, false);
    SetSlideFields(1, false);
}

void RPrintDialog::SetSlideFields(u32 cells, bool enableEnding) {
    SetItemText(kPrintStartingSlide, "1");
    // A full page prints one slide: there is no end to give.
    const std::string none = text("EndingSlideNone");
    SetItemText(kPrintEndingSlide, enableEnding ? std::to_string(cells) : none.empty() ? "n/a" : none);
    EnableItem(kPrintEndingSlide, enableEnding);
}

void RPrintDialog::ChooseLayout(u32 layout) {
    if (layout == layout_) return;
    layout_ = layout;
    for (u16 button : kLayoutButtons)
        if (HasItem(button)) SetCheck(button, button == layout + kPrintFullPage);
}

void RPrintDialog::ChooseOrientation(u32 orientation) {
    orientation_ = orientation;
    SetCheck(kPrintLandscapeItem, orientation == kPrintLandscape);
    SetCheck(kPrintPortraitItem, orientation == kPrintPortrait);
}

i64 RPrintDialog::FieldNumber(u16 item) const {
    const std::string value = GetItemText(item);
    if (value.empty() || value.size() > 9 || !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoll(value);
}

bool RPrintDialog::Validate() {
    if (dialogId_ != kPrintModeSlides) return true;
    const i64 first = FieldNumber(kPrintStartingSlide);
    if (first < 1 || first > i64(kMaxStartingSlide)) {
        SetFocus(kPrintStartingSlide);
        return false;
    }
    if (layout_ == kLayoutFullPage) {
        firstSlide_ = lastSlide_ = u32(first);
        return true;
    }
    const i64 last = FieldNumber(kPrintEndingSlide);
    if (last < first) {
        SetFocus(kPrintEndingSlide);
        return false;
    }
    // One sheet at most.
    firstSlide_ = u32(first);
    lastSlide_ = u32(std::min<i64>(last, first + PrintCellsOfLayout(layout_) - 1));
    return true;
}

// Checked before the dialog closes, so that a refused orientation can be chosen again.
bool RPrintDialog::OrientationSuitsLayout() {
    if (dialogId_ != kPrintModeSlides || !baseJob_) return true;
    const std::unique_ptr<RPrintJob> job = MakeLayoutJob(layout_, posterSize_, baseJob_->Sources());
    if (job->CheckOrientation(orientation_ == kPrintLandscape) == 0) return true;
    SetFocus(orientation_ == kPrintLandscape ? kPrintPortraitItem : kPrintLandscapeItem);
    return false;
}

void RPrintDialog::OnCommand(u16 item, u16 notification, u8 key) {
    mfxModalDialog::OnCommand(item, notification, key);
    const bool slides = dialogId_ == kPrintModeSlides;
    switch (item) {
    case kPrintFullPage: ChooseFullPage(slides); break;
    case kPrintComic:
    case kPrintCard:
    case kPrintStory:
        if (!slides) return;
        ChooseSlidesPerPage(item);
        break;
    case kPrintThumbnail:
        if (!slides) return;
        ChooseThumbnails();
        break;
    case kPrintPoster:
        if (slides) return;
        ChoosePoster();
        break;
    case kPrintPoster2x2:
    case kPrintPoster3x3:
        posterSize_ = item == kPrintPoster3x3 ? 1 : 0;
        SetCheck(kPrintPoster2x2, posterSize_ == 0);
        SetCheck(kPrintPoster3x3, posterSize_ == 1);
        break;
    case kPrintLandscapeItem:
    case kPrintPortraitItem: ChooseOrientation(item == kPrintLandscapeItem ? kPrintLandscape : kPrintPortrait); break;
    case kPrintStartingSlide:
    case kPrintEndingSlide:
        SelectAll(item);
        SetFocus(item);
        break;
    case kPrintOk:
        if (Validate() && OrientationSuitsLayout()) {
            result_ = kPrintDialogOk;
            EndModal(result_);
        }
        break;
    case kPrintCancel:
        result_ = kPrintDialogCancel;
        EndModal(result_);
        break;
    case kPrintReverse: ToggleReverse(); break;
    case kPrintOptions:
        if (baseJob_) baseJob_->ShowPrintDialog(owner_ ? owner_->GetHandle() : plat::kNoWindow);
        break;
    default: return;
    }
    if (slides) {
        preview_ = PrintPreviewPicture(layout_, orientation_);
        ShowPreview();
    }
}

void RPrintDialog::ChooseFullPage(bool slides) {
    ChooseLayout(kLayoutFullPage);
    if (slides) {
        ResetOrientation();
        return;
    }
    EnableItem(kPrintReverse, true);
    SetCheck(kPrintPoster, false);
    EnableItem(kPrintPoster2x2, false);
    EnableItem(kPrintPoster3x3, false);
}

void RPrintDialog::ChooseSlidesPerPage(u16 item) {
    ChooseOrientation(kPrintLandscape);
    EnableItem(kPrintLandscapeItem, true);
    EnableItem(kPrintPortraitItem, true);
    ChooseLayout(item - kPrintFullPage);
    SetSlideFields(PrintCellsOfLayout(layout_), true);
}

void RPrintDialog::ChooseThumbnails() {
    ChooseOrientation(kPrintPortrait);
    EnableItem(kPrintLandscapeItem, false);
    EnableItem(kPrintPortraitItem, true);
    ChooseLayout(kLayoutThumbnail);
    SetSlideFields(PrintCellsOfLayout(kLayoutThumbnail), true);
}

void RPrintDialog::ChoosePoster() {
    reverse_ = 0;
    SetCheck(kPrintReverse, false);
    EnableItem(kPrintReverse, false);
    SetCheck(kPrintFullPage, false);
    ChooseLayout(kLayoutPoster);
    EnableItem(kPrintPoster2x2, true);
    EnableItem(kPrintPoster3x3, true);
}

// Reversed printing is the full page's alone: choosing it leaves the poster.
void RPrintDialog::ToggleReverse() {
    reverse_ = IsChecked(kPrintReverse) ? 0 : 1;
    SetCheck(kPrintReverse, reverse_ != 0);
    if (layout_ == kLayoutFullPage) return;
    ChooseLayout(kLayoutFullPage);
    SetCheck(kPrintPoster, false);
    EnableItem(kPrintPoster2x2, false);
    EnableItem(kPrintPoster3x3, false);
}

}  // namespace Ostrel
