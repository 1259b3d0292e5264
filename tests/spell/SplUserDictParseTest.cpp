// Dictionary images put together block by block as the format lays them out, at the limits the
// reader checks: the depth of the tree, the leaves' links and the used size of a block.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "spell/SplMemManager.h"
#include "spell/SplUserDict.h"

namespace {

struct Block {
    bool leaf = true;
    u16 head = 0;  // block 0: the format and language; a leaf: its link
    std::vector<std::pair<u16, std::string>> entries;
    u16 used = 0;  // 0: where the entries end
};

// Each key is stored whole: the drop count takes off all of the key before it.
std::vector<u8> image(const std::vector<Block>& blocks) {
    std::vector<u8> out(blocks.size() * kSplBlockSize, 0);
    for (size_t b = 0; b < blocks.size(); ++b) {
        u8* p = out.data() + b * kSplBlockSize;
        writeLE16(p, b == 0 ? u16(kUdFormat | 1 << 8) : blocks[b].head);
        size_t at = 4, previous = 0;
        for (const auto& [value, key] : blocks[b].entries) {
            writeLE16(p + at, value);
            p[at + 2] = u8(previous);
            std::memcpy(p + at + 3, key.data(), key.size());
            at += 3 + key.size() + 1;
            at += at & 1;
            previous = key.size();
        }
        writeLE16(p + 2, u16((blocks[b].used ? blocks[b].used : at) | (blocks[b].leaf ? 0x8000 : 0)));
    }
    return out;
}

// Inner blocks 0 .. inner-1 each leading to the next, then one leaf.
std::vector<Block> nestedBlocks(u16 inner) {
    std::vector<Block> blocks;
    for (u16 b = 0; b < inner; ++b) blocks.push_back({false, 0, {{u16(b + 1), "k"}}});
    blocks.push_back({true, kUdNoLink, {{1, "k"}}});
    return blocks;
}

// The root over two leaves, the first linked to `link`.
std::vector<Block> twoLeaves(u16 link) {
    return {{false, 0, {{1, "a"}, {2, "b"}}}, {true, link, {{1, "a"}}}, {true, kUdNoLink, {{1, "b"}}}};
}

// A root leaf whose entries end exactly at the end of the block (seven of 130 bytes, one of
// 110), with its used size as given.
std::vector<Block> fullRoot(u16 used) {
    Block root{true, 0, {}, used};
    for (char c = 'a'; c < 'h'; ++c) root.entries.push_back({1, std::string(125, c)});
    root.entries.push_back({1, std::string(105, 'h')});
    return {root};
}

TEST(SplUserDictParse, LimitsOnBothSides) {
    struct Case {
        const char* what;
        std::vector<Block> blocks;
        bool accepted;
    };
    const Case cases[] = {
        {"fifteen inner levels", nestedBlocks(kUdMaxDepth - 1), true},
        {"sixteen inner levels", nestedBlocks(kUdMaxDepth), false},
        {"link to the last block", twoLeaves(2), true},
        {"link to the block count", twoLeaves(3), false},
        {"link to itself", twoLeaves(1), false},
        {"link to the root", twoLeaves(0), false},
        {"entries filling the block", fullRoot(0), true},
        {"used size past the block", fullRoot(kSplBlockSize + 2), false},
        {"used size cutting the last entry", fullRoot(kSplBlockSize - 2), false},
    };
    for (const Case& c : cases) {
        const std::vector<u8> bytes = image(c.blocks);
        std::vector<SplUdBlock> blocks;
        u8 format = 0, language = 0;
        EXPECT_EQ(splUserDictParse(bytes.data(), bytes.size(), &blocks, &format, &language), c.accepted) << c.what;
        EXPECT_EQ(format, kUdFormat) << c.what;
        if (c.accepted) {
            EXPECT_EQ(blocks.size(), c.blocks.size()) << c.what;
        }
    }
    EXPECT_EQ(image(fullRoot(0)).size(), kSplBlockSize);
    EXPECT_EQ(readLE16(image(fullRoot(0)).data() + 2), 0x8000 | kSplBlockSize) << "the entries end at the block's end";
}

}  // namespace
