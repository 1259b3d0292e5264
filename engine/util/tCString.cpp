#include "engine/util/tCString.h"

#include <cstring>
#include <string>

void tCString::Assign(const tCString* other) {
    text_ = other ? other->text_ : RcString();
}

u32 tCString::ReplaceAll(const char* from, const char* to) {
    const size_t fromLength = from ? std::strlen(from) : 0;
    if (fromLength == 0) return 0;
    const std::string source(text_.c_str(), text_.ByteLength());
    const std::string replacement = to ? to : "";
    std::string result;
    u32 count = 0;
    size_t start = 0;
    for (size_t found = source.find(from, 0, fromLength); found != std::string::npos;
         found = source.find(from, start, fromLength)) {
        result.append(source, start, found - start).append(replacement);
        start = found + fromLength;
        ++count;
    }
    if (count == 0) return 0;
    result.append(source, start, std::string::npos);
    text_ = RcString(result.c_str());
    return count;
}

void tCString::ToUpper() {
    std::string text(text_.c_str(), text_.ByteLength());
    bool changed = false;
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
            changed = true;
        }
    }
    if (changed) text_ = RcString(text.c_str());
}

void tCString::Clear() {
    text_ = RcString();
}
