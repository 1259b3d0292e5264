#include <gtest/gtest.h>

#include <vector>

#include "media/swf/NameTree.h"

using namespace swf;

namespace {

// Records its releases; may free its entry on release as a play-time instance can.
struct CountingInstance : NameTreeInstance {
    void ReleaseInstance(NameTree& tree, u32 index) override {
        released.push_back(index);
        (void)tree;
    }
    std::vector<u32> released;
};

std::vector<u16> DepthsInListOrder(NameTree& tree) {
    std::vector<u16> depths;
    for (u32 at = tree.First(); at != kNoEntry; at = tree.Entry(at).next) depths.push_back(tree.Entry(at).depth);
    return depths;
}

u32 Named(NameTree& tree, u32 parent, u16 depth, const char* name) {
    const u32 index = tree.FindOrAdd(parent, depth);
    tree.Entry(index).name = RcString(name);
    return index;
}

}  // namespace

TEST(SwfNameTree, ChildrenAreKeptInDescendingDepthWithDescendantsFollowing) {
    NameTree tree;
    const u32 low = tree.FindOrAdd(kNoEntry, 1);
    const u32 high = tree.FindOrAdd(kNoEntry, 9);
    const u32 middle = tree.FindOrAdd(kNoEntry, 5);
    const u32 child = tree.FindOrAdd(high, 2);
    EXPECT_EQ(DepthsInListOrder(tree), (std::vector<u16>{9, 2, 5, 1}));
    EXPECT_EQ(tree.FindOrAdd(kNoEntry, 5), middle);
    EXPECT_EQ(tree.Entry(child).level, 1);
    EXPECT_EQ(tree.Entry(child).parent, high);
    EXPECT_EQ(tree.Entry(low).kind, kEntryReserved);
    EXPECT_EQ(tree.InUse(), 4u);
}

TEST(SwfNameTree, ArrayGrowsAndFreedEntriesAreReused) {
    NameTree tree;
    std::vector<u32> made;
    for (u16 depth = 1; depth <= 20; ++depth) made.push_back(tree.FindOrAdd(kNoEntry, depth));
    EXPECT_EQ(tree.InUse(), 20u);
    tree.Remove(made[3]);
    EXPECT_EQ(tree.InUse(), 19u);
    EXPECT_EQ(tree.FindOrAdd(kNoEntry, 100), made[3]);
}

TEST(SwfNameTree, RemoveTakesDescendantsFirstAndReleasesInstances) {
    NameTree tree;
    CountingInstance instance;
    const u32 top = tree.FindOrAdd(kNoEntry, 3);
    const u32 child = tree.FindOrAdd(top, 1);
    const u32 grandchild = tree.FindOrAdd(child, 1);
    const u32 other = tree.FindOrAdd(kNoEntry, 1);
    for (u32 index : {top, child, grandchild}) tree.Entry(index).instance = &instance;
    tree.Remove(top);
    EXPECT_EQ(instance.released, (std::vector<u32>{grandchild, child, top}));
    EXPECT_EQ(tree.InUse(), 1u);
    EXPECT_EQ(tree.First(), other);
    EXPECT_EQ(tree.Entry(top).kind, kEntryFree);
}

TEST(SwfNameTree, RemovingEverythingClearsBackgroundAndChanges) {
    NameTree tree;
    tree.FindOrAdd(tree.FindOrAdd(kNoEntry, 2), 1);
    tree.FindOrAdd(kNoEntry, 1);
    tree.background = Rgba{1, 2, 3, 4};
    tree.changeCount = 7;
    tree.RemoveChildren(kNoEntry);
    EXPECT_EQ(tree.InUse(), 0u);
    EXPECT_EQ(tree.First(), kNoEntry);
    EXPECT_EQ(tree.background, (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(tree.changeCount, 0u);
}

TEST(SwfNameTree, PathsFollowNamesParentsAndTheTop) {
    NameTree tree;
    const u32 a = Named(tree, kNoEntry, 2, "a");
    const u32 b = Named(tree, a, 1, "b");
    const u32 c = Named(tree, kNoEntry, 1, "c");
    u32 found = 0;
    ASSERT_EQ(tree.Find(c, "/a/b", found), kOk);
    EXPECT_EQ(found, b);
    ASSERT_EQ(tree.Find(a, "../c", found), kOk);
    EXPECT_EQ(found, c);
    ASSERT_EQ(tree.Find(b, "..", found), kOk);
    EXPECT_EQ(found, a);
    ASSERT_EQ(tree.Find(a, "b", found), kOk);
    EXPECT_EQ(found, b);
}

TEST(SwfNameTree, MissingOrPartialNamesAreNotFound) {
    NameTree tree;
    const u32 a = Named(tree, kNoEntry, 2, "alpha");
    Named(tree, kNoEntry, 1, "beta");
    u32 found = 0;
    EXPECT_EQ(tree.Find(kNoEntry, "/alp", found), kErrNotFound);
    EXPECT_EQ(found, kNoEntry);
    EXPECT_EQ(tree.Find(a, "beta", found), kErrNotFound);
    EXPECT_EQ(tree.Status(), kErrNotFound);
}

TEST(SwfNameTree, StaleOrUnknownIndicesLeaveTheTreeIntact) {
    NameTree tree;
    const u32 kept = Named(tree, kNoEntry, 9, "kept");
    const u32 gone = tree.FindOrAdd(kNoEntry, 5);
    tree.Remove(gone);
    ASSERT_EQ(tree.InUse(), 1u);

    tree.Remove(gone);
    tree.Remove(1000);
    tree.RemoveChildren(1000);
    EXPECT_EQ(tree.FindOrAdd(gone, 3), kNoEntry);
    EXPECT_EQ(tree.FindOrAdd(1000, 3), kNoEntry);
    u32 found = 0;
    EXPECT_EQ(tree.Find(gone, "kept", found), kErrNotFound);
    EXPECT_EQ(tree.Find(1000, "../kept", found), kErrNotFound);

    EXPECT_EQ(tree.InUse(), 1u);
    EXPECT_EQ(DepthsInListOrder(tree), (std::vector<u16>{9}));
    ASSERT_EQ(tree.Find(kNoEntry, "/kept", found), kOk);
    EXPECT_EQ(found, kept);
}

// An instance that deletes itself removes its own entry from its release.
struct SelfRemovingInstance : NameTreeInstance {
    void ReleaseInstance(NameTree& tree, u32 index) override {
        ++releases;
        tree.Remove(index);
    }
    int releases = 0;
};

TEST(SwfNameTree, ReleaseThatRemovesItsOwnEntryRunsOnce) {
    NameTree tree;
    SelfRemovingInstance instance;
    const u32 kept = tree.FindOrAdd(kNoEntry, 9);
    const u32 gone = tree.FindOrAdd(kNoEntry, 5);
    tree.Entry(gone).instance = &instance;
    tree.Remove(gone);
    EXPECT_EQ(instance.releases, 1);
    EXPECT_EQ(tree.InUse(), 1u);
    EXPECT_EQ(tree.First(), kept);
    EXPECT_EQ(tree.Entry(kept).next, kNoEntry);
}
