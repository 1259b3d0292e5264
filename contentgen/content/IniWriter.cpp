#include "contentgen/content/IniWriter.h"

#include <stdexcept>

std::string writeIniText(const nlohmann::ordered_json& sections) {
    std::string out;
    auto plain = [](const std::string& text, const std::string& what) {
        if (text.find_first_of("\r\n") != std::string::npos) throw std::invalid_argument(what + " holds a line end");
        return text;
    };
    for (const auto& [section, keys] : sections.items()) {
        if (!keys.is_object()) throw std::invalid_argument("section " + section + " is not a table of keys");
        if (!out.empty()) out += "\r\n";
        out += "[" + plain(section, "section " + section) + "]\r\n";
        for (const auto& [key, value] : keys.items()) {
            std::string text;
            if (value.is_string()) text = value.get<std::string>();
            else if (value.is_boolean()) text = value.get<bool>() ? "TRUE" : "FALSE";
            else if (value.is_number_integer()) text = std::to_string(value.get<long long>());
            else throw std::invalid_argument("key " + section + "/" + key + " is not a string, integer or boolean");
            out += plain(key, "key " + key) + "=" + plain(text, "value of " + section + "/" + key) + "\r\n";
        }
    }
    return out;
}
