#include "framework/dialogs/mfxModalDialog.h"

#include <algorithm>

#include "framework/language/LanguageTexts.h"
#include "framework/resources/mfxReadResource.h"
#include "framework/windows/mfxWindow.h"
#include "platform/display/DisplayWindow.h"

namespace pw = plat::widgets;

namespace {

constexpr FourCC kDialogType = fourCC("DLOG");

EngineErr readTemplate(u16 id, DialogTemplate* out) {
    std::vector<u8> bytes;
    if (EngineErr err = mfxReadResource(kDialogType, id, &bytes); err != kErrNone) return err;
    return parseDialogTemplate(bytes, out);
}

// A stored text in the current language: its key ("Section/Key") looked up in the language
// files, the stored text when they give none (or it has no key).
std::string shownText(const TextRef& text) {
    const size_t cut = text.key.find('/');
    if (cut == std::string::npos) return text.fallback;
    const std::string section = text.key.substr(0, cut), key = text.key.substr(cut + 1);
    const std::string shown = LookupLanguageText(section.c_str(), key.c_str()).c_str();
    return shown.empty() ? text.fallback : shown;
}

pw::DialogItemKind widgetKind(DialogItemKind kind) {
    switch (kind) {
    case DialogItemKind::Button: return pw::DialogItemKind::Button;
    case DialogItemKind::CheckBox: return pw::DialogItemKind::CheckBox;
    case DialogItemKind::Radio: return pw::DialogItemKind::Radio;
    case DialogItemKind::Edit: return pw::DialogItemKind::Edit;
    case DialogItemKind::List: return pw::DialogItemKind::List;
    case DialogItemKind::Picture: return pw::DialogItemKind::Picture;
    case DialogItemKind::Group: return pw::DialogItemKind::Group;
    case DialogItemKind::Label: break;
    }
    return pw::DialogItemKind::Label;
}

pw::DialogItem widgetItem(const DialogItemTemplate& source) {
    pw::DialogItem item;
    item.id = source.id;
    item.kind = widgetKind(source.kind);
    item.rect = {source.rect.left, source.rect.top, source.rect.right, source.rect.bottom};
    item.text = shownText(source.text);
    item.enabled = (source.flags & kDlgItemDisabled) == 0;
    item.visible = (source.flags & kDlgItemHidden) == 0;
    item.checked = (source.flags & kDlgItemChecked) != 0;
    item.isDefault = (source.flags & kDlgItemDefault) != 0;
    item.multiLine = (source.flags & kDlgItemMultiLine) != 0;
    item.numberOnly = (source.flags & kDlgItemNumber) != 0;
    item.choice = (source.flags & kDlgItemChoice) != 0;
    if (item.kind == pw::DialogItemKind::Edit) {
        item.limit = source.limit == 0 ? kDefaultEditLimit : source.limit;
        item.selectionStart = item.selectionEnd = item.text.size();
    } else {
        item.pictureId = source.limit;
    }
    return item;
}

}  // namespace

mfxModalDialog::mfxModalDialog(mfxWindow* parent, u16 templateId) {
    DialogTemplate dialogTemplate;
    loadError_ = readTemplate(templateId, &dialogTemplate);
    if (loadError_ != kErrNone) dialogTemplate = DialogTemplate{1, 1, {}, {}};
    Build(parent, dialogTemplate);
}

mfxModalDialog::mfxModalDialog(mfxWindow* parent, const DialogTemplate& dialogTemplate) { Build(parent, dialogTemplate); }

mfxModalDialog::~mfxModalDialog() = default;

void mfxModalDialog::Build(mfxWindow* parent, const DialogTemplate& dialogTemplate) {
    std::vector<pw::DialogItem> items;
    for (const DialogItemTemplate& source : dialogTemplate.items) items.push_back(widgetItem(source));
    box_ = std::make_unique<pw::DialogBox>(shownText(dialogTemplate.title), dialogTemplate.width, dialogTemplate.height,
                                           std::move(items));
    for (const DialogItemTemplate& source : dialogTemplate.items) {
        if (source.flags & kDlgItemFocus) box_->setFocus(source.id);
    }
    box_->setEventSink([this](const pw::DialogEvent& e) {
        OnCommand(e.item, e.notification, e.key);
        events_.push_back(mfxDialogEvent{e.kind, e.item, e.notification, e.key});
    });
    host_ = std::make_unique<mfxDialogHost>(parent ? parent->GetHandle() : plat::kNoWindow, *box_);
    if (loadError_ != kErrNone) ended_ = true;
}

void mfxModalDialog::OnCommand(u16, u16, u8) {}

void mfxModalDialog::Show() { host_->Show(); }

void mfxModalDialog::Hide() { host_->Hide(); }

void mfxModalDialog::EndModal(u32 result) {
    ended_ = true;
    result_ = result;
}

u32 mfxModalDialog::RunModal(mfxDialogEvent* event) {
    if (!ended_ && !host_->IsShown()) Show();
    const bool ready = host_->Pump([this] { return ended_ || !events_.empty() || box_->closeRequested(); });
    if (!ready || box_->closeRequested()) ended_ = true;
    if (!events_.empty()) {
        *event = events_.front();
        events_.pop_front();
        return 0;
    }
    return ended_ ? 1 : 0;
}

pw::DialogItem* mfxModalDialog::Item(u16 item) { return box_->find(item); }
const pw::DialogItem* mfxModalDialog::Item(u16 item) const { return box_->find(item); }

void mfxModalDialog::SetTitle(const std::string& title) { box_->setTitle(title); }

bool mfxModalDialog::HasItem(u16 item) const { return Item(item) != nullptr; }

Rect16 mfxModalDialog::GetItemRect(u16 item) const {
    const pw::DialogItem* found = Item(item);
    if (!found) return Rect16{};
    return Rect16{i16(found->rect.left), i16(found->rect.top), i16(found->rect.right), i16(found->rect.bottom)};
}

void mfxModalDialog::SetItemText(u16 item, const std::string& text) {
    if (pw::DialogItem* found = Item(item)) {
        found->text = text;
        if (found->text.size() > found->limit && found->kind == pw::DialogItemKind::Edit) found->text.resize(found->limit);
        found->selectionStart = found->selectionEnd = found->text.size();
        box_->changed(item);
    }
}

std::string mfxModalDialog::GetItemText(u16 item) const {
    const pw::DialogItem* found = Item(item);
    return found ? found->text : std::string();
}

void mfxModalDialog::EnableItem(u16 item, bool enable) {
    if (pw::DialogItem* found = Item(item)) {
        found->enabled = enable;
        box_->changed(item);
    }
}

bool mfxModalDialog::IsItemEnabled(u16 item) const {
    const pw::DialogItem* found = Item(item);
    return found && found->enabled;
}

void mfxModalDialog::ShowItem(u16 item, bool show) {
    if (pw::DialogItem* found = Item(item)) {
        found->visible = show;
        box_->changed(item);
    }
}

void mfxModalDialog::SetCheck(u16 item, bool checked) {
    if (pw::DialogItem* found = Item(item)) {
        found->checked = checked;
        box_->changed(item);
    }
}

bool mfxModalDialog::IsChecked(u16 item) const {
    const pw::DialogItem* found = Item(item);
    return found && found->checked;
}

void mfxModalDialog::SetFocus(u16 item) { box_->setFocus(item); }

u16 mfxModalDialog::GetFocus() const { return box_->focus(); }

void mfxModalDialog::SetDefaultButton(u16 item) { box_->setDefaultButton(item); }

void mfxModalDialog::SetSelection(u16 item, u16 from, u16 to) {
    if (pw::DialogItem* found = Item(item)) {
        found->selectionStart = std::min<size_t>(from, found->text.size());
        found->selectionEnd = std::min<size_t>(to, found->text.size());
        box_->changed(item);
    }
}

void mfxModalDialog::SetTextLimit(u16 item, u16 limit) {
    if (pw::DialogItem* found = Item(item)) found->limit = limit == 0 ? kDefaultEditLimit : limit;
}

u16 mfxModalDialog::GetPictureId(u16 item) const {
    const pw::DialogItem* found = Item(item);
    return found ? found->pictureId : 0;
}

void mfxModalDialog::SetPicture(u16 item, plat::gdi::Surface* picture) {
    if (pw::DialogItem* found = Item(item)) {
        found->picture = picture;
        box_->changed(item);
    }
}

void mfxModalDialog::SetAfterDraw(std::function<void()> drawn) { host_->SetAfterDraw(std::move(drawn)); }

void mfxModalDialog::InvalidateRect(const Rect16& area) {
    const plat::gdi::Rect wanted{area.left, area.top, area.right, area.bottom};
    for (const pw::DialogItem& item : box_->items()) {
        if (!item.rect.intersect(wanted).empty()) box_->changed(item.id);
    }
}

u16 mfxModalDialog::ListCount(u16 item) const {
    const pw::DialogItem* found = Item(item);
    return found ? u16(found->entries.size()) : 0;
}

std::string mfxModalDialog::ListText(u16 item, u16 entry) const {
    const pw::DialogItem* found = Item(item);
    if (!found || entry < 1 || entry > found->entries.size()) return {};
    return found->entries[entry - 1u];
}

u16 mfxModalDialog::ListInsert(u16 item, u16 entry, const std::string& text) {
    pw::DialogItem* found = Item(item);
    if (!found || found->entries.size() >= kDlgListEnd - 1u) return 0;
    const size_t at = (entry == kDlgListEnd || entry < 1 || entry > found->entries.size()) ? found->entries.size()
                                                                                        : entry - 1u;
    found->entries.insert(found->entries.begin() + long(at), text);
    if (found->selected >= int(at)) ++found->selected;
    box_->changed(item);
    return u16(at + 1);
}

void mfxModalDialog::ListDelete(u16 item, u16 entry) {
    pw::DialogItem* found = Item(item);
    if (!found || entry < 1 || entry > found->entries.size()) return;
    found->entries.erase(found->entries.begin() + (entry - 1));
    if (found->selected == entry - 1) {
        found->selected = -1;
    } else if (found->selected > entry - 1) {
        --found->selected;
    }
    found->top = std::min(found->top, std::max(0, int(found->entries.size()) - 1));
    box_->changed(item);
}

void mfxModalDialog::ListClear(u16 item) {
    if (pw::DialogItem* found = Item(item)) {
        found->entries.clear();
        found->selected = -1;
        found->top = 0;
        box_->changed(item);
    }
}

u16 mfxModalDialog::ListSelected(u16 item) const {
    const pw::DialogItem* found = Item(item);
    return found && found->selected >= 0 ? u16(found->selected + 1) : 0;
}

void mfxModalDialog::ListSelect(u16 item, u16 entry) {
    pw::DialogItem* found = Item(item);
    if (!found || entry > found->entries.size()) return;
    found->selected = int(entry) - 1;
    box_->changed(item);
}
