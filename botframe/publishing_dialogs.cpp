// The publishing dialogs.
#include "botframe/publishing_dialogs.h"

#include "base/path.h"
#include "base/text.h"
#include "botframe/edit_state.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace botframe {
namespace {

using ui::ControlKind;
namespace style = ui::style;

// --- Please Wait ---

constexpr ui::ControlSpec kProgressControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Please Wait:", 10, 8, 180, 9},
    {CProgressDialog::kStatusId, ControlKind::kLabel, "", 10, 22, 180, 9},
    {CProgressDialog::kFileId, ControlKind::kLabel, "", 10, 34, 180, 9},
};
constexpr ui::DialogSpec kProgressSpec{"Glintmere", 200, 52, kProgressControls};

// --- Warning: Missing files ---

constexpr ui::ControlSpec kMissingControls[] = {
    {ui::kIdStatic, ControlKind::kIcon, "warning", 8, 8, 21, 20},
    {ui::kIdStatic, ControlKind::kLabel,
     "Below is a list of files referenced by the applet but cannot be located on the local "
     "machine. This may cause the applet not to preview or operate properly.",
     36, 8, 222, 26},
    {CMissingFilesDialog::kListId, ControlKind::kListView, "", 8, 38, 250, 96,
     style::kCheckBoxes},
    {ui::kIdStatic, ControlKind::kLabel,
     "If found on the web, Synchronize option will download the selected files from the web "
     "to the local machine.",
     8, 140, 250, 18},
    {CMissingFilesDialog::kSynchronizeId, ControlKind::kDefaultButton, "Synchronize", 90, 164, 54,
     14},
    {CMissingFilesDialog::kContinueId, ControlKind::kPushButton, "Continue", 148, 164, 54, 14},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 206, 164, 52, 14},
};
constexpr ui::DialogSpec kMissingSpec{"Warning: Missing files", 266, 186, kMissingControls};

// --- Rename ---

constexpr ui::ControlSpec kRenameControls[] = {
    {CRenameDialog::kLabelId, ControlKind::kLabel, "Applet Name:", 8, 10, 180, 9},
    {CRenameDialog::kNameId, ControlKind::kEdit, "", 8, 22, 180, 12},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 82, 44, 50, 14},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 138, 44, 50, 14},
};
constexpr ui::DialogSpec kRenameSpec{"Change Default Applet Name", 196, 66, kRenameControls};

// --- Overwrite ---

constexpr ui::ControlSpec kOverwriteControls[] = {
    {ui::kIdStatic, ControlKind::kIcon, "warning", 10, 10, 21, 20},
    {ui::kIdStatic, ControlKind::kLabel, "You are about to replace an existing entry in the list.",
     40, 10, 220, 9},
    {COverwriteDialog::kFileId, ControlKind::kLabel, "", 40, 24, 220, 9},
    {ui::kIdStatic, ControlKind::kLabel,
     "Due to browser caching, this item may not preview properly until the page is published. "
     "Overwriting an item will affect other components that could be using the item. So we "
     "recommend that you rename the item using the Rename button. Press Overwrite button to "
     "replace existing item or Cancel button to use the existing item.",
     40, 40, 220, 56},
    {COverwriteDialog::kRenameId, ControlKind::kDefaultButton, "Rename...", 98, 104, 52, 14},
    {COverwriteDialog::kOverwriteId, ControlKind::kPushButton, "Overwrite", 154, 104, 52, 14},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 210, 104, 50, 14},
};
constexpr ui::DialogSpec kOverwriteSpec{"Glintmere", 270, 126, kOverwriteControls};

// Row icons of the missing-file list, by kind.
const std::vector<std::string> kMissingIcons = {"image", "sound"};

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool IsJpegExtension(const std::string& extension) {
  return base::EqualsNoCase(extension, ".jpg") || base::EqualsNoCase(extension, ".jpeg");
}

std::string AppletFolder(const std::string& folder) {
  return folder.empty() ? std::string() : folder + "_glintmere\\";
}

}  // namespace

// --- CProgressDialog ---

CProgressDialog::CProgressDialog() : ui::Dialog(kProgressSpec) {}

CProgressDialog::~CProgressDialog() { Close(); }

void CProgressDialog::SetStatus(const std::string& status, const std::string& file_name) {
  if (!IsOpen()) return;
  GetControl(kStatusId).SetText(status);
  GetControl(kFileId).SetText(file_name);
}

// --- CMissingFilesDialog ---

CMissingFilesDialog::CMissingFilesDialog(std::vector<MissingEntry>& entries)
    : ui::Dialog(kMissingSpec), entries_(entries) {}

bool CMissingFilesDialog::OnInitDialog() {
  ui::ListView list = GetListView(kListId);
  list.SetIcons(kMissingIcons);
  list.AddColumn("File name", 200);
  list.AddColumn("Panel", 100);
  for (size_t i = 0; i < entries_.size(); ++i) {
    const MissingEntry& entry = entries_[i];
    const int row = list.AddRow({entry.file_name, entry.panel},
                                entry.kind == kMissingSound ? 1 : 0, static_cast<intptr_t>(i));
    list.SetRowChecked(row, entry.found_on_web);
  }
  return true;
}

void CMissingFilesDialog::BindEvents() {
  OnClicked(kSynchronizeId, &CMissingFilesDialog::Synchronize);
  Bind(kContinueId, ui::Notify::kClicked, [this] {
    answer_ = MissingFilesAnswer::kContinue;
    EndDialog(ui::kIdOk);
  });
}

void CMissingFilesDialog::Synchronize() {
  ui::ListView list = GetListView(kListId);
  for (int row = 0; row < list.Count(); ++row) {
    entries_[static_cast<size_t>(list.ItemData(row))].found_on_web = list.IsRowChecked(row);
  }
  answer_ = MissingFilesAnswer::kSynchronize;
  EndDialog(ui::kIdOk);
}

bool CMissingFilesDialog::OnOk() {
  // Return presses the default button, Synchronize.
  Synchronize();
  return false;
}

bool CMissingFilesDialog::OnCancel() {
  answer_ = MissingFilesAnswer::kCancel;
  return true;
}

// --- CRenameDialog ---

CRenameDialog::CRenameDialog(std::string master_folder, std::string user_folder,
                             std::string name, int kind)
    : ui::Dialog(kRenameSpec),
      master_folder_(std::move(master_folder)),
      user_folder_(std::move(user_folder)),
      name_(std::move(name)),
      kind_(kind) {}

bool CRenameDialog::OnInitDialog() {
  GetControl(kLabelId).SetText("New File Name:");
  window()->SetCaption(base::Format("Rename '%s' to...", name_.c_str()));
  ui::Edit field = GetEdit(kNameId);
  field.SetLimit(256);
  field.SetText(name_);
  field.Select();
  field.Focus();
  return true;
}

bool CRenameDialog::OnOk() {
  const std::string name = GetEdit(kNameId).Text();
  ui::Edit field = GetEdit(kNameId);
  auto refuse = [&](const char* message) {
    ui::ShowMessage(message, ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kWarning,
                    handle());
    field.Select();
    field.Focus();
    return false;
  };
  // Besides the characters Windows refuses, nothing that could leave the
  // folder or name a device is taken either.
  if (name.find_first_of("\\/:*?\"<>|") != std::string::npos || !base::IsPlainFileName(name)) {
    return refuse("Not a valid File name");
  }
  const std::string old_extension = ExtensionOf(name_);
  const std::string new_extension = ExtensionOf(name);
  const bool same_type = base::EqualsNoCase(old_extension, new_extension) ||
                         (kind_ == 2 && IsJpegExtension(old_extension) &&
                          IsJpegExtension(new_extension));
  if (!same_type) return refuse("Invalid file type.");
  platform::Files& files = platform::GetFiles();
  if ((!master_folder_.empty() && files.FileExists(master_folder_ + name)) ||
      (!user_folder_.empty() && files.FileExists(user_folder_ + name))) {
    return refuse("File already exists. Please specify another name.");
  }
  new_name_ = name;
  return true;
}

// --- COverwriteDialog ---

COverwriteDialog::COverwriteDialog(std::string name, int kind, bool overwrite_allowed,
                                   std::string master_folder, std::string user_folder)
    : ui::Dialog(kOverwriteSpec),
      name_(std::move(name)),
      kind_(kind),
      overwrite_allowed_(overwrite_allowed),
      master_folder_(std::move(master_folder)),
      user_folder_(std::move(user_folder)) {}

bool COverwriteDialog::OnInitDialog() {
  GetControl(kFileId).SetText(name_);
  // Shipped files cannot be replaced, only imported under another name.
  GetControl(kOverwriteId).Enable(overwrite_allowed_);
  return true;
}

void COverwriteDialog::BindEvents() {
  Bind(kOverwriteId, ui::Notify::kClicked, [this] {
    if (!overwrite_allowed_) return;
    answer_ = OverwriteAnswer::kOverwrite;
    EndDialog(kOverwriteId);
  });
  OnClicked(kRenameId, &COverwriteDialog::Rename);
}

void COverwriteDialog::Rename() {
  CRenameDialog rename(master_folder_, user_folder_, name_, kind_);
  if (rename.DoModal(handle()) == ui::kIdOk) {
    name_ = rename.new_name();
    answer_ = OverwriteAnswer::kRename;
    EndDialog(kRenameId);
  }
}

bool COverwriteDialog::OnOk() {
  // Return presses the default button, Rename....
  Rename();
  return false;
}

bool COverwriteDialog::OnCancel() {
  answer_ = OverwriteAnswer::kCancel;
  return true;
}

// --- UiPublishingDialogs ---

std::unique_ptr<ProgressDialog> UiPublishingDialogs::OpenProgress(ui::WindowHandle parent) {
  auto dialog = std::make_unique<CProgressDialog>();
  dialog->OpenModeless(parent);
  return dialog;
}

MissingFilesAnswer UiPublishingDialogs::AskMissingFiles(std::vector<MissingEntry>& entries,
                                                        ui::WindowHandle owner) {
  CMissingFilesDialog dialog(entries);
  dialog.DoModal(owner);
  return dialog.answer();
}

OverwriteAnswer UiPublishingDialogs::AskOverwrite(std::string* name, int kind,
                                                  bool overwrite_allowed,
                                                  const EditRunState& state,
                                                  ui::WindowHandle owner) {
  COverwriteDialog dialog(*name, kind, overwrite_allowed, AppletFolder(state.master_folder),
                          AppletFolder(state.user_data_folder));
  dialog.DoModal(owner);
  if (dialog.answer() == OverwriteAnswer::kRename) *name = dialog.name();
  return dialog.answer();
}

}  // namespace botframe
