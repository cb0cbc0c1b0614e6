// The dialogs of publishing, on the dialog model: "Please Wait", "Warning:
// Missing files", the overwrite question, and the rename dialog it opens.
#pragma once

#include <string>
#include <vector>

#include "botframe/publishing.h"
#include "ui/dialog.h"

namespace botframe {

// The modeless "Please Wait" window of one upload.
class CProgressDialog : public ui::Dialog, public ProgressDialog {
 public:
  enum : int { kStatusId = 1301, kFileId };
  CProgressDialog();
  ~CProgressDialog() override;
  void SetStatus(const std::string& status, const std::string& file_name) override;
};

class CMissingFilesDialog : public ui::Dialog {
 public:
  enum : int { kListId = 1311, kSynchronizeId, kContinueId };
  // Shows entries (already in display order); on Synchronize the ticks are
  // stored back into them.
  explicit CMissingFilesDialog(std::vector<MissingEntry>& entries);
  MissingFilesAnswer answer() const { return answer_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  bool OnOk() override;
  bool OnCancel() override;

 private:
  // Stores the ticks and ends the dialog (the Synchronize button).
  void Synchronize();

  std::vector<MissingEntry>& entries_;
  MissingFilesAnswer answer_ = MissingFilesAnswer::kCancel;
};

// "Rename '<name>' to...": a new name for a file, of the same type, that
// neither local folder holds yet.
class CRenameDialog : public ui::Dialog {
 public:
  enum : int { kLabelId = 1321, kNameId };
  // folders: the master and user data folders' "_glintmere\" paths (either
  // may be empty); kind: 2 image, 5 audio, as the file dialogs number them.
  CRenameDialog(std::string master_folder, std::string user_folder, std::string name, int kind);
  const std::string& new_name() const { return new_name_; }

 protected:
  bool OnInitDialog() override;
  bool OnOk() override;

 private:
  std::string master_folder_;
  std::string user_folder_;
  std::string name_;
  int kind_;
  std::string new_name_;
};

class COverwriteDialog : public ui::Dialog {
 public:
  enum : int { kFileId = 1331, kRenameId, kOverwriteId };
  // folders: the master and user data folders' "_glintmere\" paths (either
  // may be empty), for the rename dialog.
  COverwriteDialog(std::string name, int kind, bool overwrite_allowed, std::string master_folder,
                   std::string user_folder);
  OverwriteAnswer answer() const { return answer_; }
  const std::string& name() const { return name_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  bool OnOk() override;
  bool OnCancel() override;

 private:
  // Asks for a new name and ends the dialog with it (the Rename... button).
  void Rename();

  std::string name_;
  int kind_;
  bool overwrite_allowed_;
  std::string master_folder_;
  std::string user_folder_;
  OverwriteAnswer answer_ = OverwriteAnswer::kCancel;
};

// PublishingDialogs shown through the user interface in force.
class UiPublishingDialogs : public PublishingDialogs {
 public:
  std::unique_ptr<ProgressDialog> OpenProgress(ui::WindowHandle parent) override;
  MissingFilesAnswer AskMissingFiles(std::vector<MissingEntry>& entries,
                                     ui::WindowHandle owner) override;
  OverwriteAnswer AskOverwrite(std::string* name, int kind, bool overwrite_allowed,
                               const EditRunState& state, ui::WindowHandle owner) override;
};

}  // namespace botframe
