// The "Add New Images" dialog.
#include "bots_s3/add_images_dialog.h"

#include <algorithm>
#include <utility>

#include "base/path.h"
#include "base/text.h"
#include "botframe/file_dialogs.h"
#include "botframe/publishing.h"
#include "platform/services.h"
#include "ui/backend.h"
#include "ui/message_box.h"

namespace bots_s3 {
namespace {

using ui::ControlKind;
namespace style = ui::style;
using Dlg = CAddImagesDlg;

// The bitmap buttons' captions name their glyphs (ui/win32/owner_draw.cpp).
constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Available files:", 7, 7, 70, 8},
    {Dlg::kAvailableId, ControlKind::kListBox, "", 7, 17, 70, 102,
     style::kSorted | style::kMultiSelect | style::kVScroll},
    {Dlg::kAddSelectedId, ControlKind::kBitmapButton, "Add selected", 83, 28, 20, 16},
    {Dlg::kAddFromWebId, ControlKind::kBitmapButton, "Add from web", 83, 50, 20, 16},
    {Dlg::kAddFromDiskId, ControlKind::kBitmapButton, "Add from disk", 83, 72, 20, 16},
    {Dlg::kRemoveId, ControlKind::kBitmapButton, "Remove selected", 83, 94, 20, 16},
    {ui::kIdStatic, ControlKind::kLabel, "Files to add:", 109, 7, 70, 8},
    {Dlg::kToAddId, ControlKind::kListBox, "", 109, 17, 70, 102,
     style::kMultiSelect | style::kVScroll},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 75, 125, 50, 14, style::kGroup},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 129, 125, 50, 14},
};
constexpr ui::DialogSpec kSpec{"Add New Images", 186, 146, kControls};

// The images the slideshow shows, by extension (after the dot).
constexpr const char* kImageExtensions[] = {"gif", "jpg", "jpeg"};

// Room the open-file dialog has for the names of the files chosen at once.
constexpr size_t kDiskNamesBuffer = 4096;

bool IsImageExtension(const std::string& extension) {
  return std::any_of(std::begin(kImageExtensions), std::end(kImageExtensions),
                     [&extension](const char* known) { return base::EqualsNoCase(extension, known); });
}

// The text after the last dot of a file name ("" without one).
std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

void ShowWarning(const std::string& text, ui::WindowHandle owner) {
  ui::ShowMessage(text, ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kWarning, owner);
}

}  // namespace

CAddImagesDlg::CAddImagesDlg(botframe::EditContext& context, std::string master_folder,
                             std::string user_folder)
    : ui::Dialog(kSpec),
      context_(context),
      master_folder_(std::move(master_folder)),
      user_folder_(std::move(user_folder)) {}

bool CAddImagesDlg::OnInitDialog() {
  static constexpr ui::Tooltip kTips[] = {
      {kAvailableId, "List of available files"},
      {kToAddId, "Images to be added to the presentation image list"},
      {kAddSelectedId, "Add selected file(s) to the list"},
      {kAddFromWebId, "Add a new file from the currently opened web"},
      {kAddFromDiskId, "Add a new file from the disk"},
      {kRemoveId, "Remove selected file(s) from the list"},
  };
  AddTooltips(kTips);
  rows_.clear();
  names_.clear();
  FillAvailable();
  return true;
}

void CAddImagesDlg::FillAvailable() {
  ui::WaitCursor wait;
  ui::ListBox list = GetList(kAvailableId);
  list.Clear();
  platform::Files& files = platform::GetFiles();
  std::vector<std::string> listed;
  const auto add_from = [&](const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    if (folder.empty() || files.FindFiles(folder, pattern, &names) != platform::kOk) return;
    for (std::string& name : names) {
      // A user file named like a shipped one is that file's working copy.
      if (std::find(listed.begin(), listed.end(), name) != listed.end()) continue;
      list.Add(name);
      listed.push_back(std::move(name));
    }
  };
  for (const std::string& pattern : botframe::FileKindPatterns(botframe::kFileKindImage)) {
    add_from(master_folder_, pattern);
    add_from(user_folder_, pattern);
  }
}

void CAddImagesDlg::BindEvents() {
  OnClicked(kAddSelectedId, &CAddImagesDlg::AddSelected);
  OnClicked(kAddFromWebId, &CAddImagesDlg::AddFromWeb);
  OnClicked(kAddFromDiskId, &CAddImagesDlg::AddFromDisk);
  OnClicked(kRemoveId, &CAddImagesDlg::RemoveSelected);
}

void CAddImagesDlg::AddRow(Row row) {
  GetList(kToAddId).Add(row.name);
  rows_.push_back(std::move(row));
}

void CAddImagesDlg::AddSelected() {
  ui::ListBox available = GetList(kAvailableId);
  for (int i = 0, count = available.Count(); i < count; ++i) {
    if (available.IsSelected(i)) AddRow({available.ItemText(i), std::string()});
  }
}

void CAddImagesDlg::AddFromWeb() {
  botframe::CWebFileBrowseDialog browse(context_, botframe::kFileKindImage);
  if (browse.DoModal(handle()) != ui::kIdOk) return;
  if (!IsImageExtension(browse.extension())) {
    ShowWarning("Invalid File Extension", handle());
    return;
  }
  const std::string& chosen = browse.file_name();
  const size_t backslash = chosen.rfind('\\');
  AddRow({backslash == std::string::npos ? chosen : chosen.substr(backslash + 1),
          browse.full_url()});
}

void CAddImagesDlg::AddFromDisk() {
  ui::FileDialogRequest request;
  request.filters = {{"Image Files (*.gif; *.jpg; *.jpeg)", "*.gif; *.jpg; *.jpeg"},
                     {"JPEG Files (*.jpg;*.jpeg)", "*.jpg; *.jpeg"},
                     {"GIF Files (*.gif)", "*.gif"}};
  request.multiple = true;
  request.name_buffer_size = kDiskNamesBuffer;
  request.owner = handle();
  std::vector<std::string> paths;
  switch (ui::GetUiBackend().OpenFiles(request, &paths)) {
    case ui::FileDialogResult::kCancelled:
      return;
    case ui::FileDialogResult::kTooMany:
      ShowWarning("Too many files selected. Please select fewer files.", handle());
      return;
    case ui::FileDialogResult::kChosen:
      break;
  }
  for (const std::string& path : paths) {
    std::string name = base::FileNameOf(path);
    if (!IsImageExtension(ExtensionOf(name))) {
      ShowWarning("\"" + name + "\" will not be added to list.\n\nInvalid file type!!", handle());
      continue;
    }
    AddRow({std::move(name), path});
  }
}

void CAddImagesDlg::RemoveSelected() {
  ui::ListBox to_add = GetList(kToAddId);
  // From the end, so the rows before keep their indices.
  for (int i = to_add.Count() - 1; i >= 0; --i) {
    if (!to_add.IsSelected(i)) continue;
    to_add.Delete(i);
    if (i < static_cast<int>(rows_.size())) rows_.erase(rows_.begin() + i);
  }
}

bool CAddImagesDlg::OnOk() {
  names_.clear();
  for (const Row& row : rows_) {
    std::string name = row.name;
    if (!row.source.empty()) {
      if (std::optional<std::string> imported =
              botframe::ImportFile(context_, row.source, row.name, botframe::kFileKindImage,
                                   handle(), botframe::MissingSourceMessage::kAfterSource)) {
        name = std::move(*imported);
      }
    }
    names_.push_back(std::move(name));
  }
  return true;
}

}  // namespace bots_s3
