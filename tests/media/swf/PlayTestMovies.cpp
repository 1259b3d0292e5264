#include "tests/media/swf/PlayTestMovies.h"

#include "engine/base/ByteOrder.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Records.h"
#include "media/swf/TagCodes.h"

namespace swftest {

namespace {

Bytes U16(u16 v) { return Bytes{u8(v), u8(v >> 8)}; }
Bytes U32(u32 v) { return Bytes{u8(v), u8(v >> 8), u8(v >> 16), u8(v >> 24)}; }
Bytes Text(const std::string& s) {
    Bytes out(s.begin(), s.end());
    out.push_back(0);
    return out;
}
Bytes Record(u8 code, const Bytes& payload) {
    Bytes out{u8(code | 0x80)};
    const Bytes size = U16(u16(payload.size()));
    out.insert(out.end(), size.begin(), size.end());
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}
template <class Write>
Bytes Bits(Write write) {
    swf::mstream out(64);
    write(out);
    out.Align(8);
    return Contents(out);
}

}  // namespace

Bytes MovieOf(u16 frameCount, const Bytes& tags, u8 rate) {
    Bytes out{'F', 'W', 'S', 6, 0, 0, 0, 0, 0x10, 0x00, 0x00, rate, u8(frameCount), u8(frameCount >> 8)};
    out.insert(out.end(), tags.begin(), tags.end());
    out.push_back(0);
    out.push_back(0);
    writeLE32(out.data() + 4, u32(out.size()));
    return out;
}

Bytes ShowFrame() { return Tag(swf::kTagShowFrame, {}); }

Bytes Shape(u16 id) { return Tag(swf::kTagDefineShape, Concat({U16(id), {0x10, 0x00, 0, 0, 0x00, 0x00}})); }

Bytes ShapeWithBounds(u16 id, const swf::Rect& bounds) {
    const Bytes rect = Bits([&](swf::stream& out) { swf::WriteRect(out, bounds); });
    return Tag(swf::kTagDefineShape, Concat({U16(id), rect, {0, 0, 0x00, 0x00}}));
}

Bytes Place(u16 depth, u16 id, const std::string& name) {
    Bytes body{u8((id ? 0x02 : 0) | (name.empty() ? 0 : 0x20) | (id ? 0 : 0x01))};
    body = Concat({body, U16(depth)});
    if (id) body = Concat({body, U16(id)});
    if (!name.empty()) body = Concat({body, Text(name)});
    return Tag(swf::kTagPlaceObject2, body);
}

Bytes PlaceMatrix(u16 depth, u16 id, const swf::Matrix& matrix, bool move) {
    Bytes body{u8((id ? 0x02 : 0) | 0x04 | (move ? 0x01 : 0))};
    body = Concat({body, U16(depth)});
    if (id) body = Concat({body, U16(id)});
    body = Concat({body, Bits([&](swf::stream& out) { swf::WriteMatrix(out, matrix); })});
    return Tag(swf::kTagPlaceObject2, body);
}

Bytes PlaceCxform(u16 depth, u16 id, const swf::Cxform& cxform) {
    Bytes body{u8(0x02 | 0x08)};
    body = Concat({body, U16(depth), U16(id), Bits([&](swf::stream& out) { swf::WriteCxform(out, cxform, true); })});
    return Tag(swf::kTagPlaceObject2, body);
}

Bytes Remove(u16 depth) { return Tag(swf::kTagRemoveObject2, U16(depth)); }

Bytes Sprite(u16 id, u16 frameCount, const Bytes& tags) {
    return Tag(swf::kTagDefineSprite, Concat({U16(id), U16(frameCount), tags, {0, 0}}), true);
}

Bytes Label(const std::string& name) { return Tag(swf::kTagFrameLabel, Text(name)); }

Bytes Background(u8 red, u8 green, u8 blue) { return Tag(swf::kTagSetBackgroundColor, {red, green, blue}); }

Bytes DoAction(const Bytes& actions) { return Tag(swf::kTagDoAction, Concat({actions, {0}}), true); }

Bytes Button(u16 id, std::initializer_list<ButtonRecord> records) {
    Bytes body = Concat({U16(id), {0}, U16(0)});
    // An identity CXFORM fits one byte of zero bits.
    for (const ButtonRecord& r : records) {
        const Bytes matrix = Bits([&](swf::stream& out) { swf::WriteMatrix(out, r.matrix); });
        body = Concat({body, {r.states}, U16(r.character), U16(r.layer), matrix, {0}});
    }
    body.push_back(0);
    return Tag(swf::kTagDefineButton2, body, true);
}

Bytes DefineSound(u16 id, u8 format, u8 rateCode, bool sixteenBits, bool stereo, u32 sampleCount, const Bytes& data) {
    const u8 flags = u8((format << 4) | (rateCode << 2) | (sixteenBits ? 2 : 0) | (stereo ? 1 : 0));
    return Tag(swf::kTagDefineSound, Concat({U16(id), {flags}, U32(sampleCount), data}), true);
}

Bytes StartSound(u16 id, u8 flags, u32 inPoint, u32 outPoint, u16 loops) {
    Bytes body = Concat({U16(id), {flags}});
    if (flags & 0x01) body = Concat({body, U32(inPoint)});
    if (flags & 0x02) body = Concat({body, U32(outPoint)});
    if (flags & 0x04) body = Concat({body, U16(loops)});
    return Tag(swf::kTagStartSound, body);
}

namespace act {
Bytes Goto(u16 frame) { return Record(0x01, U16(frame)); }
Bytes GetUrl(const std::string& url, const std::string& window) { return Record(0x03, Concat({Text(url), Text(window)})); }
Bytes Next() { return {0x04}; }
Bytes Previous() { return {0x05}; }
Bytes Play() { return {0x06}; }
Bytes Stop() { return {0x07}; }
Bytes StopSounds() { return {0x09}; }
Bytes WaitFor(u16 frame, u8 skip) { return Record(0x0A, Concat({U16(frame), {skip}})); }
Bytes Target(const std::string& path) { return Record(0x0B, Text(path)); }
Bytes GotoLabel(const std::string& label) { return Record(0x0C, Text(label)); }
}  // namespace act

}  // namespace swftest
