#include "text/speech/format/PronunciationFormat.h"

#include <cstring>

#include "engine/base/ByteOrder.h"

namespace {

constexpr u8 kMagic[4] = {'T', 'B', 'X', '4'};

class Cursor {
public:
    explicit Cursor(std::span<const u8> bytes) : bytes_(bytes) {}
    bool u32Field(u32& value) {
        if (bytes_.size() - at_ < 4) return false;
        value = readLE32(bytes_.data() + at_);
        at_ += 4;
        return true;
    }
    bool text(std::string& value) {
        u32 length = 0;
        if (!u32Field(length) || length >= kPronunciationTextLimit || bytes_.size() - at_ < length) return false;
        value.assign(reinterpret_cast<const char*>(bytes_.data() + at_), length);
        at_ += length;
        return true;
    }

private:
    std::span<const u8> bytes_;
    size_t at_ = 0;
};

void appendU32(std::vector<u8>& out, u32 value) {
    out.resize(out.size() + 4);
    writeLE32(out.data() + out.size() - 4, value);
}

void appendText(std::vector<u8>& out, const std::string& text) {
    appendU32(out, u32(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

PronunciationDecoding decodePronunciations(std::span<const u8> bytes) {
    PronunciationDecoding result;
    Cursor cursor(bytes);
    u32 count = 0;
    result.oldForm = bytes.size() < 4 || std::memcmp(bytes.data(), kMagic, 4) != 0;
    if (!result.oldForm) {
        u32 magic = 0;
        cursor.u32Field(magic);
    }
    if (!cursor.u32Field(count)) {
        result.complete = false;
        return result;
    }
    for (u32 i = 0; i < count; ++i) {
        Pronunciation entry;
        if (!cursor.text(entry.word) || !cursor.text(entry.pronunciation) || !cursor.u32Field(entry.partOfSpeech) ||
            (!result.oldForm && !cursor.u32Field(entry.family))) {
            result.complete = false;
            break;
        }
        result.entries.push_back(std::move(entry));
    }
    return result;
}

bool encodePronunciations(const std::vector<Pronunciation>& entries, std::vector<u8>& out) {
    for (const Pronunciation& entry : entries)
        if (entry.word.size() >= kPronunciationTextLimit || entry.pronunciation.size() >= kPronunciationTextLimit)
            return false;
    out.assign(std::begin(kMagic), std::end(kMagic));
    appendU32(out, u32(entries.size()));
    for (const Pronunciation& entry : entries) {
        appendText(out, entry.word);
        appendText(out, entry.pronunciation);
        appendU32(out, entry.partOfSpeech);
        appendU32(out, entry.family);
    }
    return true;
}
