#include "media/objects/SwfHost.h"

#include <new>

#include "media/objects/WavePlay.h"

SwfHost host;

void InstallSwfHost() { swf::SetHost(&host); }

namespace {

swf::Result answer(SwfHost& owner, const std::type_info& id, void** out) {
    if (!out) return swf::kErrNoInterface;
    if (swf::SameInterface(id, typeid(swf::i_object)) || swf::SameInterface(id, typeid(swf::i_host))) {
        *out = static_cast<swf::i_host*>(&owner);
    } else if (swf::SameInterface(id, typeid(swf::i_jpeg))) {
        *out = &owner.jpeg();
    } else {
        *out = nullptr;
        return swf::kErrNoInterface;
    }
    return swf::kOk;
}

}  // namespace

swf::Result SwfHost::QueryInterface(const std::type_info& id, void** out) { return answer(*this, id, out); }
swf::Result SwfHostJpeg::QueryInterface(const std::type_info& id, void** out) { return answer(owner_, id, out); }

swf::Result SwfHost::CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) {
    player = nullptr;
    auto* made = new (std::nothrow) WavePlay(source);
    if (!made) return swf::kErrMemory;
    made->AddRef();
    player = made;
    return swf::kOk;
}
