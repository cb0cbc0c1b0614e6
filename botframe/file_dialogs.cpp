// "Select a file" and "Web File Browse".
#include "botframe/file_dialogs.h"

#include <algorithm>

#include "base/path.h"
#include "base/text.h"
#include "botframe/automation_client.h"
#include "botframe/edit_context.h"
#include "botframe/publishing.h"
#include "botframe/publishing_dialogs.h"
#include "platform/services.h"
#include "ui/backend.h"
#include "ui/message_box.h"

namespace botframe {

std::string AppletFolderOf(const std::string& folder) {
  return folder.empty() ? std::string() : folder + "_glintmere\\";
}

namespace {

using ui::ControlKind;
namespace style = ui::style;
using Select = CSelectFileDialog;
using Browse = CWebFileBrowseDialog;

constexpr ui::ControlSpec kImageControls[] = {
    {Select::kListId, ControlKind::kListView, "", 7, 7, 130, 150, style::kNoHeader},
    {Select::kPreviewCheckId, ControlKind::kCheckBox, "Preview", 145, 7, 120, 10},
    {Select::kViewerId, ControlKind::kPicture, "", 145, 20, 120, 100, style::kBorder},
    {Select::kAddFromWebId, ControlKind::kPushButton, "Add From Web...", 145, 126, 58, 14},
    {Select::kAddFromDiskId, ControlKind::kPushButton, "Add From Disk...", 207, 126, 58, 14},
    {Select::kNoFileId, ControlKind::kPushButton, "No Image", 145, 143, 58, 14},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 155, 166, 50, 14, style::kGroup},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 215, 166, 50, 14},
};
constexpr ui::DialogSpec kImageSpec{"Select a file", 272, 187, kImageControls};

constexpr ui::ControlSpec kAudioControls[] = {
    {Select::kListId, ControlKind::kListView, "", 7, 7, 130, 120, style::kNoHeader},
    {Select::kPlayId, ControlKind::kPushButton, "Play", 145, 7, 58, 14},
    {Select::kStopId, ControlKind::kPushButton, "Stop", 145, 25, 58, 14},
    {Select::kAddFromDiskId, ControlKind::kPushButton, "Add From Disk...", 145, 52, 58, 14},
    {Select::kAddFromWebId, ControlKind::kPushButton, "Add From Web...", 145, 70, 58, 14},
    {Select::kNoFileId, ControlKind::kPushButton, "No Audio", 145, 88, 58, 14},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 94, 136, 50, 14, style::kGroup},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 153, 136, 50, 14},
};
constexpr ui::DialogSpec kAudioSpec{"Select a file", 210, 157, kAudioControls};

constexpr ui::ControlSpec kBrowseControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Look in:", 7, 9, 36, 8},
    {Browse::kLookInId, ControlKind::kDropDownList, "", 45, 7, 160, 100, style::kVScroll},
    {Browse::kUpId, ControlKind::kBitmapButton, "Up one level", 209, 6, 16, 14},
    {Browse::kDrivesId, ControlKind::kBitmapButton, "Explore local drives", 227, 6, 16, 14,
     style::kHidden},
    {Browse::kListId, ControlKind::kListView, "", 7, 25, 236, 110, style::kNoHeader},
    {ui::kIdStatic, ControlKind::kLabel, "URL:", 7, 143, 50, 8},
    {Browse::kUrlId, ControlKind::kEdit, "", 60, 141, 126, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Files of type:", 7, 160, 50, 8},
    {Browse::kTypeId, ControlKind::kDropDownList, "", 60, 158, 126, 60, style::kVScroll},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 193, 141, 50, 14, style::kGroup},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 193, 158, 50, 14},
};
constexpr ui::DialogSpec kBrowseSpec{"Web File Browse", 250, 180, kBrowseControls};


// The text after the last "/" or ":" (all of it without either).
std::string LastComponent(const std::string& url) {
  const size_t at = url.find_last_of("/:");
  return at == std::string::npos ? url : url.substr(at + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> SplitSlashes(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t slash = text.find('/', start);
    parts.push_back(text.substr(start, slash == std::string::npos ? std::string::npos
                                                                   : slash - start));
    if (slash == std::string::npos) return parts;
    start = slash + 1;
  }
}

// The part of url after the web URL and its "/", or nothing when url does
// not hold the web URL.
std::optional<std::string> PartInWeb(const std::string& web_url, const std::string& url) {
  if (web_url.empty()) return std::nullopt;
  const size_t at = base::FindNoCase(url, web_url);
  if (at == std::string::npos) return std::nullopt;
  const size_t after = at + web_url.size() + 1;
  return after >= url.size() ? std::string() : url.substr(after);
}

// Icons of "Web File Browse" rows.
enum BrowseIcon { kFolderIcon, kPageIcon, kSoundIcon, kImageIcon };

int IconOfFile(const std::string& name) {
  const size_t dot = name.rfind('.');
  const std::string ending = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  if (base::EqualsNoCase(ending, "htm") || base::EqualsNoCase(ending, "html")) return kPageIcon;
  if (base::EqualsNoCase(ending, "au")) return kSoundIcon;
  return kImageIcon;
}

const char* KindFilterName(int kind) {
  switch (kind) {
    case kFileKindPage:
      return "HTML Files";
    case kFileKindImage:
      return "Image Files";
    case kFileKindAudio:
      return "Audio Files";
    default:
      return nullptr;
  }
}

void ShowPlain(const std::string& text, ui::WindowHandle owner) {
  ui::ShowMessage(text, ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kWarning, owner);
}

}  // namespace

std::vector<std::string> FileKindPatterns(int kind) {
  if (kind == kFileKindImage) return {"*.gif", "*.jpg", "*.jpeg"};
  if (kind == kFileKindAudio) return {"*.au"};
  return {};
}

bool HasFileKindExtension(const std::string& name, int kind) {
  for (const std::string& pattern : FileKindPatterns(kind)) {
    if (base::EndsWithNoCase(name, pattern.substr(1))) return true;
  }
  return false;
}

std::string PageRelativeUrl(const std::string& web_url, const std::string& page_url,
                            const std::string& full_url, const std::string& name) {
  const std::optional<std::string> page_part = PartInWeb(web_url, page_url);
  const std::optional<std::string> file_part = PartInWeb(web_url, full_url);
  if (!page_part || !file_part) return name;
  std::vector<std::string> page = SplitSlashes(*page_part);
  std::vector<std::string> file = SplitSlashes(*file_part);
  // Only folders are compared: the last component of each is a file.
  size_t common = 0;
  while (common + 1 < page.size() && common + 1 < file.size() &&
         base::EqualsNoCase(page[common], file[common])) {
    ++common;
  }
  const size_t remaining = page.size() - common;
  std::string relative;
  if (remaining <= 1) {
    relative = "./";
  } else {
    for (size_t i = 1; i < remaining; ++i) relative += "../";
  }
  for (size_t i = common; i < file.size(); ++i) {
    if (i > common) relative += '/';
    relative += file[i];
  }
  return relative;
}

// ---------------------------------------------------------------------------
// Select a file

CSelectFileDialog::CSelectFileDialog(EditContext& context, int kind, bool show_add_from_web,
                                     bool show_no_file)
    : ui::Dialog(kind == kFileKindAudio ? kAudioSpec : kImageSpec),
      context_(context),
      kind_(kind),
      master_path_(AppletFolderOf(context.state().master_folder)),
      user_path_(AppletFolderOf(context.state().user_data_folder)),
      show_add_from_web_(show_add_from_web),
      show_no_file_(show_no_file) {}

CSelectFileDialog::~CSelectFileDialog() { player_.Close(true, nullptr); }

bool CSelectFileDialog::OnInitDialog() {
  static constexpr ui::Tooltip kCommon[] = {
      {kListId, "List of available files"},
      {kAddFromWebId, "Add a file from disk or web"},
      {kNoFileId, "Don't use any file"},
  };
  static constexpr ui::Tooltip kImage[] = {
      {kPreviewCheckId, "Show preview of the selected image"},
      {kViewerId, "Preview of selected image"},
  };
  static constexpr ui::Tooltip kAudio[] = {
      {kPlayId, "Play selected audio"},
      {kStopId, "Stop audio"},
  };
  AddTooltips(kCommon);
  AddTooltips(kind_ == kFileKindAudio ? std::span<const ui::Tooltip>(kAudio)
                                      : std::span<const ui::Tooltip>(kImage));
  GetControl(kAddFromWebId).Show(show_add_from_web_);
  GetControl(kNoFileId).Show(show_no_file_);
  if (kind_ != kFileKindAudio) GetButton(kPreviewCheckId).SetChecked(preview_);
  ui::ListView list = GetListView(kListId);
  list.AddColumn("Name", 0);
  list.SetIcons({"master", "user"});
  FillList();
  ShowRows(selected_name_);
  return true;
}

std::string CSelectFileDialog::FullPath(const Row& row) const {
  return (row.origin == kMaster ? master_path_ : user_path_) + row.name;
}

void CSelectFileDialog::FillList() {
  ui::WaitCursor wait;
  rows_.clear();
  platform::Files& files = platform::GetFiles();
  const auto listed = [this](const std::string& name) {
    return std::any_of(rows_.begin(), rows_.end(),
                       [&name](const Row& row) { return row.name == name; });
  };
  for (const std::string& pattern : FileKindPatterns(kind_)) {
    std::vector<std::string> names;
    if (!master_path_.empty() && files.FindFiles(master_path_, pattern, &names) == platform::kOk) {
      for (std::string& name : names) {
        if (!listed(name)) rows_.push_back({std::move(name), kMaster});
      }
    }
    names.clear();
    if (!user_path_.empty() && files.FindFiles(user_path_, pattern, &names) == platform::kOk) {
      for (std::string& name : names) {
        if (!listed(name)) rows_.push_back({std::move(name), kUser});
      }
    }
  }
  std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
    return base::CompareNoCase(a.name, b.name) < 0;
  });
}

void CSelectFileDialog::ShowRows(const std::string& name) {
  ui::ListView list = GetListView(kListId);
  list.Clear();
  int select = rows_.empty() ? -1 : 0;
  for (size_t i = 0; i < rows_.size(); ++i) {
    list.AddRow({rows_[i].name}, rows_[i].origin, rows_[i].origin);
    if (!name.empty() && name != kNoFileName && rows_[i].name == name) {
      select = static_cast<int>(i);
    }
  }
  selected_row_ = -1;
  if (select >= 0) list.Select(select);  // scrolls it into view
  OnRowSelected(select);
}

void CSelectFileDialog::OnRowSelected(int row) {
  selected_row_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
  if (selected_row_ >= 0) selected_name_ = rows_[static_cast<size_t>(selected_row_)].name;
  UpdatePreview();
}

void CSelectFileDialog::UpdatePreview() {
  if (kind_ == kFileKindAudio || !IsOpen()) return;
  const bool show = GetButton(kPreviewCheckId).IsChecked() && selected_row_ >= 0;
  GetPicture(kViewerId).Load(show ? FullPath(rows_[static_cast<size_t>(selected_row_)])
                                  : std::string());
}

void CSelectFileDialog::BindEvents() {
  using ui::Notify;
  Bind(kListId, Notify::kSelectionChanged,
       [this] { OnRowSelected(GetListView(kListId).Selection()); });
  Bind(kListId, Notify::kDoubleClicked, [this](int row) {
    if (row < 0) return;
    OnRowSelected(row);
    if (OnOk()) EndDialog(ui::kIdOk);
  });
  Bind(kPreviewCheckId, Notify::kClicked, [this] {
    preview_ = GetButton(kPreviewCheckId).IsChecked();
    UpdatePreview();
  });
  Bind(kPlayId, Notify::kClicked, [this] {
    PlaySoundPreview(player_,
                     selected_row_ >= 0 ? FullPath(rows_[static_cast<size_t>(selected_row_)])
                                        : std::string(),
                     handle());
  });
  Bind(kStopId, Notify::kClicked, [this] { StopSoundPreview(player_); });
  Bind(kNoFileId, Notify::kClicked, [this] {
    selected_name_ = kNoFileName;
    EndDialog(ui::kIdOk);
  });
  OnClicked(kAddFromDiskId, &CSelectFileDialog::AddFromDisk);
  OnClicked(kAddFromWebId, &CSelectFileDialog::AddFromWeb);
}

bool CSelectFileDialog::OnOk() {
  if (selected_row_ < 0) {
    // Nothing to choose from: the name given stays.
    return true;
  }
  const Row& row = rows_[static_cast<size_t>(selected_row_)];
  selected_name_ = row.name;
  if (row.origin == kMaster) EnsureWorkingCopy(context_.state(), row.name);
  return true;
}

void CSelectFileDialog::OnDestroy() { player_.Close(true, nullptr); }

void CSelectFileDialog::AddImported(const std::string& name) {
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [&name](const Row& row) { return row.name == name; });
  if (found == rows_.end()) {
    rows_.push_back({name, kUser});
    std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
      return base::CompareNoCase(a.name, b.name) < 0;
    });
  }
  ShowRows(name);
}

void CSelectFileDialog::AddFromDisk() {
  ui::FileDialogRequest request;
  if (kind_ == kFileKindAudio) {
    request.filters = {{"Audio Files (*.au)", "*.au"}};
  } else {
    request.filters = {{"Image Files (*.gif; *.jpg; *.jpeg)", "*.gif; *.jpg; *.jpeg"},
                       {"JPEG Files (*.jpg;*.jpeg)", "*.jpg; *.jpeg"},
                       {"GIF Files (*.gif)", "*.gif"}};
  }
  request.owner = handle();
  std::vector<std::string> paths;
  if (ui::GetUiBackend().OpenFiles(request, &paths) != ui::FileDialogResult::kChosen ||
      paths.empty()) {
    return;
  }
  const std::string& path = paths.front();
  const std::string name = base::FileNameOf(path);
  if (!HasFileKindExtension(name, kind_)) {
    ShowPlain("Invalid file type", handle());
    return;
  }
  if (!platform::GetFiles().FileExists(path)) {
    ShowPlain("Unable to locate source file", handle());
    return;
  }
  if (std::optional<std::string> imported = ImportFile(context_, path, name, kind_, handle())) {
    AddImported(*imported);
  }
}

void CSelectFileDialog::AddFromWeb() {
  CWebFileBrowseDialog browse(context_, kind_);
  if (!browse.has_explorer()) {
    ShowPlain("Unable to locate source file", handle());
    return;
  }
  if (browse.DoModal(handle()) != ui::kIdOk) return;
  if (!HasFileKindExtension(browse.file_name(), kind_)) {
    ShowPlain("Invalid file type", handle());
    return;
  }
  if (std::optional<std::string> imported =
          ImportFile(context_, browse.full_url(), browse.file_name(), kind_, handle())) {
    AddImported(*imported);
  }
}

// ---------------------------------------------------------------------------
// Web File Browse

CWebFileBrowseDialog::CWebFileBrowseDialog(const EditContext& context, int kind)
    : ui::Dialog(kBrowseSpec),
      kind_(kind),
      filter_(kind),
      page_url_(context.state().page_url),
      explorer_(GetExplorer(context.library())) {
  web_url_ = context.state().web_url;
  if (web_url_.empty() && explorer_) web_url_ = VtiGetWebUrl(*explorer_).value_or("");
  while (!web_url_.empty() && web_url_.back() == '/') web_url_.pop_back();
}

CWebFileBrowseDialog::~CWebFileBrowseDialog() = default;

bool CWebFileBrowseDialog::OnInitDialog() {
  static constexpr ui::Tooltip kTips[] = {{kUpId, "Up one level"},
                                          {kDrivesId, "Explore local drives"}};
  AddTooltips(kTips);
  GetEdit(kUrlId).SetLimit(255);
  ui::ListControl types = GetList(kTypeId);
  types.Add("All Files");
  if (const char* name = KindFilterName(kind_)) {
    types.Add(name);
    types.Select(1);
    filter_ = kind_;
  } else {
    types.Select(0);
    filter_ = 0;
  }
  ui::ListControl look_in = GetList(kLookInId);
  look_in.Add(web_url_);
  look_in.Select(0);
  GetControl(kDrivesId).Show(false);
  ui::ListView list = GetListView(kListId);
  list.AddColumn("Name", 0);
  list.SetIcons({"folder", "page", "sound", "image"});
  Refill();
  return true;
}

void CWebFileBrowseDialog::Refill() {
  ui::WaitCursor wait;
  ui::ListView list = GetListView(kListId);
  list.Clear();
  entries_.clear();
  selected_ = -1;
  if (!explorer_) return;
  if (std::optional<std::string> folders = VtiGetFoldersList(*explorer_, current_folder_)) {
    for (const std::string& url : SplitLines(*folders)) {
      if (url.empty()) continue;
      entries_.push_back({LastComponent(url), true});
      list.AddRow({entries_.back().name}, kFolderIcon);
    }
  }
  if (std::optional<std::string> pages = VtiGetPagesInFolder(*explorer_, current_folder_, filter_)) {
    const std::vector<std::string> lines = SplitLines(*pages);
    // Two lines per file; the second is its URL.
    for (size_t i = 1; i < lines.size(); i += 2) {
      const size_t slash = lines[i].rfind('/');
      std::string name = slash == std::string::npos ? lines[i] : lines[i].substr(slash + 1);
      if (name.empty()) continue;
      const int icon = IconOfFile(name);
      entries_.push_back({std::move(name), false});
      list.AddRow({entries_.back().name}, icon);
    }
  }
}

void CWebFileBrowseDialog::EnterLookInSelection() {
  ui::ListControl look_in = GetList(kLookInId);
  const int selected = look_in.Selection();
  current_folder_.clear();
  for (int i = 1; i <= selected; ++i) {
    if (i > 1) current_folder_ += '/';
    current_folder_ += look_in.ItemText(i);
  }
  Refill();
}

void CWebFileBrowseDialog::BindEvents() {
  using ui::Notify;
  Bind(kTypeId, Notify::kSelectionChanged, [this] {
    filter_ = GetList(kTypeId).Selection() == 1 ? kind_ : 0;
    Refill();
  });
  Bind(kListId, Notify::kSelectionChanged, [this] {
    const int row = GetListView(kListId).Selection();
    selected_ = row;
    if (row >= 0 && row < static_cast<int>(entries_.size()) &&
        !entries_[static_cast<size_t>(row)].folder) {
      GetEdit(kUrlId).SetText(entries_[static_cast<size_t>(row)].name);
    }
  });
  Bind(kListId, Notify::kDoubleClicked, [this](int row) { OpenRow(row); });
  OnSelectionChanged(kLookInId, &CWebFileBrowseDialog::EnterLookInSelection);
  Bind(kUpId, Notify::kClicked, [this] {
    ui::ListControl look_in = GetList(kLookInId);
    const int selected = look_in.Selection();
    if (selected > 0) {
      look_in.Select(selected - 1);
      EnterLookInSelection();
    }
  });
}

void CWebFileBrowseDialog::OpenRow(int row) {
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  const Entry entry = entries_[static_cast<size_t>(row)];
  if (!entry.folder) {
    GetEdit(kUrlId).SetText(entry.name);
    if (OnOk()) EndDialog(ui::kIdOk);
    return;
  }
  current_folder_ = current_folder_.empty() ? entry.name : current_folder_ + "/" + entry.name;
  ui::ListControl look_in = GetList(kLookInId);
  for (int i = look_in.Count() - 1; i > look_in.Selection(); --i) look_in.Delete(i);
  look_in.Select(look_in.Add(entry.name));
  Refill();
}

bool CWebFileBrowseDialog::OnOk() {
  const std::string text = GetEdit(kUrlId).Text();
  if (text.empty()) return false;
  const bool is_file = std::any_of(entries_.begin(), entries_.end(), [&text](const Entry& entry) {
    return !entry.folder && entry.name == text;
  });
  if (!is_file) {
    ShowPlain("Please specify a file within the current web folder.", handle());
    return false;
  }
  file_name_ = text;
  const size_t dot = text.rfind('.');
  extension_ = dot == std::string::npos ? std::string() : text.substr(dot + 1);
  full_url_ = web_url_ + "/" + (current_folder_.empty() ? std::string() : current_folder_ + "/") +
              text;
  relative_url_ = PageRelativeUrl(web_url_, page_url_, full_url_, file_name_);
  return true;
}

}  // namespace botframe
