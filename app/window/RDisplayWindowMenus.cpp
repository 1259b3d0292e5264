// The main window's menu bar: loading it, the states of each screen, the Teacher menu.
#include "app/application/RApplication.h"
#include "app/window/MainMenuBar.h"
#include "app/window/MainMenuLayout.h"
#include "app/menus/MenuCommands.h"
#include "app/window/RDisplayWindow.h"
#include "app/window/RMenuScreen.h"
#include "document/clipboard/CCPObj.h"
#include "document/users/Paths.h"
#include "engine/ini/IniProfiles.h"
#include "engine/base/TextUtils.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"

namespace Ostrel {

namespace {

constexpr const char* kTeacherSection = "TBSEdSettings";
constexpr const char* kTeacherKey = "TBSEd";
constexpr u16 kSettingsTextSize = 64;

std::string menuText(const char* key) { return LookupLanguageText(kMenuStringsSection, key).c_str(); }

}  // namespace

std::string RDisplayWindow::SettingsText(const char* section, const char* key) const {
    const RApplication* app = GetApplication();
    if (!app || !app->GetPaths()) return {};
    Path file{};
    pathInitEmpty(&file);
    char value[kSettingsTextSize] = {};
    if (pathFromText(&file, app->GetPaths()->SettingsFile().c_str()))
        iniGetString(&file, section, key, value, sizeof value - 1, "");
    pathRelease(&file);
    return value;
}

MenuModeContext RDisplayWindow::MenuContext() const {
    MenuModeContext context;
    context.texts = menuText;
    const RApplication* app = GetApplication();
    context.settings = app ? app->GetGlobalUserSettings() : nullptr;
    context.toolTips = toolTips_;
    context.loggedInFromConfiguration = app && app->IsLoginFromConfiguration();
    context.teacherMenuEnabled = teacherEnabled_;
    context.teacherMenuShowing = teacherShowing_;
    if (const RMenuScreen* screen = CurrentMenuScreen()) {
        context.pageHasNote = screen->PageHasNote();
        context.pageSavedAsIs = screen->PageSavedAsIs();
    }
    context.otherScreenBuilt =
        app && app->HasScreen(app->GetCurrentModuleCode() == kScreenPicker ? kScreenEasel : kScreenPicker);
    return context;
}

void RDisplayWindow::LoadMenuBar() {
    if (menuLoaded_) return;
    menu_ = std::make_unique<mfxMenu>();
    if (menu_->LoadMenuResource(kMainMenuId) != kErrNone) menu_->SetFromResource(MainMenuResource());
    menuLoaded_ = true;
    teacherEnabled_ = strCompareNoCase(SettingsText(kTeacherSection, kTeacherKey).c_str(), "TRUE") == 0;
    teacher_ = LoadMainMenuBar(*menu_, teacherEnabled_);
    teacherShowing_ = false;
    SetMenu(menu_.get());
    BuildMenus();
    menu_->RedrawMenuBars();
}

void RDisplayWindow::BuildMenus() {
    if (!menu_) return;
    BuildMenuTexts(*menu_, mode_, MenuContext());
    const RApplication* app = GetApplication();
    if (app && app->GetUndoManager()) app->GetUndoManager()->UpdateMenu(*menu_);
    menu_->RedrawMenuBars();
}

void RDisplayWindow::SetMenuMode(u16 mode) {
    if (!menu_) LoadMenuBar();
    UpdateMenuTexts(mode);
}

void RDisplayWindow::UpdateMenuTexts(u16 mode) {
    const MenuModeContext context = MenuContext();
    if (!menu_ || !context.settings) return;
    mode_ = mode;
    menuDisabled_ = 0;
    Ostrel::UpdateMenuTexts(*menu_, mode, context);
    menu_->RedrawMenuBars();
}

void RDisplayWindow::UpdateNoteItems() {
    const MenuModeContext context = MenuContext();
    if (!menu_) return;
    SetNoteItems(*menu_, mode_, context);
    menu_->RedrawMenuBars();
}

// Before the menu or its keys are used: Undo says what it takes back now (a step taken back
// by the snail, or a new stroke, changed it), and Paste is set again, as another program may
// have put something on the clipboard, or taken ours away, since the easel last set it.
// "Publish" follows the page: a save offers it, the next change takes it away.
void RDisplayWindow::OnInitMenu() {
    const RApplication* app = GetApplication();
    if (!menu_ || menuDisabled_ != 0) return;
    if (app && app->GetUndoManager()) app->GetUndoManager()->UpdateMenu(*menu_);
    const GlobalUserSettings* settings = app ? app->GetGlobalUserSettings() : nullptr;
    if (Current() != ScreenKind::Easel || !settings || settings->smallKids) return;
    menu_->EnableItem(mfxMenuCommand(kCmdPaste), CCPObj::AnyCanPaste());
    SetPublishItem(*menu_, MenuContext());
}

void RDisplayWindow::EnableMenuItems(u16) {
    const MenuModeContext context = MenuContext();
    if (!menu_ || !context.settings) return;
    menuDisabled_ = 0;
    EnableSmallKidsMenuItems(*menu_, context);
    menu_->RedrawMenuBars();
}

void RDisplayWindow::SetMenuBarDisabled(u16 flag) {
    menuDisabled_ = flag;
    if (!menu_) return;
    Ostrel::SetMenuBarDisabled(*menu_, flag != 0, mode_, MenuContext());
    menu_->RedrawMenuBars();
}

void RDisplayWindow::ClearMenuDisabled(u16 screenFlag) {
    const RApplication* app = GetApplication();
    if (screenFlag || (app && app->GetGlobalUserSettings())) menuDisabled_ = 0;
}

void RDisplayWindow::SetMenuBandShown(bool shown) {
    if (!menu_) return;
    SetMenu(shown ? menu_.get() : nullptr);
    if (shown)
        menu_->RedrawMenuBars();
    else
        PaintMenuBand(plat::gdi::rgbColor(0, 0, 0));
}

void RDisplayWindow::HideTeacherMenu() {
    if (!menu_ || !teacherShowing_) return;
    teacher_ = menu_->RemoveSubMenu(kMenuTeacher);
    teacherShowing_ = false;
}

void RDisplayWindow::ShowTeacherMenu() {
    if (!menu_ || teacherShowing_ || teacher_.IsEmpty()) return;
    menu_->InsertSubMenu(kMenuTeacher, menuText("Teacher"), teacher_);
    teacherShowing_ = true;
    FillTeacherMenu(*menu_, MenuContext());
    const RApplication* app = GetApplication();
    menu_->EnableItem(mfxMenuCommand(kCmdAddDelUsers), !(app && app->IsLoginFromConfiguration()));
}

void RDisplayWindow::RunWithMenusGrayed(const std::function<void()>& run) {
    const bool gray = menuLoaded_ && menuDisabled_ == 0;
    if (gray) SetMenuBarDisabled(1);
    run();
    if (gray) RestoreMenusAfterDialog();
}

void RDisplayWindow::RestoreMenusAfterDialog() {
    if (menuLoaded_) SetMenuBarDisabled(0);
    RApplication* app = GetApplication();
    if (!app) return;
    switch (Current()) {
    case ScreenKind::Picker: UpdateMenuTexts(kMenuModePicker); break;
    case ScreenKind::Easel:
        if (const GlobalUserSettings* settings = app->GetGlobalUserSettings()) {
            if (settings->smallKids)
                EnableMenuItems(1);
            else
                UpdateMenuTexts(kMenuModeEasel);
            // The easel refreshes its page state (undo, paste, tool buttons) for the menus.
            RMessage refresh(kMsgRefreshPageState, 0, 0);
            if (CListener* easel = CurrentScreen()) easel->HandleMessage(&refresh, 0);
        }
        break;
    case ScreenKind::SlideShow: app->SetMenuModeForScreen(kScreenSlideShow); break;
    case ScreenKind::Splash: app->SetMenuModeForScreen(kScreenSplash); break;
    case ScreenKind::None: break;
    }
}

bool RDisplayWindow::IsMenuCommandEnabled(u16 command) const {
    return menu_ && menu_->IsItemEnabled(mfxMenuCommand(command));
}

void RDisplayWindow::EnableMenuCommand(u16 command) {
    if (menu_) menu_->EnableItem(mfxMenuCommand(command), true);
}

void RDisplayWindow::DisableMenuCommand(u16 command) {
    if (menu_) menu_->EnableItem(mfxMenuCommand(command), false);
}

}  // namespace Ostrel
