#pragma once
// The program's single undo step: which object can take back its last change, under which
// four-character code, and how to forget it. Choosing Undo posts the code to the owner; the
// owner takes the change back and the menu then offers Redo, which posts the code again.
// The menu's texts come from the language texts' [UndoStrings]: "UndoMenuItem" or
// "RedoMenuItem", a space, and the text stored under the code's four characters.
#include <functional>
#include <string>

#include "engine/base/EngineTypes.h"
#include "framework/messaging/RSender.h"

class CListener;
class mfxMenu;

namespace Ostrel {

constexpr const char* kUndoStringsSection = "UndoStrings";

class UndoManager : public RSender {
public:
    using ReleaseProc = void (*)(CListener* owner, FourCC code);
    // (key) → the [UndoStrings] text; by default the language texts.
    using TextSource = std::function<std::string(const char* key)>;

    explicit UndoManager(u32 menuItem, TextSource texts = {});

    // Makes (owner, code) the step that Undo takes back; an earlier step of another owner is
    // released first.
    void SetCurrent(CListener* owner, FourCC code, ReleaseProc release);
    // Posts the current code to its owner (parameters 0) and turns Undo into Redo or back.
    void Undo();
    void ReleaseCurrent();
    void DiscardIfOwner(const CListener* owner);
    FourCC GetCurrentCode() const { return code_; }
    // Who takes the current step back; null when there is none.
    const CListener* GetCurrentOwner() const { return owner_; }
    bool IsUndone() const { return undone_; }

    // "Undo Painting", "Redo Painting", or the bare "Undo" with nothing to take back.
    std::string MenuText() const;
    void UpdateMenu(mfxMenu& menu) const;

private:
    u32 menuItem_;
    TextSource texts_;
    CListener* owner_ = nullptr;
    FourCC code_ = 0;
    ReleaseProc release_ = nullptr;
    bool undone_ = false;
};

}  // namespace Ostrel
