#include "app/settings/AlphabetText.h"

#include "framework/language/LanguageTexts.h"

namespace Ostrel {

std::string ABCTextDefault() {
    std::string text = LookupLanguageText("GeneralStrings", "ABCTextDefault").c_str();
    return text.empty() ? std::string("Tumblo is fun!") : text.substr(0, kABCTextMaxLength);
}

}  // namespace Ostrel
