#include "text/speech/format/PronunciationFormat.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"

namespace {

// Builds list files field by field, in either form, with lengths that may lie.
class ListBytes {
public:
    ListBytes& magic() { return raw("TBX4"); }
    ListBytes& number(u32 value) {
        bytes_.resize(bytes_.size() + 4);
        writeLE32(bytes_.data() + bytes_.size() - 4, value);
        return *this;
    }
    ListBytes& raw(const std::string& text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    ListBytes& text(const std::string& text) { return number(u32(text.size())).raw(text); }
    const std::vector<u8>& bytes() const { return bytes_; }

private:
    std::vector<u8> bytes_;
};

TEST(PronunciationFormatTest, OldFormReadsAsFamilyZeroAndWritesBackInTheCurrentForm) {
    ListBytes old;
    old.number(2).text("tomato").text("tomahto").number(4).text("pa\xF1o").text("panyo").number(0);
    const PronunciationDecoding read = decodePronunciations(old.bytes());
    EXPECT_TRUE(read.oldForm);
    EXPECT_TRUE(read.complete);
    const std::vector<Pronunciation> expected = {{"tomato", "tomahto", 4, 0}, {"pa\xF1o", "panyo", 0, 0}};
    EXPECT_EQ(read.entries, expected);

    std::vector<u8> written;
    ASSERT_TRUE(encodePronunciations(read.entries, written));
    ListBytes current;
    current.magic().number(2).text("tomato").text("tomahto").number(4).number(0).text("pa\xF1o").text("panyo").number(0).number(0);
    EXPECT_EQ(written, current.bytes());
    const PronunciationDecoding again = decodePronunciations(written);
    EXPECT_FALSE(again.oldForm);
    EXPECT_EQ(again.entries, expected);
}

TEST(PronunciationFormatTest, EntriesOfBothFamiliesSurviveARoundTrip) {
    const std::vector<Pronunciation> entries = {{"gif", "jif", 0, 0}, {"queso", "keso", 2, 1}, {"", "", 0, 1}};
    std::vector<u8> bytes;
    ASSERT_TRUE(encodePronunciations(entries, bytes));
    const PronunciationDecoding read = decodePronunciations(bytes);
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.entries, entries);
}

struct LengthCase {
    u32 wordLength;
    bool accepted;
};

TEST(PronunciationFormatTest, TextLengthsAtTheLimitAreDamageAndOneBelowIsRead) {
    const LengthCase cases[] = {{kPronunciationTextLimit - 1, true}, {kPronunciationTextLimit, false}};
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.wordLength);
        ListBytes file;
        // The word's bytes are all there, so only the cap can refuse the entry.
        file.magic().number(2).text("first").text("furst").number(0).number(0);
        file.text(std::string(c.wordLength, 'a')).text("b").number(0).number(0);
        const PronunciationDecoding read = decodePronunciations(file.bytes());
        EXPECT_EQ(read.complete, c.accepted);
        EXPECT_EQ(read.entries.size(), c.accepted ? 2u : 1u) << "the entries before the damage are kept";

        std::vector<Pronunciation> entries = {{std::string(c.wordLength, 'a'), "b", 0, 0}};
        std::vector<u8> out = {1, 2, 3};
        EXPECT_EQ(encodePronunciations(entries, out), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(out, (std::vector<u8>{1, 2, 3})) << "a refused list leaves the output alone";
        }
    }
}

TEST(PronunciationFormatTest, ReadingStopsAtTheFirstShortFieldAndKeepsWhatCameBefore) {
    ListBytes whole;
    whole.magic().number(3).text("one").text("wun").number(0).number(0).text("two").text("too").number(0).number(1);
    const size_t firstEnd = 4 + 4 + (4 + 3) * 2 + 8;
    for (size_t cut = 0; cut < whole.bytes().size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::vector<u8> part(whole.bytes().begin(), whole.bytes().begin() + ptrdiff_t(cut));
        const PronunciationDecoding read = decodePronunciations(part);
        EXPECT_FALSE(read.complete);
        EXPECT_EQ(read.entries.size(), cut >= firstEnd ? 1u : 0u);
    }
    const PronunciationDecoding read = decodePronunciations(whole.bytes());
    EXPECT_FALSE(read.complete) << "the count promises a third entry";
    EXPECT_EQ(read.entries.size(), 2u);
}

TEST(PronunciationFormatTest, AHugeCountWithFewBytesReadsOnlyWhatIsThere) {
    ListBytes file;
    file.magic().number(0xFFFFFFFF).text("a").text("b").number(0).number(0);
    const PronunciationDecoding read = decodePronunciations(file.bytes());
    EXPECT_FALSE(read.complete);
    EXPECT_EQ(read.entries.size(), 1u);
}

}  // namespace
