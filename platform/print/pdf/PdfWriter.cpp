#include "platform/print/pdf/PdfWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>

namespace plat::print {
namespace {

constexpr uint32_t kCatalogObject = 1;
constexpr uint32_t kPagesObject = 2;
constexpr uint32_t kInfoObject = 3;
constexpr uint32_t kFirstPageObject = 4;
constexpr uint32_t kObjectsPerPage = 4;
constexpr size_t kOutChunk = 64 * 1024;

std::string format(const char* pattern, auto... values) {
    char buffer[160];
    const int n = std::snprintf(buffer, sizeof buffer, pattern, values...);
    if (n < 0) return {};
    if (size_t(n) < sizeof buffer) return std::string(buffer, size_t(n));
    // Large numbers can make a line longer than the buffer: format it again at its length.
    std::string longer(size_t(n), '\0');
    std::snprintf(longer.data(), longer.size() + 1, pattern, values...);
    return longer;
}

// Points (1/72 inch) of a pixel count at a resolution, to two decimals.
std::string points(int32_t pixels, uint16_t dpi) { return format("%.2f", double(pixels) * 72.0 / double(dpi)); }

}  // namespace

std::string pdfStringLiteral(const std::string& text) {
    std::string out = "(";
    for (unsigned char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20 || c > 0x7E) {
            out += format("\\%03o", unsigned(c));
        } else {
            out += char(c);
        }
    }
    return out + ")";
}

PdfWriter::PdfWriter(Sink sink) : sink_(std::move(sink)), offsets_(kFirstPageObject, 0) {}

int PdfWriter::put(const uint8_t* data, size_t size) {
    if (broken_) return kSpoolError;
    const int code = sink_(data, size);
    if (code != kSpoolOk) {
        broken_ = true;
        return code;
    }
    written_ += size;
    return kSpoolOk;
}

int PdfWriter::put(const std::string& text) { return put(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }

int PdfWriter::startObject(uint32_t number) {
    if (offsets_.size() <= number) offsets_.resize(number + 1, 0);
    offsets_[number] = written_;
    return put(format("%u 0 obj\n", number));
}

int PdfWriter::begin() {
    // The binary comment tells transfer tools the file is not text.
    return put(std::string("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"));
}

int PdfWriter::writeImage(const PageImage& page, const BandCheck& check, uint64_t* length) {
    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) return kSpoolOutOfMemory;
    std::vector<uint8_t> band(size_t(page.width) * 3 * size_t(kBandRows));
    std::vector<uint8_t> out(kOutChunk);
    int code = kSpoolOk;
    *length = 0;
    for (int32_t top = 0; top < page.height && code == kSpoolOk; top += kBandRows) {
        if (top > 0 && check && !check()) {
            code = kSpoolAppAbort;
            break;
        }
        const int32_t rows = std::min(kBandRows, page.height - top);
        // The drawing layer stores blue first; the image wants red first.
        uint8_t* to = band.data();
        for (int32_t y = top; y < top + rows; ++y) {
            const uint8_t* from = page.pixels + size_t(y) * size_t(page.stride);
            for (int32_t x = 0; x < page.width; ++x, from += 3, to += 3) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
            }
        }
        const bool last = top + rows >= page.height;
        z.next_in = band.data();
        z.avail_in = uInt(to - band.data());
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            const size_t made = out.size() - z.avail_out;
            *length += made;
            if (made) code = put(out.data(), made);
        } while (code == kSpoolOk && (z.avail_out == 0 || (last && z.avail_in > 0)));
    }
    deflateEnd(&z);
    return code;
}

int PdfWriter::addPage(const PageImage& page, const BandCheck& check) {
    if (broken_) return kSpoolError;
    if (!page.pixels || page.width <= 0 || page.height <= 0 || page.dpiX == 0 || page.dpiY == 0) {
        broken_ = true;
        return kSpoolError;
    }
    const uint32_t pageObject = kFirstPageObject + kObjectsPerPage * uint32_t(pageObjects_.size());
    const uint32_t contentObject = pageObject + 1, imageObject = pageObject + 2, lengthObject = pageObject + 3;
    const std::string width = points(page.width, page.dpiX), height = points(page.height, page.dpiY);
    const std::string content = "q " + width + " 0 0 " + height + " 0 0 cm /Im0 Do Q\n";
    int code = startObject(pageObject);
    if (code == kSpoolOk)
        code = put(format("<< /Type /Page /Parent %u 0 R /MediaBox [0 0 ", kPagesObject) + width + " " + height +
                   format("] /Resources << /XObject << /Im0 %u 0 R >> >> /Contents %u 0 R >>\nendobj\n", imageObject,
                          contentObject));
    if (code == kSpoolOk) code = startObject(contentObject);
    if (code == kSpoolOk)
        code = put(format("<< /Length %zu >>\nstream\n", content.size()) + content + "endstream\nendobj\n");
    if (code == kSpoolOk) code = startObject(imageObject);
    if (code == kSpoolOk)
        code = put(format("<< /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceRGB "
                          "/BitsPerComponent 8 /Filter /FlateDecode /Length %u 0 R >>\nstream\n",
                          page.width, page.height, lengthObject));
    uint64_t length = 0;
    if (code == kSpoolOk) code = writeImage(page, check, &length);
    if (code == kSpoolOk) code = put(std::string("\nendstream\nendobj\n"));
    if (code == kSpoolOk) code = startObject(lengthObject);
    if (code == kSpoolOk) code = put(format("%llu\nendobj\n", static_cast<unsigned long long>(length)));
    if (code != kSpoolOk) {
        broken_ = true;
        return code;
    }
    pageObjects_.push_back(pageObject);
    return kSpoolOk;
}

int PdfWriter::finish(const std::string& title) {
    std::string kids;
    for (uint32_t object : pageObjects_) kids += format("%u 0 R ", object);
    int code = startObject(kCatalogObject);
    if (code == kSpoolOk) code = put(format("<< /Type /Catalog /Pages %u 0 R >>\nendobj\n", kPagesObject));
    if (code == kSpoolOk) code = startObject(kPagesObject);
    if (code == kSpoolOk)
        code = put("<< /Type /Pages /Kids [" + kids + format("] /Count %zu >>\nendobj\n", pageObjects_.size()));
    if (code == kSpoolOk) code = startObject(kInfoObject);
    if (code == kSpoolOk) code = put("<< /Title " + pdfStringLiteral(title) + " /Producer (Tumblo) >>\nendobj\n");
    if (code != kSpoolOk) return code;
    const uint64_t xref = written_;
    // Every entry of the table is exactly 20 bytes, its end of line included.
    std::string table = format("xref\n0 %zu\n", offsets_.size()) + "0000000000 65535 f\r\n";
    for (size_t n = 1; n < offsets_.size(); ++n)
        table += format("%010llu 00000 n\r\n", static_cast<unsigned long long>(offsets_[n]));
    table += format("trailer\n<< /Size %zu /Root %u 0 R /Info %u 0 R >>\nstartxref\n%llu\n%%%%EOF\n", offsets_.size(),
                    kCatalogObject, kInfoObject, static_cast<unsigned long long>(xref));
    return put(table);
}

}  // namespace plat::print
