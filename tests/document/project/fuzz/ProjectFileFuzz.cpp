// libFuzzer target: any bytes read as a project's file (one a teacher hands over, edited by hand
// or damaged) give at most the project's number of pages, one per number, each with a file name
// and settings; after one page set, renamed or removed, or one setting changed, the project
// saved reads back to the very same pages and settings, and a project whose file does not read
// is not written.
// Input: an operation byte, a page number byte, then the file's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "document/project/ProjectConfigFile.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

using namespace Ostrel;

constexpr size_t kHeaderBytes = 2;

struct Page {
    std::string name;
    PageSettings settings;
    bool operator==(const Page&) const = default;
};
using Pages = std::map<u16, Page>;

Pages pagesOf(const ProjectConfigFile& project) {
    Pages pages;
    project.ForEachPage([&](const std::string& name, const PageSettings& settings, u16 number) {
        if (number < 1 || number > kMaxProjectPages || name.empty() || name.size() > kPageFileNameMax) std::abort();
        if (!pages.emplace(number, Page{name, settings}).second) std::abort();
    });
    return pages;
}

std::vector<i32> settingsOf(const ProjectConfigFile& p) {
    return {p.backgroundColor.Value(), p.backgroundSound.Value(), p.looping.Value(),
            p.manualAdvance.Value(),   p.topLeftPage.Value(),     p.selectedPage.Value()};
}

// What setting a page answers: names an entry cannot hold are refused first, then numbers
// outside the list.
EngineErr expectedSet(const std::string& name, bool numberAllowed) {
    if (!isStorablePageFileName(name)) return kDocErrBadPageName;
    return numberAllowed ? kErrNone : kIniListErrRefused;
}

bool profileReads(const Path* path) {
    char list[2];
    const EngineErr error = iniGetString(path, nullptr, nullptr, list, sizeof list, "");
    return error == kErrNone || error == kIniErrTooLong;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Kept to the end: the services it started outlive the thread data they would stop with.
    static ScratchProfile& scratch = *new ScratchProfile("fuzz.tbp");
    static const int removal = std::atexit([] { std::filesystem::remove_all(scratch.folder()); });
    (void)removal;
    if (size < kHeaderBytes) return 0;
    const u8 op = data[0];
    const u16 number = u16(data[1] % (kMaxProjectPages + 2));  // 0 and one past the last are refused
    const std::string original(reinterpret_cast<const char*>(data) + kHeaderBytes, size - kHeaderBytes);
    scratch.put(original);
    const bool reads = profileReads(scratch.path());

    Pages expected;
    std::vector<i32> settings;
    EngineErr saved = kErrNone;
    {
        ProjectConfigFile project(scratch.path(), true);
        expected = pagesOf(project);
        settings = settingsOf(project);
        const Page model = expected.empty() ? Page{"page.tbx", {}} : expected.rbegin()->second;
        const auto it = expected.find(number);
        const bool allowed = number >= 1 && number <= kMaxProjectPages;
        switch (op % 4) {
        case 0: {
            PageSettings changed = model.settings;
            changed.timingSeconds = u8(op);
            const std::string name = expected.empty() ? model.name : expected.begin()->second.name;
            const EngineErr error = project.SetPage(number, name, changed);
            if (error != expectedSet(name, allowed)) std::abort();
            if (error == kErrNone) expected[number] = Page{name, changed};
            break;
        }
        case 1:
            if (project.RemovePage(number) == kErrNone) expected.erase(number);
            else if (allowed) std::abort();
            break;
        case 2: {
            const Page kept{"renamed " + model.name.substr(0, 100), it == expected.end() ? PageSettings{} : it->second.settings};
            const EngineErr error = project.SetPageFileName(kept.name, number);
            if (error != expectedSet(kept.name, allowed)) std::abort();
            if (error == kErrNone) expected[number] = kept;
            break;
        }
        default:
            project.selectedPage.SetValue(number, 0);
            settings.back() = number;
            break;
        }
        // As a document saves its project: the list's text replaces whatever the file held.
        iniSetFlushMode(scratch.path(), 0);
        iniWriteString(scratch.path(), nullptr, nullptr, nullptr);
        saved = project.Save();
    }
    if (!reads) {
        if (saved == kErrNone || scratch.onDisk() != original) std::abort();
        return 0;
    }
    if (saved != kErrNone) return 0;
    scratch.restart();
    ProjectConfigFile again(scratch.path(), true);
    if (pagesOf(again) != expected || settingsOf(again) != settings) std::abort();
    return 0;
}
