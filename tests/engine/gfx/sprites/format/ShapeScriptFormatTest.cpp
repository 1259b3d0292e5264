#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

#include <gtest/gtest.h>

#include "engine/gfx/sprites/format/ShapeErrors.h"
#include "tests/engine/gfx/sprites/format/ShapeBytes.h"

namespace {

using namespace testshape;

TEST(ShapeScriptFormat, SwapsHeaderAndRecordWordsButNotTypeAndLength) {
    Bytes script = makeScript(0x0102, {10, 20, 110, -1},
                              {{kShapeRecordFrame, 2, {0x3001, 5, 0xFFFE, 2, 0, 0}},
                               {kShapeRecordSound, 6, {0x0203, 1}},
                               {kShapeRecordWait, 2, {}},
                               {kShapeRecordEnd, 2, {}}});
    ASSERT_EQ(shapeScriptConvert(script), kErrNone);
    EXPECT_EQ(readLE16(script.data() + kShapeScriptSoundBase), 0x0102);
    EXPECT_EQ(i16(readLE16(script.data() + kShapeScriptRect + 6)), -1);
    EXPECT_EQ(script[26], kShapeRecordFrame);
    EXPECT_EQ(script[27], 2);
    EXPECT_EQ(readLE16(script.data() + 28), 0x3001);
    EXPECT_EQ(i16(readLE16(script.data() + 32)), -2);
    EXPECT_EQ(script[40], kShapeRecordSound);
    EXPECT_EQ(readLE16(script.data() + 42), 0x0203);
    EXPECT_EQ(readLE16(script.data() + 44), 1);
}

TEST(ShapeScriptFormat, StopsAtTheEndRecord) {
    Bytes script = makeScript(0, {0, 0, 0, 0}, {{kShapeRecordEnd, 4, {0x1234}}, {kShapeRecordTiming, 4, {0x5678}}});
    ASSERT_EQ(shapeScriptConvert(script), kErrNone);
    EXPECT_EQ(readLE16(script.data() + 28), 0x1234);
    EXPECT_EQ(readBE16(script.data() + 32), 0x5678);
}

TEST(ShapeScriptFormat, LengthZeroEndsLikeAnEndRecord) {
    Bytes script = makeScript(0, {0, 0, 0, 0}, {{kShapeRecordTiming, 0, {}}});
    EXPECT_EQ(shapeScriptConvert(script), kErrNone);
}

struct ScriptCase {
    const char* name;
    Bytes script;
    EngineErr expected;
};
void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

Bytes cut(Bytes b, size_t n) {
    b.resize(b.size() - n);
    return b;
}

const Bytes kFrameThenEnd = makeScript(0, {0, 0, 0, 0}, {{kShapeRecordFrame, 1, {1, 2, 3}}, {kShapeRecordEnd, 2, {}}});

class ScriptLimits : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptLimits, RecordsMustFitAndEnd) {
    ScriptCase c = GetParam();
    const Bytes before = c.script;
    EXPECT_EQ(shapeScriptConvert(c.script), c.expected);
    if (c.expected != kErrNone) {
        EXPECT_EQ(c.script, before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShapeScriptFormat, ScriptLimits,
    ::testing::Values(
        ScriptCase{"frame then end", kFrameThenEnd, kErrNone},
        ScriptCase{"end record's header cut", cut(kFrameThenEnd, 1), kShapeErrDamagedScript},
        ScriptCase{"no end record", cut(kFrameThenEnd, 2), kShapeErrDamagedScript},
        ScriptCase{"frame parts cut", cut(kFrameThenEnd, 3), kShapeErrDamagedScript},
        ScriptCase{"header only", Bytes(26, 0), kShapeErrDamagedScript},
        ScriptCase{"shorter than the header", Bytes(25, 0), kShapeErrDamagedScript},
        ScriptCase{"odd record length", makeScript(0, {0, 0, 0, 0}, {{kShapeRecordTiming, 3, {0}}, {0, 2, {}}}),
                   kShapeErrDamagedScript},
        ScriptCase{"record length 1", makeScript(0, {0, 0, 0, 0}, {{kShapeRecordTiming, 1, {}}, {0, 2, {}}}),
                   kShapeErrDamagedScript},
        ScriptCase{"record longer than the script", makeScript(0, {0, 0, 0, 0}, {{kShapeRecordTiming, 8, {1}}}),
                   kShapeErrDamagedScript},
        ScriptCase{"record reaching the end exactly", makeScript(0, {0, 0, 0, 0}, {{kShapeRecordEnd, 4, {1}}}), kErrNone}));

TEST(ShapeOffsetTable, SwapsWordsAndAnswersZeroPastItsEnd) {
    Bytes table = makeOffsetTable({0, 0x0102, 0xFFF0});
    table.push_back(0x77);  // an odd last byte is not a word
    shapeOffsetTableConvert(table);
    EXPECT_EQ(shapeOffsetTableEntry(table, 1), 0x0102);
    EXPECT_EQ(shapeOffsetTableEntry(table, 2), 0xFFF0);
    EXPECT_EQ(shapeOffsetTableEntry(table, 3), 0);
    EXPECT_EQ(table.back(), 0x77);
    EXPECT_EQ(shapeOffsetTableEntry({}, 0), 0);
}

}  // namespace
