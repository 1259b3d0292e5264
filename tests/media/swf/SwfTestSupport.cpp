#include "tests/media/swf/SwfTestSupport.h"

#include <fstream>
#include <iterator>

#include "engine/base/ByteOrder.h"

namespace swftest {

Bytes Tag(u16 code, const Bytes& body, bool longForm) {
    Bytes out(2);
    if (!longForm && body.size() < 63) {
        writeLE16(out.data(), u16((code << 6) | body.size()));
    } else {
        writeLE16(out.data(), u16((code << 6) | 63));
        out.resize(6);
        writeLE32(out.data() + 2, u32(body.size()));
    }
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes Movie(const Bytes& tags) {
    Bytes out{'F', 'W', 'S', 6, 0, 0, 0, 0, 0x10, 0x00, 0x00, 0x0C, 0x01, 0x00};
    out.insert(out.end(), tags.begin(), tags.end());
    out.push_back(0);
    out.push_back(0);
    writeLE32(out.data() + 4, u32(out.size()));
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

swf::Result Load(swf::document& movie, const Bytes& bytes) {
    return swf::LoadMovieFromMemory(movie, bytes.data(), u32(bytes.size()));
}

Bytes Written(swf::document& movie) {
    Bytes out;
    const swf::Result result = swf::SaveMovieToMemory(movie, out);
    return result == swf::kOk ? out : Bytes{};
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Contents(swf::mstream& stream) {
    u32 size = 0;
    stream.Size(size);
    const u8* data = stream.Buffer();
    return data ? Bytes(data, data + size) : Bytes{};
}

}  // namespace swftest
