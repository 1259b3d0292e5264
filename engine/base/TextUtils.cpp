#include "engine/base/TextUtils.h"

#include <cstring>

#include "platform/charset/Characters.h"

namespace {

u8 byteAt(const char* p) { return u8(*p); }

bool sameChar(const char* a, const char* b) {
    u32 size = strCharSize(a);
    return size == strCharSize(b) && std::memcmp(a, b, size) == 0;
}

}  // namespace

const char* strCharNext(const char* p) { return plat::charNext(p); }

const char* strCharPrev(const char* start, const char* p) { return plat::charPrev(start, p); }

u32 strCharSize(const char* p) {
    if (*p == '\0') return 1;
    return u32(plat::charNext(p) - p);
}

bool strIsLeadByte(const char* p) { return plat::charIsLeadByte(byteAt(p)); }

bool strIsAlnum(const char* p) { return plat::charIsAlnum(byteAt(p)); }

u32 strCharCount(const char* text) {
    u32 count = 0;
    for (const char* p = text; *p != '\0'; p = plat::charNext(p)) ++count;
    return count;
}

u32 strLength(const char* text) { return u32(std::strlen(text)); }

const char* strSkipChars(const char* text, u32 n) {
    const char* p = text;
    for (u32 i = 0; i < n; ++i) {
        if (*p == '\0') return nullptr;
        p = plat::charNext(p);
    }
    return p;
}

void strCopy(char* dst, const char* src) { std::memmove(dst, src, std::strlen(src) + 1); }

void strConcat(char* dst, const char* src) { strCopy(dst + std::strlen(dst), src); }

void strCopyChar(char* dst, const char* src) { std::memcpy(dst, src, strCharSize(src)); }

void strNCopyChars(char* dst, const char* src, u32 n) {
    u32 used = 0;
    while (*src != '\0') {
        u32 size = strCharSize(src);
        if (used + size > n) break;
        std::memcpy(dst + used, src, size);
        used += size;
        src += size;
    }
    if (used < n) dst[used] = '\0';
}

int strCompare(const char* a, const char* b) {
    int result = std::strcmp(a, b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int strNCompareChars(const char* a, const char* b, u32 n) {
    for (u32 i = 0; i < n; ++i) {
        int difference = int(i8(*a)) - int(i8(*b));
        if (difference != 0) return difference;
        if (*a == '\0') return 0;
        a = plat::charNext(a);
        b = plat::charNext(b);
    }
    return 0;
}

int strCompareNoCase(const char* a, const char* b) {
    for (;;) {
        int ca = byteAt(a);
        int cb = byteAt(b);
        if (!plat::charIsLeadByte(u8(ca)) && !plat::charIsLeadByte(u8(cb))) {
            ca = plat::charUpper(u8(ca));
            cb = plat::charUpper(u8(cb));
        }
        if (ca != cb) return ca - cb;
        if (ca == 0) return 0;
        a = plat::charNext(a);
        b = plat::charNext(b);
    }
}

const char* strFindChar(const char* text, const char* pattern) {
    for (const char* p = text; *p != '\0'; p = plat::charNext(p)) {
        if (sameChar(p, pattern)) return p;
    }
    return nullptr;
}

const char* strFindLastChar(const char* text, const char* pattern) {
    const char* last = nullptr;
    for (const char* found = strFindChar(text, pattern); found != nullptr;
         found = strFindChar(plat::charNext(found), pattern)) {
        last = found;
    }
    return last;
}
