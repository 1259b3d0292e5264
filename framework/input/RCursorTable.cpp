#include "framework/input/RCursorTable.h"

#include <algorithm>
#include <array>
#include <vector>

#include "framework/format/CursorFormat.h"
#include "framework/input/HSInfo.h"
#include "framework/resources/mfxReadResource.h"

namespace Ostrel {
namespace {

namespace cur = plat::cursor;

std::array<cur::CursorId, kCursorTableSize>& table() {
    static std::array<cur::CursorId, kCursorTableSize> cursors{};
    return cursors;
}

constexpr cur::SystemCursor kStandard[] = {cur::SystemCursor::Arrow, cur::SystemCursor::Cross,
                                           cur::SystemCursor::IBeam, cur::SystemCursor::Wait};

}  // namespace

int loadCursorTable() {
    releaseCursorTable();
    int made = 0;
    for (u16 i = 0; i < kCursorTableSize; ++i) {
        std::vector<u8> bytes;
        CursorRecord record;
        if (mfxReadResource(kCursorResourceType, u16(kCursorResourceFirst + i), &bytes) != kErrNone ||
            parseCursorResource(bytes, &record) != kErrNone)
            continue;
        cur::CursorImage image;
        image.hotX = record.hotX;
        image.hotY = record.hotY;
        std::copy(record.andPlane.begin(), record.andPlane.end(), image.andPlane.begin());
        std::copy(record.xorPlane.begin(), record.xorPlane.end(), image.xorPlane.begin());
        table()[i] = cur::createCursor(image);
        if (table()[i] != cur::kNoCursor) ++made;
    }
    return made;
}

void releaseCursorTable() {
    for (cur::CursorId& id : table()) {
        if (id != cur::kNoCursor) cur::destroyCursor(id);
        id = cur::kNoCursor;
    }
}

cur::CursorId cursorForIndex(u16 index) {
    if (index < kCursorTableSize) {
        const cur::CursorId id = table()[index];
        return id != cur::kNoCursor ? id : cur::systemCursor(cur::SystemCursor::Arrow);
    }
    if (index >= kCursorIndexStandard && index <= kCursorIndexLast)
        return cur::systemCursor(kStandard[index - kCursorIndexStandard]);
    return cur::kNoCursor;
}

}  // namespace Ostrel
