// The one classification of item types that the handlers, the stream handler and the views share:
// where the rules of a block, a category, the default category and a ghost block part ways.
#include <gtest/gtest.h>

#include "mzblprsx/handlers/ItemKind.h"

namespace mztest {
namespace {

namespace kind = mzblprsx::item_kind;

TEST(ItemKind, EachTypeIsOfTheKindsItsRuleSays) {
  struct Row {
    const char* type;
    bool block, offline, online, category, defaultCategory, userCategory, ghost;
  };
  const Row rows[] = {
      {"RgBlockOffline", true, true, false, false, false, false, false},
      {"rgblockonline.SFC", true, false, true, false, false, false, false},  // blocks: any case
      {"RgBlockArchive", true, false, false, false, false, false, false},
      {"RgCategory", false, false, false, true, false, true, false},
      {"RgCategoryDefault", false, false, false, true, true, false, false},
      {"rgcategorydefault", false, false, false, false, false, false, false},  // categories: exact
      {"RgCategoryArchive", false, false, false, false, false, true, false},   // user: contains
      {"RgGhostBlock", false, false, false, false, false, false, true},        // no "RgBlock" in it
      {"", false, false, false, false, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(kind::IsBlockType(row.type), row.block);
    EXPECT_EQ(kind::IsOfflineBlockType(row.type), row.offline);
    EXPECT_EQ(kind::IsOnlineBlockType(row.type), row.online);
    EXPECT_EQ(kind::IsCategoryType(row.type), row.category);
    EXPECT_EQ(kind::IsDefaultCategoryType(row.type), row.defaultCategory);
    EXPECT_EQ(kind::IsUserCategoryType(row.type), row.userCategory);
    EXPECT_EQ(kind::IsGhostType(row.type), row.ghost);
  }
  EXPECT_FALSE(kind::HasBlockHandler(nullptr)) << "nothing is of no kind";
  EXPECT_FALSE(kind::HasCategoryHandler(nullptr));
  EXPECT_FALSE(kind::HasGhostHandler(nullptr));
}

}  // namespace
}  // namespace mztest
