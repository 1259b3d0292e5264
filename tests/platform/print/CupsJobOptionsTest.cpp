#include "platform/print/cups/CupsJobOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace plat::print;
using Options = std::vector<std::pair<std::string, std::string>>;

TEST(CupsJobOptions, CopiesCollationPaperAndColourBecomeJobOptions) {
    struct Case {
        const char* name;
        uint16_t copies;
        bool collate;
        std::string paper;
        uint16_t color;
        Options options;
    };
    const Case cases[] = {
        {"one copy", 1, true, "iso_a4_210x297mm", kColorColor,
         {{"copies", "1"}, {"media", "iso_a4_210x297mm"}, {"print-color-mode", "color"}}},
        {"collated", 2, true, "", kColorMonochrome,
         {{"copies", "2"}, {"multiple-document-handling", "separate-documents-collated-copies"},
          {"print-color-mode", "monochrome"}}},
        {"uncollated", 3, false, "na_letter_8.5x11in", kColorColor,
         {{"copies", "3"}, {"multiple-document-handling", "separate-documents-uncollated-copies"},
          {"media", "na_letter_8.5x11in"}, {"print-color-mode", "color"}}},
        {"no copies is one", 0, false, "", kColorColor, {{"copies", "1"}, {"print-color-mode", "color"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrinterSettings settings;
        settings.copies = c.copies;
        settings.collate = c.collate;
        settings.paper.name = c.paper;
        settings.color = c.color;
        EXPECT_EQ(cupsJobOptions(settings), c.options);
    }
}

}  // namespace
