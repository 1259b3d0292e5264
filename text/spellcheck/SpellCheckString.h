#pragma once
// A spell check of a text held in memory, in the check dialog over the main window: each
// replacement the user makes goes into the text. Used for the texts of dialogs, which have no
// page editor to select words in.
#include <string>

class mfxWindow;

// `programLanguage` as PhoneticSpellChecker::Create takes it; the folders are host folders.
// False when no check could start (no lexicon for the language, no dialog): nothing was shown
// and the text is as it was.
bool spellCheckString(std::string* text, int programLanguage, const std::string& programFolder,
                      const std::string& userFolder, mfxWindow* window);
