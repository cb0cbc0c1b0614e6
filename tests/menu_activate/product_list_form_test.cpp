// The product list through the scripted user interface: the titles it lists
// and the files OK gives back.
#include <gtest/gtest.h>

#include "base/path.h"
#include "menu_activate/product_list_form.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using menu_activate::ProductListForm;
using Names = std::vector<std::string>;

constexpr int kProducts = ProductListForm::kProductsId;

class ProductListFormTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& title) {
    test_support::WriteText(folder_.Join(name), "[_Products]\nTitle=" + title + "\nKey=K\n");
  }
  // Runs the list over the folder; the message boxes shown are in driver().
  Names Run(ui::Driver::Steps steps, int expected_result) {
    ProductListForm form(folder_.path());
    driver().Expect("Activate KelMenu", std::move(steps));
    EXPECT_EQ(form.DoModal(), expected_result);
    return form.selected_files();
  }
  ui::Driver& driver() { return backend_.driver(); }

  test_support::TempFolder folder_;
  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_{&backend_};
};

TEST_F(ProductListFormTest, AnEmptyFolderListsNothingAndOkIsRefused) {
  const Names chosen = Run(
      [](ui::ScriptedWindow& w) {
        EXPECT_TRUE(w.Items(kProducts).empty());
        w.PressOk();
        w.PressCancel();
      },
      ui::kIdCancel);
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(driver().MessageTexts(), Names{"Please select one or more products from the list."});
  EXPECT_EQ(driver().shown().back().caption, "Activate KelMenu");
}

TEST_F(ProductListFormTest, TitlesAreSortedAndOkGivesTheChosenFilesInListOrder) {
  Write("KelMenu-Zeta.ini", "Alpha Tools");
  Write("kelmenu-alpha.INI", "Zeta Effects");
  Write("KelMenu-Mid.ini", "Middle");
  Write("KelMenu-Untitled.ini", "");
  Write("Other-Product.ini", "Not Listed");
  const Names chosen = Run(
      [](ui::ScriptedWindow& w) {
        EXPECT_EQ(w.Items(kProducts), (Names{"Alpha Tools", "Middle", "Zeta Effects"}));
        w.SelectItems(kProducts, {"Zeta Effects", "Alpha Tools"});
        w.PressOk();
      },
      ui::kIdOk);
  EXPECT_EQ(chosen, (Names{base::JoinPath(folder_.path(), "KelMenu-Zeta.ini"),
                            base::JoinPath(folder_.path(), "kelmenu-alpha.INI")}));
  EXPECT_TRUE(driver().MessageTexts().empty());
}

}  // namespace
