#include "platform/clipboard/x11/SelectionData.h"

#include "platform/charset/Conversion.h"

namespace plat {
namespace {

constexpr std::string_view kUtf8 = "UTF8_STRING";
constexpr std::string_view kLatin1 = "STRING";
constexpr std::string_view kPng = "image/png";
// Text targets answered with UTF-8, and the type each reply states.
struct Utf8Target {
    std::string_view name;
    std::string_view type;
};
constexpr Utf8Target kUtf8Targets[] = {
    {kUtf8, kUtf8}, {"text/plain;charset=utf-8", "text/plain;charset=utf-8"}, {"TEXT", kUtf8}};

constexpr unsigned char kFirstCp1252Only = 0x80;
constexpr unsigned char kLastCp1252Only = 0x9F;

std::vector<uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

// cp1252 and Latin-1 differ only in 0x80-0x9F, which Latin-1 leaves to control codes: those
// become '?' either way.
std::string latin1Of(std::string_view cp1252) {
    std::string out(cp1252);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= kFirstCp1252Only && u <= kLastCp1252Only) c = '?';
    }
    return out;
}

}  // namespace

std::vector<std::string> offeredTargets(const ClipboardOffer& offer) {
    std::vector<std::string> targets;
    if (!offer.png.empty()) targets.emplace_back(kPng);
    if (!offer.text.empty()) {
        for (const Utf8Target& t : kUtf8Targets) targets.emplace_back(t.name);
        targets.emplace_back(kLatin1);
    }
    return targets;
}

std::optional<SelectionData> selectionData(const ClipboardOffer& offer, std::string_view target) {
    if (target == kPng && !offer.png.empty()) return SelectionData{std::string(kPng), offer.png};
    if (offer.text.empty()) return std::nullopt;
    if (target == kLatin1) return SelectionData{std::string(kLatin1), bytesOf(latin1Of(offer.text))};
    for (const Utf8Target& t : kUtf8Targets)
        if (target == t.name) return SelectionData{std::string(t.type), bytesOf(cp1252ToUtf8(offer.text))};
    return std::nullopt;
}

std::string_view nextTextTarget(std::string_view refused) {
    if (refused.empty()) return kUtf8;
    if (refused == kUtf8) return kLatin1;
    return {};
}

std::string_view nextPictureTarget(std::string_view refused) { return refused.empty() ? kPng : std::string_view(); }

bool isPictureType(std::string_view type) { return type == kPng; }

std::string receivedText(std::string_view type, const std::vector<uint8_t>& bytes) {
    if (type == kLatin1) return latin1Of(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace plat
