#include "app/dialogs/EnteredNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Ostrel;

TEST(EnteredNames, WhatCanNameAFile) {
    struct Case {
        std::string name;
        bool usable;
    };
    const Case cases[] = {
        {std::string(kMaxEnteredNameBytes, 'a'), true}, {std::string(kMaxEnteredNameBytes + 1, 'a'), false},
        {"", false}, {".", false}, {"..", false}, {"...", true}, {".zoo", true},
        {"a:b", false}, {"a/b", false}, {"a\\b", false}, {"a b~", true},
        {"a\x1f", false}, {"a\x7f", false}, {"a\x80", true}, {std::string("a\0b", 3), false},
    };
    for (const Case& c : cases) EXPECT_EQ(isUsableEnteredName(c.name), c.usable) << c.name << " (" << c.name.size() << ")";
}

}  // namespace
