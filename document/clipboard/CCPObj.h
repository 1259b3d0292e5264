#pragma once
// A participant in cut, copy and paste: each open editor of one kind of thing registers
// itself while it lives. Copy and Cut go to the newest participant; Paste to the first that
// can take what the clip list holds. Clips go to the program's clip list; a text clip also
// goes to the desktop's clipboard, so other programs can paste it.
#include <memory>
#include <string>
#include <vector>

#include "document/clipboard/ClipList.h"

namespace Ostrel {

class CCPObj {
public:
    explicit CCPObj(FourCC type);
    virtual ~CCPObj();
    CCPObj(const CCPObj&) = delete;
    CCPObj& operator=(const CCPObj&) = delete;

    FourCC Type() const { return type_; }
    virtual bool Copy() = 0;
    virtual bool Paste() = 0;
    virtual bool Cut() = 0;
    virtual bool CanPaste() = 0;

    static ClipList& Clips();
    static void Add(std::unique_ptr<Clip> clip);
    // The desktop clipboard's text, for pasting what another program copied.
    static std::string DesktopText();
    // Its picture (a PNG file) and whether it holds one.
    static std::vector<u8> DesktopPicture();
    static bool DesktopOffersPicture();
    static bool CopyActive();
    static bool CutActive();
    static bool PasteToFirstAccepting();
    static bool AnyCanPaste();

private:
    FourCC type_;
};

}  // namespace Ostrel
