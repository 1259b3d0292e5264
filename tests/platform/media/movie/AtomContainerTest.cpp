#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>

#include "platform/media/movie/AtomContainer.h"

namespace pm = plat::media;

namespace {

std::vector<uint8_t> atomBytes(uint32_t size, uint32_t type, uint32_t id, uint16_t children) {
    std::vector<uint8_t> out;
    for (uint32_t v : {size, type, id}) for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
    out.insert(out.end(), {0, 0, uint8_t(children >> 8), uint8_t(children), 0, 0, 0, 0});
    return out;
}

}  // namespace

TEST(AtomContainer, RoundTripsATreeThroughItsBytes) {
    pm::AtomContainer atoms;
    pm::MrAtom source = 0;
    ASSERT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x77686174, 1, 0, "dslv", 4, nullptr), pm::kMrNoErr);
    ASSERT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x73737263, 0, 0, nullptr, 0, &source), pm::kMrNoErr);
    ASSERT_EQ(atoms.insertChild(source, 0x696E, 7, 0, nullptr, 0, nullptr), pm::kMrNoErr);
    ASSERT_EQ(atoms.insertChild(source, 0x7479, 1, 0, "vide", 4, nullptr), pm::kMrNoErr);
    const std::vector<uint8_t> bytes = atoms.bytes();
    EXPECT_EQ(bytes.size(), 24u + 20u + 20u + 24u);
    pm::AtomContainer read;
    ASSERT_EQ(pm::AtomContainer::fromBytes(bytes.data(), bytes.size(), &read), pm::kMrNoErr);
    EXPECT_EQ(read.childValue32(pm::kMrAtomRoot, 0x77686174, 0), uint32_t(0x64736C76));
    uint32_t id = 0;
    const pm::MrAtom readSource = read.findChildByIndex(pm::kMrAtomRoot, 0x73737263, 1, &id);
    ASSERT_NE(readSource, 0);
    EXPECT_EQ(id, 1u);
    EXPECT_NE(read.findChildById(readSource, 0x696E, 7), 0);
    EXPECT_EQ(read.countChildren(readSource, 0), 2);
    EXPECT_EQ(read.bytes(), bytes);
}

TEST(AtomContainer, IdsAreUniqueAmongSiblingsOfOneType) {
    pm::AtomContainer atoms;
    pm::MrAtom first = 0, second = 0;
    ASSERT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x73737263, 0, 0, nullptr, 0, &first), pm::kMrNoErr);
    ASSERT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x73737263, 0, 0, nullptr, 0, &second), pm::kMrNoErr);
    uint32_t a = 0, b = 0;
    atoms.typeAndId(first, nullptr, &a);
    atoms.typeAndId(second, nullptr, &b);
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 2u);
    EXPECT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x73737263, 2, 0, nullptr, 0, nullptr), pm::kMrParamErr);
    EXPECT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x77686174, 2, 0, nullptr, 0, nullptr), pm::kMrNoErr);
}

TEST(AtomContainer, AnAtomWithDataTakesNoChildren) {
    pm::AtomContainer atoms;
    pm::MrAtom leaf = 0;
    ASSERT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x77686174, 1, 0, "abcd", 4, &leaf), pm::kMrNoErr);
    EXPECT_EQ(atoms.insertChild(leaf, 0x6B696420, 1, 0, nullptr, 0, nullptr), pm::kMrParamErr);
}

TEST(AtomContainer, ReadingRefusesSizesThatDoNotFit) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        pm::MrErr err;
    };
    auto withData = [](uint32_t size, size_t have) {
        auto bytes = atomBytes(size, 0x77686174, 1, 0);
        bytes.resize(bytes.size() + have, 'x');
        return bytes;
    };
    auto parentOf = [](uint32_t parentSize, uint16_t children) {
        auto bytes = atomBytes(parentSize, 0x73737263, 1, children);
        auto child = atomBytes(20, 0x696E, 1, 0);
        bytes.insert(bytes.end(), child.begin(), child.end());
        return bytes;
    };
    const Case cases[] = {
        {"empty container", {}, pm::kMrNoErr},
        {"data exactly in the block", withData(24, 4), pm::kMrNoErr},
        {"data one past the block", withData(25, 4), pm::kMrBadAtomContainer},
        {"size below the header", withData(19, 0), pm::kMrBadAtomContainer},
        {"header cut short", std::vector<uint8_t>(19, 0), pm::kMrBadAtomContainer},
        {"children as counted", parentOf(40, 1), pm::kMrNoErr},
        {"child count one more than there are", parentOf(40, 2), pm::kMrBadAtomContainer},
        {"child past its parent", parentOf(39, 1), pm::kMrBadAtomContainer},
    };
    for (const Case& c : cases) {
        pm::AtomContainer atoms;
        EXPECT_EQ(pm::AtomContainer::fromBytes(c.bytes.data(), c.bytes.size(), &atoms), c.err) << c.what;
    }
}

TEST(AtomContainer, ReadingBoundsTheDepth) {
    for (int depth : {pm::kAtomMaxDepth + 1, pm::kAtomMaxDepth + 2}) {
        std::vector<uint8_t> bytes;
        for (int level = depth - 1; level >= 0; --level) {
            const bool leaf = level == depth - 1;
            auto header = atomBytes(uint32_t(20 + bytes.size()), 0x6E657374, 1, leaf ? 0 : 1);
            header.insert(header.end(), bytes.begin(), bytes.end());
            bytes = std::move(header);
        }
        pm::AtomContainer atoms;
        EXPECT_EQ(pm::AtomContainer::fromBytes(bytes.data(), bytes.size(), &atoms),
                  depth <= pm::kAtomMaxDepth + 1 ? pm::kMrNoErr : pm::kMrBadAtomContainer)
            << depth;
    }
}

TEST(AtomContainer, ReadingRefusesIdZeroAndRepeatedIds) {
    auto siblings = [](std::initializer_list<std::pair<uint32_t, uint32_t>> typesAndIds) {
        std::vector<uint8_t> bytes;
        for (const auto& [type, id] : typesAndIds) {
            const auto atom = atomBytes(20, type, id, 0);
            bytes.insert(bytes.end(), atom.begin(), atom.end());
        }
        return bytes;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        pm::MrErr err;
    } cases[] = {
        {"ids of their own", siblings({{0x73737263, 1}, {0x73737263, 2}}), pm::kMrNoErr},
        {"one id under two types", siblings({{0x73737263, 1}, {0x77686174, 1}}), pm::kMrNoErr},
        {"id 0", siblings({{0x73737263, 1}, {0x73737263, 0}}), pm::kMrBadAtomContainer},
        {"one id twice under one type", siblings({{0x73737263, 2}, {0x77686174, 1}, {0x73737263, 2}}),
         pm::kMrBadAtomContainer},
    };
    for (const auto& c : cases) {
        pm::AtomContainer atoms;
        EXPECT_EQ(pm::AtomContainer::fromBytes(c.bytes.data(), c.bytes.size(), &atoms), c.err) << c.what;
    }
}

TEST(AtomContainer, SiblingsAreReadUpToTheLimitOfTheirIndex) {
    for (const size_t count : {pm::kAtomMaxSiblings, pm::kAtomMaxSiblings + 1}) {
        std::vector<uint8_t> bytes;
        for (size_t i = 0; i < count; ++i) {
            const auto atom = atomBytes(20, 0x73737263, uint32_t(i + 1), 0);
            bytes.insert(bytes.end(), atom.begin(), atom.end());
        }
        // A reader that searches its siblings for each new one would take minutes here.
        pm::AtomContainer atoms;
        auto reading = std::async(std::launch::async,
                                  [&] { return pm::AtomContainer::fromBytes(bytes.data(), bytes.size(), &atoms); });
        if (reading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << count << " siblings were still being read";
            std::abort();
        }
        const bool fits = count <= pm::kAtomMaxSiblings;
        EXPECT_EQ(reading.get(), fits ? pm::kMrNoErr : pm::kMrBadAtomContainer) << count;
        if (!fits) continue;
        EXPECT_EQ(atoms.countChildren(pm::kMrAtomRoot, 0x73737263), int16_t(count));
        // Inserting stops at the same limit, so whatever is written reads back.
        EXPECT_EQ(atoms.insertChild(pm::kMrAtomRoot, 0x73737263, 0x10000, 0, nullptr, 0, nullptr), pm::kMrParamErr);
    }
}
