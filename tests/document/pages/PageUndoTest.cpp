// Adding and deleting objects as the program's undo step: undo, redo, and a step dropped when
// another owner takes the undo or the page goes away.
#include <gtest/gtest.h>

#include "document/pages/RPageData.h"
#include "framework/undo/UndoManager.h"
#include "framework/messaging/mfDispatcher.h"
#include "tests/document/pages/PageSamples.h"
#include "engine/base/MemoryHandles.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

namespace {

using namespace Ostrel;

std::vector<std::pair<FourCC, u16>> objectsOf(const RPageData& page) {
    std::vector<std::pair<FourCC, u16>> seen;
    u32 it = 0;
    RPageObject* o = nullptr;
    while (page.NextObject(&it, &o, kTypeAnyObject)) seen.emplace_back(o->Type(), o->Id());
    return seen;
}

class PageUndo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
    }
    void TearDown() override {
        resShutdown();
        memShutdown();
    }
    static EngineErr save(RPageData& page, std::vector<u8>* bytes) {
        auto image = std::make_shared<testres::FileImage>();
        testres::MemoryArchiveFile file(image, "page");
        const EngineErr err = page.SaveToArchive(file);
        *bytes = image->bytes;
        return err;
    }
    static EngineErr load(const std::vector<u8>& bytes, RPageData* page) {
        auto image = std::make_shared<testres::FileImage>();
        image->bytes = bytes;
        const ResMapHandle map = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "load"), 1, 0);
        if (map == 0) return resGetLastError();
        const EngineErr err = page->LoadFromMap(map);
        resCloseFile(map, 0, 1);
        return err;
    }
    void choose() {
        undo.Undo();
        dispatcher.DispatchQueuedMessages();
    }
    mfDispatcher dispatcher;
    UndoManager undo{201, [](const char*) { return std::string(); }};
};

TEST_F(PageUndo, AddThenUndoRedoUndo) {
    RPageData page;
    page.SetUndoManager(&undo);
    page.AddObject(kTypeText, 1, {}, {});
    page.AddObject(kTypeSound, 1, {}, {});
    EXPECT_EQ(undo.GetCurrentCode(), kUndoAddObject);
    using List = std::vector<std::pair<FourCC, u16>>;
    choose();
    EXPECT_EQ(objectsOf(page), (List{{kTypeText, 1}}));
    choose();
    EXPECT_EQ(objectsOf(page), (List{{kTypeText, 1}, {kTypeSound, 1}}));
    choose();
    EXPECT_EQ(objectsOf(page), (List{{kTypeText, 1}}));
}

TEST_F(PageUndo, DeleteComesBackInItsPlaceWithItsMedia) {
    RPageData page;
    page.SetUndoManager(&undo);
    testdoc::fillWithEveryKind(page, 4, 3);
    const auto before = testdoc::contentOf(page);
    ASSERT_TRUE(page.DeleteObject(kTypeText, 1));
    EXPECT_EQ(undo.GetCurrentCode(), kUndoDeleteObject);
    page.SetDirtyState(false);
    choose();
    EXPECT_EQ(testdoc::contentOf(page), before);
    EXPECT_TRUE(page.IsDirty());
    RPageObject* back = nullptr;
    ASSERT_EQ(page.FindObject(kTypeText, 1, &back), 0);
    EXPECT_TRUE(back->IsOnPage());
    choose();
    EXPECT_EQ(page.ObjectCount(), before.size() - 1);
}

TEST_F(PageUndo, StepGoesWithThePageOrToAnotherOwner) {
    {
        RPageData page;
        page.SetUndoManager(&undo);
        page.AddObject(kTypeText, 1, {}, {});
        EXPECT_EQ(undo.GetCurrentCode(), kUndoAddObject);
    }
    EXPECT_EQ(undo.GetCurrentCode(), 0u) << "a closed page's step is forgotten";
    RPageData first, second;
    first.SetUndoManager(&undo);
    second.SetUndoManager(&undo);
    first.DeleteObject(kTypeText, 1);
    first.AddObject(kTypeText, 1, {}, {});
    second.AddObject(kTypeSound, 1, {}, {});
    choose();
    EXPECT_EQ(first.ObjectCount(), 1u) << "the other page's step is not this page's";
    EXPECT_EQ(second.ObjectCount(), 0u);
}

// The background is made again before every save; bringing back the deleted one beside it
// would give the page two of the same kind and id, which no save could store.
TEST_F(PageUndo, DeletedObjectDoesNotComeBackOverOneMadeSince) {
    RPageData page;
    page.SetUndoManager(&undo);
    ASSERT_EQ(page.EnsureBackground(), kErrNone);
    ASSERT_TRUE(page.DeleteObject(kTypeBitmap, kBackgroundId));
    ASSERT_EQ(page.EnsureBackground(), kErrNone);
    choose();
    EXPECT_EQ(page.ObjectCount(), 1u);
    EXPECT_EQ(undo.GetCurrentCode(), 0u) << "a step that cannot be taken back is forgotten";
    std::vector<u8> bytes;
    EXPECT_EQ(save(page, &bytes), kErrNone);
}

TEST_F(PageUndo, LoadingOtherContentsForgetsTheStep) {
    RPageData saved;
    saved.AddObject(kTypeText, 1, testdoc::textBytes("kept"), {});
    std::vector<u8> bytes;
    ASSERT_EQ(save(saved, &bytes), kErrNone);

    RPageData page;
    page.SetUndoManager(&undo);
    page.AddObject(kTypeText, 1, testdoc::textBytes("gone"), {});
    ASSERT_EQ(undo.GetCurrentCode(), kUndoAddObject);
    ASSERT_EQ(load(bytes, &page), kErrNone);
    EXPECT_EQ(undo.GetCurrentCode(), 0u);
    choose();
    EXPECT_EQ(testdoc::contentOf(page), testdoc::contentOf(saved)) << "the loaded text stays";
}

}  // namespace
