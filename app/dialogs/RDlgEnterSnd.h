#pragma once
// Asks for the name of a recorded sound: the name dialog on its own layout, the label 7210,
// and no alphabet (every key goes to the field); the accepted name is still checked to be a
// usable file name. Answers as the name dialog does. User-interface thread only.
#include "app/dialogs/RDlgEnterName.h"

namespace Ostrel {

constexpr const char* kEnterSndContent = "EnterSnd";

class RDlgEnterSnd : public RDlgEnterName {
public:
    RDlgEnterSnd(CListener* owner, u32 kind) : RDlgEnterName(owner, kind, false) {}

    // 0 when up; `text` may be null.
    i16 Open(const char* text) { return OpenOn(kEnterSndContent, kEnterNameLabelFirst, text); }
};

}  // namespace Ostrel
