#pragma once
// The print options dialog of the easel (150, "Print This Picture": full page or reverse, or
// a poster of 2 x 2 or 3 x 3 sheets) and of the picker (151, "Print This SlideShow": the
// layout, the orientation and the slides, with a preview of the layout). Built from the
// dialog template of its id; the Options button opens the platform print dialog of the base
// job. OK keeps the dialog open while the slide numbers are wrong, with the focus on the
// wrong field. User-interface thread only.
#include <array>
#include <memory>

#include "app/print/RPrintJob.h"
#include "framework/dialogs/mfxModalDialog.h"
#include "platform/gdi/Surface.h"

namespace Ostrel {

// Items of the two dialogs.
constexpr u16 kPrintFullPage = 1000;
constexpr u16 kPrintComic = 1001;
constexpr u16 kPrintCard = 1002;
constexpr u16 kPrintThumbnail = 1003;
constexpr u16 kPrintStory = 1004;
constexpr u16 kPrintPoster = 1005;
constexpr u16 kPrintPoster2x2 = 1007;
constexpr u16 kPrintPoster3x3 = 1008;
constexpr u16 kPrintLandscapeItem = 1009;
constexpr u16 kPrintPortraitItem = 1010;
constexpr u16 kPrintStartingSlide = 1012;
constexpr u16 kPrintEndingSlide = 1013;
constexpr u16 kPrintOk = 1014;
constexpr u16 kPrintCancel = 1015;
constexpr u16 kPrintReverse = 1016;
constexpr u16 kPrintOptions = 1017;
constexpr u16 kPrintModeGroup = 1041;
constexpr u16 kPrintOrientationGroup = 1042;
constexpr u16 kPrintPreviewGroup = 1043;
constexpr u16 kPrintSlidesGroup = 1044;
constexpr u16 kPrintFirstLabel = 1045;
constexpr u16 kPrintStartingLabel = 1051;
constexpr u16 kPrintEndingLabel = 1052;
constexpr u16 kPrintPreviewPicture = 1053;

// Layouts: the chosen radio button's id less 1000.
constexpr u32 kLayoutFullPage = 0;
constexpr u32 kLayoutComic = 1;
constexpr u32 kLayoutCard = 2;
constexpr u32 kLayoutThumbnail = 3;
constexpr u32 kLayoutStory = 4;
constexpr u32 kLayoutPoster = 5;

// The results of the dialog.
constexpr u32 kPrintDialogRunning = 0;
constexpr u32 kPrintDialogOk = 1;
constexpr u32 kPrintDialogCancel = 2;

// The highest slide a print starts at.
constexpr u32 kMaxStartingSlide = 96;
// The preview pictures: full page, then landscape and portrait of story, card and comic, then thumbnail.
constexpr u16 kPreviewFullPage = 900;
constexpr u16 kPreviewThumbnail = 907;
constexpr size_t kPreviewCount = kPreviewThumbnail - kPreviewFullPage + 1;

// The picture previewing a layout in an orientation; 0 for none.
u16 PrintPreviewPicture(u32 layout, u32 orientation);
// How many slides a layout puts on one sheet.
u32 PrintCellsOfLayout(u32 layout);

class RPrintDialog : public mfxModalDialog {
public:
    RPrintDialog(mfxWindow* owner, u32 dialogId);
    ~RPrintDialog() override;

    void SetBaseJob(RPrintJob* job) { baseJob_ = job; }
    // Puts the texts of the current language and the starting choices in place.
    void Initialize();
    void OnCommand(u16 item, u16 notification, u8 key) override;

    u32 FirstSlide() const { return firstSlide_; }
    u32 LastSlide() const { return lastSlide_; }
    u16 Reverse() const { return reverse_; }
    u32 DialogId() const { return dialogId_; }
    u32 Layout() const { return layout_; }
    u32 Orientation() const { return orientation_; }
    u32 PosterSize() const { return posterSize_; }
    u32 PrintResult() const { return result_; }
    // The preview picture shown now; 0 for none.
    u16 PreviewShown() const { return preview_; }
    // The picture the preview item draws; null for none or a picture that could not be read.
    const plat::gdi::Surface* PreviewPicture() const { return PreviewSurface(); }

private:
    void LoadTexts();
    // The preview item draws the picture of preview_.
    void ShowPreview();
    plat::gdi::Surface* PreviewSurface() const;
    void ChooseLayout(u32 layout);
    // What each layout item does to the other items.
    void ChooseFullPage(bool slides);
    void ChooseSlidesPerPage(u16 item);
    void ChooseThumbnails();
    void ChoosePoster();
    void ToggleReverse();
    void ResetOrientation();
    // The Starting field reads 1; the Ending field offers the `cells` slides of a sheet, or
    // reads "n/a" and is off when only the starting slide prints.
    void SetSlideFields(u32 cells, bool enableEnding);
    void ChooseOrientation(u32 orientation);
    bool Validate();
    // Whether the chosen layout's job prints in the chosen orientation; when it does not, the
    // job has told the child and the other orientation gets the focus.
    bool OrientationSuitsLayout();
    // The number in a field; -1 when it holds none.
    i64 FieldNumber(u16 item) const;

    u32 firstSlide_ = 1;
    u32 lastSlide_ = 1;
    u16 reverse_ = 0;
    u32 dialogId_;
    u32 layout_ = kLayoutFullPage;
    u32 orientation_ = kPrintLandscape;
    u32 posterSize_ = 0;
    u32 result_ = kPrintDialogRunning;
    u16 preview_ = 0;
    RPrintJob* baseJob_ = nullptr;
    // The slide show dialog's preview pictures, 900 onwards; loaded when it is initialised.
    std::array<std::unique_ptr<plat::gdi::Surface>, kPreviewCount> previews_;
    mfxWindow* owner_;
};

}  // namespace Ostrel
