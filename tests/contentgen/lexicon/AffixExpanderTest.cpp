#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "contentgen/lexicon/AffixExpander.h"
#include "tests/spell/SpellScratch.h"

namespace {

TEST(AffixExpander, SuffixesContinuationsPrefixesAndConditions) {
    auto dir = spelltest::scratch("affixes");
    std::ofstream(dir / "x.aff") << "SET UTF-8\nFLAG UTF-8\n"
                                    "SFX A Y 2\nSFX A r ción/S ar\nSFX A er ición/S [^cn]er\n"
                                    "SFX S Y 2\nSFX S ón ones ón\nSFX S 0 s [aeiou]\n"
                                    "PFX Ñ Y 1\nPFX Ñ 0 re .\n"
                                    "SFX B N 1\nSFX B 0 es [^aeiou]\n";
    std::ofstream(dir / "x.dic") << "4\naplicar/AÑ\nbeber/A\ncasa/S\nbus/B\n";
    std::vector<std::string> forms;
    std::string error;
    ASSERT_TRUE(expandAffixes((dir / "x.aff").string(), (dir / "x.dic").string(), &forms, &error)) << error;
    std::sort(forms.begin(), forms.end());
    const std::vector<std::string> expected = {"aplicaciones", "aplicación", "aplicar", "beber", "bebiciones",
                                               "bebición",     "bus",        "buses",   "casa",  "casas",
                                               "reaplicación", "reaplicar"};  // byte order
    EXPECT_EQ(forms, expected);
    EXPECT_FALSE(expandAffixes((dir / "none.aff").string(), (dir / "x.dic").string(), &forms, &error));
}

// A rule whose strip is "Y" or "N" is a rule, not a header: its condition still decides.
TEST(AffixExpander, StripLikeAHeaderFieldKeepsItsCondition) {
    auto dir = spelltest::scratch("affixes-yn");
    std::ofstream(dir / "x.aff") << "SFX C Y 3\nSFX C N ms aN\nSFX C N ts AN\nSFX C Y ks BY\n";
    std::ofstream(dir / "x.dic") << "2\nBAN/C\nBAY/C\n";
    std::vector<std::string> forms;
    std::string error;
    ASSERT_TRUE(expandAffixes((dir / "x.aff").string(), (dir / "x.dic").string(), &forms, &error)) << error;
    std::sort(forms.begin(), forms.end());
    const std::vector<std::string> expected = {"BAN", "BAY", "BAts"};
    EXPECT_EQ(forms, expected);
}

}  // namespace
