// The text panel over a page of its own: where a press places a new text near the canvas's
// edges, the list buttons at the ends of their lists, and the voices after a language change.
#include <gtest/gtest.h>

#include "document/objects/RTextPageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "framework/controls/PaintColor.h"
#include "framework/controls/RColorPicker.h"
#include "framework/language/LanguageTexts.h"
#include "app/window/MenuMessages.h"
#include "framework/undo/UndoManager.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/frames/FrameHost.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/text/RTextPanel.h"
#include "panels/text/TextPanelLists.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"
#include "text/host/TextCommands.h"
#include "tools/text/RText.h"
#include "tests/framework/input/TestKeys.h"

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
    // Twenty buttons in a row; bold, italic and underline toggle as in the program's set.
    std::vector<testres::ResContent> contents() const override {
        std::vector<ButtonRecord> records;
        for (u16 i = 0; i < 20; ++i) {
            ButtonRecord r;
            r.id = u16(18236 + i);
            const bool toggle = i >= kTextButtonBold && i <= kTextButtonUnderline;
            r.kind = toggle ? ButtonKind::Toggle : ButtonKind::Select;
            r.shapes = {1, 2, 3, 4};
            r.left = i16(10 + 40 * i), r.right = i16(40 + 40 * i), r.top = 10, r.bottom = 40;
            r.clickMessage = r.id;
            records.push_back(r);
        }
        std::vector<u8> bytes;
        EXPECT_EQ(writeButtonSet(records, &bytes), kErrNone);
        return {{fourCC("MBTN"), kTextButtonSet, std::string(bytes.begin(), bytes.end())}};
    }
    void SetUp() override {
        PanelFixture::SetUp();
        frames = std::make_unique<RFrameMaker>(host);
        panel = std::make_unique<RTextPanel>(nullptr, paths.get(), frames.get(), &host);
        panel->SetCanvasRect(host.rect);
        panel->AddListener(&mgr);
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

    void Type(const std::string& letters) {
        for (char c : letters) panel->HandleKey(testkeys::typedKey(u8(c)));
    }
    void Reopen() {
        panel.reset();
        panel = std::make_unique<RTextPanel>(nullptr, paths.get(), frames.get(), &host);
        panel->SetCanvasRect(host.rect);
        panel->Init();
        Deliver();
    }

    Host host;
    std::unique_ptr<RFrameMaker> frames;
    std::unique_ptr<RTextPanel> panel;
};

TEST_F(TextPanelTest, ANewTextKeepsInsideTheCanvasWhereverThePress) {
    ASSERT_NE(dynamic_cast<RText*>(panel->GetCurrentTool()), nullptr) << "the tool comes with the panel";
    EXPECT_EQ(mgr.GetCurrentTool(), panel->GetCurrentTool()) << "and the canvas's tool manager has it";
    EXPECT_EQ(panel->HandleInput(1, {200, 150}, 0), 0u) << "other buttons than the left are not the panel's";
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

// Typed, coloured, bold and centred; put down, pressed again and typed on: the page keeps it
// all, and the panel shows the text's own settings.
TEST_F(TextPanelTest, ATextKeepsItsStyleWhenEditedAgain) {
    const Rect16 r = Place({200, 150});
    Type("ab");
    ASSERT_NE(panel->Editing(), nullptr);
    ASSERT_EQ(panel->Editing()->Editor().CopyPlainText(), "ab");
    panel->Editing()->Editor().SetSelection(0, 2);
    CurrentPaintColor() = GfxColor::rgb(255, 0, 0);
    Send(kMsgColorChosen);
    panel->Buttons()[kTextButtonBold]->HandleEvent(kHsEventPress, false);
    Send(kMsgTextBold);
    Send(kMsgTextJustifyCentre);
    EXPECT_EQ(panel->Buttons()[kTextButtonCentre]->GetState(), kButtonSelected);
    EXPECT_EQ(panel->Buttons()[kTextButtonLeft]->GetState(), kButtonUp);
    EXPECT_EQ(panel->CommitText(), 1);
    ASSERT_EQ(panel->Editing(), nullptr);
    Send(kMsgTextJustifyRight);
    EXPECT_EQ(panel->HandleInput(kInputLeftButton, {i16(r.left + 2), i16(r.top + 2)}, 0), 1u);
    ASSERT_NE(panel->Editing(), nullptr);
    EXPECT_EQ(panel->Justification(), 0) << "the panel shows the text's justification";
    Type("c");
    const TextRecord& record = panel->Editing()->Object().text;
    EXPECT_EQ(record.text.size(), 3u);
    EXPECT_EQ(record.colour, 0xFF0000u);
    EXPECT_EQ(record.style & kGfxFontBold, kGfxFontBold);
    EXPECT_EQ(record.justification, 0);
    EXPECT_EQ(panel->HandleInput(kInputLeftButton, {i16(host.rect.left + 5), i16(host.rect.top + 5)}, 0), 1u)
        << "the bare page puts a text down and takes the press";
    EXPECT_EQ(panel->Editing(), nullptr);
}

TEST_F(TextPanelTest, ChoicesComeBackWhenThePanelIsMadeAgain) {
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    Reopen();
    EXPECT_EQ(kTextSizes[size_t(panel->SizeIndex())], 14) << "a new user writes in 14 points, flush left";
    EXPECT_EQ(panel->Justification(), -1);
    EXPECT_EQ(panel->Buttons()[kTextButtonLeft]->GetState(), kButtonSelected);
    Send(kMsgTextSizeChosen, 0, 4);
    Send(kMsgTextJustifyRight);
    Send(kMsgTextVoiceChosen, 0, 2);
    Reopen();
    EXPECT_EQ(panel->SizeIndex(), 4);
    EXPECT_EQ(panel->Justification(), 1);
    EXPECT_EQ(panel->VoiceIndex(), 2);
    EXPECT_EQ(panel->Buttons()[kTextButtonRight]->GetState(), kButtonSelected);
}

TEST_F(TextPanelTest, CutCopyAndPasteWorkOnTheTextBeingEdited) {
    plat::LocalClipboard desktop;
    plat::setClipboardBackend(&desktop);
    EXPECT_FALSE(panel->Copy() || panel->Cut() || panel->Paste()) << "nothing is being edited";
    Place({200, 150});
    Type("abc");
    RTEditor& editor = panel->Editing()->Editor();
    editor.SetSelection(0, 2);
    Send(kMsgTextCut);
    editor.SetSelection(1, 1);
    Send(kMsgTextPaste);
    editor.SetSelection(0, 1);
    Send(kMsgTextCopy);
    editor.SetSelection(3, 3);
    Send(kMsgTextPaste);
    EXPECT_EQ(panel->Editing()->Object().text.text, "cabc");
    plat::setClipboardBackend(nullptr);
}

// Each control reaches the text being edited, on and off again, and its button shows it.
TEST_F(TextPanelTest, EachControlReachesTheTextBeingEdited) {
    Place({200, 150});
    Type("ab");
    ASSERT_NE(panel->Editing(), nullptr);
    panel->Editing()->Editor().SetSelection(0, 2);
    const auto record = [&]() -> const TextRecord& { return panel->Editing()->Object().text; };
    struct Flag {
        int button;
        u32 code;
        u16 bit;
    };
    for (const Flag& f : {Flag{kTextButtonBold, kMsgTextBold, kGfxFontBold}, Flag{kTextButtonItalic, kMsgTextItalic, kGfxFontItalic},
                          Flag{kTextButtonUnderline, kMsgTextUnderline, kGfxFontUnderline}})
        for (const bool on : {true, false}) {
            panel->Buttons()[size_t(f.button)]->HandleEvent(kHsEventClick, false);
            Send(f.code);
            EXPECT_EQ((record().style & f.bit) != 0, on) << f.code;
            EXPECT_EQ(panel->Buttons()[size_t(f.button)]->IsLatched(), on) << f.code;
            EXPECT_EQ(record().style & ~f.bit & (kGfxFontBold | kGfxFontItalic | kGfxFontUnderline), 0) << "the others stay off";
        }
    struct Justify {
        u32 code;
        i32 value;
        int button;
    };
    for (const Justify& j : {Justify{kMsgTextJustifyRight, 1, kTextButtonRight}, Justify{kMsgTextJustifyCentre, 0, kTextButtonCentre},
                             Justify{kMsgTextJustifyLeft, -1, kTextButtonLeft}}) {
        Send(j.code);
        EXPECT_EQ(record().justification, j.value) << j.code;
        EXPECT_EQ(panel->Justification(), j.value) << j.code;
        for (int button : {int(kTextButtonLeft), int(kTextButtonCentre), int(kTextButtonRight)})
            EXPECT_EQ(panel->Buttons()[size_t(button)]->GetState(), button == j.button ? kButtonSelected : kButtonUp) << j.code;
    }
    struct Step {
        u32 code;
        int sizeStep;
    };
    const int size = panel->SizeIndex();
    for (const Step& step : {Step{kMsgTextSizeNext, 1}, Step{kMsgTextSizeNext, 2}, Step{kMsgTextSizePrevious, 1}}) {
        Send(step.code);
        EXPECT_EQ(panel->SizeIndex(), size + step.sizeStep) << step.code;
        EXPECT_EQ(record().size, kTextSizes[size_t(size + step.sizeStep)]) << step.code;
    }
    if (panel->FontNames().size() >= 2) {
        Send(kMsgTextFontChosen, 0, 1);
        EXPECT_EQ(panel->FontIndex(), 1);
        EXPECT_EQ(record().face, panel->FontNames()[1]);
    }
    panel->Editing()->Editor().SetSelection(2, 2);
    const char accent[] = "\xE9";
    RMessage special(kMsgMenuSpecialCharacter, 0, 0);
    panel->HandleMessage(&special, reinterpret_cast<uintptr_t>(accent));
    EXPECT_EQ(record().text, "ab\xE9");
}

// One step of each list's buttons from a chosen place.
TEST_F(TextPanelTest, EachListButtonStepsOnePlace) {
    struct Case {
        u32 choose;
        u16 from;
        u32 step;
        int (*place)(const RTextPanel&);
        int expected;
    };
    const auto voice = [](const RTextPanel& p) { return int(p.VoiceIndex()); };
    const auto size = [](const RTextPanel& p) { return p.SizeIndex(); };
    const auto font = [](const RTextPanel& p) { return p.FontIndex(); };
    std::vector<Case> cases = {
        {kMsgTextVoiceChosen, 1, kMsgTextVoiceNext, voice, 2},     {kMsgTextVoiceChosen, 2, kMsgTextVoicePrevious, voice, 1},
        {kMsgTextSizeChosen, 5, kMsgTextSizePrevious, size, 4},    {kMsgTextSizeChosen, 5, kMsgTextSizeNext, size, 6},
    };
    if (panel->FontNames().size() >= 3)
        cases.insert(cases.end(),
                     {{kMsgTextFontChosen, 1, kMsgTextFontPrevious, font, 0}, {kMsgTextFontChosen, 1, kMsgTextFontNext, font, 2}});
    for (const Case& c : cases) {
        Send(c.choose, 0, c.from);
        Send(c.step);
        EXPECT_EQ(c.place(*panel), c.expected) << c.step;
    }
}

// The text being edited takes the presses and releases over it; with none, the press is the
// text tool's.
TEST_F(TextPanelTest, PressesAndReleasesReachTheTextBeingEdited) {
    plat::LocalClipboard desktop;
    plat::setClipboardBackend(&desktop);
    const Point16 bare{i16(host.rect.left + 300), i16(host.rect.top + 250)};
    EXPECT_EQ(panel->HandleInput(kInputLeftButton, bare, 0), 0u);
    EXPECT_EQ(panel->HandleMouseUp(kInputLeftButton, bare, 0), 0u);
    EXPECT_EQ(panel->HandleKey(testkeys::typedKey('a')), 0u);
    // A second place before the first text is made is ignored.
    RMessage first(kTextToolPlace, uintptr_t(200) | uintptr_t(150) << 16, 0);
    panel->HandleMessage(&first, 0);
    const Rect16 r = Place({300, 200});
    EXPECT_EQ(r.left, 200);
    ASSERT_NE(panel->Editing(), nullptr);
    EXPECT_EQ(panel->Editing()->Editor().UndoKind(), kTextStepNone) << "a new text's own style is no step to take back";
    Type("abcd");
    ASSERT_NE(panel->Editing(), nullptr);
    // Past the text's end, between the frame's corner handles, below its move bar and away from
    // the other tests' presses, which a double press would join.
    const Point16 end{i16((r.left + r.right) / 2), i16(r.top + 1)};
    struct Step {
        const char* what;
        std::function<u32()> act;
        u32 taken;
    };
    const Step steps[] = {
        {"press past the end", [&] { return panel->HandleInput(kInputLeftButton, end, 0); }, 1},
        {"let go over the text", [&] { return panel->HandleMouseUp(kInputLeftButton, end, 0); }, 1},
        {"let go beside it", [&] { return panel->HandleMouseUp(kInputLeftButton, bare, 0); }, 0},
        {"the right button", [&] { return panel->HandleMouseUp(2, end, 0); }, 0},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(step.act(), step.taken) << step.what;
        ASSERT_NE(panel->Editing(), nullptr) << step.what;
        EXPECT_EQ(panel->Editing()->Editor().CopyPlainText(), "abcd") << step.what;
    }
    // Paste needs both a text being edited and words on the clipboard.
    EXPECT_FALSE(panel->CanPaste());
    panel->Editing()->Editor().SetSelection(0, 4);
    Send(kMsgTextCopy);
    EXPECT_TRUE(panel->CanPaste());
    // Without the user's speech switch nothing is said, and the ticks leave the cursor alone.
    fwtest::Log heard;
    fwtest::Recorder canvas{heard, "canvas"};
    panel->AddListener(&canvas);
    Send(kMsgTextSpeak);
    panel->HandleTick(0);
    Deliver();
    EXPECT_FALSE(panel->IsSpeaking());
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "canvas:" + std::to_string(kMsgPanelEnableCanvas)), 0);
    panel->RemoveListener(&canvas);
    EXPECT_EQ(panel->CommitText(), 1);
    EXPECT_FALSE(panel->CanPaste());
    plat::setClipboardBackend(nullptr);
}

TEST_F(TextPanelTest, APanelWithoutAUserKeepsTheDefaults) {
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    Reopen();
    Send(kMsgTextSizeChosen, 0, 4);
    auto bare = std::make_unique<RTextPanel>(nullptr, nullptr, frames.get(), &host);
    bare->Init();
    Deliver();
    EXPECT_EQ(kTextSizes[size_t(bare->SizeIndex())], 14);
    EXPECT_EQ(bare->Justification(), -1);
    bare.reset();
    Reopen();
    EXPECT_EQ(panel->SizeIndex(), 4) << "the user's choice is not overwritten";
}

}  // namespace
