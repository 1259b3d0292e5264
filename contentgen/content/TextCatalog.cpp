#include "contentgen/content/TextCatalog.h"

#include <stdexcept>

#include "contentgen/content/Cp1252.h"
#include "contentgen/content/IniWriter.h"

using nlohmann::ordered_json;

void TextCatalog::add(const ordered_json& sections) {
    for (const auto& [section, keys] : sections.items()) {
        if (!keys.is_object()) throw std::invalid_argument("text section " + section + " is not a table");
        for (const auto& [key, pair] : keys.items()) {
            if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string())
                throw std::invalid_argument("text " + section + "/" + key + " is not [English, Spanish]");
            if (has(section, key)) throw std::invalid_argument("text " + section + "/" + key + " is given twice");
            sections_[section][key] = pair;
        }
    }
}

bool TextCatalog::has(const std::string& section, const std::string& key) const {
    return sections_.contains(section) && sections_[section].contains(key);
}

std::string TextCatalog::lookup(const std::string& sectionAndKey, Language language) const {
    const size_t slash = sectionAndKey.find('/');
    const std::string section = sectionAndKey.substr(0, slash);
    const std::string key = slash == std::string::npos ? std::string() : sectionAndKey.substr(slash + 1);
    if (!has(section, key)) throw std::out_of_range("no text " + sectionAndKey);
    return sections_[section][key][int(language)].get<std::string>();
}

std::string TextCatalog::languageFile(Language language) const {
    ordered_json file = ordered_json::object();
    for (const auto& [section, keys] : sections_.items())
        for (const auto& [key, pair] : keys.items()) {
            std::string text;
            for (char c : pair[int(language)].get<std::string>()) c == '\n' ? text += "\\n" : text += c;
            const auto bytes = utf8ToCp1252(text);
            if (!bytes) throw std::invalid_argument("text " + section + "/" + key + " has a character outside cp1252");
            file[section][key] = *bytes;
        }
    return writeIniText(file);
}
