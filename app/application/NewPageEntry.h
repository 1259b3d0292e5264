#pragma once
// The new page the application hands the easel it has just entered. Its number, 6605, is also
// the menus' Open on the slide-show screen (kMsgMenuOpenProject), which reaches the easel among
// the menus' broadcasts; only the application's record carries the page as this payload, so the
// easel redraws a page it was given and never takes the menus' Open for one.
#include "app/application/ApplicationMessages.h"
#include "framework/messaging/RMessage.h"

namespace Ostrel {

class RPage;

struct NewPageEntry {
    RPage* page = nullptr;
};

inline RMessage NewPageEntryMessage(RPage* page) {
    RMessage message(kMsgEaselNewPage, reinterpret_cast<uintptr_t>(page), 0);
    message.Carry(NewPageEntry{page});
    return message;
}

}  // namespace Ostrel
