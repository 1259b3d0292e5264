#include "contentgen/lexicon/CompLexWriter.h"

#include <algorithm>
#include <map>

#include "engine/base/ByteOrder.h"
#include "spell/SplCompLexicon.h"

namespace {

constexpr size_t kWordsPerBin = 24;

struct NibbleWriter {
    std::vector<u8> bytes;
    bool half = false;
    void put(u32 v) {
        if (!half) bytes.push_back(u8(v << 4));
        else bytes.back() |= u8(v & 15);
        half = !half;
    }
};

void put16(std::vector<u8>* image, size_t v) {
    u8 b[2];
    writeLE16(b, u16(v));
    image->insert(image->end(), b, b + 2);
}

}  // namespace

bool buildCompLexImage(const std::vector<std::string>& words, int language, std::vector<u8>* image, u32* skipped,
                       std::string* error) {
    *skipped = 0;
    std::map<std::string, u32> classes;  // lower-case word -> the class that accepts every spelling seen
    std::map<u8, size_t> frequency;
    for (const std::string& w : words) {
        u8 lowered[kCompLexMaxWord + 1];
        u32 c = splCompLexEncode(reinterpret_cast<const u8*>(w.c_str()), lowered, language);
        if (c == 0) {
            ++*skipped;
            continue;
        }
        std::string key(reinterpret_cast<const char*>(lowered));
        auto [it, added] = classes.insert({key, c});
        if (!added) it->second = std::min(it->second, c);
        for (char ch : key) ++frequency[u8(ch)];
    }
    std::vector<std::pair<size_t, u8>> ranked;
    for (auto [ch, n] : frequency) ranked.push_back({n, ch});
    std::sort(ranked.rbegin(), ranked.rend());
    u8 letters[15] = {};
    for (size_t i = 0; i < 15; ++i) letters[i] = i < ranked.size() ? ranked[i].second : u8('?');
    auto letterIndex = [&letters](u8 c) -> int {
        for (int i = 0; i < 15; ++i)
            if (letters[i] == c) return i;
        return 15;
    };

    std::vector<std::vector<std::pair<std::string, u32>>> byLength(kCompLexMaxWord + 1);
    for (const auto& [w, c] : classes) byLength[w.size()].push_back({w, c});
    std::vector<u16> firstBin(16, 0);
    std::vector<size_t> offsets;
    NibbleWriter data;
    size_t bins = 0;
    for (size_t length = 1; length <= kCompLexMaxWord; ++length) {
        firstBin[length - 1] = u16(bins);
        const auto& list = byLength[length];  // std::map order is byte order
        for (size_t i = 0; i < list.size(); ++i) {
            std::string previous;
            if (i % kWordsPerBin == 0) {
                if (data.half) data.put(0);
                offsets.push_back(data.bytes.size());
                ++bins;
            } else {
                previous = list[i - 1].first;
            }
            const std::string& w = list[i].first;
            size_t kept = 0;
            while (kept < previous.size() && previous[kept] == w[kept]) ++kept;
            data.put(u32(kept));
            data.put(u32(w.size() - kept));
            for (size_t k = kept; k < w.size(); ++k) {
                int n = letterIndex(u8(w[k]));
                data.put(u32(n));
                if (n == 15) {
                    data.put(u8(w[k]) >> 4);
                    data.put(u8(w[k]) & 15);
                }
            }
            data.put(list[i].second);
        }
    }
    firstBin[15] = u16(bins);
    if (bins > 0xFFFF || data.bytes.size() > 0xFFFF) {
        *error = "the word data needs more than a 16-bit table can address";
        return false;
    }
    image->assign(letters, letters + 15);
    put16(image, bins);
    for (u16 f : firstBin) put16(image, f);
    for (size_t o : offsets) put16(image, o);
    put16(image, data.bytes.size());
    image->insert(image->end(), data.bytes.begin(), data.bytes.end());
    return true;
}
