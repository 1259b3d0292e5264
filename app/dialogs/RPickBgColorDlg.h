#pragma once
// Chooses the slide show's background colour among the 21 colours of the project: the
// colours are chips in the dialog, a press on one (or the colour message 1000 with the index
// in its 16-bit parameter) makes it current and shows it in the large swatch. OK (or Enter)
// stores the current colour in the document and answers (code = the owner's kind, the
// dialog, 1396); leaving answers 1395 and stores nothing. The owner deletes the dialog.
// User-interface thread only.
#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

class RDocument;

constexpr const char* kPickBgColorContent = "RPickBgColorDlg";
constexpr u16 kPickBgColorLayout = 7700;
constexpr u32 kMsgPickBgColor = 1000;

class RPickBgColorDlg : public RDlgBase {
public:
    RPickBgColorDlg(CListener* owner, u32 kind) : RDlgBase(owner, kind) {}

    // 0 when up; `document` (may be null) gives the first colour and takes the chosen one.
    i16 Open(RDocument* document);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;

    u16 ColourIndex() const { return colour_; }
    // Where chip `index` lies on the screen.
    static Rect16 ChipRect(u16 index);

private:
    void Pick(u16 index);
    void Store();
    void Confirm();
    static void Draw(SprSprite* sprite);

    RDocument* document_ = nullptr;
    u16 colour_ = 0;
};

}  // namespace Ostrel
