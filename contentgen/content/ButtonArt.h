#pragma once
// The four looks of every button, drawn from one description: a rounded, glossy face in the
// button's colour with a dark outline, its icon and an optional label. Over lights the face
// up and rings it in gold; pressed darkens it and pushes the icon down; disabled is the
// normal look turned grey and pale. Frames are stored in this order, so a button's shape
// frames are normal, over, pressed, disabled.
#include <array>

#include <nlohmann/json.hpp>

#include "contentgen/content/ArtPainter.h"

enum class ButtonLook { Normal, Over, Pressed, Disabled };
constexpr std::array<ButtonLook, 4> kButtonLooks = {ButtonLook::Normal, ButtonLook::Over, ButtonLook::Pressed,
                                                    ButtonLook::Disabled};

// The button's art for one look, as painter operations in a box of the button's size plus
// a margin of kButtonMargin on every side (for the glow).
nlohmann::json buttonOps(const nlohmann::json& button, ButtonLook look);
constexpr int kButtonMargin = 6;

// Lighter (amount > 0, towards white) or darker (amount < 0, towards black) "#rrggbb".
std::string artShade(const std::string& colour, double amount);
