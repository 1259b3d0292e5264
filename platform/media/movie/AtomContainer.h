#pragma once
// Atom containers: a tree of typed atoms, each with an id unique among its siblings of the same
// type, holding either data or children. Effect descriptions (.qfx files), effect samples and
// input maps are stored in them. Bytes on disk: the root's children one after another, each
// atom a 20-byte big-endian header (size including the header, type, id, 2 reserved bytes,
// child count, 4 reserved bytes) followed by its data or its children. Reading checks every
// size against its parent and bounds the depth and the atom count.
#include <cstdint>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/movie/MovieEditingAbi.h"

namespace plat::media {

constexpr uint32_t kAtomHeaderSize = 20;
constexpr int kAtomMaxDepth = 32;
constexpr size_t kAtomMaxCount = 65536;
// Children are counted and found by a 16-bit index.
constexpr size_t kAtomMaxSiblings = 32767;

class AtomContainer {
public:
    MrAtom findChildByIndex(MrAtom parent, uint32_t type, int16_t index, uint32_t* id) const;
    MrAtom findChildById(MrAtom parent, uint32_t type, uint32_t id) const;
    int16_t countChildren(MrAtom parent, uint32_t type) const;  // type 0 counts every child
    // The index-th child of any type (from 1), or 0.
    MrAtom childAt(MrAtom parent, int16_t index) const;
    MrErr insertChild(MrAtom parent, uint32_t type, uint32_t id, int16_t index, const void* data, uint32_t size,
                      MrAtom* out);
    MrErr data(MrAtom atom, uint32_t* size, const uint8_t** bytes) const;
    MrErr typeAndId(MrAtom atom, uint32_t* type, uint32_t* id) const;
    // A big-endian 32-bit value held by the first child of `type`, or `fallback`.
    uint32_t childValue32(MrAtom parent, uint32_t type, uint32_t fallback) const;

    std::vector<uint8_t> bytes() const;
    static MrErr fromBytes(const uint8_t* data, size_t size, AtomContainer* out);
    bool empty() const { return nodes_.size() <= 1; }

private:
    struct Node {
        uint32_t type = 0;
        uint32_t id = 0;
        MrAtom parent = -1;
        std::vector<MrAtom> children;
        std::vector<uint8_t> data;
    };
    bool valid(MrAtom atom) const { return atom >= 0 && size_t(atom) < nodes_.size(); }
    void write(MrAtom atom, std::vector<uint8_t>& out) const;
    MrErr read(const uint8_t* data, size_t size, MrAtom parent, int depth);

    std::vector<Node> nodes_{Node{}};  // nodes_[0] is the container
};

}  // namespace plat::media

struct plat::media::MrAtomContainer {
    AtomContainer atoms;
};
