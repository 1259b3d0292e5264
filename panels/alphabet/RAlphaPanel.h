#pragma once
// The alphabet panel, which small-kids mode shows for the text button: a strip of letters,
// digits and signs, each drawn in the current paint colour; picking one says its name and
// makes it the picture of the bitmap stamp, which lays it on the canvas. A colour change
// draws the strip again in the new colour, keeping the chosen character. The characters, the
// font and its size come from [SmallKidsAlphabet] of the program's settings, their order from
// the language (AlphabetOrder).
// User-interface thread only.
#include <string>
#include <vector>

#include "panels/base/RScrollToolPanel.h"
#include "tools/stamps/RStampSimpleBitmap.h"

namespace Ostrel {

constexpr u16 kAlphabetStripLayout = 18000;
constexpr u16 kAlphabetPanelShape = 18039;
// With no buttons of its own the alphabet's strip spans the panel, its arrows at the ends.
constexpr u16 kAlphabetArrowShape = 18347;
// Posted to itself by Init: announce the stamp tool and the settings.
constexpr u32 kMsgAlphabetAnnounce = 7839;
constexpr size_t kAlphabetMaxCharacters = 256;
constexpr size_t kAlphabetMaxFontName = 64;
constexpr const char* kDefaultAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890,.;?!'@#$%&*/+-=<>()";
constexpr const char* kDefaultAlphabetFont = "DejaVu Sans";
constexpr u16 kDefaultAlphabetFontSize = 36;

struct AlphabetSettings {
    std::string characters = kDefaultAlphabet;
    std::string fontName = kDefaultAlphabetFont;
    u16 fontSize = kDefaultAlphabetFontSize;
};
// The settings read through the program's texts, each checked: an empty or overlong set or
// name, or a size that is not one or two digits, keeps its default.
AlphabetSettings ReadAlphabetSettings();

class RAlphaPanel : public RScrollToolPanel {
public:
    RAlphaPanel(CListener* owner, const Paths* userPaths);
    ~RAlphaPanel() override;

    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // Draws every character again in the current paint colour and chooses the current one
    // anew (its picture to the stamp, its sound played).
    void RenderCharacters();
    int CurrentCharacter() const { return current_; }
    const AlphabetSettings& Settings() const { return settings_; }
    RStampSimpleBitmap* StampTool() const;
    u16 ArrowShape() const override { return kAlphabetArrowShape; }

private:
    void ChooseCharacter(int item);

    AlphabetSettings settings_;
    std::vector<int> order_;  // the set's index of each place of the strip
    int current_ = -1;
    u16 mascotSprite_ = 0;
    bool inInit_ = false;
};

}  // namespace Ostrel
