// libFuzzer target: a whole slide-show folder (a project's file, edited by hand or damaged,
// beside the page files its seeds name) opened as a child's project is, every page read, and
// then copied into another folder as "Save as" does there. The old folder is never changed; a
// copy that is made opens with no damaged entry, the same pages at the same places, each
// naming a file inside the new folder with the same objects as the page it came from.
// Input: as the project file fuzzer's (an operation byte, whose lowest bit asks for a lenient
// copy, a byte not used here, then the project's file).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "document/pages/RPageData.h"
#include "document/project/RDocument.h"
#include "document/users/EnginePath.h"
#include "engine/resources/ResourceManager.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

using namespace Ostrel;

constexpr size_t kHeaderBytes = 2;
// The page files the seeds name ("page 1.tbx" ...), each a saved page with one text.
constexpr int kPageFiles = 3;

std::string pageBytes(ScratchProfile& scratch) {
    RPageData page;
    page.AddObject(kTypeText, 1, testdoc::textBytes("A cat sat."), {0, 0, 40, 12});
    EnginePath path("T:\\made.tbx");
    if (page.SaveToFile(path.get()) != kErrNone) std::abort();
    std::ifstream in(scratch.folder() + "/made.tbx", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The object count of each page by its place; -1 for a page whose file does not open.
std::map<u16, long> pagesOf(RDocument& document) {
    std::map<u16, long> pages;
    for (u16 number = 1; number <= kMaxProjectPages; ++number) {
        RPage* page = document.GetPage(number);
        if (!page || page->Number() != number) continue;
        EnginePath file(page->FilePath());
        RPageData data;
        pages[number] = file.empty() || data.OpenAndLoad(file.get()) != kErrNone ? -1 : long(data.ObjectCount());
    }
    return pages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchProfile& scratch = *new ScratchProfile("show.tbp");
    static const std::string page = [] {
        if (resInit() != kErrNone) std::abort();
        return pageBytes(scratch);
    }();
    if (size < kHeaderBytes) return 0;
    const std::string original(reinterpret_cast<const char*>(data) + kHeaderBytes, size - kHeaderBytes);
    scratch.put(original);
    for (int n = 1; n <= kPageFiles; ++n)
        std::ofstream(scratch.folder() + "/page " + std::to_string(n) + ".tbx", std::ios::binary) << page;
    std::filesystem::create_directory(scratch.folder() + "/copy");

    EnginePath target("T:\\copy\\show.tbp");
    std::map<u16, long> before;
    EngineErr copied = kErrNone;
    {
        RDocument document(scratch.path());
        document.LoadPages();
        before = pagesOf(document);
        copied = document.SaveAs(target.get(), nullptr, u16(data[0] & 1));
    }
    if (scratch.onDisk() != original) std::abort();
    if (copied != kErrNone) return 0;
    scratch.restart();
    RDocument copy(target.get());
    if (copy.LoadPages() != 0) std::abort();
    const std::map<u16, long> after = pagesOf(copy);
    if (after.size() != before.size()) std::abort();
    for (const auto& [number, objects] : after) {
        const std::string folder = "T:\\copy\\";
        const std::string path = copy.GetPage(number)->FilePath();
        // A page whose name forms no path (kept by a lenient copy) has no file in either folder.
        if (objects != before.at(number) || (!path.empty() && path.compare(0, folder.size(), folder) != 0)) std::abort();
    }
    return 0;
}
