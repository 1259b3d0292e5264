#include "engine/resources/NamedResources.h"

#include <cstring>
#include <utility>
#include <vector>

#include "engine/base/TextUtils.h"
#include "engine/resources/tContents.h"

namespace {

bool gSpanish = false;

constexpr const char* kLanguageItems[] = {
    "About",         "Picker",       "Copy",        "StampEditor",     "TransSound",     "TimerSettings", "SlideShow",
    "EnterName",     "EnterSnd",     "Deleters",    "RAlertDlg",       "RPickBgColorDlg", "RPickBgSndDlg", "RABCTextDlg",
    "RDlgLogin",     "RPronounceDlg", "RFlattenDlg", "RHelpDlg",       "RNoteDlg",       "RGetStartDlg",
    // The paint screen's art carries words too: the panel's headings and the buttons' names.
    "Easel",
};

// The items open now: the name asked for and the item opened for it, oldest first. An item
// is released in the language it was opened in, whatever the language is by then.
std::vector<std::pair<std::string, std::string>>& openedItems() {
    static std::vector<std::pair<std::string, std::string>> opened;
    return opened;
}

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
    const std::string item = contentsItemName(name);
    const u16 result = locator->OpenContent(item.c_str(), mode);
    if (result == 0) openedItems().emplace_back(name, item);
    return result;
}

void ReleaseNamedResource(const char* name) {
    tContents* locator = contentsLocator();
    if (!locator) return;
    auto& opened = openedItems();
    for (auto at = opened.rbegin(); at != opened.rend(); ++at) {
        if (strCompareNoCase(at->first.c_str(), name) != 0) continue;
        const std::string item = at->second;
        opened.erase(std::next(at).base());
        locator->ReleaseContent(item.c_str());
        return;
    }
    locator->ReleaseContent(contentsItemName(name).c_str());
}

VolumeRecord* ContentsFindDisc(i32 n) {
    tContents* locator = contentsLocator();
    return locator ? locator->FindDisc(n) : nullptr;
}

u16 ContentsRescanVolumes() {
    tContents* locator = contentsLocator();
    return locator ? locator->RescanVolumes() : 0;
}
