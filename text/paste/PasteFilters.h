#pragma once
// What pasted text may bring into the editors. Text from the clipboard comes from any program:
// its line ends are made the editors' own (one CR) and control characters are dropped, the
// C1 controls that stand for cp1252's five unassigned bytes too: what cannot be typed cannot
// be pasted.
#include <string>

// Line ends (CR LF, LF) become one CR; a CR on its own and every other control character
// (tabs and DEL too) are dropped.
std::string filterPageEditorPaste(const std::string& text);
// Line ends (CR LF, LF, CR) become one CR, other control characters are dropped; a field of
// one line takes the text only up to its first line end.
std::string filterDialogFieldPaste(const std::string& text, bool oneLine);
