#include "document/clipboard/CCPObj.h"

#include <algorithm>
#include <vector>

#include "document/objects/RTextPageObject.h"
#include "platform/clipboard/choice/ClipboardChoice.h"

namespace Ostrel {

namespace {

std::vector<CCPObj*>& participants() {
    static std::vector<CCPObj*> list;
    return list;
}

}  // namespace

CCPObj::CCPObj(FourCC type) : type_(type) { participants().push_back(this); }

CCPObj::~CCPObj() { std::erase(participants(), this); }

ClipList& CCPObj::Clips() {
    static ClipList clips;
    return clips;
}

void CCPObj::Add(std::unique_ptr<Clip> clip) {
    if (auto* page = dynamic_cast<PageClip*>(clip.get()))
        if (auto* text = dynamic_cast<const RTextPageObject*>(&page->Object())) plat::clipboard().setText(text->text.text);
    Clips().Add(std::move(clip));
}

std::string CCPObj::DesktopText() { return plat::clipboard().text(); }

std::vector<u8> CCPObj::DesktopPicture() { return plat::clipboard().picture(); }

bool CCPObj::DesktopOffersPicture() { return plat::clipboard().offersPicture(); }

bool CCPObj::CopyActive() { return !participants().empty() && participants().back()->Copy(); }

bool CCPObj::CutActive() { return !participants().empty() && participants().back()->Cut(); }

bool CCPObj::PasteToFirstAccepting() {
    // A participant's paste may open or close others: walk a copy.
    const std::vector<CCPObj*> list = participants();
    for (CCPObj* participant : list)
        if (participant->CanPaste()) return participant->Paste();
    return false;
}

bool CCPObj::AnyCanPaste() {
    const std::vector<CCPObj*>& list = participants();
    return std::any_of(list.begin(), list.end(), [](CCPObj* p) { return p->CanPaste(); });
}

}  // namespace Ostrel
