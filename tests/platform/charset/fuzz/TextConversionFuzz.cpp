// libFuzzer target: any bytes taken as UTF-8 (text from the desktop, names from a disc) or as
// UTF-16 units become cp1252 text of one character per sequence or unit, reading only inside
// the input; cp1252 text survives a trip through UTF-8 or UTF-16 and back unchanged, so what a
// conversion gives converts back to itself. Typed text keeps exactly the characters of the
// plain conversion that were not replacements.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/charset/Conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::string fromUtf8 = plat::utf8ToCp1252(bytes);
    if (fromUtf8.size() > bytes.size()) std::abort();
    if (plat::utf8ToCp1252(plat::cp1252ToUtf8(fromUtf8)) != fromUtf8) std::abort();

    const std::string typed = plat::typedUtf8ToCp1252(bytes);
    if (typed.size() > fromUtf8.size()) std::abort();
    if (plat::typedUtf8ToCp1252(plat::cp1252ToUtf8(typed)) != typed) std::abort();

    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) units += char16_t(data[i] | (data[i + 1] << 8));
    const std::string fromUtf16 = plat::utf16ToCp1252(units);
    if (fromUtf16.size() != units.size()) std::abort();
    if (plat::utf16ToCp1252(plat::cp1252ToUtf16(fromUtf16)) != fromUtf16) std::abort();

    if (plat::utf8ToCp1252(plat::cp1252ToUtf8(bytes)) != bytes) std::abort();
    if (plat::utf16ToCp1252(plat::cp1252ToUtf16(bytes)) != bytes) std::abort();
    return 0;
}
