// The product list of the activation utility.
#include "menu_activate/product_list_form.h"

#include <utility>

#include "base/path.h"
#include "menu_activate/activation.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace menu_activate {
namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Select products:", 7, 7, 160, 8},
    {ProductListForm::kProductsId, ControlKind::kListBox, "", 7, 17, 160, 96,
     style::kSorted | style::kMultiSelect | style::kVScroll},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 63, 119, 50, 14, style::kGroup},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 117, 119, 50, 14},
};
constexpr ui::DialogSpec kSpec{kActivateCaption, 174, 140, kControls};

}  // namespace

ProductListForm::ProductListForm(std::string folder)
    : ui::Dialog(kSpec), folder_(std::move(folder)) {}

bool ProductListForm::OnInitDialog() {
  files_.clear();
  selected_.clear();
  ui::ListControl list = GetList(kProductsId);
  list.Clear();
  std::vector<std::string> names;
  if (platform::GetFiles().FindFiles(folder_, kProductFilePattern, &names) != platform::kOk) {
    return true;
  }
  for (const std::string& name : names) {
    const std::string path = base::JoinPath(folder_, name);
    ProductFile file;
    if (!ProductFile::Load(path, &file)) continue;
    const std::string title = file.Title();
    if (title.empty()) continue;
    list.Add(title, static_cast<intptr_t>(files_.size()));
    files_.push_back(path);
  }
  return true;
}

bool ProductListForm::OnOk() {
  ui::ListControl list = GetList(kProductsId);
  std::vector<std::string> chosen;
  for (int i = 0, count = list.Count(); i < count; ++i) {
    if (!list.IsSelected(i)) continue;
    const intptr_t index = list.ItemData(i);
    if (index >= 0 && static_cast<size_t>(index) < files_.size()) chosen.push_back(files_[index]);
  }
  if (chosen.empty()) {
    ui::ShowMessage("Please select one or more products from the list.", kActivateCaption,
                    ui::Buttons::kOk, ui::Icon::kNone, handle());
    return false;
  }
  selected_ = std::move(chosen);
  return true;
}

}  // namespace menu_activate
