#include "platform/modules/LoadableModule.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(LoadableModule, FindsTheEntriesOfASystemLibrary) {
    auto library = plat::LoadableModule::open("libc.so.6");
    ASSERT_NE(library, nullptr);
    auto length = reinterpret_cast<size_t (*)(const char*)>(library->entry("strlen"));
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length("four"), 4u);
    EXPECT_EQ(library->entry("noSuchEntryPoint"), nullptr);
}

TEST(LoadableModule, MissingLibrariesAreNotOpened) {
    EXPECT_EQ(plat::LoadableModule::open("libno-such-library.so"), nullptr);
    EXPECT_EQ(plat::LoadableModule::open("/no/such/folder/libc.so.6"), nullptr);
}
