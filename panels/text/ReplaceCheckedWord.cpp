#include "panels/text/ReplaceCheckedWord.h"

#include "text/editor/RTEditor.h"
#include "text/host/TextCommands.h"

namespace {

bool placeOf(const RTEditor& editor, u32 offset, u32 length, i32 adjust, u16* from, u16* to) {
    const StyledText* text = editor.Text();
    const i64 at = i64(offset) + adjust;
    if (!text || at < 0 || at + i64(length) > text->Length()) return false;
    *from = u16(at);
    *to = u16(at + length);
    return true;
}

}  // namespace

bool replaceCheckedWord(RTEditor& editor, u32 offset, u32 length, const std::string& replacement, i32* adjust,
                        bool* recorded) {
    u16 from = 0, to = 0;
    if (replacement.size() > kStyledTextMaxLength || !placeOf(editor, offset, length, *adjust, &from, &to)) return false;
    editor.SetSelection(from, to);
    if (!*recorded) editor.RecordUndo(kTextStepTyping);
    if (!editor.ReplaceSelection(replacement.data(), u16(replacement.size()), false)) return false;
    *recorded = true;
    *adjust += i32(replacement.size()) - i32(length);
    return true;
}

void selectCheckedWord(RTEditor& editor, u32 offset, u32 length, i32 adjust) {
    u16 from = 0, to = 0;
    if (placeOf(editor, offset, length, adjust, &from, &to)) editor.SetSelection(from, to);
}
