// The product list: the titles of the product description files found in
// the utility's folder, several of which the user picks for activation.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace menu_activate {

class ProductListForm : public ui::Dialog {
 public:
  enum : int { kProductsId = 2001 };

  // folder: where the description files are looked for (with or without a
  // trailing backslash).
  explicit ProductListForm(std::string folder);

  // After OK: the paths of the chosen files, in the list's order.
  const std::vector<std::string>& selected_files() const { return selected_; }

 protected:
  bool OnInitDialog() override;
  // Refuses when nothing is selected.
  bool OnOk() override;

 private:
  std::string folder_;
  // The files listed; each list row's item data is its index here.
  std::vector<std::string> files_;
  std::vector<std::string> selected_;
};

}  // namespace menu_activate
