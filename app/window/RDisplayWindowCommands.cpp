// The main window's menu commands: most become a message for the screen that carries them
// out; the switches, undo, the easel's clipboard, the language, the Teacher menu, the guide
// and the debug aids are the window's own.
#include "app/application/ApplicationMessages.h"
#include "app/application/RApplication.h"
#include "app/menus/MenuCommands.h"
#include "app/module/RModule.h"
#include "app/window/MenuCommandRoute.h"
#include "app/window/MenuMessages.h"
#include "app/window/RDisplayWindow.h"
#include "app/window/RMenuScreen.h"
#include "app/window/MainMenuLayout.h"
#include "app/window/UserGuideFile.h"
#include "document/clipboard/CCPObj.h"
#include "document/project/RPortfolio.h"
#include "engine/base/KeyRecord.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/resources/NamedResources.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"
#include "platform/keyboard/ProgramKeyboard.h"
#include "platform/system/RunTimeLocale.h"
#include "platform/shell/choice/ShellChoice.h"
#include "text/host/TextCommands.h"

namespace Ostrel {

namespace {

// The keyboard of Spanish (Latin America), by its name among the system's keyboard layouts.
constexpr char kSpanishKeyboardLayout[] = "latam";

std::string menuText(const char* key) { return LookupLanguageText(kMenuStringsSection, key).c_str(); }

void sendTo(CListener* target, u32 code, u16 param2, uintptr_t data = 0) {
    if (!target) return;
    RMessage message(code, 0, param2);
    target->HandleMessage(&message, data);
}

// Each switch's word among the user's settings (none: the window's own tool-tip word) and the
// menu texts naming the action the item would take next.
struct SwitchItem {
    u16 command;
    u16 GlobalUserSettings::*setting;
    const char* onKey;
    const char* offKey;
};
constexpr SwitchItem kSwitchItems[] = {
    {kCmdTextToSpeech, &GlobalUserSettings::textToSpeech, "TurnTextToSpeechOn", "TurnTextToSpeechOff"},
    {kCmdToolSounds, &GlobalUserSettings::toolSounds, "TurnToolSoundsOn", "TurnToolSoundsOff"},
    {kCmdSmallKids, &GlobalUserSettings::smallKids, "TurnSmallKidsMdeOn", "TurnSmallKidsMdeOff"},
    {kCmdAttachedSounds, &GlobalUserSettings::attachedSounds, "TurnAttachedSndOn", "TurnAttachedSndOff"},
    {kCmdManualAdvance, &GlobalUserSettings::manualAdvance, "TurnManAdvanceOn", "TurnManAdvanceOff"},
    {kCmdToolTips, nullptr, "ToolTipTextOn", "ToolTipTextOff"},
};

}  // namespace

u32 RDisplayWindow::OnCommand(u32 command) {
    const ScreenKind current = Current();
    // An edit in progress on the canvas is committed before any command.
    if (current == ScreenKind::Easel) {
        if (RMenuScreen* screen = CurrentMenuScreen()) screen->DeselectMissedEditFrame(nullptr);
    }
    const u16 id = u16(command);
    const CommandRoute route = RouteMenuCommand(id, current);
    RMessage message(route.code, 0, route.param2);
    switch (route.kind) {
    case RouteKind::Nothing: break;
    case RouteKind::Broadcast: Broadcast(&message, 0); break;
    case RouteKind::ToCurrentScreen: sendTo(CurrentScreen(), route.code, route.param2); break;
    case RouteKind::ToTextPanel:
        if (RMenuScreen* screen = CurrentMenuScreen(); screen && screen->TextPanel()) {
            if (id >= kCmdFirstSpecialCharacter && id <= kCmdLastSpecialCharacter) {
                // The character as a one-character string, for the panel to type.
                const char typed[2] = {char(SpecialCharacterOf(id)), '\0'};
                sendTo(screen->TextPanel(), route.code, 0, reinterpret_cast<uintptr_t>(typed));
            } else {
                sendTo(screen->TextPanel(), route.code, route.param2);
            }
        }
        break;
    case RouteKind::ToWindowListener: HandleMessage(&message, 0); break;
    case RouteKind::ToApplication:
        if (RApplication* app = GetApplication()) app->HandleMessage(&message, 0);
        break;
    case RouteKind::Shell: RunShellCommand(id); break;
    }
    return 1;
}

void RDisplayWindow::RunShellCommand(u16 command) {
    RApplication* app = GetApplication();
    const ScreenKind current = Current();
    switch (command) {
    case kCmdAbout: ShowAbout(); break;
    case kCmdExit:
        // A show with unsaved changes ends first: the slide-show editor asks about them, and
        // the child may stay there.
        if (current == ScreenKind::SlideShow && app && app->GetPortfolio() && app->GetPortfolio()->Document() &&
            app->GetPortfolio()->Unsaved()) {
            app->PostMessageTo(app, kScreenPicker);
            app->PostMessageTo(app, kMsgMenuQuitPicker);
            break;
        }
        if (mfxApplication* framework = mfxApplication::Get()) framework->Quit();
        break;
    case kCmdUndo:
        if (app && app->GetUndoManager()) {
            app->GetUndoManager()->Undo();
            if (menu_) app->GetUndoManager()->UpdateMenu(*menu_);
        }
        break;
    case kCmdCut:
    case kCmdCopy:
        if (command == kCmdCut)
            CCPObj::CutActive();
        else
            CCPObj::CopyActive();
        if (menu_) menu_->EnableItem(mfxMenuCommand(kCmdPaste), CCPObj::AnyCanPaste());
        break;
    case kCmdPaste: CCPObj::PasteToFirstAccepting(); break;
    case kCmdTextToSpeech:
    case kCmdToolSounds:
    case kCmdSmallKids:
    case kCmdAttachedSounds:
    case kCmdManualAdvance:
    case kCmdToolTips: ToggleSwitch(command); break;
    case kCmdSwitchScreen:
        if (current == ScreenKind::Picker) {
            if (menu_) menu_->FormatAcceleratorText(mfxMenuCommand(kCmdSwitchScreen), menuText("GoToSlideShow"));
            RMessage message(kScreenPicker, 0, 0);
            Broadcast(&message, 0);
        } else if (current == ScreenKind::Easel) {
            if (menu_) menu_->FormatAcceleratorText(mfxMenuCommand(kCmdSwitchScreen), menuText("GoToPaintZone"));
            RMessage message(kMsgMenuGoToPicker, 0, 0);
            Broadcast(&message, 0);
        }
        break;
    case kCmdViewUsersGuide: OpenUserGuide(); break;
    case kCmdSwitchLanguage:
        if (current != ScreenKind::SlideShow) SwitchLanguage();
        break;
    case kCmdManageLibraries:
    case kCmdNote:
        if (RMenuScreen* screen = CurrentMenuScreen()) screen->RunTeacherDialog(command);
        break;
    case kCmdHideTeacherMenu:
    case kCmdTeacherAccelerator: ToggleTeacherMenu(); break;
    // The developer's aids: a child's Ctrl+B or Ctrl+D looking for "bold" does nothing.
    case kCmdBlankout:
        if (SprScreen* screen = sprScreen(); screen && debugMode_) {
            screen->showRedraw = u16(~screen->showRedraw);
            if (screen->showRedraw == 0) sprInvalRect(screen->screenRect);
        }
        break;
    case kCmdShowIds:
        if (debugMode_) sprDumpObjects(0);
        break;
    default: break;
    }
}

bool RDisplayWindow::SendEditKeyToField(u32 key) {
    if (fieldCommands_.CountListeners() == 0 || keyRecordModifiers(key) != kKeyModControl) return false;
    // The keys are the menu's, whether the bar shows them now or not.
    static const mfxMenu standard = [] {
        mfxMenu menu;
        menu.SetFromResource(MainMenuResource());
        return menu;
    }();
    const mfxMenu& keys = menu_ ? *menu_ : standard;
    const u8 vk = keyRecordVirtualKey(key);
    if (keys.HasAccelerator(kCmdUndo, vk, kAccelControl)) {
        RApplication* app = GetApplication();
        UndoManager* undo = app ? app->GetUndoManager() : nullptr;
        const CListener* owner = undo ? undo->GetCurrentOwner() : nullptr;
        // Only the field's own step: the page under the dialog keeps its painting.
        if (owner && fieldCommands_.HasListener(owner)) undo->Undo();
        return true;
    }
    for (const auto& [command, code] : {std::pair{kCmdCut, kTextCmdCut}, std::pair{kCmdCopy, kTextCmdCopy},
                                         std::pair{kCmdPaste, kTextCmdPaste}}) {
        if (!keys.HasAccelerator(command, vk, kAccelControl)) continue;
        RMessage edit(code, 0, 0);
        fieldCommands_.Broadcast(&edit);
        return true;
    }
    return false;
}

void RDisplayWindow::ToggleSwitch(u16 command) {
    RApplication* app = GetApplication();
    GlobalUserSettings* settings = app ? app->GetGlobalUserSettings() : nullptr;
    const SwitchItem* item = nullptr;
    for (const SwitchItem& candidate : kSwitchItems) {
        if (candidate.command == command) item = &candidate;
    }
    if (!item) return;
    u16* word = item->setting ? (settings ? &(settings->*item->setting) : nullptr) : &toolTips_;
    const char* onKey = item->onKey;
    const char* offKey = item->offKey;
    if (!word) return;
    const bool wasOn = *word != 0;
    *word = wasOn ? 0 : 1;
    // The item names the action it would take now.
    if (menu_) menu_->FormatAcceleratorText(mfxMenuCommand(command), menuText(wasOn ? onKey : offKey));
    switch (command) {
    case kCmdTextToSpeech: {
        if (wasOn) {
            RMessage off(kMsgMenuSpeechOff, 0, 0);
            Broadcast(&off, 0);
        }
        RMessage refresh(kMsgRefreshPageState, 0, 0);
        Broadcast(&refresh, 0);
        break;
    }
    case kCmdToolSounds:
        // Sounds stop at once, before any screen hears of the change (the tools ask the
        // user's settings at each sound).
        if (SprScreen* screen = sprScreen()) screen->soundEnabled = *word;
        break;
    case kCmdSmallKids: {
        RMessage changed(kMsgMenuSmallKidsChanged, 0, 0);
        Broadcast(&changed, 0);
        break;
    }
    case kCmdAttachedSounds: {
        RMessage refresh(kMsgRefreshPageState, 0, 0);
        Broadcast(&refresh, 0);
        break;
    }
    default: break;
    }
}

void RDisplayWindow::SwitchLanguage() {
    const u16 language = CurrentLanguage() == kLanguageSpanish ? kLanguageEnglish : kLanguageSpanish;
    if (RApplication* app = GetApplication())
        app->SetLanguage(language);
    else
        SetCurrentLanguage(language);
    if (language == kLanguageSpanish)
        UseSpanishKeyboard();
    else
        GiveKeyboardBack();
    contentsSetSpanish(language == kLanguageSpanish);
    if (RMenuScreen* screen = CurrentMenuScreen(); screen && screen->TextPanel()) sendTo(screen->TextPanel(), kMsgMenuTextLanguage, 0);
    if (RMenuScreen* screen = CurrentMenuScreen()) screen->LanguageChanged();
    BuildMenus();
    RedrawAll(0);
}

// Spanish (Latin America) on any keyboard: ñ where a Spanish keyboard has it, accents through
// its dead keys. The locale follows only when the keyboard could be had.
void RDisplayWindow::UseSpanishKeyboard() {
    if (keyboardLayoutHeld_ || !plat::useProgramKeyboard(kSpanishKeyboardLayout)) return;
    keyboardLayoutHeld_ = true;
    plat::setRunTimeLocale({"es_MX.UTF-8", "es_ES.UTF-8", "es_US.UTF-8"});
}

void RDisplayWindow::GiveKeyboardBack() {
    if (!keyboardLayoutHeld_) return;
    plat::useProgramKeyboard("");
    keyboardLayoutHeld_ = false;
    plat::setRunTimeLocale({"en_US.UTF-8", "C"});
}

void RDisplayWindow::ToggleTeacherMenu() {
    const RApplication* app = GetApplication();
    const GlobalUserSettings* settings = app ? app->GetGlobalUserSettings() : nullptr;
    if (!teacherEnabled_ || (settings && settings->smallKids) || menuDisabled_ != 0 || Current() != ScreenKind::Easel)
        return;
    if (teacherShowing_)
        HideTeacherMenu();
    else
        ShowTeacherMenu();
    if (menu_) menu_->RedrawMenuBars();
}

void RDisplayWindow::OpenUserGuide() {
    const RApplication* app = GetApplication();
    if (app && app->GetPaths()) {
        const std::string guide = app->GetPaths()->BuildPath(kFolderGuide, true) + UserGuideFileName(CurrentLanguage());
        if (plat::desktopShell().openDocument(guide)) return;
    }
    ShowAlert(LookupLanguageText("GeneralStrings", "NeedAcrobat").c_str(), "Ostrel", kAlertOk);
}

}  // namespace Ostrel
