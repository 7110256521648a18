#include "foundation/string_table.h"

#include <gtest/gtest.h>

#include "foundation/embedded_resources.h"

TEST(StringTable, ResourcesAreWellFormedAndUnique) {
  EXPECT_TRUE(StringTableDuplicateIds().empty());
  EXPECT_TRUE(StringTableMalformedLines().empty());
}

TEST(StringTable, LooksUpTextsById) {
  ASSERT_TRUE(StringTableText(155).has_value());
  EXPECT_EQ(*StringTableText(155), "Internal error : %s %u");
  EXPECT_EQ(*StringTableText(152), "%s ***");
  EXPECT_FALSE(StringTableText(-7).has_value());
  EXPECT_FALSE(StringTableText(999999).has_value());
}

TEST(EmbeddedResources, FindsTheStringTableFile) {
  auto text = FindEmbeddedResource("strings/foundation.txt");
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("155\t"), std::string_view::npos);
  EXPECT_FALSE(FindEmbeddedResource("no/such/resource.txt").has_value());
}
