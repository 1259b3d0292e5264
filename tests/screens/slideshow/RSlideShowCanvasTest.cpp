// The reading order of a page's texts: by top edge, then by left edge, texts at one place in
// the order the page holds them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/objects/RTextPageObject.h"
#include "screens/slideshow/RSlideShowCanvas.h"

namespace {

using namespace Ostrel;

struct Place {
    i16 left, top;
};

TEST(SlideShowCanvas, TextsAreReadByTopThenLeftAndTextsAtOnePlaceKeepTheirOrder) {
    const struct {
        std::vector<Place> places;  // in the page's order; the ids count from 1
        std::vector<u16> read;
    } cases[] = {
        {{{10, 50}, {10, 20}}, {2, 1}},
        {{{90, 20}, {10, 20}}, {2, 1}},
        {{{10, 20}, {10, 21}}, {1, 2}},
        {{{10, 20}, {11, 20}}, {1, 2}},
        {{{30, 30}, {30, 30}, {30, 30}}, {1, 2, 3}},
        {{{50, 10}, {5, 40}, {50, 10}, {5, 10}}, {4, 1, 3, 2}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::unique_ptr<RTextPageObject>> objects;
        std::vector<RTextPageObject*> texts;
        for (const Place& p : c.places) {
            objects.push_back(std::make_unique<RTextPageObject>(u16(objects.size() + 1)));
            objects.back()->rect = {p.left, p.top, i16(p.left + 40), i16(p.top + 20)};
            texts.push_back(objects.back().get());
        }
        RSlideShowCanvas::OrderForReading(texts);
        std::vector<u16> read;
        for (const RTextPageObject* t : texts) read.push_back(u16(t->Id()));
        EXPECT_EQ(read, c.read) << c.places.size();
    }
}

}  // namespace
