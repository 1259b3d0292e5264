#include "panels/base/RPanelPrefsTmpl.h"

#include <cstdlib>
#include <string>

#include "engine/util/IniReplaceOnce.h"

namespace Ostrel {

void PanelWordsFromKeys(const std::map<std::string, std::string>& keys, std::span<i16> words) {
    for (size_t i = 0; i < words.size(); ++i) {
        const auto found = keys.find(std::to_string(i));
        if (found == keys.end()) {
            words[i] = kPrefsNotStored;
            continue;
        }
        // Leading digits count, as the file's own reader takes them; the word keeps the low
        // 16 bits, and each panel checks the values it takes back.
        const long value = std::strtol(found->second.c_str(), nullptr, 10);
        words[i] = i16(u16(static_cast<unsigned long>(value)));
    }
}

void PanelWordsToKeys(std::span<const i16> words, std::map<std::string, std::string>* keys) {
    for (size_t i = 0; i < words.size(); ++i) (*keys)[std::to_string(i)] = std::to_string(words[i]);
}

EngineErr LoadPanelWords(RPanelPrefs& prefs, std::span<i16> words) {
    const EngineErr err = prefs.RUserFile::Load();
    // Without a user (or with an unreadable file) nothing was stored.
    if (err != kErrNone) prefs.RPanelPrefs::GetData().clear();
    PanelWordsFromKeys(prefs.RPanelPrefs::GetData(), words);
    return err;
}

EngineErr SavePanelWords(RPanelPrefs& prefs, std::span<const i16> words) {
    Path file;
    if (const EngineErr err = prefs.Serialize(&file)) {
        pathRelease(&file);
        return err;
    }
    auto& keys = prefs.RPanelPrefs::GetData();
    keys.clear();
    PanelWordsToKeys(words, &keys);
    // One rewrite for the whole record, so that a kill leaves the old record or the new one,
    // also when the file is made by this save.
    const EngineErr err = IniReplaceOnce(&file, [&prefs] { return prefs.RUserFile::Save(); });
    pathRelease(&file);
    return err;
}

}  // namespace Ostrel
