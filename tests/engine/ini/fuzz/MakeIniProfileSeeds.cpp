// Writes the profile fuzzer's seeds: profiles written by the INI module itself (the user's
// settings, a project's page list, numbers and flags in every spelling the readers take), the
// same texts as an editor would leave them (lone line feeds, blanks and quotes, comments,
// repeated names, a Ctrl-Z at the end, no final line end) and a profile just under the size
// limit, each behind the header that picks a
// change and the name and value it writes.
#include <string>
#include <utility>
#include <vector>

#include "tests/FuzzSeeds.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

using Writes = std::vector<std::vector<const char*>>;

// The profile the module writes for these section, key, value triples.
std::string written(ScratchProfile& scratch, const Writes& writes) {
    scratch.put("");
    iniSetFlushMode(scratch.path(), 0);
    for (const auto& w : writes) iniWriteString(scratch.path(), w[0], w[1], w[2]);
    iniSetFlushMode(scratch.path(), 1);
    return scratch.onDisk();
}

std::vector<u8> seed(u8 op, u8 pick, const std::string& name, const std::string& value, const std::string& text) {
    std::vector<u8> out{op, pick, u8(name.size()), u8(value.size())};
    for (const std::string* part : {&name, &value, &text}) out.insert(out.end(), part->begin(), part->end());
    return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    ScratchProfile scratch;

    const std::string settings = written(scratch, {{"Global User", "LoginAs", "Kim"},
                                                   {"Global User", "Sound", "TRUE"},
                                                   {"Global User", "Music", "off"},
                                                   {"Paths2", "UserLibPostfix", "Lib"},
                                                   {"ToolTipMetrics", "FontSize", "12"},
                                                   {"ToolTipMetrics", "Offset", "-7"},
                                                   {"ToolTipMetrics", "Colour", "0x00FF80"},
                                                   {"Limits", "FlashLimit", "40000"},
                                                   {"Limits", "Huge", "99999999999"}});
    const std::string project = written(scratch, {{"Pages", "Page1", "one.tbk,0,1,2"},
                                                  {"Pages", "Page2", "two.tbk,3,0,0"},
                                                  {"Pages", "Page_highnumber", "2"},
                                                  {"SlideShow", "Looping", "1"},
                                                  {"PickerDisplay", "TopLeftPage", "1"}});
    const std::string edited = replaced(settings, "\r\n", "\n") + ";note\r\n  Key = ' padded '  \r\n[paths2]\r\nx=\"q\"";
    const std::string repeated = project + "[Pages]\r\nPage1=again\r\n[]\r\n[Unclosed\r\nPAGE1=case\r\n";
    const std::string ended = settings + "\x1A";
    // Keys up to the size a profile may have (the writer refuses the last ones): one more long
    // key is refused too. Long values reach the size in few writes (each write reads the whole
    // profile again).
    std::vector<std::string> keys;
    for (int n = 0; n < 700; ++n) keys.push_back("K" + std::to_string(n));
    const std::string longValue(100, 'v');
    Writes bigWrites;
    for (const std::string& key : keys) bigWrites.push_back({"Big", key.c_str(), longValue.c_str()});
    const std::string big = written(scratch, bigWrites);

    fuzzseeds::save(folder, "replace-value", seed(0, 3, "", "Lib2", settings));
    fuzzseeds::save(folder, "add-key", seed(1, 1, "NewKey", "5", settings));
    fuzzseeds::save(folder, "add-section", seed(2, 0, "Fresh", "value", project));
    fuzzseeds::save(folder, "remove-key", seed(3, 2, "", "", project));
    fuzzseeds::save(folder, "remove-section", seed(4, 0, "", "", repeated));
    fuzzseeds::save(folder, "remove-missing", seed(5, 4, "Absent", "", edited));
    fuzzseeds::save(folder, "two-at-once", seed(6, 5, "Pages", "Page3", project));
    fuzzseeds::save(folder, "empty-all", seed(7, 0, "", "", ended));
    fuzzseeds::save(folder, "edited-replace", seed(0, 7, "", "\"quoted\"", edited));
    fuzzseeds::save(folder, "line-end-in-value", seed(0, 1, "", "x\r[Limits]", settings));
    fuzzseeds::save(folder, "header-as-key", seed(1, 0, "[Limits]", "1", settings));
    fuzzseeds::save(folder, "empty-profile", seed(2, 0, "S", "v", ""));
    fuzzseeds::save(folder, "near-the-limit", seed(1, 9, "OneKeyTooMany", std::string(200, 'v'), big));
    return 0;
}
