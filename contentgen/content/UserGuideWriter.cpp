#include "contentgen/content/UserGuideWriter.h"

#include <cairo-pdf.h>

#include <memory>
#include <string>

#include "contentgen/content/ArtPainter.h"

using nlohmann::json;

namespace {

constexpr double kMargin = 80;
constexpr double kBandHeight = 150;
constexpr double kTitleSize = 34;
constexpr double kHeadingSize = 22;
constexpr double kBodySize = 17;
constexpr double kLineSpacing = 1.45;
constexpr double kStepIndent = 26;
constexpr size_t kHeadingWords = 4;

std::string textOf(const json& pair, Language language) {
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string())
        throw ArtError("a guide text is not an [English, Spanish] pair: " + pair.dump());
    return pair[size_t(language)].get<std::string>();
}

bool isHeading(const std::string& text) {
    size_t words = 1;
    for (char c : text) words += c == ' ';
    return words <= kHeadingWords && text.find('.') == std::string::npos;
}

// The words of `text` in lines no wider than `width` in the current font.
std::vector<std::string> wrap(cairo_t* cr, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        cairo_text_extents_t extents;
        cairo_text_extents(cr, longer.c_str(), &extents);
        if (extents.x_advance > width && !line.empty()) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        at = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

class GuidePage {
public:
    GuidePage(cairo_t* cr, const ArtFonts& fonts) : fonts_(fonts), cr_(cr) {}

    void band(const std::string& documentTitle, const std::string& title) {
        cairo_set_source_rgb(cr_, 0.36, 0.26, 0.62);
        cairo_rectangle(cr_, 0, 0, kGuidePageWidth, kBandHeight);
        cairo_fill(cr_);
        cairo_set_source_rgb(cr_, 1, 0.84, 0.3);
        cairo_rectangle(cr_, 0, kBandHeight, kGuidePageWidth, 8);
        cairo_fill(cr_);
        cairo_set_font_face(cr_, fonts_.body());
        cairo_set_font_size(cr_, kBodySize);
        cairo_set_source_rgb(cr_, 0.9, 0.88, 1);
        cairo_move_to(cr_, kMargin, 52);
        cairo_show_text(cr_, documentTitle.c_str());
        cairo_set_font_face(cr_, fonts_.label());
        cairo_set_font_size(cr_, kTitleSize);
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_move_to(cr_, kMargin, 112);
        cairo_show_text(cr_, title.c_str());
        y_ = kBandHeight + 60;
    }

    void paragraph(const std::string& text) {
        const bool step = text.rfind("- ", 0) == 0;
        const bool heading = !step && isHeading(text);
        const std::string body = step ? text.substr(2) : text;
        const double size = heading ? kHeadingSize : kBodySize;
        const double left = kMargin + (step ? kStepIndent : 0);
        cairo_set_font_face(cr_, heading ? fonts_.label() : fonts_.body());
        cairo_set_font_size(cr_, size);
        cairo_set_source_rgb(cr_, heading ? 0.36 : 0.13, heading ? 0.26 : 0.13, heading ? 0.62 : 0.2);
        if (heading) y_ += size * 0.6;
        bool first = true;
        for (const std::string& line : wrap(cr_, body, kGuidePageWidth - kMargin - left)) {
            if (step && first) {
                // A path of its own: the text leaves its end as the current point.
                cairo_new_path(cr_);
                cairo_arc(cr_, kMargin + 8, y_ - size * 0.35, 4.5, 0, 6.2832);
                cairo_fill(cr_);
            }
            cairo_move_to(cr_, left, y_);
            cairo_show_text(cr_, line.c_str());
            y_ += size * kLineSpacing;
            first = false;
        }
        y_ += size * 0.7;
        if (y_ > kGuidePageHeight - kMargin) throw ArtError("the guide's page is too full at: " + text);
    }

    void foot(int number) {
        const std::string text = std::to_string(number);
        cairo_set_font_face(cr_, fonts_.body());
        cairo_set_font_size(cr_, 14);
        cairo_set_source_rgb(cr_, 0.45, 0.45, 0.5);
        cairo_text_extents_t extents;
        cairo_text_extents(cr_, text.c_str(), &extents);
        cairo_move_to(cr_, (kGuidePageWidth - extents.x_advance) / 2, kGuidePageHeight - 40);
        cairo_show_text(cr_, text.c_str());
    }

private:
    const ArtFonts& fonts_;
    cairo_t* cr_;
    double y_ = 0;
};

cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<u8>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

}  // namespace

std::vector<u8> writeUserGuide(const json& guide, Language language, const ArtFonts& fonts) {
    if (!fonts.body() || !fonts.label()) throw ArtError("the guide's fonts cannot be loaded");
    const std::string documentTitle = textOf(guide.at("title"), language);
    std::vector<u8> pdf;
    // Drawn as text in the fonts it names, so that a reader can search, copy and read it aloud.
    constexpr double kPointsPerPixel = 72.0 / kGuideDpi;
    Surface surface(cairo_pdf_surface_create_for_stream(appendTo, &pdf, kGuidePageWidth * kPointsPerPixel,
                                                        kGuidePageHeight * kPointsPerPixel),
                    cairo_surface_destroy);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, documentTitle.c_str());
    // A date of its own would make every build of the content differ.
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, "2000-01-01T00:00:00Z");
    Context cr(cairo_create(surface.get()), cairo_destroy);
    cairo_scale(cr.get(), kPointsPerPixel, kPointsPerPixel);
    int number = 0;
    for (const json& p : guide.at("pages")) {
        GuidePage page(cr.get(), fonts);
        page.band(documentTitle, textOf(p.at("title"), language));
        for (const json& text : p.at("paragraphs")) page.paragraph(textOf(text, language));
        page.foot(++number);
        cairo_show_page(cr.get());
    }
    cr.reset();
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) throw ArtError("the guide cannot be written");
    return pdf;
}
