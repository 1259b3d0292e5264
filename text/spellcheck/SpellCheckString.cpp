#include "text/spellcheck/SpellCheckString.h"

#include <algorithm>

#include "text/spellcheck/ModalSpellCheckDialog.h"
#include "text/spellcheck/PhoneticSpellChecker.h"
#include "text/spellcheck/SpellCheckPass.h"

bool spellCheckString(std::string* text, int programLanguage, const std::string& programFolder,
                      const std::string& userFolder, mfxWindow* window) {
    // Offsets are those of the unchanged copy; the adjustment carries what earlier
    // replacements added or took away.
    std::string checked = *text;
    SpellReplaceRoutine replace = [&checked](u32 offset, u32 length, const std::string& replacement, i32* adjust) {
        const i64 at = i64(offset) + *adjust;
        if (at < 0 || u64(at) > checked.size()) return;
        const size_t taken = std::min<size_t>(length, checked.size() - size_t(at));
        checked.replace(size_t(at), taken, replacement);
        *adjust += i32(replacement.size()) - i32(taken);
    };
    SpellSelectRoutine select = [](u32, u32, i32*) {};
    auto dialog = std::make_unique<ModalSpellCheckDialog>(window);
    if (!dialog->Loaded()) return false;
    SpellCheckPass pass(std::move(replace), std::move(select));
    if (pass.Start(text->c_str(), 0, PhoneticSpellChecker::Create(programLanguage, programFolder, userFolder),
                   std::move(dialog)) != kSpellPassReady)
        return false;
    pass.Run();
    *text = std::move(checked);
    return true;
}
