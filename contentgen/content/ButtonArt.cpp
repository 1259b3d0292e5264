#include "contentgen/content/ButtonArt.h"

#include <cmath>
#include <cstdio>

using nlohmann::json;

namespace {

constexpr const char* kOutline = "#3b2a5c";
constexpr const char* kGlow = "#ffd84a";
// The smallest label a child reads through its outline.
constexpr double kLeastLabelSize = 11;
// A label keeps this far inside the button's face, clear of its border.
constexpr double kLabelInset = 8;

}  // namespace

std::string artShade(const std::string& colour, double amount) {
    const ArtColour c = artParseColour(colour);
    auto shade = [&](double v) {
        const double s = amount >= 0 ? v + (1 - v) * amount : v * (1 + amount);
        return int(std::lround(std::clamp(s, 0.0, 1.0) * 255));
    };
    char out[8];
    std::snprintf(out, sizeof out, "#%02x%02x%02x", shade(c.r), shade(c.g), shade(c.b));
    return out;
}

ButtonLook buttonLookNamed(const std::string& name) {
    static const std::pair<const char*, ButtonLook> looks[] = {{"up", ButtonLook::Up},
                                                               {"highlighted", ButtonLook::Highlighted},
                                                               {"down", ButtonLook::Down},
                                                               {"selected", ButtonLook::Selected},
                                                               {"disabled", ButtonLook::Disabled}};
    for (const auto& [n, look] : looks)
        if (name == n) return look;
    throw ArtError("unknown button look " + name);
}

json buttonOps(const json& button, ButtonLook look) {
    const double w = button.at("w").get<double>(), h = button.at("h").get<double>();
    const double m = kButtonMargin;
    std::string colour = button.value("colour", std::string("#5ab0ff"));
    const bool circle = button.value("shape", std::string("round")) == "circle";
    const double radius = circle ? std::min(w, h) / 2 : button.value("r", std::min(w, h) * 0.28);
    const bool in = look == ButtonLook::Down || look == ButtonLook::Selected;
    const double push = in ? 2 : 0;
    if (look == ButtonLook::Highlighted) colour = artShade(colour, 0.25);
    if (in) colour = artShade(colour, -0.2);

    json ops = json::array();
    if (look == ButtonLook::Highlighted || look == ButtonLook::Selected)
        ops.push_back({{"rect", {m - 4, m - 4, w + 8, h + 8}}, {"r", radius + 4}, {"fill", std::string(kGlow) + "c0"}});
    else if (!in)
        ops.push_back({{"rect", {m + 1, m + 3, w, h}}, {"r", radius}, {"fill", "#00000040"}});
    ops.push_back({{"rect", {m, m + push, w, h}},
                   {"r", radius},
                   {"fill", {{"linear", {0, m, 0, m + h}}, {"stops", {{0, artShade(colour, 0.35)}, {1, artShade(colour, -0.12)}}}}},
                   {"stroke", kOutline},
                   {"line", 3}});
    if (!in)
        ops.push_back({{"ellipse", {m + w / 2, m + h * 0.26, w * 0.36, h * 0.14}}, {"fill", "#ffffff55"}});
    // A check box at the face's left, ticked or empty, with the label right of it.
    const double checkSide = button.contains("check") ? 22 : 0, checkLeft = m + 8;
    if (checkSide > 0) {
        const double top = m + push + (h - checkSide) / 2;
        ops.push_back({{"rect", {checkLeft, top, checkSide, checkSide}}, {"r", 5}, {"fill", "#ffffff"}, {"stroke", kOutline}, {"line", 2.5}});
        if (button["check"].get<bool>())
            ops.push_back({{"poly", {{checkLeft + 4, top + 11}, {checkLeft + 9, top + 17}, {checkLeft + 19, top + 4}}},
                           {"open", true},
                           {"stroke", "#1b9e3e"},
                           {"line", 4}});
    }
    // With a label the picture takes the upper part of the face and the label the rest; a
    // button whose label is long in one language gives the label a larger share, so that it
    // breaks into lines a child can read rather than shrinking to fit one.
    const bool pictured = button.contains("icon") || button.contains("emoji");
    const double labelRoom = button.contains("label") && pictured ? h * button.value("labelShare", 0.3) : 0;
    if (button.contains("icon")) {
        const double size = button.value("iconSize", std::min(w, h - labelRoom) * 0.72);
        json icon = {{"use", button["icon"]},
                     {"at", {m + (w - size) / 2, m + push + (h - labelRoom - size) / 2}},
                     {"size", size}};
        ops.push_back(icon);
    }
    if (button.contains("emoji")) {
        const double size = button.value("iconSize", std::min(w, h - labelRoom) * 0.62);
        ops.push_back({{"emoji", button["emoji"]}, {"at", {m + w / 2, m + push + (h - labelRoom) / 2 + 1}}, {"size", size}});
    }
    if (button.contains("label")) {
        const double top = pictured ? m + push + h - labelRoom - 2 : m + push;
        const double boxH = pictured ? labelRoom : h;
        ops.push_back({{"key", button["label"]},
                       {"box", {m + kLabelInset + (checkSide > 0 ? checkSide + 8 : 0), top, w - 2 * kLabelInset - (checkSide > 0 ? checkSide + 8 : 0), boxH}},
                       {"size", button.value("labelSize", 15)},
                       {"least", kLeastLabelSize},
                       {"fill", "#ffffff"},
                       {"outline", kOutline},
                       {"outlineWidth", 3}});
    }
    return ops;
}
