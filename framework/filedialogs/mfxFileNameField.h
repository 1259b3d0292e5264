#pragma once
// The name field of the file dialogs, behind the few calls the dialogs make of it, so that the
// dialog text field of the styled-text layer can stand in for the plain edit item without the
// dialogs knowing which one they hold.
#include <string>

#include "engine/base/EngineTypes.h"

class mfxModalDialog;

class mfxFileNameField {
public:
    virtual ~mfxFileNameField() = default;
    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SelectAll() = 0;
    virtual void TakeFocus() = 0;
    virtual bool HasFocus() const = 0;
};

// The dialog's own edit item.
class mfxDialogEditNameField : public mfxFileNameField {
public:
    mfxDialogEditNameField(mfxModalDialog& dialog, u16 item) : dialog_(dialog), item_(item) {}
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void SelectAll() override;
    void TakeFocus() override;
    bool HasFocus() const override;

private:
    mfxModalDialog& dialog_;
    u16 item_;
};
