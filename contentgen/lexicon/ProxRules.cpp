#include "contentgen/lexicon/ProxRules.h"

#include <map>
#include <memory>
#include <sstream>

#include "contentgen/lexicon/WordSource.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplTrieLexicon.h"

namespace {

struct State {
    std::map<u8, std::unique_ptr<State>> children;  // by letter byte (input minus 'X')
    std::vector<std::pair<u8, u8>> outputs;         // (output, letter); empty: no pattern ends here
};

void put16(std::vector<u8>* out, size_t v) {
    u8 b[2];
    writeLE16(b, u16(v));
    out->insert(out->end(), b, b + 2);
}

bool parseLine(const std::string& line, State* root, std::string* error) {
    std::istringstream in(line);
    std::string pattern, token;
    if (!(in >> pattern)) return true;
    std::string set1;
    if (!utf8ToSet1(pattern, &set1) || set1.empty() || set1.size() > kTspMaxPattern) {
        *error = "a pattern of 1-8 letters of the character set is wanted";
        return false;
    }
    std::vector<std::pair<u8, u8>> outputs;
    while (in >> token) {
        if (token == "-") {
            outputs.push_back({kTspNoOutput, 0});
            continue;
        }
        size_t digits = token.find_first_of("0123456789");
        std::string letter;
        if (digits == std::string::npos || !utf8ToSet1(token.substr(0, digits), &letter) || letter.size() > 1) {
            *error = "an output is a code 0-15, a letter and a code, or -";
            return false;
        }
        size_t used = 0;
        int code = -1;
        try {
            code = std::stoi(token.substr(digits), &used);
        } catch (...) {
        }
        if (used != token.size() - digits || code < 0 || code > 15) {
            *error = "an output is a code 0-15, a letter and a code, or -";
            return false;
        }
        outputs.push_back({u8(code + 16), letter.empty() ? u8(0) : u8(letter[0])});
    }
    if (outputs.size() != set1.size()) {
        *error = "one output per pattern letter is wanted";
        return false;
    }
    State* s = root;
    for (char c : set1) {
        auto& child = s->children[u8(u8(c) - 'X')];
        if (!child) child = std::make_unique<State>();
        s = child.get();
    }
    if (!s->outputs.empty()) {
        *error = "the pattern " + pattern + " is given twice";
        return false;
    }
    s->outputs = outputs;
    return true;
}

}  // namespace

bool buildProxEncoder(const std::string& text, std::vector<u8>* section, std::string* error) {
    State root;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (!parseLine(line, &root, error)) {
            *error = "line " + std::to_string(number) + ": " + *error;
            return false;
        }
    }
    if (root.children.empty()) {
        *error = "the proximity rules hold no pattern";
        return false;
    }
    // Breadth first, so that each state's children lie together after it.
    std::vector<const State*> order{&root};
    std::vector<u8> letters{0};
    for (size_t i = 0; i < order.size(); ++i)
        for (const auto& [letter, child] : order[i]->children) {
            order.push_back(child.get());
            letters.push_back(letter);
        }
    std::vector<u8> strings;
    std::vector<u8> states;
    size_t stringCount = 0, next = 1;
    for (size_t i = 0; i < order.size(); ++i) {
        const State* s = order[i];
        u8 output = kTspNoOutput;
        if (s->outputs.size() == 1 && s->outputs[0].first != kTspNoOutput && s->outputs[0].second == 0) {
            output = s->outputs[0].first;
        } else if (!s->outputs.empty()) {
            output = u8(kTspFirstString + stringCount++);
            for (auto [code, letter] : s->outputs) strings.insert(strings.end(), {code, letter});
            strings.push_back(0);
        }
        if (s->children.size() > 255 || order.size() > 0xFFFF || stringCount > 255u - kTspFirstString ||
            strings.size() > 0xFFFF) {
            *error = "the proximity rules outgrow the encoder's tables";
            return false;
        }
        states.push_back(letters[i]);
        states.push_back(output);
        put16(&states, s->children.empty() ? 0 : next);
        states.push_back(u8(s->children.size()));
        next += s->children.size();
    }
    section->clear();
    put16(section, order.size());
    section->insert(section->end(), states.begin(), states.end());
    put16(section, strings.size());
    section->insert(section->end(), strings.begin(), strings.end());
    return true;
}
