#pragma once
// A small PDF writer: each page is one picture, an RGB image of 8 bits per component at the
// page's own resolution, Flate-compressed and drawn over the whole page, so that the page's
// size on paper is its pixels over its pixels per inch. Bytes go out through a sink as they
// are made, a band of rows at a time, so a page is never held twice in memory. The object
// numbers are fixed: 1 the catalog, 2 the page tree, 3 the document information, then four
// per page (the page, its content, its image and the image's length).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/print/PrintTypes.h"

namespace plat::print {

class PdfWriter {
public:
    // Answers kSpoolOk or the spooler code of the write's failure.
    using Sink = std::function<int(const uint8_t* data, size_t size)>;
    // Asked between bands of a page; false stops the page.
    using BandCheck = std::function<bool()>;

    static constexpr int32_t kBandRows = 64;

    explicit PdfWriter(Sink sink);

    int begin();
    // kSpoolOk; kSpoolAppAbort when the check stopped the page; kSpoolOutOfMemory when the
    // compressor cannot start; kSpoolError for a page without pixels; or the sink's code.
    // After a failure the document cannot be finished.
    int addPage(const PageImage& page, const BandCheck& check);
    // The page tree, the information, the cross-reference table and the trailer.
    int finish(const std::string& title);

    uint32_t pageCount() const { return uint32_t(pageObjects_.size()); }

private:
    int put(const std::string& text);
    int put(const uint8_t* data, size_t size);
    int startObject(uint32_t number);
    int writeImage(const PageImage& page, const BandCheck& check, uint64_t* length);

    Sink sink_;
    uint64_t written_ = 0;
    bool broken_ = false;
    std::vector<uint64_t> offsets_;
    std::vector<uint32_t> pageObjects_;
};

// A PDF string literal: parentheses and backslashes escaped, bytes outside printable ASCII as
// octal escapes.
std::string pdfStringLiteral(const std::string& text);

}  // namespace plat::print
