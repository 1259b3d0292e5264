#pragma once
// The teacher chooses, for each kind of art (backgrounds, animations, stickers, sounds,
// stamps), which libraries the page's project shows, in a modal dialog of the framework
// (template 170): the kind's libraries stand in a "not shown" and a "shown" list, and Move
// and Move all carry the selected one, or all, across. Every move changes the page's library
// exclusions at once; OK keeps them and tells the easel's tool panel to load its libraries
// again (6654, posted), Cancel or closing the dialog puts them back as they were. Its texts
// come from [DialogsStrings]. User-interface thread only.
#include <array>
#include <string>
#include <vector>

#include "framework/dialogs/mfxModalDialog.h"

class CListener;

namespace Ostrel {

class RLibExclusionsObject;
class RLibraryMgr;
class RPageData;
class RSender;

constexpr u16 kLibPrefsTemplate = 170;
// The kinds of art, in the order of their radio buttons.
constexpr u16 kLibPrefsBackgrounds = 1000;
constexpr u16 kLibPrefsAnimations = 1001;
constexpr u16 kLibPrefsStickers = 1002;
constexpr u16 kLibPrefsSounds = 1003;
constexpr u16 kLibPrefsStamps = 1004;
constexpr u16 kLibPrefsNotShownList = 1005;
constexpr u16 kLibPrefsMove = 1007;
constexpr u16 kLibPrefsMoveAll = 1009;
constexpr u16 kLibPrefsShownList = 1010;
constexpr u16 kLibPrefsNotShownLabel = 1011;
constexpr u16 kLibPrefsShownLabel = 1012;
constexpr u16 kLibPrefsOk = 1014;
constexpr u16 kLibPrefsCancel = 1015;
constexpr u16 kLibPrefsText1 = 1301;
constexpr u16 kLibPrefsTypeLabel = 1304;
// Told to the tool panel on OK: the libraries it shows may have changed.
constexpr u32 kMsgReloadLibraries = 6654;
// The longest library name kept.
constexpr size_t kLibPrefsNameBytes = 255;
// Results.
constexpr u32 kLibPrefsRunning = 0;
constexpr u32 kLibPrefsOkResult = 1;
constexpr u32 kLibPrefsCancelResult = 2;

class RLibPrefsDialog : public mfxModalDialog {
public:
    // Starts an edit of `exclusions`, which Cancel undoes. `poster` posts 6654 to `panel`
    // (either may be null: nothing is told).
    RLibPrefsDialog(mfxWindow* parent, RLibExclusionsObject& exclusions, const RLibraryMgr& libraries,
                    RSender* poster, CListener* panel);

    // The texts, then the backgrounds chosen.
    void Setup();
    void OnCommand(u16 item, u16 notification, u8 key) override;
    u32 GetResult() const { return result_; }
    // The media type of the chosen kind of art; 0 before one is chosen.
    FourCC CurrentType() const;

    // Shows the dialog over `parent` on the page's exclusions and runs it until OK or
    // Cancel; the page counts as changed when OK changed what it hides. The result.
    static u32 Run(mfxWindow* parent, RPageData& page, const RLibraryMgr& libraries, RSender* poster, CListener* panel);

private:
    void SelectKind(u16 item);
    void FillLists();
    // The kind's library names, read once.
    const std::vector<std::string>& NamesOf(size_t kind);
    // The library name (as the exclusions hold it) that the lists show as `shown`.
    std::string NameShownAs(const std::string& shown);
    void Move();
    void MoveAll();
    void UpdateMoveButtons();

    RLibExclusionsObject& exclusions_;
    const RLibraryMgr& libraries_;
    RSender* poster_;
    CListener* panel_;
    u16 kind_ = 0;  // the chosen radio button, 0 before one is chosen
    std::array<std::vector<std::string>, 5> names_;
    std::array<bool, 5> read_{};
    u32 result_ = kLibPrefsRunning;
};

}  // namespace Ostrel
