#pragma once
// Drawings made from characters are kept by whoever draws them (a renderer keeps each
// character's compiled drawing); these hooks tell the drawer when what it kept for a character
// is no longer needed (the character leaves its document's character list or is deleted, or a
// RemoveObject takes away an instance of it after the last frame that places it) and when a colour table's
// paints change, so that what it kept goes too. Tags know nothing of drawing: they only call the hooks. One drawer installs them; none
// installed, the calls do nothing. User-interface thread only, like the documents.
namespace swf {

class tagObject;
class document;

using DrawingUnneededHook = void (*)(const tagObject& character);
using PaintsChangedHook = void (*)(const document& owner);

void SetCharacterHooks(DrawingUnneededHook unneeded, PaintsChangedHook paintsChanged);
void NotifyDrawingUnneeded(const tagObject& character);
void NotifyPaintsChanged(const document& owner);

}  // namespace swf
