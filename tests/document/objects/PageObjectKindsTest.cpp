// The page-object kinds: which class holds each kind, copies, and the exclusion list.
#include <gtest/gtest.h>

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/objects/RNotePageObject.h"
#include "document/objects/RTextPageObject.h"
#include "document/objects/createPageObjectForType.h"
#include "document/storage/ObjectTypes.h"

namespace {

using namespace Ostrel;

TEST(PageObjectKinds, EachKindGetsItsClass) {
    struct Case {
        FourCC type;
        bool (*isRight)(RPageObject*);
    };
    const Case cases[] = {
        {kTypeBitmap, [](RPageObject* o) { return dynamic_cast<RBitmapPageObject*>(o) && !static_cast<RBitmapPageObject*>(o)->HasMask(); }},
        {kTypeMovableBitmap, [](RPageObject* o) { return dynamic_cast<RBitmapPageObject*>(o) && static_cast<RBitmapPageObject*>(o)->HasMask(); }},
        {kTypeSound, [](RPageObject* o) { return dynamic_cast<RMediaFilePageObject*>(o) != nullptr; }},
        {kTypeMovie, [](RPageObject* o) { return dynamic_cast<RMediaFilePageObject*>(o) != nullptr; }},
        {kTypeFlash, [](RPageObject* o) { return dynamic_cast<RMediaFilePageObject*>(o) && !static_cast<RMediaFilePageObject*>(o)->IsAnimated(); }},
        {kTypeFlashAnimation, [](RPageObject* o) { return dynamic_cast<RMediaFilePageObject*>(o) && static_cast<RMediaFilePageObject*>(o)->IsAnimated(); }},
        {kTypeText, [](RPageObject* o) { return dynamic_cast<RTextPageObject*>(o) != nullptr; }},
        {kTypeNote, [](RPageObject* o) { return dynamic_cast<RNotePageObject*>(o) != nullptr; }},
        {kTypeExclusions, [](RPageObject* o) { return dynamic_cast<RLibExclusionsObject*>(o) != nullptr; }},
    };
    const PageRect rect{1, 2, 30, 40};
    for (const Case& c : cases) {
        auto object = createPageObjectForType(9, c.type, &rect, nullptr);
        ASSERT_NE(object, nullptr) << c.type;
        EXPECT_TRUE(c.isRight(object.get())) << c.type;
        EXPECT_EQ(object->Type(), c.type);
        EXPECT_EQ(object->Id(), 9);
        EXPECT_EQ(object->rect, rect);
    }
    for (FourCC refused : {kTypeStamp, kTypeThumbnail, kTypeAnyObject, kTypePageIndex, FourCC(0)})
        EXPECT_EQ(createPageObjectForType(1, refused, nullptr, nullptr), nullptr) << refused;
}

TEST(PageObjectKinds, CopyOfASourceIsDeepAndTakesTheNewId) {
    RTextPageObject source(3);
    source.text.text = "Hello";
    source.rect = {5, 5, 50, 20};
    auto copy = createPageObjectForType(4, kTypeText, nullptr, &source);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Id(), 4);
    EXPECT_EQ(copy->rect, source.rect);
    source.text.text = "Changed";
    EXPECT_EQ(static_cast<RTextPageObject*>(copy.get())->text.text, "Hello");
    EXPECT_EQ(createPageObjectForType(4, kTypeNote, nullptr, &source), nullptr) << "a source of another kind";
}

TEST(LibraryExclusions, KeysCompareWithoutCaseAndWhole) {
    RLibExclusionsObject exclusions(1);
    exclusions.Add(kTypeBitmap, "Cat");
    exclusions.Add(kTypeBitmap, "CAT");
    exclusions.Add(kTypeSound, "Cat");
    EXPECT_EQ(exclusions.Keys(), (std::vector<std::string>{"74424d50#Cat", "74574156#Cat"}));
    EXPECT_TRUE(exclusions.IsExcluded(kTypeBitmap, "cat"));
    EXPECT_FALSE(exclusions.IsExcluded(kTypeBitmap, "Cats"));
    EXPECT_FALSE(exclusions.IsExcluded(kTypeBitmap, "Ca"));
    EXPECT_FALSE(exclusions.IsExcluded(kTypeMovie, "Cat"));

    exclusions.BeginEdit();
    exclusions.RemoveAllOfType(kTypeBitmap);
    EXPECT_FALSE(exclusions.IsExcluded(kTypeBitmap, "Cat"));
    EXPECT_TRUE(exclusions.IsExcluded(kTypeSound, "Cat"));
    exclusions.CancelEdit();
    EXPECT_TRUE(exclusions.IsExcluded(kTypeBitmap, "Cat"));
    exclusions.Remove(kTypeSound, "cAT");
    EXPECT_EQ(exclusions.Keys(), (std::vector<std::string>{"74424d50#Cat"}));
}

}  // namespace
