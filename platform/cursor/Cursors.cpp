#include "platform/cursor/Cursors.h"

#include <map>

namespace plat::cursor {

namespace {

constexpr CursorId kFirstMadeCursor = 0x100;

struct State {
    std::map<CursorId, CursorImage> made;
    CursorId next = kFirstMadeCursor;
    CursorId current = kNoCursor;
    int displayCount = 0;
    Position pointer;
};

State& state() {
    static State s;
    return s;
}

bool hotspotInside(const CursorImage& image) {
    return image.hotX >= 0 && image.hotX < kCursorSize && image.hotY >= 0 && image.hotY < kCursorSize;
}

}  // namespace

CursorId systemCursor(SystemCursor which) { return CursorId(which) + 1; }

std::optional<SystemCursor> systemCursorOf(CursorId cursor) {
    if (cursor == kNoCursor || cursor > systemCursor(kLastSystemCursor)) return std::nullopt;
    return SystemCursor(cursor - 1);
}

CursorId createCursor(const CursorImage& image) {
    if (!hotspotInside(image)) return kNoCursor;
    CursorId id = state().next++;
    state().made[id] = image;
    return id;
}

void destroyCursor(CursorId cursor) {
    if (state().made.erase(cursor) && state().current == cursor) state().current = kNoCursor;
}

CursorId setCursor(CursorId cursor) {
    CursorId previous = state().current;
    state().current = cursor;
    return previous;
}

CursorId currentCursor() { return state().current; }

int showCursor(bool show) { return state().displayCount += show ? 1 : -1; }
int cursorDisplayCount() { return state().displayCount; }

Position pointerPosition() { return state().pointer; }
void setPointerPosition(Position at) { state().pointer = at; }
std::size_t liveCursorCount() { return state().made.size(); }

const CursorImage* cursorImage(CursorId cursor) {
    auto found = state().made.find(cursor);
    return found == state().made.end() ? nullptr : &found->second;
}

void resetCursors() { state() = State{}; }

}  // namespace plat::cursor
