#pragma once
// Every text the program shows, in English and Spanish, as the manifests give them:
// { "Section": { "Key": ["English", "Spanish"] } }. Written out as the two language files,
// and read by the painter for button and panel labels.
#include <string>

#include <nlohmann/json.hpp>

enum class Language { English = 0, Spanish = 1 };

class TextCatalog {
public:
    // Adds the sections of one manifest; throws std::invalid_argument for a text that is not
    // a pair of strings or a key given twice.
    void add(const nlohmann::ordered_json& sections);
    // "Section/Key" in the language (UTF-8); throws std::out_of_range when there is none.
    std::string lookup(const std::string& sectionAndKey, Language language) const;
    bool has(const std::string& section, const std::string& key) const;
    // The language file: cp1252 INI text, line feeds inside texts written as "\n". Throws
    // std::invalid_argument for a character the code page cannot hold.
    std::string languageFile(Language language) const;

private:
    nlohmann::ordered_json sections_ = nlohmann::ordered_json::object();
};
