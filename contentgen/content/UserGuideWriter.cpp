#include "contentgen/content/UserGuideWriter.h"

#include <string>

#include "contentgen/content/ArtPainter.h"
#include "contentgen/content/Cp1252.h"
#include "platform/print/pdf/PdfWriter.h"

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
    explicit GuidePage(const ArtFonts& fonts)
        : fonts_(fonts), surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kGuidePageWidth, kGuidePageHeight)),
          cr_(cairo_create(surface_)) {
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_paint(cr_);
    }
    ~GuidePage() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    GuidePage(const GuidePage&) = delete;
    GuidePage& operator=(const GuidePage&) = delete;

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

    // The page as the PDF writer takes it: blue, green, red bytes.
    std::vector<u8> pixels() {
        cairo_surface_flush(surface_);
        const u8* data = cairo_image_surface_get_data(surface_);
        const int stride = cairo_image_surface_get_stride(surface_);
        std::vector<u8> out(size_t(kGuidePageWidth) * kGuidePageHeight * 3);
        for (int y = 0; y < kGuidePageHeight; ++y)
            for (int x = 0; x < kGuidePageWidth; ++x) {
                const u8* from = data + size_t(y) * size_t(stride) + size_t(x) * 4;  // 0x00RRGGBB words
                const u32 p = u32(from[0]) | u32(from[1]) << 8 | u32(from[2]) << 16;
                u8* to = out.data() + (size_t(y) * kGuidePageWidth + size_t(x)) * 3;
                to[0] = u8(p);
                to[1] = u8(p >> 8);
                to[2] = u8(p >> 16);
            }
        return out;
    }

private:
    const ArtFonts& fonts_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
    double y_ = 0;
};

}  // namespace

std::vector<u8> writeUserGuide(const json& guide, Language language, const ArtFonts& fonts) {
    if (!fonts.body() || !fonts.label()) throw ArtError("the guide's fonts cannot be loaded");
    const std::string documentTitle = textOf(guide.at("title"), language);
    std::vector<u8> pdf;
    plat::print::PdfWriter writer([&pdf](const uint8_t* data, size_t size) {
        pdf.insert(pdf.end(), data, data + size);
        return plat::print::kSpoolOk;
    });
    if (writer.begin() != plat::print::kSpoolOk) throw ArtError("the guide cannot be started");
    int number = 0;
    for (const json& p : guide.at("pages")) {
        GuidePage page(fonts);
        page.band(documentTitle, textOf(p.at("title"), language));
        for (const json& text : p.at("paragraphs")) page.paragraph(textOf(text, language));
        page.foot(++number);
        const std::vector<u8> pixels = page.pixels();
        plat::print::PageImage image;
        image.pixels = pixels.data();
        image.width = kGuidePageWidth;
        image.height = kGuidePageHeight;
        image.stride = kGuidePageWidth * 3;
        image.dpiX = image.dpiY = kGuideDpi;
        if (writer.addPage(image, [] { return true; }) != plat::print::kSpoolOk) throw ArtError("a guide page cannot be stored");
    }
    // The document's information holds its title in the PDF's own code, which Latin letters share with cp1252.
    if (writer.finish(utf8ToCp1252(documentTitle).value_or("Tumblo 4")) != plat::print::kSpoolOk) throw ArtError("the guide cannot be finished");
    return pdf;
}
