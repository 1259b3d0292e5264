#include "engine/resources/NamedResources.h"

#include <cstring>

#include "engine/base/TextUtils.h"
#include "engine/resources/tContents.h"

namespace {

bool gSpanish = false;

constexpr const char* kLanguageItems[] = {
    "About",         "Picker",       "Copy",        "StampEditor",     "TransSound",     "TimerSettings", "SlideShow",
    "EnterName",     "EnterSnd",     "Deleters",    "RAlertDlg",       "RPickBgColorDlg", "RPickBgSndDlg", "RABCTextDlg",
    "RDlgLogin",     "RPronounceDlg", "RFlattenDlg", "RHelpDlg",       "RNoteDlg",       "RGetStartDlg",
};

}  // namespace

void contentsSetSpanish(bool spanish) { gSpanish = spanish; }

std::string contentsItemName(const char* name) {
    if (gSpanish) {
        for (const char* item : kLanguageItems) {
            if (std::strlen(item) == std::strlen(name) && strCompareNoCase(item, name) == 0) {
                return std::string(name) + "_sp";
            }
        }
    }
    return name;
}

u16 OpenNamedResource(const char* name, u16 mode) {
    tContents* locator = contentsLocator();
    if (!locator) return kNamedResourceNoLocator;
    return locator->OpenContent(contentsItemName(name).c_str(), mode);
}

void ReleaseNamedResource(const char* name) {
    if (tContents* locator = contentsLocator()) locator->ReleaseContent(contentsItemName(name).c_str());
}

VolumeRecord* ContentsFindDisc(i32 n) {
    tContents* locator = contentsLocator();
    return locator ? locator->FindDisc(n) : nullptr;
}

u16 ContentsRescanVolumes() {
    tContents* locator = contentsLocator();
    return locator ? locator->RescanVolumes() : 0;
}
