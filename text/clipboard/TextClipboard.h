#pragma once
// Plain text between the editors and the clipboard. Each editor kind marks what it copies
// with a private format of its own and keeps its own copy of the text; a paste takes that
// copy while the desktop still holds the text placed with it, and the desktop's text
// otherwise. Only characters travel, never styles. Text is cp1252 throughout.
#include <string>

enum class TextClipKind {
    // Line breaks go out as they are stored (CR).
    DialogField,
    // Line breaks go out as CR LF, as other programs expect.
    PageEditor,
};

// Nothing happens for an empty text.
void copyClipText(TextClipKind kind, const std::string& text);
// The text a paste takes; empty when there is none.
std::string clipTextToPaste(TextClipKind kind);
