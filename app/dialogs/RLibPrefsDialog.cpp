#include "app/dialogs/RLibPrefsDialog.h"

#include "document/library/RLibraryMgr.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/TextUtils.h"
#include "framework/language/LanguageTexts.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

namespace {

constexpr const char* kTextsSection = "DialogsStrings";

struct ArtKind {
    u16 item;
    FourCC type;
    const char* key;
};

// The radio buttons, their media types and their texts, in item order.
constexpr std::array<ArtKind, 5> kKinds = {{{kLibPrefsBackgrounds, kTypeBitmap, "Backgrounds"},
                                            {kLibPrefsAnimations, kTypeFlashAnimation, "Animations"},
                                            {kLibPrefsStickers, kTypeFlash, "Stickers"},
                                            {kLibPrefsSounds, kTypeSound, "Sounds"},
                                            {kLibPrefsStamps, kTypeStamp, "Stamps"}}};

struct ItemText {
    u16 item;
    const char* key;
};

constexpr ItemText kTexts[] = {{kLibPrefsNotShownLabel, "NotShown"}, {kLibPrefsShownLabel, "Shown"},
                               {kLibPrefsText1, "LibDlgText1"},      {kLibPrefsText1 + 1, "LibDlgText2"},
                               {kLibPrefsText1 + 2, "LibDlgText3"},  {kLibPrefsTypeLabel, "TypeOfArt"},
                               {kLibPrefsOk, "Ok"},                  {kLibPrefsCancel, "Cancel"}};

std::string text(const char* key) { return LookupLanguageText(kTextsSection, key).c_str(); }

// A click, or Space or Enter on the item.
bool isUse(u16 notification, u8 key) {
    return notification == kDlgNotifyClicked || (notification == kDlgNotifyKey && (key == ' ' || key == '\r'));
}

// The name a library file is listed under, as its tool panel lists it (and so as the page's
// exclusions name it): the stamp panel drops the name's last extension, the other panels
// everything from the first ".".
std::string listName(FourCC type, const std::string& fileName) {
    const size_t dot = type == kTypeStamp ? fileName.rfind('.') : fileName.find('.');
    return fileName.substr(0, dot).substr(0, kLibPrefsNameBytes);
}

// How the panels show a library of that name to the child, in the current language.
std::string shownName(const RLibraryMgr& libraries, FourCC type, const std::string& name) {
    if (std::string own = libraries.OwnLibraryTitle(name); !own.empty()) return own;
    const std::string shown = LookupLanguageText(type == kTypeStamp ? "StampCategories" : "LibraryNames", name.c_str()).c_str();
    return shown.empty() ? name : shown;
}

bool listed(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (strCompareNoCase(n.c_str(), name.c_str()) == 0) return true;
    return false;
}

}  // namespace

RLibPrefsDialog::RLibPrefsDialog(mfxWindow* parent, RLibExclusionsObject& exclusions, const RLibraryMgr& libraries,
                                 RSender* poster, CListener* panel)
    : mfxModalDialog(parent, kLibPrefsTemplate), exclusions_(exclusions), libraries_(libraries), poster_(poster),
      panel_(panel) {
    exclusions_.BeginEdit();
}

FourCC RLibPrefsDialog::CurrentType() const {
    for (const ArtKind& kind : kKinds)
        if (kind.item == kind_) return kind.type;
    return 0;
}

void RLibPrefsDialog::Setup() {
    SetTitle(text("LibPrefsDlg"));
    for (const ItemText& t : kTexts) SetItemText(t.item, text(t.key));
    for (const ArtKind& kind : kKinds) SetItemText(kind.item, text(kind.key));
    SelectKind(kLibPrefsBackgrounds);
    UpdateMoveButtons();
}

const std::vector<std::string>& RLibPrefsDialog::NamesOf(size_t kind) {
    std::vector<std::string>& names = names_[kind];
    if (read_[kind]) return names;
    read_[kind] = true;
    const FourCC type = kKinds[kind].type;
    RLibraryMgr::Iteration iteration;
    std::string file;
    u16 location = 0;
    while (libraries_.NextLibraryItem(&iteration, type, &file, &location)) {
        // The stamp panel never lists the user's own stamp libraries.
        if (type == kTypeStamp && location == kLibraryOfUser) continue;
        std::string name = listName(type, file);
        // One exclusion hides every library of that name, wherever it lies.
        if (!name.empty() && !listed(names, name)) names.push_back(std::move(name));
    }
    return names;
}

std::string RLibPrefsDialog::NameShownAs(const std::string& shown) {
    const FourCC type = CurrentType();
    for (size_t kind = 0; kind < kKinds.size(); ++kind)
        if (kKinds[kind].type == type)
            for (const std::string& name : NamesOf(kind))
                if (shownName(libraries_, type, name) == shown) return name;
    return shown;
}

void RLibPrefsDialog::FillLists() {
    ListClear(kLibPrefsNotShownList);
    ListClear(kLibPrefsShownList);
    const FourCC type = CurrentType();
    for (size_t kind = 0; kind < kKinds.size(); ++kind) {
        if (kKinds[kind].type != type) continue;
        for (const std::string& name : NamesOf(kind))
            ListInsert(exclusions_.IsExcluded(type, name) ? kLibPrefsNotShownList : kLibPrefsShownList, kDlgListEnd,
                       shownName(libraries_, type, name));
    }
}

void RLibPrefsDialog::SelectKind(u16 item) {
    int checked = 0;
    for (const ArtKind& kind : kKinds) checked += IsChecked(kind.item) ? 1 : 0;
    // Choosing the kind already shown refills nothing.
    if (IsChecked(item) && checked == 1) return;
    kind_ = item;
    for (const ArtKind& kind : kKinds) SetCheck(kind.item, kind.item == item);
    SetFocus(item);
    FillLists();
}

void RLibPrefsDialog::Move() {
    const FourCC type = CurrentType();
    if (const u16 shown = ListSelected(kLibPrefsShownList)) {
        const std::string name = NameShownAs(ListText(kLibPrefsShownList, shown));
        ListInsert(kLibPrefsNotShownList, kDlgListEnd, ListText(kLibPrefsShownList, shown));
        ListDelete(kLibPrefsShownList, shown);
        exclusions_.Add(type, name);
    } else if (const u16 hidden = ListSelected(kLibPrefsNotShownList)) {
        const std::string name = NameShownAs(ListText(kLibPrefsNotShownList, hidden));
        ListInsert(kLibPrefsShownList, kDlgListEnd, ListText(kLibPrefsNotShownList, hidden));
        ListDelete(kLibPrefsNotShownList, hidden);
        exclusions_.Remove(type, name);
    }
}

void RLibPrefsDialog::MoveAll() {
    const FourCC type = CurrentType();
    if (ListSelected(kLibPrefsShownList)) {
        while (ListCount(kLibPrefsShownList) > 0) {
            const std::string name = NameShownAs(ListText(kLibPrefsShownList, 1));
            ListInsert(kLibPrefsNotShownList, kDlgListEnd, ListText(kLibPrefsShownList, 1));
            ListDelete(kLibPrefsShownList, 1);
            exclusions_.Add(type, name);
        }
    } else if (ListSelected(kLibPrefsNotShownList)) {
        exclusions_.RemoveAllOfType(type);
        FillLists();
    }
}

void RLibPrefsDialog::UpdateMoveButtons() {
    const std::string move = text("Move");
    const std::string moveAll = text("MoveAll");
    if (ListCount(kLibPrefsShownList) > 0 && ListSelected(kLibPrefsShownList)) {
        SetItemText(kLibPrefsMove, "<- " + move);
        SetItemText(kLibPrefsMoveAll, "<< " + moveAll);
        EnableItem(kLibPrefsMove, true);
        EnableItem(kLibPrefsMoveAll, true);
    } else if (ListCount(kLibPrefsNotShownList) > 0 && ListSelected(kLibPrefsNotShownList)) {
        SetItemText(kLibPrefsMove, move + " ->");
        SetItemText(kLibPrefsMoveAll, moveAll + " >>");
        EnableItem(kLibPrefsMove, true);
        EnableItem(kLibPrefsMoveAll, true);
    } else {
        SetItemText(kLibPrefsMove, "<- " + move + " ->");
        SetItemText(kLibPrefsMoveAll, "<< " + moveAll + " >>");
        EnableItem(kLibPrefsMove, false);
        EnableItem(kLibPrefsMoveAll, false);
    }
}

void RLibPrefsDialog::OnCommand(u16 item, u16 notification, u8 key) {
    if (notification == kDlgNotifyListSelection) {
        // One selection at a time: it says which way Move goes.
        if (item == kLibPrefsShownList) ListSelect(kLibPrefsNotShownList, 0);
        if (item == kLibPrefsNotShownList) ListSelect(kLibPrefsShownList, 0);
        UpdateMoveButtons();
        return;
    }
    if (!isUse(notification, key)) return;
    switch (item) {
    case kLibPrefsBackgrounds:
    case kLibPrefsAnimations:
    case kLibPrefsStickers:
    case kLibPrefsSounds:
    case kLibPrefsStamps: SelectKind(item); break;
    case kLibPrefsMove: Move(); break;
    case kLibPrefsMoveAll: MoveAll(); break;
    case kLibPrefsOk:
        if (poster_ && panel_) poster_->PostMessageTo(panel_, kMsgReloadLibraries, 0, 0);
        result_ = kLibPrefsOkResult;
        break;
    case kLibPrefsCancel:
        exclusions_.CancelEdit();
        result_ = kLibPrefsCancelResult;
        break;
    default: return;
    }
    UpdateMoveButtons();
}

u32 RLibPrefsDialog::Run(mfxWindow* parent, RPageData& page, const RLibraryMgr& libraries, RSender* poster,
                         CListener* panel) {
    // Fetching the exclusions makes them on a page without any: that alone changes nothing
    // the teacher would be asked to save.
    const bool wasDirty = page.IsDirty();
    RLibExclusionsObject* exclusions = page.GetExclusions();
    if (!exclusions) return kLibPrefsCancelResult;
    const std::vector<std::string> before = exclusions->Keys();
    u32 result = kLibPrefsCancelResult;
    {
        RLibPrefsDialog dialog(parent, *exclusions, libraries, poster, panel);
        if (dialog.LoadError() == kErrNone) {
            dialog.Setup();
            dialog.Show();
            mfxDialogEvent event;
            while (dialog.GetResult() == kLibPrefsRunning && dialog.RunModal(&event) == 0) {
            }
            dialog.Hide();
            result = dialog.GetResult();
        }
        // Closed without OK (Escape, the window going): nothing the teacher moved stays.
        if (result != kLibPrefsOkResult) {
            exclusions->CancelEdit();
            result = kLibPrefsCancelResult;
        }
    }
    if (exclusions->Keys() != before) {
        exclusions->changed = true;
        page.SetDirtyState(true);
    } else if (!wasDirty) {
        page.SetDirtyState(false);
    }
    return result;
}

}  // namespace Ostrel
