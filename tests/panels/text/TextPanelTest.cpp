// The text panel over a page of its own: where a press places a new text near the canvas's
// edges, the list buttons at the ends of their lists, and the voices after a language change.
#include <gtest/gtest.h>

#include "document/objects/RTextPageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "framework/language/LanguageTexts.h"
#include "app/window/MenuMessages.h"
#include "framework/undo/UndoManager.h"
#include "panels/frames/FrameHost.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/text/RTextPanel.h"
#include "panels/text/TextPanelLists.h"
#include "tests/panels/PanelFixture.h"
#include "tools/text/RText.h"

namespace {

using namespace Ostrel;

class Host : public FrameHost {
public:
    RPageData* ShownPage() const override { return &page; }
    const Rect16& CanvasRect() const override { return rect; }
    UndoManager* Undo() const override { return &undo; }
    void ObjectsChanged() override { ++changes; }
    void KeepPainting() override {}
    void PictureMerged() override {}
    bool TakesNoInput() const override { return false; }
    bool CutMovePanelCurrent() const override { return false; }
    void TellPageFull() override {}

    mutable RPageData page;
    Rect16 rect{100, 50, 500, 350};
    mutable UndoManager undo{1, [](const char*) { return std::string(); }};
    int changes = 0;
};

class TextPanelTest : public testpanels::PanelFixture {
protected:
    std::vector<testres::ResContent> contents() const override {
        return {{fourCC("MBTN"), kTextButtonSet, testpanels::buttonSet({{18236, 20, 0, 0, 10}})}};
    }
    void SetUp() override {
        PanelFixture::SetUp();
        frames = std::make_unique<RFrameMaker>(host);
        panel = std::make_unique<RTextPanel>(nullptr, paths.get(), frames.get(), &host);
        panel->SetCanvasRect(host.rect);
        panel->Init();
        Deliver();
    }
    void TearDown() override {
        panel.reset();
        frames.reset();
        SetCurrentLanguage(kLanguageEnglish);
        PanelFixture::TearDown();
    }
    void Send(u32 code, uintptr_t param1 = 0, u16 param2 = 0) {
        RMessage message(code, param1, param2);
        panel->HandleMessage(&message, 0);
        Deliver();
    }
    Rect16 Place(Point16 at) {
        Send(kTextToolPlace, uintptr_t(u16(at.h)) | uintptr_t(u16(at.v)) << 16);
        EXPECT_NE(panel->Editing(), nullptr);
        if (!panel->Editing()) return {};
        const PageRect& r = panel->Editing()->Object().rect;
        return {i16(r.left + host.rect.left), i16(r.top + host.rect.top), i16(r.right + host.rect.left),
                i16(r.bottom + host.rect.top)};
    }

    Host host;
    std::unique_ptr<RFrameMaker> frames;
    std::unique_ptr<RTextPanel> panel;
};

TEST_F(TextPanelTest, ANewTextKeepsInsideTheCanvasWhereverThePress) {
    ASSERT_NE(dynamic_cast<RText*>(panel->GetCurrentTool()), nullptr) << "the tool comes with the panel";
    Rect16 inside = host.rect;
    rectInset(&inside, kTextObjectInset, kTextObjectInset);
    struct Case {
        Point16 press;
        bool keepsLeft, keepsTop;
    };
    const Case cases[] = {
        {{200, 150}, true, true},
        {{i16(inside.left - 1), i16(inside.top + kTextObjectTopGap)}, false, true},
        {{i16(inside.left), i16(inside.top + kTextObjectTopGap - 1)}, true, false},
        {{i16(inside.right + 50), i16(inside.bottom + 50)}, false, false},
    };
    for (const Case& c : cases) {
        const Rect16 r = Place(c.press);
        EXPECT_GE(r.left, inside.left) << c.press.h;
        EXPECT_LE(r.right, inside.right) << c.press.h;
        EXPECT_GE(r.top, inside.top + kTextObjectTopGap) << c.press.v;
        EXPECT_LE(r.bottom, inside.bottom) << c.press.v;
        EXPECT_GT(r.bottom, r.top);
        EXPECT_EQ(r.left == c.press.h, c.keepsLeft) << c.press.h;
        EXPECT_EQ(r.top == c.press.v, c.keepsTop) << c.press.v;
        EXPECT_EQ(panel->CommitText(), 0) << "an empty text is not kept";
    }
    u32 iterator = 0;
    RPageObject* object = nullptr;
    EXPECT_FALSE(host.page.NextObject(&iterator, &object, kTypeText));
    EXPECT_EQ(frames->FrameCount(), 0u);
}

TEST_F(TextPanelTest, ListButtonsStopAtTheEndsOfTheirLists) {
    struct Case {
        u32 code;
        int (*place)(const RTextPanel&);
        int expected;
    };
    const int lastFont = int(panel->FontNames().size()) - 1;
    const Case cases[] = {
        {kMsgTextSizeNext, [](const RTextPanel& p) { return p.SizeIndex(); }, int(kTextSizes.size()) - 1},
        {kMsgTextSizePrevious, [](const RTextPanel& p) { return p.SizeIndex(); }, 0},
        {kMsgTextVoiceNext, [](const RTextPanel& p) { return int(p.VoiceIndex()); }, 2},
        {kMsgTextVoicePrevious, [](const RTextPanel& p) { return int(p.VoiceIndex()); }, 0},
        {kMsgTextFontNext, [](const RTextPanel& p) { return p.FontIndex(); }, std::max(lastFont, 0)},
        {kMsgTextFontPrevious, [](const RTextPanel& p) { return p.FontIndex(); }, 0},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 20; ++i) Send(c.code);
        EXPECT_EQ(c.place(*panel), c.expected) << c.code;
    }
    Send(kMsgTextSizeChosen, 0, u16(kTextSizes.size()));
    EXPECT_EQ(panel->SizeIndex(), 0) << "a place past the list is ignored";
    Send(kMsgTextVoiceNext);
    Send(kMsgTextVoiceNext);
    SetCurrentLanguage(kLanguageSpanish);
    Send(kMsgMenuTextLanguage);
    EXPECT_EQ(panel->VoiceNames().size(), 2u);
    EXPECT_EQ(panel->VoiceIndex(), 0);
}

}  // namespace
