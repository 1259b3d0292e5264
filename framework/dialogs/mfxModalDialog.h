#pragma once
// A modal dialog built from a dialog template resource ('DLOG', framework/format), drawn by us
// in its parent window. The program reaches items by id; each use of an item (a click, Enter
// or Space on it, a list's selection changing or a double click in it) calls OnCommand and
// queues an event that RunModal hands out, oldest first:
//
//   while (dialog.RunModal(&event) == 0) { ...event.item, event.notification, event.key... }
//
// RunModal shows the dialog if it is hidden, runs the window's messages until an event waits
// or the dialog has ended (Escape, EndModal, the quit message, or a headless display whose
// scripted input has run out), and answers non-zero once it has ended. Check boxes and radio
// buttons change only when the program sets them. Texts are the template's fallback texts
// until the program sets its own. User-interface thread only.
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/dialogs/mfxDialogHost.h"
#include "framework/format/DialogFormat.h"
#include "platform/widgets/DialogBox.h"

class mfxWindow;

struct mfxDialogEvent {
    u16 kind = 0;
    u16 item = 0;
    u16 notification = 0;
    u8 key = 0;  // the character of a key notification
};

// Event kinds and notifications: an item used (clicked, or Enter or Space with its
// character), a list's selection changed or an entry double-clicked.
constexpr u16 kDlgEventItem = plat::widgets::kDialogEventItem;
constexpr u16 kDlgNotifyClicked = plat::widgets::kDialogNotifyClicked;
constexpr u16 kDlgNotifyKey = plat::widgets::kDialogNotifyKey;
constexpr u16 kDlgEventListSelection = plat::widgets::kDialogEventListSelection;
constexpr u16 kDlgNotifyListSelection = plat::widgets::kDialogNotifyListSelection;
constexpr u16 kDlgEventListDoubleClick = plat::widgets::kDialogEventListDoubleClick;
constexpr u16 kDlgNotifyListDoubleClick = plat::widgets::kDialogNotifyListDoubleClick;

constexpr u16 kDlgListEnd = 0xFFFF;

class mfxModalDialog {
public:
    mfxModalDialog(mfxWindow* parent, u16 templateId);
    // From a template the caller already holds.
    mfxModalDialog(mfxWindow* parent, const DialogTemplate& dialogTemplate);
    virtual ~mfxModalDialog();
    mfxModalDialog(const mfxModalDialog&) = delete;
    mfxModalDialog& operator=(const mfxModalDialog&) = delete;

    // kErrNone when the template was found and read; otherwise the dialog has no items and
    // RunModal ends at once.
    EngineErr LoadError() const { return loadError_; }

    u32 RunModal(mfxDialogEvent* event);
    void EndModal(u32 result);
    bool HasEnded() const { return ended_; }
    u32 Result() const { return result_; }
    void Show();
    void Hide();

    // Called for each use of an item, before its event is queued.
    virtual void OnCommand(u16 item, u16 notification, u8 key);

    void SetTitle(const std::string& title);
    bool HasItem(u16 item) const;
    Rect16 GetItemRect(u16 item) const;
    void SetItemText(u16 item, const std::string& text);
    std::string GetItemText(u16 item) const;
    void EnableItem(u16 item, bool enable);
    bool IsItemEnabled(u16 item) const;
    void ShowItem(u16 item, bool show);
    void SetCheck(u16 item, bool checked);
    bool IsChecked(u16 item) const;
    void SetFocus(u16 item);
    u16 GetFocus() const;
    void SetDefaultButton(u16 item);
    // Selects characters from..to of an edit field (kDlgListEnd: its end).
    void SetSelection(u16 item, u16 from, u16 to);
    void SelectAll(u16 item) { SetSelection(item, 0, kDlgListEnd); }
    void SetTextLimit(u16 item, u16 limit);
    // A picture item's picture id from the template, and the surface it shows (not owned).
    u16 GetPictureId(u16 item) const;
    void SetPicture(u16 item, plat::gdi::Surface* picture);
    void InvalidateRect(const Rect16& area);
    // Runs after each drawing of the dialog (mfxDialogHost::SetAfterDraw).
    void SetAfterDraw(std::function<void()> drawn);

    // Lists; entries are numbered from 1.
    u16 ListCount(u16 item) const;
    std::string ListText(u16 item, u16 entry) const;
    // Inserts before `entry`, or at the end for kDlgListEnd; answers the new entry's number.
    u16 ListInsert(u16 item, u16 entry, const std::string& text);
    void ListDelete(u16 item, u16 entry);
    void ListClear(u16 item);
    // 0 when nothing is selected.
    u16 ListSelected(u16 item) const;
    // 0 clears the selection.
    void ListSelect(u16 item, u16 entry);

protected:
    plat::widgets::DialogBox& Box() { return *box_; }

private:
    void Build(mfxWindow* parent, const DialogTemplate& dialogTemplate);
    plat::widgets::DialogItem* Item(u16 item);
    const plat::widgets::DialogItem* Item(u16 item) const;

    EngineErr loadError_ = kErrNone;
    std::unique_ptr<plat::widgets::DialogBox> box_;
    std::unique_ptr<mfxDialogHost> host_;
    std::deque<mfxDialogEvent> events_;
    bool ended_ = false;
    u32 result_ = 0;
};
