// The undo step: who hears Undo and Redo, when a step is released, and the menu's text.
#include <gtest/gtest.h>

#include <map>

#include "framework/undo/UndoManager.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/mfDispatcher.h"

namespace {

using namespace Ostrel;

struct Recorder : CListener {
    std::vector<u32> heard;
    u32 HandleMessage(RMessage* message, uintptr_t) override {
        heard.push_back(message->code);
        EXPECT_EQ(message->param1, 0u);
        EXPECT_EQ(message->param2, 0u);
        return 0;
    }
};

std::vector<std::pair<CListener*, FourCC>> released;
void recordRelease(CListener* owner, FourCC code) { released.emplace_back(owner, code); }

UndoManager::TextSource texts() {
    return [](const char* key) {
        static const std::map<std::string, std::string> table = {
            {"UndoMenuItem", "Undo"}, {"RedoMenuItem", "Redo"}, {"pAdd", "Add"}, {"pDe1", "Delete"}};
        auto it = table.find(key);
        return it == table.end() ? std::string() : it->second;
    };
}

class UndoSteps : public ::testing::Test {
protected:
    void SetUp() override { released.clear(); }
    void deliver() { dispatcher.DispatchQueuedMessages(); }
    mfDispatcher dispatcher;
    UndoManager undo{201, texts()};
    Recorder page, canvas;
};

TEST_F(UndoSteps, UndoThenRedoPostTheCodeToTheOwnerEachTime) {
    EXPECT_EQ(undo.MenuText(), "Undo");
    undo.SetCurrent(&page, fourCC("pAdd"), recordRelease);
    EXPECT_EQ(undo.MenuText(), "Undo Add");
    undo.Undo();
    EXPECT_TRUE(page.heard.empty()) << "delivered later, not inside the call";
    deliver();
    EXPECT_EQ(page.heard, std::vector<u32>{fourCC("pAdd")});
    EXPECT_EQ(undo.MenuText(), "Redo Add");
    undo.Undo();
    deliver();
    EXPECT_EQ(page.heard, (std::vector<u32>{fourCC("pAdd"), fourCC("pAdd")}));
    EXPECT_EQ(undo.MenuText(), "Undo Add");
    EXPECT_TRUE(canvas.heard.empty());
    EXPECT_TRUE(released.empty());
}

// The menu's words follow the language of the moment, not the one at start-up.
TEST(UndoMenu, TheVerbIsReadInTheCurrentLanguage) {
    bool spanish = false;
    UndoManager undo(201, [&spanish](const char* key) {
        const std::string k = key;
        if (k == "UndoMenuItem") return std::string(spanish ? "Deshacer" : "Undo");
        if (k == "RedoMenuItem") return std::string(spanish ? "Rehacer" : "Redo");
        return std::string();
    });
    EXPECT_EQ(undo.MenuText(), "Undo");
    spanish = true;
    EXPECT_EQ(undo.MenuText(), "Deshacer");
}

TEST_F(UndoSteps, AnotherOwnersStepReleasesTheOldOneAndTheSameOwnersDoesNot) {
    undo.SetCurrent(&page, fourCC("pAdd"), recordRelease);
    undo.SetCurrent(&page, fourCC("pDe1"), recordRelease);
    EXPECT_TRUE(released.empty()) << "the owner replaces its own step itself";
    EXPECT_EQ(undo.MenuText(), "Undo Delete");
    undo.SetCurrent(&canvas, fourCC("pntX"), recordRelease);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0], (std::pair<CListener*, FourCC>(&page, fourCC("pDe1"))));
    EXPECT_EQ(undo.MenuText(), "Undo") << "a code without a text gives the bare verb";

    undo.DiscardIfOwner(&page);
    EXPECT_EQ(undo.GetCurrentCode(), fourCC("pntX")) << "not the owner: kept";
    undo.DiscardIfOwner(&canvas);
    EXPECT_EQ(undo.GetCurrentCode(), 0u);
    EXPECT_EQ(released.size(), 2u);
    undo.Undo();
    deliver();
    EXPECT_TRUE(canvas.heard.empty()) << "nothing to take back";
}

TEST_F(UndoSteps, ReleasedOwnerHearsNothingQueuedForIt) {
    auto owner = std::make_unique<Recorder>();
    undo.SetCurrent(owner.get(), fourCC("pAdd"), nullptr);
    undo.Undo();
    undo.DiscardIfOwner(owner.get());
    owner.reset();
    EXPECT_EQ(dispatcher.DispatchQueuedMessages(), 0u);
}

}  // namespace
