#pragma once
// The looks of every button, drawn from one description: a rounded, glossy face in the
// button's colour with a dark outline, its icon, an optional label and an optional check box
// ("check": true ticked, false empty) left of the label. Up is the plain
// look; highlighted lights the face up and rings it in gold; down darkens it and pushes the
// icon in; selected stays pushed in with the gold ring, so a chosen tool stands out;
// disabled is the up look turned grey and pale. A button set names one shape per state in
// the order up, highlighted, down, selected.
#include <array>

#include <nlohmann/json.hpp>

#include "contentgen/content/ArtPainter.h"

enum class ButtonLook { Up, Highlighted, Down, Selected, Disabled };
constexpr std::array<ButtonLook, 4> kButtonStateLooks = {ButtonLook::Up, ButtonLook::Highlighted, ButtonLook::Down,
                                                         ButtonLook::Selected};
// "up", "highlighted", "down", "selected", "disabled"; throws ArtError for another name.
ButtonLook buttonLookNamed(const std::string& name);

// The button's art for one look, as painter operations in a box of the button's size plus
// a margin of kButtonMargin on every side (for the glow).
nlohmann::json buttonOps(const nlohmann::json& button, ButtonLook look);
constexpr int kButtonMargin = 6;

// Lighter (amount > 0, towards white) or darker (amount < 0, towards black) "#rrggbb".
std::string artShade(const std::string& colour, double amount);
