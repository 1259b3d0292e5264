#include "framework/dialogs/mfxAlert.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "framework/dialogs/mfxDialogHost.h"
#include "framework/language/LanguageTexts.h"
#include "framework/windows/mfxWindow.h"
#include "platform/display/DisplayWindow.h"
#include "platform/display/choice/DesktopMessage.h"
#include "platform/files/Files.h"
#include "platform/gdi/Text.h"
#include "platform/ui/Windows.h"
#include "platform/widgets/DialogBox.h"
#include "platform/widgets/WidgetPaint.h"

namespace pw = plat::widgets;

namespace {

constexpr int32_t kMargin = 12;
constexpr int32_t kIconSize = 32;
constexpr int32_t kTextWidth = 320;
constexpr int32_t kButtonWidth = 75;
constexpr int32_t kButtonHeight = 23;
constexpr int32_t kButtonGap = 8;

struct AlertButton {
    std::string text;
    u32 answer;
};

// A button's word in the program's language, the English one when the texts lack it.
AlertButton button(const char* key, u32 answer) {
    std::string text = LookupLanguageText("AlertButtons", key).c_str();
    return {text.empty() ? key : text, answer};
}

std::vector<AlertButton> buttonsFor(u32 style) {
    switch (style & kAlertButtonsMask) {
    case kAlertOkCancel: return {button("OK", kAlertAnswerOk), button("Cancel", kAlertAnswerCancel)};
    case kAlertRetryCancel: return {button("Retry", kAlertAnswerRetry), button("Cancel", kAlertAnswerCancel)};
    case kAlertYesNo: return {button("Yes", kAlertAnswerYes), button("No", kAlertAnswerNo)};
    case kAlertYesNoCancel:
        return {button("Yes", kAlertAnswerYes), button("No", kAlertAnswerNo), button("Cancel", kAlertAnswerCancel)};
    default: return {button("OK", kAlertAnswerOk)};
    }
}

pw::AlertIcon iconFor(u32 style) {
    switch (style & kAlertIconMask) {
    case kAlertIconInformation: return pw::AlertIcon::Information;
    case kAlertIconQuestion: return pw::AlertIcon::Question;
    case kAlertIconExclamation: return pw::AlertIcon::Exclamation;
    case kAlertIconStop: return pw::AlertIcon::Stop;
    default: return pw::AlertIcon::None;
    }
}

std::deque<u32>& scriptedAnswers() {
    static std::deque<u32> answers;
    return answers;
}

std::vector<mfxAlertRecord>& records() {
    static std::vector<mfxAlertRecord> shown;
    return shown;
}

// The main window: the first framework window that has a face to draw in.
plat::WindowHandle alertWindow() {
    for (mfxWindow* window : mfxWindow::Windows()) {
        if (plat::findDisplayWindow(window->GetHandle())) return window->GetHandle();
    }
    return plat::kNoWindow;
}

// The program's name in its language, or its file's name before the language texts are read.
std::string programTitle() {
    std::string name = LookupLanguageText("GeneralStrings", "AppName").c_str();
    if (name.empty()) {
        name = plat::programFileText();
        name.erase(0, name.find_last_of('\\') + 1);
    }
    return name;
}

int32_t measuredTextHeight(std::string_view text) {
    auto dc = plat::gdi::DeviceContext::createInformation();
    plat::gdi::selectFont(*dc, plat::gdi::stockFont());
    plat::gdi::Rect box{0, 0, kTextWidth, 0};
    return std::max(plat::gdi::drawText(*dc, text, box, plat::gdi::kDtWordBreak | plat::gdi::kDtCalcRect | plat::gdi::kDtNoPrefix),
                    pw::labelHeight());
}

// A Yes/No question's No leaves things as they are, so Escape may say it.
u32 cancelAnswer(const std::vector<AlertButton>& buttons) {
    if (buttons.size() == 1) return buttons.front().answer;
    u32 answer = 0;
    for (const AlertButton& b : buttons) {
        if (b.answer == kAlertAnswerCancel) return b.answer;
        if (b.answer == kAlertAnswerNo) answer = b.answer;
    }
    return answer;
}

u32 runAlert(const std::vector<AlertButton>& buttons, u32 style, std::string_view text, const std::string* caption) {
    const pw::AlertIcon icon = iconFor(style);
    const int32_t textLeft = kMargin + (icon == pw::AlertIcon::None ? 0 : kIconSize + kMargin);
    const int32_t textHeight = measuredTextHeight(text);
    const int32_t bodyHeight = std::max(textHeight, icon == pw::AlertIcon::None ? 0 : kIconSize);
    const int32_t rowWidth = int32_t(buttons.size()) * kButtonWidth + int32_t(buttons.size() - 1) * kButtonGap;
    const int32_t width = std::max(textLeft + kTextWidth + kMargin, rowWidth + 2 * kMargin);
    const int32_t height = kMargin + bodyHeight + kMargin + kButtonHeight + kMargin;

    std::vector<pw::DialogItem> items;
    if (icon != pw::AlertIcon::None) {
        pw::DialogItem item;
        item.kind = pw::DialogItemKind::Icon;
        item.icon = icon;
        item.rect = {kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
        items.push_back(item);
    }
    pw::DialogItem label;
    label.kind = pw::DialogItemKind::Label;
    label.text = std::string(text);
    label.rect = {textLeft, kMargin, textLeft + kTextWidth, kMargin + textHeight};
    items.push_back(label);
    int32_t x = (width - rowWidth) / 2;
    for (size_t i = 0; i < buttons.size(); ++i) {
        pw::DialogItem button;
        button.kind = pw::DialogItemKind::Button;
        button.id = u16(i + 1);
        button.text = buttons[i].text;
        button.isDefault = i == 0;
        button.rect = {x, height - kMargin - kButtonHeight, x + kButtonWidth, height - kMargin};
        items.push_back(button);
        x += kButtonWidth + kButtonGap;
    }

    const plat::WindowHandle window = alertWindow();
    // Before the program has a window (a start that fails), the desktop tells it instead.
    if (window == plat::kNoWindow)
        plat::showDesktopMessage(caption ? *caption : programTitle(), std::string(text), icon == pw::AlertIcon::Stop);
    pw::DialogBox box(caption ? *caption : window ? plat::windowTitle(window) : std::string(), width, height, std::move(items));
    u32 answer = 0;
    box.setEventSink([&](const pw::DialogEvent& e) { answer = buttons[e.item - 1u].answer; });
    mfxDialogHost host(window, box);
    host.Show();
    const u32 onEscape = cancelAnswer(buttons);
    const auto answered = [&] { return answer != 0 || (box.closeRequested() && onEscape != 0); };
    const bool done = window != plat::kNoWindow && host.Pump(answered);
    if (answer == 0 && box.closeRequested()) answer = onEscape;
    if (!done && answer == 0 && !scriptedAnswers().empty()) {
        answer = scriptedAnswers().front();
        scriptedAnswers().pop_front();
    }
    // Ended by the program's quit, unanswered, it says what Escape says: a question never
    // takes its yes from a quit.
    if (answer == 0 && host.Interrupted()) answer = onEscape;
    return answer == 0 ? kAlertAnswerOk : answer;
}

std::vector<std::string> wordsOf(const std::vector<AlertButton>& buttons) {
    std::vector<std::string> words;
    for (const AlertButton& b : buttons) words.push_back(b.text);
    return words;
}

}  // namespace

u32 mfxAlert(u32 style, std::string_view text) {
    const std::vector<AlertButton> buttons = buttonsFor(style);
    const u32 answer = runAlert(buttons, style, text, nullptr);
    records().push_back(mfxAlertRecord{style, std::string(text), answer, {}, wordsOf(buttons)});
    return answer;
}

u32 mfxAlert(u32 style, std::string_view text, std::string_view caption) {
    const std::string title(caption);
    const std::vector<AlertButton> buttons = buttonsFor(style);
    const u32 answer = runAlert(buttons, style, text, &title);
    records().push_back(mfxAlertRecord{style, std::string(text), answer, title, wordsOf(buttons)});
    return answer;
}

void mfxScriptAlertAnswers(std::vector<u32> answers) { scriptedAnswers().assign(answers.begin(), answers.end()); }

std::vector<mfxAlertRecord> mfxTakeAlertRecords() { return std::exchange(records(), {}); }
