#pragma once
// A panel's remembered choices as a record of 16-bit words in its section of the current
// user's "user.ini": key "0", "1", ... holds word 0, 1, ... as a signed decimal number. A key
// that is missing reads as -1, a value that is not a number as 0. Saving writes every word, in
// one rewrite of the file. Without a user nothing is read (every word stays -1) or written.
// A temporary instance serves each restore or save. User-interface thread only.
#include <span>
#include <tuple>

#include "document/users/RPanelPrefs.h"
#include "panels/base/PanelSaveData.h"

namespace Ostrel {

// Word i from key i of the section's keys; missing keys give -1.
void PanelWordsFromKeys(const std::map<std::string, std::string>& keys, std::span<i16> words);
void PanelWordsToKeys(std::span<const i16> words, std::map<std::string, std::string>* keys);
// Loads the section's keys into `prefs` and turns them into words: the load's result.
EngineErr LoadPanelWords(RPanelPrefs& prefs, std::span<i16> words);
// Writes every word as its key, the file rewritten once: the save's result.
EngineErr SavePanelWords(RPanelPrefs& prefs, std::span<const i16> words);

// T: the panel's record (an array of words); the template supplies its word count.
template <class T>
class RPanelPrefsTmpl : public RPanelPrefs {
public:
    RPanelPrefsTmpl(const Paths& paths, const char* section) : RPanelPrefs(paths, section) { record_.fill(kPrefsNotStored); }

    static constexpr size_t WordCount() { return std::tuple_size_v<T>; }

    // The record, loaded on first use.
    T& GetData() {
        if (!loaded_) Load();
        return record_;
    }
    EngineErr Load() {
        loaded_ = true;
        return LoadPanelWords(*this, record_);
    }
    EngineErr Save() { return SavePanelWords(*this, record_); }

private:
    T record_{};
    bool loaded_ = false;
};

}  // namespace Ostrel
