#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "contentgen/content/ContentGenerator.h"

namespace {

namespace fs = std::filesystem;

// A manifest folder of our own: the plan, the empty folders the generator reads, and the
// given files on top.
fs::path manifestFolder(const std::string& name, const std::map<std::string, std::string>& files) {
    const fs::path root = fs::path(::testing::TempDir()) / ("contentgen_" + name);
    fs::remove_all(root);
    for (const char* folder : {"art", "texts", "config", "items", "libraries", "movies"}) fs::create_directories(root / folder);
    std::map<std::string, std::string> all = {
        {"layout.json", R"({"easel.canvas": [104, 8, 592, 444], "slideshow.canvas": [10, 10, 400, 300], "corner": [4, 4]})"}};
    for (const auto& [path, text] : files) all[path] = text;
    for (const auto& [path, text] : all) std::ofstream(root / path, std::ios::binary) << text;
    return root;
}

// The message a refused manifest folder gives; empty when it was accepted.
std::string refusal(const fs::path& folder) {
    try {
        generateContent(folder, 1);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// Each bad manifest is refused with a message that names the manifest and what is wrong with it.
TEST(ContentGenerator, BadManifestsAreRefusedNamingTheManifestAndTheFault) {
    const struct {
        const char* name;
        std::map<std::string, std::string> files;
        std::vector<std::string> said;  // parts of the message
    } kCases[] = {
        {"canvas_of_two_numbers",
         {{"layout.json", R"({"easel.canvas": [104, 8], "slideshow.canvas": [10, 10, 400, 300]})"}, {"config/TB.ini.json", "{}"}},
         {"easel.canvas"}},
        {"canvas_of_words",
         {{"layout.json", R"({"easel.canvas": [104, 8, "wide", 444], "slideshow.canvas": [10, 10, 400, 300]})"},
          {"config/TB.ini.json", "{}"}},
         {"easel.canvas"}},
        {"size_from_a_pair",
         {{"items/Pair.json", R"({"name": "Pair", "pictures": [{"id": 1, "size": "@corner", "art": []}]})"}},
         {"Pair.json", "corner"}},
        {"item_without_name", {{"items/NoName.json", R"({"pictures": []})"}}, {"NoName.json", "name"}},
        {"art_not_a_table", {{"art/List.json", "[1, 2]"}}, {"List.json"}},
        // Names that would put a file outside its folder.
        {"item_leaving_its_folder", {{"items/Leave.json", R"({"name": "../Leave"})"}}, {"Leave.json", "../Leave"}},
        {"item_in_a_subfolder", {{"items/Sub.json", R"({"name": "a\\b"})"}}, {"Sub.json"}},
        {"item_of_no_name", {{"items/Empty.json", R"({"name": ""})"}}, {"Empty.json"}},
        {"item_of_dots", {{"items/Dots.json", R"({"name": ".."})"}}, {"Dots.json"}},
        {"library_leaving_its_folder",
         {{"libraries/Up.json", R"({"name": "../../Up", "kind": "tWAV", "entries": [{"name": "Beep", "emoji": "A", "synth": "click"}]})"}},
         {"Up.json", "../../Up"}},
        {"movie_leaving_its_folder",
         {{"movies/Out.json", R"({"file": "../Out.mov", "size": [8, 8], "frames": [{"ms": 100, "ops": []}]})"}},
         {"Out.json", "../Out.mov"}},
        // Numbers that do not fit their field are refused, not cut to fit: the highest id is
        // kept (below), one past it is refused.
        {"id_past_the_last",
         {{"items/Big.json", R"({"name": "Big", "pictures": [{"id": 65536, "size": [4, 4], "art": []}]})"}},
         {"Big.json", "65536"}},
        {"id_below_zero",
         {{"items/Neg.json", R"({"name": "Neg", "sounds": [{"id": -1, "synth": "click"}]})"}}, {"Neg.json", "-1"}},
        {"id_with_a_fraction",
         {{"items/Half.json", R"({"name": "Half", "pictures": [{"id": 2.5, "size": [4, 4], "art": []}]})"}},
         {"Half.json", "2.5"}},
        {"button_shape_past_the_last",
         {{"items/Shape.json", R"({"name": "Shape", "buttonSets": [{"id": 7, "buttons": [{"id": 1, "shape": 70000}]}]})"}},
         {"Shape.json", "70000"}},
        {"dialog_of_one_size",
         {{"items/Dlg.json", R"({"name": "Dlg", "dialogs": [{"id": 9, "size": [100], "title": "x", "items": []}]})"}},
         {"Dlg.json"}},
        {"settings_not_a_table", {{"config/TB.ini.json", "[1]"}}, {"TB.ini.json"}},
    };
    for (const auto& c : kCases) {
        const std::string message = refusal(manifestFolder(c.name, c.files));
        ASSERT_FALSE(message.empty()) << c.name;
        for (const std::string& part : c.said) EXPECT_NE(message.find(part), std::string::npos) << c.name << ": " << message;
    }
}

// A well-formed folder of the same shape is accepted, so the refusals above are the faults'.
TEST(ContentGenerator, AWellFormedManifestFolderIsAccepted) {
    const fs::path folder = manifestFolder(
        "well_formed", {{"config/TB.ini.json", "{}"},
                        {"items/Pair.json", R"({"name": "Pair", "pictures": [{"id": 65535, "size": [4, 4], "art": []}]})"}});
    std::map<std::string, size_t> sizes;
    for (const ContentFile& f : generateContent(folder, 1)) sizes[f.path] = f.bytes.size();
    EXPECT_TRUE(sizes.count("TB.ini"));
    EXPECT_TRUE(sizes.count("Data/Pair.kvr"));
}

}  // namespace
