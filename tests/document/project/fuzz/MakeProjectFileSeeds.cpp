// Writes the project file fuzzer's seeds: projects saved by the project's own writer (pages
// with their settings, the slide show's and the picker's settings) and the same files as an
// editor or a damaged disc would leave them: a count past the last page or past the project's
// limit, a page missing from the middle, an entry too long to read, settings that are not
// numbers, repeated keys.
#include <string>
#include <vector>

#include "document/project/ProjectConfigFile.h"
#include "tests/FuzzSeeds.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

using namespace Ostrel;

std::string saved(ScratchProfile& scratch, u16 pages) {
    scratch.put("");
    {
        ProjectConfigFile project(scratch.path(), true);
        for (u16 n = 1; n <= pages; ++n) {
            PageSettings settings;
            settings.timingSeconds = u8(n);
            settings.timingMode = u8(n % (kTimingModeMax + 1));
            project.SetPage(n, "page " + std::to_string(n) + ".tbx", settings);
        }
        project.backgroundColor.SetValue(0x00FF80, 0);
        project.looping.SetValue(1, 0);
        project.selectedPage.SetValue(pages, 0);
        project.Save();
    }
    scratch.restart();
    return scratch.onDisk();
}

std::vector<u8> seed(u8 op, u8 number, const std::string& text) {
    std::vector<u8> out{op, number};
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    ScratchProfile scratch("seed.tbp");
    const std::string three = saved(scratch, 3);
    const std::string full = saved(scratch, kMaxProjectPages);

    fuzzseeds::save(folder, "set-page", seed(0, 2, three));
    fuzzseeds::save(folder, "remove-page", seed(1, 1, three));
    fuzzseeds::save(folder, "rename-page", seed(2, 3, three));
    fuzzseeds::save(folder, "select-page", seed(3, 4, three));
    fuzzseeds::save(folder, "full-project", seed(0, 100, full));
    fuzzseeds::save(folder, "count-past-limit", seed(0, 5, replaced(three, "Page_highnumber=3", "Page_highnumber=40000")));
    fuzzseeds::save(folder, "count-negative", seed(1, 2, replaced(three, "Page_highnumber=3", "Page_highnumber=-2")));
    fuzzseeds::save(folder, "page-missing", seed(2, 2, replaced(three, "Page2=", "Gone2=")));
    fuzzseeds::save(folder, "entry-too-long", seed(0, 3, replaced(three, "Page2=", "Page2=" + std::string(450, 'x'))));
    fuzzseeds::save(folder, "junk-settings", seed(2, 1, replaced(three, "Page1=page 1.tbx,", "Page1=page 1.tbx,-4,x,,99999,")));
    fuzzseeds::save(folder, "repeated-keys", seed(0, 1, three + "[Pages]\r\nPage1=other.tbx\r\nPAGE2=\r\n"));
    fuzzseeds::save(folder, "not-text", seed(0, 1, replaced(three, "Looping", std::string("Loop\0ng", 7))));
    return 0;
}
