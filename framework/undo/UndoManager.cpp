#include "framework/undo/UndoManager.h"

#include "framework/language/LanguageTexts.h"
#include "framework/menus/mfxMenu.h"

namespace Ostrel {

namespace {

std::string codeKey(FourCC code) {
    return {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
}

}  // namespace

UndoManager::UndoManager(u32 menuItem, TextSource texts)
    : RSender(fourCC("UNDO")), menuItem_(menuItem), texts_(std::move(texts)) {
    if (!texts_) texts_ = [](const char* key) { return std::string(LookupLanguageText(kUndoStringsSection, key).c_str()); };
}

void UndoManager::SetCurrent(CListener* owner, FourCC code, ReleaseProc release) {
    if (owner_ != nullptr && owner_ != owner) ReleaseCurrent();
    owner_ = owner;
    code_ = code;
    release_ = release;
    undone_ = false;
}

void UndoManager::Undo() {
    if (owner_ == nullptr) return;
    PostMessageTo(owner_, code_, 0, 0);
    undone_ = !undone_;
}

void UndoManager::ReleaseCurrent() {
    if (release_ != nullptr && owner_ != nullptr) release_(owner_, code_);
    owner_ = nullptr;
    code_ = 0;
    release_ = nullptr;
    undone_ = false;
}

void UndoManager::DiscardIfOwner(const CListener* owner) {
    if (owner_ != nullptr && owner_ == owner) ReleaseCurrent();
}

// The words are looked up each time: the language may have changed since the last.
std::string UndoManager::MenuText() const {
    const std::string undo = texts_("UndoMenuItem");
    if (owner_ == nullptr) return undo;
    const std::string what = texts_(codeKey(code_).c_str());
    const std::string verb = undone_ ? texts_("RedoMenuItem") : undo;
    return what.empty() ? verb : verb + " " + what;
}

void UndoManager::UpdateMenu(mfxMenu& menu) const {
    menu.FormatAcceleratorText(menuItem_, MenuText());
    menu.EnableItem(menuItem_, owner_ != nullptr);
}

}  // namespace Ostrel
