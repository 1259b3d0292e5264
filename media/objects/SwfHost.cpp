#include "media/objects/SwfHost.h"

#include <cstring>

#include "media/objects/WavePlay.h"

SwfHost host;

namespace {

bool same(const std::type_info& a, const std::type_info& b) { return std::strcmp(a.name(), b.name()) == 0; }

uint16_t answer(SwfHost& owner, const std::type_info& id, void** out) {
    if (!out) return swf::kHostNotImplemented;
    if (same(id, typeid(swf::i_object)) || same(id, typeid(swf::i_host))) {
        *out = static_cast<swf::i_host*>(&owner);
    } else if (same(id, typeid(swf::i_jpeg))) {
        *out = &owner.jpeg();
    } else {
        *out = nullptr;
        return swf::kHostNotImplemented;
    }
    return swf::kHostOk;
}

}  // namespace

uint16_t SwfHost::QueryInterface(const std::type_info& id, void** out) { return answer(*this, id, out); }
uint16_t SwfHostJpeg::QueryInterface(const std::type_info& id, void** out) { return answer(owner_, id, out); }

uint16_t SwfHost::CreateWavePlay(swf::i_waveplay** out, swf::i_wavedata* source) {
    if (!out) return swf::kHostNotImplemented;
    *out = new WavePlay(source);
    (*out)->AddRef();
    return swf::kHostOk;
}
