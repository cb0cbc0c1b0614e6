// The edit-run state starts every edit call afresh.
#include <gtest/gtest.h>

#include "botframe/edit_state.h"

namespace {

TEST(EditStateTest, SecondEditCallStartsWithFlagsOffAndListsEmpty) {
  botframe::EditRunState& state = botframe::State();
  EXPECT_EQ(&state, &botframe::State());  // one per library
  state.bot_kind = 2;
  state.page_url = "file:///C:/web/index.htm";
  state.web_url = "file:///C:/web";
  state.disk_web = state.unsaved = state.force_overwrite = state.absolute_reference = true;
  state.master_folder = "C:\\Master\\";
  state.missing_files.push_back({"Background", "sky.gif", botframe::kMissingImage, true});
  state.temporary_copies.push_back("KelScroll.class");
  state.background_colour = 0x123456;

  state.Reset();
  EXPECT_EQ(state.bot_kind, 0);
  EXPECT_TRUE(state.page_url.empty());
  EXPECT_TRUE(state.web_url.empty());
  EXPECT_FALSE(state.disk_web);
  EXPECT_FALSE(state.unsaved);
  EXPECT_FALSE(state.force_overwrite);
  EXPECT_FALSE(state.absolute_reference);
  EXPECT_TRUE(state.master_folder.empty());
  EXPECT_TRUE(state.missing_files.empty());
  EXPECT_TRUE(state.temporary_copies.empty());
  EXPECT_EQ(state.background_colour, 0u);
}

}  // namespace
