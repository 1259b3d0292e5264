#include "engine/gfx/sprites/format/ShapeScriptReader.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/gfx/sprites/format/ShapeScriptFormat.h"
#include "tests/engine/gfx/sprites/format/ShapeBytes.h"

namespace {

using namespace testshape;

// Writes what it is told as one line: "p1,2,3" parts, "s5/1" sounds, "t50", "e7", "c3".
class EventLog : public ShapeScriptEvents {
public:
    void part(u16 frame, i16 dx, i16 dy) override { add("p" + std::to_string(frame) + "," + std::to_string(dx) + "," + std::to_string(dy)); }
    void sound(u16 id, u16 slot) override { add("s" + std::to_string(id) + "/" + std::to_string(slot)); }
    void timing(i16 ms) override { add("t" + std::to_string(ms)); }
    bool event(u16 value) override {
        add("e" + std::to_string(value));
        return value != stopOn;
    }
    void palette(u16 request) override { add("c" + std::to_string(request)); }
    std::string line;
    // An event value whose handler stops the reading.
    u16 stopOn = 0;

private:
    void add(const std::string& s) { line += (line.empty() ? "" : " ") + s; }
};

Bytes converted(const std::vector<Record>& records, u16 soundBase = 0) {
    Bytes script = makeScript(soundBase, {0, 0, 0, 0}, records);
    EXPECT_EQ(shapeScriptConvert(script), kErrNone);
    return script;
}

struct Reading {
    const char* name;
    Bytes script;
    u32 start;
    u16 maxParts;
    std::string log;
    bool frame;
    bool ended;
    u32 stop;
};

TEST(ShapeScriptReader, ReadsUpToTheNextWaitTheEndOrThePartLimit) {
    const Reading cases[] = {
        {"frame then wait", converted({{16, 1, {0x3002, 4, 65535}}, {1, 2, {}}, {16, 0, {}}, {0, 2, {}}}), 26, 48,
         "p2,4,-1", true, false, 36},
        {"wait before the end", converted({{1, 2, {}}, {0, 2, {}}}), 26, 48, "", false, true, 28},
        {"records in order", converted({{3, 6, {5, 2}}, {4, 4, {50}}, {9, 6, {0, 7}}, {15, 4, {3}}, {7, 4, {1}}, {0, 2, {}}}, 100),
         26, 48, "s105/2 t50 e7 c3", false, true, 50},
        {"empty frame", converted({{16, 0, {}}, {1, 2, {}}, {0, 2, {}}}), 26, 48, "", true, true, 30},
        {"zero length", converted({{12, 0, {}}}), 26, 48, "", false, true, 26},
        {"part limit at the limit", converted({{16, 2, {1, 0, 0, 2, 0, 0}}, {16, 1, {3, 0, 0}}, {0, 2, {}}}), 26, 2,
         "p1,0,0 p2,0,0", true, false, 40},
        {"part limit one below", converted({{16, 2, {1, 0, 0, 2, 0, 0}}, {16, 1, {3, 0, 0}}, {0, 2, {}}}), 26, 1,
         "p1,0,0", true, false, 40},
        {"past the end", converted({{0, 2, {}}}), 29, 48, "", false, true, 29},
        {"far past the end", converted({{0, 2, {}}}), 0xFFFFFFFF, 48, "", false, true, 0xFFFFFFFF},
    };
    for (const Reading& c : cases) {
        EventLog log;
        u32 position = c.start;
        const ShapeScriptRead read = shapeScriptRead(c.script, &position, c.maxParts, log);
        EXPECT_EQ(log.line, c.log) << c.name;
        EXPECT_EQ(read.frame, c.frame) << c.name;
        EXPECT_EQ(read.ended, c.ended) << c.name;
        EXPECT_EQ(position, c.stop) << c.name;
    }
}

// A handler that stops the reading leaves the position just after its event record.
TEST(ShapeScriptReader, AnEventHandlerCanStopTheReading) {
    const Bytes script = converted({{9, 6, {0, 7}}, {16, 1, {1, 0, 0}}, {1, 2, {}}, {0, 2, {}}});
    struct Case {
        u16 stopOn;
        std::string log;
        bool frame;
        bool ended;
        u32 stop;
    };
    for (const Case& c : {Case{7, "e7", false, false, 32}, Case{8, "e7 p1,0,0", true, true, 42}}) {
        EventLog log;
        log.stopOn = c.stopOn;
        u32 position = kShapeScriptFirstRecord;
        const ShapeScriptRead read = shapeScriptRead(script, &position, 48, log);
        EXPECT_EQ(log.line, c.log) << c.stopOn;
        EXPECT_EQ(read.frame, c.frame) << c.stopOn;
        EXPECT_EQ(read.ended, c.ended) << c.stopOn;
        EXPECT_EQ(position, c.stop) << c.stopOn;
    }
}

// Scripts that were never converted are read within their bytes as well: a record that
// reaches past the end ends the reading on it, and a short record's missing words read 0.
TEST(ShapeScriptReader, RecordsReachingPastTheScriptEndIt) {
    struct Case {
        Bytes script;
        std::string log;
        u32 stop;
    };
    Bytes frameCut = makeScript(0, {0, 0, 0, 0}, {{16, 2, {1, 0, 0}}});
    Bytes longRecord = makeScript(0, {0, 0, 0, 0}, {{9, 40, {0, 1}}});
    Bytes shortSound = makeScript(0, {0, 0, 0, 0}, {{3, 2, {}}, {0, 2, {}}});
    const Case cases[] = {{frameCut, "", 26}, {longRecord, "", 26}, {shortSound, "s0/0", 28}};
    for (const Case& c : cases) {
        EventLog log;
        u32 position = kShapeScriptFirstRecord;
        EXPECT_TRUE(shapeScriptRead(c.script, &position, 48, log).ended);
        EXPECT_EQ(log.line, c.log);
        EXPECT_EQ(position, c.stop);
    }
}

}  // namespace
