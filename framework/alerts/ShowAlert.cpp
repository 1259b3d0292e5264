#include "framework/alerts/ShowAlert.h"

#include "framework/dialogs/mfxAlert.h"

u32 ShowAlert(const char* text, const char*, u32 style) {
    return mfxAlert(style, text ? text : "");
}

u32 ShowYesNoAlert(const char* text) {
    return ShowAlert(text, nullptr, kAlertYesNo);
}

u32 ShowRetryCancelAlert(const char* text) {
    return ShowAlert(text, nullptr, kAlertRetryCancel);
}
