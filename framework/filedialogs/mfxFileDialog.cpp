#include "framework/filedialogs/mfxFileDialog.h"

#include <algorithm>

#include "engine/base/TextUtils.h"
#include "engine/files/FolderEntries.h"
#include "engine/files/Paths.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "platform/files/Files.h"

namespace {

// Wide enough for a child's long picture names; a longer one ends its line with an ellipsis.
constexpr u16 kCommonWidth = 480;
constexpr u16 kCommonHeight = 262;
constexpr u16 kNameLimit = kMaxPathText;

DialogItemTemplate commonItem(u16 id, DialogItemKind kind, DialogRect rect, const std::string& text, u16 flags = 0,
                              u16 limit = 0) {
    return DialogItemTemplate{id, kind, flags, rect, limit, TextRef{"", text}};
}

bool lessNoCase(const std::string& a, const std::string& b) { return strCompareNoCase(a.c_str(), b.c_str()) < 0; }

// A button's word from the language file, English when it gives none.
std::string buttonText(const char* key, const char* english) {
    std::string text = LookupLanguageText("FileDialog", key).c_str();
    return text.empty() ? english : text;
}

bool isRoot(const std::string& folder) { return folder.size() <= 3; }

// The folder holding `text`; a drive's root keeps its separator: "C:\" names it.
std::string parentOf(const std::string& text) {
    const std::string parent = text.substr(0, text.rfind('\\'));
    return parent.size() == 2 ? parent + '\\' : parent;
}

// The text with its "." and ".." names resolved, so that what it names is judged by where it
// lies rather than by how it was spelt; ".." at the root stays there.
std::string resolved(const std::string& text) {
    std::vector<std::string> names;
    size_t at = std::min<size_t>(3, text.size());
    while (at < text.size()) {
        const size_t cut = std::min(text.find('\\', at), text.size());
        const std::string name = text.substr(at, cut - at);
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        at = cut + 1;
    }
    std::string result = text.substr(0, std::min<size_t>(3, text.size()));
    for (const std::string& name : names) result.append(result.size() > 3 ? "\\" : "").append(name);
    return result;
}

// The extension a file type gives a saved name (".tbx" of "*.tbx"), when its first pattern
// names one.
std::string typeExtension(const mfxFileFilter& filter) {
    const std::string first = filter.patterns.substr(0, filter.patterns.find(';'));
    if (first.size() < 3 || first.compare(0, 2, "*.") != 0) return {};
    const std::string extension = first.substr(1);
    return extension.find_first_of("*?") == std::string::npos ? extension : std::string();
}

// The first character of `name` that the volume takes in no name, whatever stands around it (a
// dot or a blank is refused only at a name's end); empty when there is none.
std::string refusedCharacter(const std::string& name, VolumeRecord* volume) {
    for (const char c : name)
        if (c != '.' && c != ' ' && !pathIsValidName(&c, 1, volume)) return std::string(1, c);
    return {};
}

bool endsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && strCompareNoCase(text.c_str() + (text.size() - end.size()), end.c_str()) == 0;
}

}  // namespace

DialogTemplate mfxFileDialogTemplate(bool saving, const std::string& title, const DialogTemplate* extension,
                                     bool ownFolder) {
    DialogTemplate t;
    t.width = kCommonWidth;
    t.height = kCommonHeight;
    t.title = TextRef{"", title};
    t.items = {
        commonItem(kFileDlgFolder, DialogItemKind::Label, {10, 6, 470, 24}, ""),
        commonItem(kFileDlgList, DialogItemKind::List, {10, 26, 470, 122}, ""),
        commonItem(kFileDlgName, DialogItemKind::Edit, {10, 128, 370, 150}, "", kDlgItemFocus, kNameLimit),
        // Opening, the file types are a choice of what the list shows; saving, of the kind of
        // file made: words that say which. Five show at once: the list has no scroll bar, and
        // a type out of sight could only be reached by the keyboard.
        commonItem(kFileDlgTypesLabel, DialogItemKind::Label, {10, 156, 370, 172},
                   saving ? buttonText("SaveTypes", "Kind of file to make:")
                          : buttonText("ShowTypes", "Show these files:")),
        commonItem(kFileDlgTypes, DialogItemKind::List, {10, 174, 370, 254}, "", kDlgItemChoice),
        commonItem(kFileDlgOk, DialogItemKind::Button, {380, 128, 470, 150},
                   saving ? buttonText("Save", "Save") : buttonText("Open", "Open"), kDlgItemDefault),
        commonItem(kFileDlgCancel, DialogItemKind::Button, {380, 156, 470, 178}, buttonText("Cancel", "Cancel")),
        commonItem(kFileDlgUp, DialogItemKind::Button, {380, 182, 470, 204}, buttonText("Up", "Up")),
    };
    if (ownFolder)
        t.items.push_back(commonItem(kFileDlgOwnFolder, DialogItemKind::Button, {380, 208, 470, 230},
                                     buttonText("OwnFolder", "My folder")));
    if (extension) {
        t.width = std::max(t.width, extension->width);
        t.height = u16(kCommonHeight + extension->height);
        for (DialogItemTemplate item : extension->items) {
            item.rect.top = i16(item.rect.top + kCommonHeight);
            item.rect.bottom = i16(item.rect.bottom + kCommonHeight);
            t.items.push_back(item);
        }
    }
    return t;
}

mfxFileDialog::mfxFileDialog(mfxWindow* parent, const mfxFileDialogSetup& setup)
    : mfxModalDialog(parent, mfxFileDialogTemplate(setup.saving, setup.title, setup.extension, !setup.ownFolder.empty())),
      setup_(setup),
      name_(std::make_unique<mfxDialogEditNameField>(*this, kFileDlgName)) {
    for (const mfxFileFilter& filter : setup_.filters) ListInsert(kFileDlgTypes, kDlgListEnd, filter.label);
    if (!setup_.filters.empty()) ListSelect(kFileDlgTypes, 1);
    EnterFolder(setup_.folder);
    name_->TakeFocus();
    if (setup_.saving && !setup_.name.empty()) {
        name_->SetText(setup_.name);
        name_->SelectAll();
    }
}

u16 mfxFileDialog::FilterIndex() const { return setup_.filters.empty() ? 0 : ListSelected(kFileDlgTypes); }

bool mfxFileDialog::IsExtensionItem(u16 item) const {
    return setup_.extension && std::any_of(setup_.extension->items.begin(), setup_.extension->items.end(),
                                           [&](const DialogItemTemplate& t) { return t.id == item; });
}

Rect16 mfxFileDialog::PreviewArea() {
    if (!setup_.extension) return Rect16{};
    for (const DialogItemTemplate& t : setup_.extension->items) {
        if (t.kind != DialogItemKind::Picture) continue;
        const Rect16 inDialog = GetItemRect(t.id);
        const plat::gdi::Point origin = Box().clientOrigin();
        return Rect16{i16(inDialog.left + origin.x), i16(inDialog.top + origin.y), i16(inDialog.right + origin.x),
                      i16(inDialog.bottom + origin.y)};
    }
    return Rect16{};
}

u16 mfxFileDialog::ChooseOption(u16 item) {
    if (!setup_.extension) return 0;
    const auto& items = setup_.extension->items;
    if (std::none_of(items.begin(), items.end(),
                     [&](const DialogItemTemplate& t) { return t.id == item && t.kind == DialogItemKind::Radio; }))
        return Option();
    for (const DialogItemTemplate& t : setup_.extension->items)
        if (t.kind == DialogItemKind::Radio) SetCheck(t.id, t.id == item);
    return Option();
}

u16 mfxFileDialog::Option() const {
    if (!setup_.extension) return 0;
    for (const DialogItemTemplate& t : setup_.extension->items)
        if (t.kind == DialogItemKind::Radio && IsChecked(t.id)) return t.id;
    return 0;
}

void mfxFileDialog::ToggleCheck(u16 item) {
    if (!setup_.extension) return;
    for (const DialogItemTemplate& t : setup_.extension->items)
        if (t.id == item && t.kind == DialogItemKind::CheckBox) SetCheck(item, !IsChecked(item));
}

std::vector<u16> mfxFileDialog::Ticked() const {
    std::vector<u16> ticked;
    if (!setup_.extension) return ticked;
    for (const DialogItemTemplate& t : setup_.extension->items)
        if (t.kind == DialogItemKind::CheckBox && IsChecked(t.id)) ticked.push_back(t.id);
    return ticked;
}

void mfxFileDialog::EnterFolder(const std::string& folder) {
    folder_ = folder;
    SetItemText(kFileDlgFolder, mfxFolderShownName(folder_, setup_.places));
    EnableItem(kFileDlgUp, !AtTop());
    Refill();
}

bool mfxFileDialog::AtTop() const {
    return isRoot(folder_) || (!setup_.home.empty() && strCompareNoCase(folder_.c_str(), setup_.home.c_str()) == 0) ||
           !Reaches(parentOf(folder_));
}

void mfxFileDialog::Refill() {
    std::vector<FolderEntry> found;
    listFolderEntries(folder_, &found);
    std::vector<Entry> folders;
    std::vector<Entry> files;
    const u16 filter = FilterIndex();
    const std::string leftOff = filter && setup_.filters[filter - 1].byName ? typeExtension(setup_.filters[filter - 1]) : "";
    for (const FolderEntry& entry : found) {
        if (entry.isHidden()) continue;
        if (entry.isFolder()) {
            if (!Reaches(childText(folder_, entry.name))) continue;
            folders.push_back({entry.name, mfxFolderWord(childText(folder_, entry.name), setup_.places), true});
        } else if (filter == 0 || mfxFilterMatches(setup_.filters[filter - 1], entry.name)) {
            const bool cut = !leftOff.empty() && entry.name.size() > leftOff.size() && endsWithNoCase(entry.name, leftOff);
            files.push_back({entry.name, entry.name.substr(0, entry.name.size() - (cut ? leftOff.size() : 0)), false});
        }
    }
    const auto byShown = [](const Entry& a, const Entry& b) { return lessNoCase(a.shown, b.shown); };
    std::sort(folders.begin(), folders.end(), byShown);
    std::sort(files.begin(), files.end(), byShown);
    entries_.clear();
    ListClear(kFileDlgList);
    for (Entry& entry : folders) {
        // A folder is marked the way the desktop marks one.
        ListInsert(kFileDlgList, kDlgListEnd, entry.shown + "/");
        entries_.push_back(std::move(entry));
    }
    for (Entry& entry : files) {
        ListInsert(kFileDlgList, kDlgListEnd, entry.shown);
        entries_.push_back(std::move(entry));
    }
}

void mfxFileDialog::ToParentFolder() {
    if (!AtTop()) EnterFolder(parentOf(folder_));
}

const mfxFileDialog::Entry* mfxFileDialog::Picked() const {
    const u16 picked = ListSelected(kFileDlgList);
    return picked == 0 || picked > entries_.size() ? nullptr : &entries_[picked - 1];
}

mfxFileDialog::Step mfxFileDialog::Handle(const mfxDialogEvent& event, std::string* path) {
    if (event.kind == kDlgEventListSelection && event.item == kFileDlgTypes) {
        Refill();
        // The type chosen, what the child types next is the name the file gets.
        if (setup_.saving) name_->TakeFocus();
        return Step::FilterChanged;
    }
    if (event.kind == kDlgEventListSelection && event.item == kFileDlgList) {
        const Entry* entry = Picked();
        if (!entry || entry->folder) return Step::None;
        name_->SetText(entry->shown);
        if (setup_.saving) return Step::None;
        *path = childText(folder_, entry->name);
        return path->empty() ? Step::None : Step::Selected;
    }
    if (event.kind == kDlgEventListDoubleClick && event.item == kFileDlgList) {
        const Entry* entry = Picked();
        return entry ? Choose(entry->name, path) : Step::None;
    }
    if (event.kind != kDlgEventItem) return Step::None;
    switch (event.item) {
    case kFileDlgOk: return Accept(path);
    case kFileDlgCancel: EndModal(0); return Step::Canceled;
    case kFileDlgUp: ToParentFolder(); return Step::None;
    case kFileDlgOwnFolder:
        if (!setup_.ownFolder.empty() && Reaches(setup_.ownFolder)) EnterFolder(setup_.ownFolder);
        return Step::None;
    default: return IsExtensionItem(event.item) ? Step::Command : Step::None;
    }
}

mfxFileDialog::Step mfxFileDialog::Accept(std::string* path) {
    // Enter with the list's focus opens what is picked there.
    const Entry* entry = Picked();
    if (GetFocus() == kFileDlgList && entry) return Choose(entry->name, path);
    const std::string name = name_->GetText();
    if (!name.empty()) return Choose(name, path);
    if (entry && !entry->folder) return Choose(entry->name, path);
    // Nothing named yet: the name field is where the typing goes.
    name_->TakeFocus();
    return Step::None;
}

mfxFileDialog::Step mfxFileDialog::Choose(const std::string& name, std::string* path) {
    if (name == "..") {
        name_->SetText("");
        ToParentFolder();
        return Step::None;
    }
    const std::string full = TypedPath(name);
    if (full.empty() || full.size() > kMaxPathText) return Step::PathTooLong;
    u32 attributes = 0;
    const EngineErr there = readEntryAttributes(full, &attributes);
    const bool isFolder = there == kErrNone && FolderEntry{name, attributes}.isFolder();
    // A save's name that leads out of the dialog's reach is refused as one with a "/" in it.
    if (!Reaches(isFolder ? full : parentOf(full))) return setup_.saving && !isFolder ? RefuseName(name) : Step::None;
    if (isFolder) {
        name_->SetText("");
        EnterFolder(full);
        return Step::None;
    }
    // A save names the file it writes: the one whose replacing is confirmed.
    if (const u16 filter = FilterIndex(); setup_.saving && filter) {
        const std::string extension = typeExtension(setup_.filters[filter - 1]);
        if (!extension.empty() && !endsWithNoCase(name, extension)) return Choose(name + extension, path);
    }
    // Refused before its replacing is asked about: a save would never get its bytes there.
    if (there == kErrNone && FolderEntry{name, attributes}.isDevice()) {
        RefuseDevice(name);
        return Step::None;
    }
    if (there == kErrNone) {
        if (setup_.saving && !ConfirmReplace(name)) return Step::None;
        *path = full;
        return Step::Chosen;
    }
    // Nothing by that name: an open needs a file that exists, a save a name the folder takes
    // and shows (a name beginning with a dot is hidden here, so the work would seem lost).
    if (!setup_.saving && there == kOsErrNotFound) return OpenByShownName(name, path);
    if (!setup_.saving) return Step::None;
    // A typed path that names nothing (its folder is missing) is refused with its "/", as a
    // name no file may take: the child is told why rather than left with nothing happening.
    Path folder;
    pathFromText(&folder, folder_.c_str());
    const bool valid = folder.record && name.front() != '.' && name.find('\\') == std::string::npos &&
                       name.find('/') == std::string::npos && pathIsValidName(name.c_str(), 0, folder.record->volume);
    pathRelease(&folder);
    if (!valid) return RefuseName(name);
    // A folder that cannot be read cannot tell whether a file would be replaced.
    if (there != kOsErrNotFound) return Step::None;
    *path = full;
    return Step::Chosen;
}

mfxFileDialog::Step mfxFileDialog::RefuseName(const std::string& name) {
    Path folder;
    pathFromText(&folder, folder_.c_str());
    refused_ = folder.record ? refusedCharacter(name, folder.record->volume) : std::string();
    pathRelease(&folder);
    if (refused_.empty()) refused_ = name;
    return Step::NameRefused;
}

mfxFileDialog::Step mfxFileDialog::OpenByShownName(const std::string& name, std::string* path) {
    const u16 filter = FilterIndex();
    if (!filter || !setup_.filters[filter - 1].byName) return Step::None;
    const std::string extension = typeExtension(setup_.filters[filter - 1]);
    return extension.empty() || endsWithNoCase(name, extension) ? Step::None : Choose(name + extension, path);
}

std::string mfxFileDialog::TypedPath(const std::string& typed) const {
    std::string from = folder_;
    std::string below = typed;
    if (typed.front() == '/') {
        from = plat::textOfHostPath("/");
        below = typed.substr(1);
    } else if (!setup_.home.empty() && (typed == "~" || typed.compare(0, 2, "~/") == 0)) {
        from = setup_.home;
        below = typed.substr(1);
    }
    // Names joined by "/"; separators doubled or at the ends name nothing more.
    std::string names;
    size_t at = 0;
    while (at < below.size()) {
        const size_t cut = std::min(below.find('/', at), below.size());
        if (cut > at) names.append(names.empty() ? "" : "\\").append(below, at, cut - at);
        at = cut + 1;
    }
    return resolved(names.empty() ? from : childText(from, names));
}

bool mfxFileDialog::ConfirmReplace(const std::string& name) {
    std::string text = LookupLanguageText("FileDialog", "ReplaceFile").c_str();
    if (text.empty()) text = "A file with this name is already there. Do you want to replace it?";
    return mfxAlert(kAlertYesNo | kAlertIconExclamation, name + "\n" + text) == kAlertAnswerYes;
}

// A pipe or a device among the files has a file's name but would never give its bytes: opened,
// it would hold the program until someone wrote to it.
void mfxFileDialog::RefuseDevice(const std::string& name) {
    std::string text = LookupLanguageText("FileDialog", setup_.saving ? "NotAFileToSave" : "NotAFile").c_str();
    if (text.empty())
        text = setup_.saving ? "This is not a real file, so nothing can be saved in it. Choose another name."
                             : "This is not a real file, so it cannot be opened. Choose another one.";
    mfxAlert(kAlertOk | kAlertIconStop, name + "\n" + text);
}
