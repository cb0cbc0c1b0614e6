// The dialogs that pick the files an applet uses: "Select a file" (an image or
// a sound from the shipped master files and the user's own, with a preview,
// importing new ones from disk or from the web) and "Web File Browse" (the
// folders and files of the open web, giving a file's full and page-relative
// URLs).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "botframe/edit_context.h"
#include "botframe/sound_player.h"
#include "platform/automation.h"
#include "ui/dialog.h"

namespace botframe {

// File kinds, shared with publishing.
inline constexpr int kFileKindPage = 1;
inline constexpr int kFileKindImage = 2;
inline constexpr int kFileKindAudio = 5;

// The name of "no file" ("(None)") in "Select a file" and on the pages.
inline constexpr const char* kNoFileName = "(None)";

// The "_glintmere" subfolder of a local folder (master or user data, ending
// in a backslash), ending in one too; empty for an empty folder.
std::string AppletFolderOf(const std::string& folder);

// The name patterns of a kind ("*.gif", "*.jpg", "*.jpeg" / "*.au"); empty
// for other kinds.
std::vector<std::string> FileKindPatterns(int kind);
// Whether name ends in one of the kind's extensions, without regard to case.
bool HasFileKindExtension(const std::string& name, int kind);

// The URL of full_url relative to page_url, both inside the web at web_url:
// the common leading folders dropped, "./" for a page left alone in its
// folder, else one "../" per remaining folder of the page. The file name
// alone when either URL is not inside the web.
std::string PageRelativeUrl(const std::string& web_url, const std::string& page_url,
                            const std::string& full_url, const std::string& name);

class CSelectFileDialog : public ui::Dialog {
 public:
  enum : int {
    kListId = 1501,
    kPreviewCheckId,
    kViewerId,
    kPlayId,
    kStopId,
    kAddFromWebId,
    kAddFromDiskId,
    kNoFileId,
  };
  // Where a row's file lives.
  enum Origin : int { kMaster = 0, kUser = 1 };
  struct Row {
    std::string name;
    Origin origin;
  };

  // kind: kFileKindImage or kFileKindAudio. The files are in the
  // "_glintmere" subfolders of the context's master and user data folders
  // (either may be empty); imports go through the context. context must
  // outlive the dialog.
  CSelectFileDialog(EditContext& context, int kind, bool show_add_from_web, bool show_no_file);
  ~CSelectFileDialog() override;

  // The name to select when the dialog opens, and the choice afterwards
  // (kNoFileName, "(None)", for no file).
  void set_selected_name(std::string name) { selected_name_ = std::move(name); }
  const std::string& selected_name() const { return selected_name_; }
  bool preview() const { return preview_; }
  void set_preview(bool on) { preview_ = on; }
  // The rows as listed, sorted by name.
  const std::vector<Row>& rows() const { return rows_; }
  SoundPlayer& player() { return player_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  bool OnOk() override;
  void OnDestroy() override;

 private:
  // Both folders' files of the kind, master rows winning, into the list.
  void FillList();
  // Shows rows_ in the list and selects the row named name (the first
  // when there is none).
  void ShowRows(const std::string& name);
  void OnRowSelected(int row);
  void UpdatePreview();
  std::string FullPath(const Row& row) const;
  // After an import: the row is refreshed or added as a user row, then
  // selected.
  void AddImported(const std::string& name);
  void AddFromDisk();
  void AddFromWeb();

  EditContext& context_;
  int kind_;
  std::string master_path_;
  std::string user_path_;
  bool show_add_from_web_;
  bool show_no_file_;
  bool preview_ = true;
  std::string selected_name_;
  int selected_row_ = -1;
  std::vector<Row> rows_;
  SoundPlayer player_;
};

class CWebFileBrowseDialog : public ui::Dialog {
 public:
  enum : int {
    kLookInId = 1521,
    kUpId,
    kDrivesId,
    kListId,
    kUrlId,
    kTypeId,
  };

  // kind: kFileKindPage, kFileKindImage or kFileKindAudio; the web and page
  // are the context's. Takes the Explorer object for the dialog's whole life.
  CWebFileBrowseDialog(const EditContext& context, int kind);
  ~CWebFileBrowseDialog() override;

  // The results after OK.
  const std::string& file_name() const { return file_name_; }
  const std::string& extension() const { return extension_; }
  const std::string& full_url() const { return full_url_; }
  const std::string& relative_url() const { return relative_url_; }
  // The folder shown, relative to the web ("" for its root).
  const std::string& current_folder() const { return current_folder_; }
  bool has_explorer() const { return explorer_ != nullptr; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  bool OnOk() override;

 private:
  struct Entry {
    std::string name;
    bool folder;
  };
  void Refill();
  // The "Look in:" entries from the second to the selected one, joined.
  void EnterLookInSelection();
  // A double-clicked row: a file is chosen (as OK), a folder entered.
  void OpenRow(int row);

  int kind_;
  int filter_;
  std::string web_url_;
  std::string page_url_;
  std::string current_folder_;
  std::vector<Entry> entries_;
  int selected_ = -1;
  std::unique_ptr<platform::DispatchObject> explorer_;
  std::string file_name_, extension_, full_url_, relative_url_;
};

}  // namespace botframe
