#include "platform/media/movie/AtomContainer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "platform/media/ByteReader.h"

namespace plat::media {

namespace {

void putBe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void putBe16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(uint8_t(value >> 8));
    out.push_back(uint8_t(value));
}

}  // namespace

MrAtom AtomContainer::findChildByIndex(MrAtom parent, uint32_t type, int16_t index, uint32_t* id) const {
    if (!valid(parent) || index < 1) return 0;
    int16_t seen = 0;
    for (MrAtom child : nodes_[size_t(parent)].children) {
        if (nodes_[size_t(child)].type != type || ++seen != index) continue;
        if (id) *id = nodes_[size_t(child)].id;
        return child;
    }
    return 0;
}

MrAtom AtomContainer::findChildById(MrAtom parent, uint32_t type, uint32_t id) const {
    if (!valid(parent)) return 0;
    for (MrAtom child : nodes_[size_t(parent)].children)
        if (nodes_[size_t(child)].type == type && nodes_[size_t(child)].id == id) return child;
    return 0;
}

int16_t AtomContainer::countChildren(MrAtom parent, uint32_t type) const {
    if (!valid(parent)) return 0;
    int16_t count = 0;
    for (MrAtom child : nodes_[size_t(parent)].children)
        if (type == 0 || nodes_[size_t(child)].type == type) ++count;
    return count;
}

MrAtom AtomContainer::childAt(MrAtom parent, int16_t index) const {
    if (!valid(parent) || index < 1 || size_t(index) > nodes_[size_t(parent)].children.size()) return 0;
    return nodes_[size_t(parent)].children[size_t(index - 1)];
}

MrErr AtomContainer::insertChild(MrAtom parent, uint32_t type, uint32_t id, int16_t index, const void* data,
                                 uint32_t size, MrAtom* out) {
    if (!valid(parent) || (size && !data) || index < 0) return kMrParamErr;
    // An atom holds data or children, never both.
    if (!nodes_[size_t(parent)].data.empty() || nodes_.size() >= kAtomMaxCount) return kMrParamErr;
    auto& siblings = nodes_[size_t(parent)].children;
    if (siblings.size() >= kAtomMaxSiblings || size_t(index) > siblings.size() + 1) return kMrParamErr;
    if (id == 0) {
        id = 1;
        while (findChildById(parent, type, id)) ++id;
    } else if (findChildById(parent, type, id)) {
        return kMrParamErr;
    }
    try {
        Node node;
        node.type = type;
        node.id = id;
        node.parent = parent;
        if (size) node.data.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
        const MrAtom atom = MrAtom(nodes_.size());
        nodes_.push_back(std::move(node));
        auto& children = nodes_[size_t(parent)].children;
        children.insert(index == 0 ? children.end() : children.begin() + (index - 1), atom);
        if (out) *out = atom;
    } catch (const std::bad_alloc&) {
        return kMrMemFullErr;
    }
    return kMrNoErr;
}

MrErr AtomContainer::data(MrAtom atom, uint32_t* size, const uint8_t** bytes) const {
    if (!valid(atom) || atom == kMrAtomRoot) return kMrAtomNotFound;
    if (size) *size = uint32_t(nodes_[size_t(atom)].data.size());
    if (bytes) *bytes = nodes_[size_t(atom)].data.data();
    return kMrNoErr;
}

MrErr AtomContainer::typeAndId(MrAtom atom, uint32_t* type, uint32_t* id) const {
    if (!valid(atom) || atom == kMrAtomRoot) return kMrAtomNotFound;
    if (type) *type = nodes_[size_t(atom)].type;
    if (id) *id = nodes_[size_t(atom)].id;
    return kMrNoErr;
}

uint32_t AtomContainer::childValue32(MrAtom parent, uint32_t type, uint32_t fallback) const {
    const MrAtom atom = findChildByIndex(parent, type, 1, nullptr);
    if (!atom) return fallback;
    const auto& bytes = nodes_[size_t(atom)].data;
    if (bytes.size() != 4) return fallback;
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

void AtomContainer::write(MrAtom atom, std::vector<uint8_t>& out) const {
    const Node& node = nodes_[size_t(atom)];
    const size_t start = out.size();
    putBe32(out, 0);
    putBe32(out, node.type);
    putBe32(out, node.id);
    putBe16(out, 0);
    putBe16(out, uint16_t(node.children.size()));
    putBe32(out, 0);
    out.insert(out.end(), node.data.begin(), node.data.end());
    for (MrAtom child : node.children) write(child, out);
    const uint32_t size = uint32_t(out.size() - start);
    for (int i = 0; i < 4; ++i) out[start + size_t(i)] = uint8_t(size >> (24 - 8 * i));
}

std::vector<uint8_t> AtomContainer::bytes() const {
    std::vector<uint8_t> out;
    for (MrAtom child : nodes_[0].children) write(child, out);
    return out;
}

MrErr AtomContainer::read(const uint8_t* data, size_t size, MrAtom parent, int depth) {
    if (depth > kAtomMaxDepth) return kMrBadAtomContainer;
    ByteReader reader(data, size);
    while (reader.remaining() > 0) {
        const uint32_t atomSize = reader.be32();
        const uint32_t type = reader.be32();
        const uint32_t id = reader.be32();
        reader.skip(2);
        const uint16_t childCount = reader.be16();
        reader.skip(4);
        if (!reader.ok() || atomSize < kAtomHeaderSize || atomSize - kAtomHeaderSize > reader.remaining())
            return kMrBadAtomContainer;
        // Every atom written has an id of its own: 0 is damage, and would otherwise ask for a
        // search for a free id per atom, which a long list of them turns into hours.
        if (id == 0 || nodes_.size() >= kAtomMaxCount || nodes_[size_t(parent)].children.size() >= kAtomMaxSiblings)
            return kMrBadAtomContainer;
        const uint8_t* body = reader.here();
        const size_t bodySize = atomSize - kAtomHeaderSize;
        reader.skip(bodySize);
        const MrAtom atom = MrAtom(nodes_.size());
        Node node;
        node.type = type;
        node.id = id;
        node.parent = parent;
        if (!childCount) node.data.assign(body, body + bodySize);
        nodes_.push_back(std::move(node));
        nodes_[size_t(parent)].children.push_back(atom);
        if (childCount) {
            const MrErr err = read(body, bodySize, atom, depth + 1);
            if (err != kMrNoErr) return err;
            if (nodes_[size_t(atom)].children.size() != childCount) return kMrBadAtomContainer;
        }
    }
    // Ids are checked once all siblings are read: sorted, so a long list costs no more than
    // sorting it.
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    keys.reserve(nodes_[size_t(parent)].children.size());
    for (MrAtom child : nodes_[size_t(parent)].children)
        keys.emplace_back(nodes_[size_t(child)].type, nodes_[size_t(child)].id);
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) == keys.end() ? kMrNoErr : kMrBadAtomContainer;
}

MrErr AtomContainer::fromBytes(const uint8_t* data, size_t size, AtomContainer* out) {
    if ((!data && size) || !out) return kMrParamErr;
    AtomContainer made;
    MrErr err;
    try {
        err = made.read(data, size, kMrAtomRoot, 0);
    } catch (const std::bad_alloc&) {
        err = kMrMemFullErr;
    }
    if (err != kMrNoErr) return err;
    *out = std::move(made);
    return kMrNoErr;
}

}  // namespace plat::media
