#pragma once
// Alerts: a message box drawn by us in the program's main window, captioned with the
// window's title, holding the text, an icon and a row of buttons; modal until answered.
// The text is shown as it stands: it is never read as a format, so a '%' in a user's file
// name or a translated text is only a character.
//
// Style: the low five bits choose the buttons, one icon bit may be added. Keys: Tab moves
// between the buttons, Enter or Space presses the focused one (the first at the start),
// Escape answers Cancel where there is a Cancel button, No in a Yes/No box (OK in an OK box).
// On a headless display the alert takes the scripted input first, then the next scripted
// answer; with neither, or when the program quits under it, it closes with kAlertAnswerOk.
// Before the program has a window (a start that fails), the text goes to the standard error
// stream and the desktop's own message box (platform/display/choice/DesktopMessage.h).
// User-interface thread only.
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u32 kAlertButtonsMask = 0x1F;
constexpr u32 kAlertOk = 4;
constexpr u32 kAlertOkCancel = 5;
constexpr u32 kAlertRetryCancel = 9;
constexpr u32 kAlertYesNo = 18;
constexpr u32 kAlertYesNoCancel = 19;

constexpr u32 kAlertIconMask = 0xF000;
constexpr u32 kAlertIconInformation = 0x1000;
constexpr u32 kAlertIconQuestion = 0x2000;
constexpr u32 kAlertIconExclamation = 0x4000;
constexpr u32 kAlertIconStop = 0x8000;

constexpr u32 kAlertAnswerCancel = 1;
constexpr u32 kAlertAnswerNo = 2;
constexpr u32 kAlertAnswerOk = 4;
constexpr u32 kAlertAnswerRetry = 8;
constexpr u32 kAlertAnswerYes = 16;

u32 mfxAlert(u32 style, std::string_view text);
// Captioned with `caption` instead of the window's title.
u32 mfxAlert(u32 style, std::string_view text, std::string_view caption);

// Headless: the answers the next alerts give, in order, once their scripted input is used up.
void mfxScriptAlertAnswers(std::vector<u32> answers);

struct mfxAlertRecord {
    u32 style = 0;
    std::string text;
    u32 answer = 0;
    // The caption given, or empty for the window's title.
    std::string caption;
    // The buttons' words, left to right, in the program's language.
    std::vector<std::string> buttons;
};
// Every alert shown since the last call, oldest first; the call empties the record.
std::vector<mfxAlertRecord> mfxTakeAlertRecords();
