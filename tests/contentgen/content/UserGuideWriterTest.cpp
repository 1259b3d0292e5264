// The user guide writer: one PDF page per manifest page in each language, its title in the
// document's information, and a manifest it cannot lay out refused.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "contentgen/content/ArtPainter.h"
#include "contentgen/content/UserGuideWriter.h"

namespace {

using nlohmann::json;

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

json page(json paragraphs) {
    return json{{"title", {"Page", "Página"}}, {"paragraphs", std::move(paragraphs)}};
}

class UserGuideWriterTest : public ::testing::Test {
protected:
    std::string write(const json& guide, Language language) const {
        const std::vector<u8> pdf = writeUserGuide(guide, language, fonts_);
        return std::string(pdf.begin(), pdf.end());
    }
    const ArtFonts fonts_;
};

TEST_F(UserGuideWriterTest, TheProgramsGuideHasAPageForEachOfItsPagesInBothLanguages) {
    std::ifstream in(std::string(CONTENT_TEST_MANIFESTS) + "/guide/UserGuide.json");
    const json guide = json::parse(in);
    struct Case {
        Language language;
        std::string title;  // as the document's information holds it
    };
    for (const Case& c : {Case{Language::English, "(Tumblo 4 User Guide)"},
                          Case{Language::Spanish, "<FEFF00540075006D0062006C006F00200034003A00200047007500ED"}}) {
        const std::string pdf = write(guide, c.language);
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_EQ(count(pdf, "/Type /Page "), guide["pages"].size());
        EXPECT_NE(pdf.find("/Title " + c.title), std::string::npos);
        EXPECT_TRUE(pdf.find("/FontFile") != std::string::npos && pdf.find("/Subtype /Image") == std::string::npos) << "text, not pictures";
        EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    }
}

// Beside painting, a teacher looks up the slide show, printing and the settings, in either language.
TEST_F(UserGuideWriterTest, TheProgramsGuideHasPagesOnTheSlideShowPrintingAndTheTeachersSettings) {
    std::ifstream in(std::string(CONTENT_TEST_MANIFESTS) + "/guide/UserGuide.json");
    const json guide = json::parse(in);
    const std::pair<std::string, std::string> topics[] = {
        {"slide show", "presentación"}, {"Printing", "Imprimir"}, {"teachers: settings", "maestros: la configuración"}};
    for (const auto& [english, spanish] : topics) {
        size_t found = 0;
        for (const json& p : guide["pages"])
            if (p["title"][0].get<std::string>().find(english) != std::string::npos &&
                p["title"][1].get<std::string>().find(spanish) != std::string::npos)
                found += p["paragraphs"].size() >= 5 ? 1 : 0;
        EXPECT_EQ(found, 1u) << english;
    }
}

TEST_F(UserGuideWriterTest, APageFullToItsFootIsKeptAndOneParagraphMoreIsRefused) {
    const json line = json::array({"- A step of the guide that fills one line.", "- Un paso de la guía en una línea."});
    json paragraphs = json::array();
    // Each step takes a line and the gap below it; the last that fits is found by writing.
    for (int fit = 0; fit < 200; ++fit) {
        paragraphs.push_back(line);
        try {
            write(json{{"title", {"T", "T"}}, {"pages", {page(paragraphs)}}}, Language::English);
        } catch (const ArtError&) {
            ASSERT_GT(fit, 10);  // a page holds far more than a few steps
            paragraphs.erase(paragraphs.size() - 1);
            EXPECT_NO_THROW(write(json{{"title", {"T", "T"}}, {"pages", {page(paragraphs)}}}, Language::English));
            return;
        }
    }
    ADD_FAILURE() << "no page ever filled up";
}

TEST_F(UserGuideWriterTest, ATextThatIsNoPairIsRefused) {
    for (const json& text : {json("only English"), json::array({"one"}), json::array({"a", 2})})
        EXPECT_THROW(write(json{{"title", {"T", "T"}}, {"pages", {page(json::array({text}))}}}, Language::English), ArtError)
            << text.dump();
}

}  // namespace
