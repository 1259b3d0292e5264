#include "contentgen/lexicon/LexWriter.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "engine/base/ByteOrder.h"
#include "spell/SplErrors.h"
#include "spell/SplLexicon.h"
#include "spell/SplMemManager.h"

namespace {

constexpr u8 kCompactCodes[11] = {1, 2, 3, 5, 6, 7, 9, 10, 11, 16, 20};
constexpr size_t kMaxEndings = 48;
constexpr size_t kMaxEndingLength = 6;

struct Ending {
    u8 drop;
    std::string tail;
};

struct Coder {
    const LexImageOptions& options;
    std::vector<Ending> endings;
    std::map<std::string, u8> endingCode;  // drop byte + tail -> code
    std::vector<std::string> digrams;
    std::map<std::string, u8> digramCode;
    u32 firstEnding = 0, firstDigram = 0;
};

size_t literalEnd(const std::string& key) {
    size_t spelled = key.find(char(kSplKeySpelled));
    return spelled == std::string::npos ? key.size() : spelled;
}

size_t commonPrefix(const std::string& a, const std::string& b) {
    size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return std::min(n, literalEnd(b));
}

std::vector<u8> trailer(const LexEntrySpec& e, const LexImageOptions& options) {
    u8 fallback = (options.flags & kLexFlagProperNames) ? 2 : 1;
    std::vector<u8> out;
    if (e.codes.size() == 1 && e.codes[0] == fallback) return out;
    if (options.flags & kLexFlagCompactFlags) {
        u32 mask = 0;
        bool compact = true;
        for (u8 c : e.codes) {
            const u8* at = std::find(kCompactCodes, kCompactCodes + 11, c);
            if (at == kCompactCodes + 11) compact = false;
            else mask |= 1u << (at - kCompactCodes);
        }
        if (compact && e.codes.size() <= 11) {
            if (mask >> 4) out.insert(out.end(), {255, u8(mask >> 4)});
            out.insert(out.end(), {255, u8(((mask & 15) << 4) | u32(e.codes.size()))});
            return out;
        }
    }
    for (u8 c : e.codes) out.insert(out.end(), {255, c});
    return out;
}

// Encodes one entry after `previous` (empty at a block's start).
std::vector<u8> encodeEntry(const Coder& coder, const std::string& previous, const LexEntrySpec& e) {
    u32 letters = coder.options.letters;
    size_t common = commonPrefix(previous, e.key);
    size_t drop = previous.size() - common;
    std::string tail = e.key.substr(common);
    std::vector<u8> out;
    std::string endingKey = std::string(1, char(drop)) + tail;
    auto ending = coder.endingCode.find(endingKey);
    if (ending != coder.endingCode.end()) {
        out.push_back(ending->second);
        tail.clear();
    } else if (drop < 15) {
        out.push_back(u8(letters + drop));
    } else {
        out.push_back(u8(letters + 15));
        out.push_back(u8(letters + drop - 15));
    }
    size_t literal = literalEnd(tail);
    for (size_t i = 0; i < literal;) {
        if (i + 1 < literal) {
            auto d = coder.digramCode.find(tail.substr(i, 2));
            if (d != coder.digramCode.end()) {
                out.push_back(d->second);
                i += 2;
                continue;
            }
        }
        out.push_back(u8(tail[i++]));
    }
    if (literal < tail.size()) {
        out.insert(out.end(), tail.begin() + long(literal), tail.end());
        out.push_back(255);
    }
    std::vector<u8> t = trailer(e, coder.options);
    out.insert(out.end(), t.begin(), t.end());
    out.push_back(0);
    return out;
}

// Endings worth a code: (drop, tail) pairs that recur, ranked by the bytes they save.
void chooseEndings(Coder* coder, const std::vector<LexEntrySpec>& entries, size_t room) {
    std::map<std::string, u32> counts;
    for (size_t i = 1; i < entries.size(); ++i) {
        size_t common = commonPrefix(entries[i - 1].key, entries[i].key);
        std::string tail = entries[i].key.substr(common);
        size_t drop = entries[i - 1].key.size() - common;
        if (tail.size() < 2 || tail.size() > kMaxEndingLength || literalEnd(tail) != tail.size() || drop > 127) continue;
        ++counts[std::string(1, char(drop)) + tail];
    }
    std::vector<std::pair<u32, std::string>> ranked;
    for (const auto& [k, n] : counts)
        if (n >= 8) ranked.push_back({n * u32(k.size() - 1), k});
    std::sort(ranked.rbegin(), ranked.rend());
    for (size_t i = 0; i < ranked.size() && i < room; ++i) {
        const std::string& k = ranked[i].second;
        coder->endingCode[k] = u8(coder->firstEnding + coder->endings.size());
        coder->endings.push_back({u8(k[0]), k.substr(1)});
    }
}

void chooseDigrams(Coder* coder, const std::vector<LexEntrySpec>& entries, size_t room) {
    std::map<std::string, u32> counts;
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t common = i == 0 ? 0 : commonPrefix(entries[i - 1].key, entries[i].key);
        std::string tail = entries[i].key.substr(common);
        size_t literal = literalEnd(tail);
        for (size_t j = 0; j + 1 < literal; ++j) ++counts[tail.substr(j, 2)];
    }
    std::vector<std::pair<u32, std::string>> ranked;
    for (const auto& [k, n] : counts)
        if (n >= 4) ranked.push_back({n, k});
    std::sort(ranked.rbegin(), ranked.rend());
    for (size_t i = 0; i < ranked.size() && i < room; ++i) {
        coder->digramCode[ranked[i].second] = u8(coder->firstDigram + coder->digrams.size());
        coder->digrams.push_back(ranked[i].second);
    }
}

// The shortest beginning of `first` that sorts above `last`: enough to choose the block.
std::string separator(const std::string& last, const std::string& first) {
    for (size_t n = 1; n <= first.size(); ++n) {
        std::string prefix = first.substr(0, n);
        if (splKeyCompare(reinterpret_cast<const u8*>(prefix.c_str()), reinterpret_cast<const u8*>(last.c_str())) > 0)
            return prefix;
    }
    return first;
}

}  // namespace

bool buildLexImage(const std::vector<LexEntrySpec>& entries, const LexImageOptions& options, std::vector<u8>* image,
                   LexImageStats* stats, std::string* error) {
    Coder coder{options, {}, {}, {}, {}, 0, 0};
    coder.firstEnding = options.letters + 16;
    if (options.letters + kSplMaxKey - 15 > 255) {
        *error = "the phonetic table has too many letters for the entry codes";
        return false;
    }
    size_t codeRoom = 255 - coder.firstEnding;
    if (options.compress) chooseEndings(&coder, entries, std::min(kMaxEndings, codeRoom / 4));
    coder.firstDigram = coder.firstEnding + u32(coder.endings.size());
    if (options.compress) chooseDigrams(&coder, entries, 255 - coder.firstDigram);

    std::vector<std::vector<u8>> blocks;
    std::vector<std::string> index;
    std::vector<u8> current;
    std::string previous, lastOfBlock;
    for (const LexEntrySpec& e : entries) {
        if (e.key.size() > size_t(kSplMaxKey) || e.key.find('\0') != std::string::npos) {
            *error = "a key is longer than 127 bytes or holds a NUL";
            return false;
        }
        std::vector<u8> bytes = encodeEntry(coder, previous, e);
        if (current.empty() || current.size() + bytes.size() + 1 > kSplBlockSize) {
            if (!current.empty()) {
                current.resize(kSplBlockSize, 0);
                blocks.push_back(current);
                current.clear();
            }
            bytes = encodeEntry(coder, std::string(), e);
            if (bytes.size() + 1 > kSplBlockSize) {
                *error = "an entry does not fit a block";
                return false;
            }
            index.push_back(blocks.empty() ? e.key.substr(0, 1) : separator(lastOfBlock, e.key));
        }
        current.insert(current.end(), bytes.begin(), bytes.end());
        previous = lastOfBlock = e.key;
    }
    if (!current.empty()) {
        current.resize(kSplBlockSize, 0);
        blocks.push_back(current);
    }

    std::string strings;
    for (const Ending& ending : coder.endings) strings += ending.tail + '\0';
    for (const std::string& key : index) strings += key + '\0';
    if (blocks.size() > 0xFFFF) {
        *error = "the lexicon needs " + std::to_string(blocks.size()) + " blocks; the header allows 65535";
        return false;
    }
    if (strings.size() > 0xFFFF) {
        *error = "the string table needs " + std::to_string(strings.size()) + " bytes; the header allows 65535";
        return false;
    }
    if (options.headerText.size() >= kLexTextHeaderSize) {
        *error = "the text header must leave room for its NUL";
        return false;
    }

    image->assign(kLexTextHeaderSize, 0);
    std::memcpy(image->data(), options.headerText.data(), options.headerText.size());
    u32 flags = options.flags | (options.tagArea.empty() ? 0u : u32(kLexFlagTags));
    u32 words[8] = {u32(options.language), kLexMinVersion, flags, 0, u32(coder.endings.size()),
                    u32(coder.digrams.size()), u32(blocks.size()), u32(strings.size())};
    for (u32 w : words) {
        u8 b[2];
        writeLE16(b, u16(w));
        image->insert(image->end(), b, b + 2);
    }
    for (const Ending& ending : coder.endings) image->push_back(ending.drop);
    for (const std::string& d : coder.digrams) image->insert(image->end(), d.begin(), d.end());
    image->insert(image->end(), strings.begin(), strings.end());
    image->resize((image->size() + kSplBlockSize - 1) / kSplBlockSize * kSplBlockSize, 0);
    for (const auto& block : blocks) image->insert(image->end(), block.begin(), block.end());
    image->insert(image->end(), options.tagArea.begin(), options.tagArea.end());
    stats->blocks = u32(blocks.size());
    stats->endings = u32(coder.endings.size());
    stats->digrams = u32(coder.digrams.size());
    stats->stringSize = u32(strings.size());
    return true;
}
