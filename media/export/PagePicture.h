#pragma once
// A page as the exports show it: its background, pictures and texts drawn as the canvas draws
// them, with the first frame of each vector graphic over them, into a 16-bit picture of the
// canvas's size (the page's top-left corner at its top-left), or of the slide show's size with
// the page in its middle as the show plays it. The exports take it as rows of RGB555 words, as
// a JPEG stream, or as a PNG stream with transparent pixels. User-interface thread.
#include <memory>
#include <string>
#include <vector>

#include "document/pages/RPageData.h"
#include "engine/gfx/GfxPort.h"
#include "tools/base/PixelView.h"

// Where the page's top-left corner lies in the picture, and the colour around the page.
struct PagePlacement {
    Point16 at{0, 0};
    u16 fill = 0x7FFF;
};

// The page's media a picture of it shows, as flags.
enum PagePictureMedia : u8 { kPictureNoMedia = 0, kPictureFlash = 1, kPictureMovies = 2 };

class PagePicture {
public:
    ~PagePicture();
    PagePicture(const PagePicture&) = delete;
    PagePicture& operator=(const PagePicture&) = delete;

    // Null when the picture cannot be made (no memory, a side of 0).
    static std::unique_ptr<PagePicture> Blank(u16 width, u16 height, u16 fill = 0x7FFF);
    // `media` (PagePictureMedia flags) names the kinds whose first picture shows at their
    // places; the places of the others show what lies beneath them.
    static std::unique_ptr<PagePicture> OfPage(const Ostrel::RPageData& page, u16 width, u16 height,
                                               u8 media = kPictureFlash, PagePlacement placement = {});
    // A picture of the canvas as the screen showed it (a JPEG stream); null when the stream is
    // no picture of width x height.
    static std::unique_ptr<PagePicture> Shown(const std::vector<u8>& jpeg, u16 width, u16 height);
    // The page as the slide show shows it in a picture of the show's size: in the middle at its
    // background picture's size (at the top-left without one), the show's colour around it.
    static PagePlacement SlidePlacement(const Ostrel::RPageData& page, u16 width, u16 height, u16 fill);
    // The RGB555 colour of a show's background colour index; black outside the table.
    static u16 ShowBackground(u16 colourIndex);

    u16 Width() const { return width_; }
    u16 Height() const { return height_; }
    // The rows, top row first, for as long as the picture lives.
    const PixelView& Pixels() const { return view_; }
    // The same rows as the drawing engine describes them.
    const GfxPixelDescriptor& Bits() const { return bits_; }
    // The picture as a JPEG stream (without the picture block's header); empty on failure.
    std::vector<u8> Jpeg();
    // The picture as a PNG stream, its pixels of the colour `uncovered` transparent and the
    // others opaque: coded without loss, so that what lies beneath shows exactly there. Empty
    // on failure.
    std::vector<u8> PngLeavingOut(u16 uncovered) const;
    // The `area` of a port (any depth) as a JPEG stream; empty on failure.
    static std::vector<u8> JpegOf(GfxPort* port, const Rect16& area);
    // The picture written to `path` (an engine text) in one of the media runtime's picture
    // formats; imgExportPicture's result.
    u16 Export(const std::string& path, u32 format);

private:
    PagePicture() = default;
    void View();
    void Relock();

    GfxPort* port_ = nullptr;
    GfxPixelDescriptor bits_{};
    PixelView view_;
    u16 width_ = 0, height_ = 0;
};
