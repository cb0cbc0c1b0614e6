// The activation utility's run.
#include "menu_activate/utility.h"

#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "menu_activate/activation.h"
#include "menu_activate/product_list_form.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace menu_activate {
namespace {

// A file named by a full path ("C:\...", "\\server\...") is taken as it is.
bool IsFullPath(std::string_view name) {
  return (name.size() > 1 && name[1] == ':') || (!name.empty() && base::IsPathSeparator(name[0]));
}

}  // namespace

int RunActivationUtility(const std::string& command_line, const std::string& program_folder) {
  std::string_view name = base::Trim(command_line);
  // "/S" before the file: an installer's run, told by the exit code alone.
  bool quiet = false;
  if (name.size() > 3 && name[0] == '/' && (name[1] == 'S' || name[1] == 's') && name[2] == ' ') {
    quiet = true;
    name = base::Trim(name.substr(3));
  }
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
    name = base::Trim(name.substr(1, name.size() - 2));
  }
  std::vector<ProductRequest> requests;
  if (name.empty()) {
    ProductListForm form(program_folder);
    if (form.DoModal() != ui::kIdOk) return 1;
    for (const std::string& path : form.selected_files()) {
      requests.push_back({path, base::FileNameOf(path)});
    }
  } else {
    const std::string file(name);
    requests.push_back({IsFullPath(file) ? file : base::JoinPath(program_folder, file), file});
  }
  const ActivationReport report = ActivateProducts(requests, platform::GetRegistry());
  if (!quiet) {
    ui::ShowMessage(report.Text(), kActivateCaption, ui::Buttons::kOk, ui::Icon::kNone);
  }
  return report.AllSucceeded() ? 0 : 1;
}

}  // namespace menu_activate
