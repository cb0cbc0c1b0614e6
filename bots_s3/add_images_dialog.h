// CAddImagesDlg: the "Add New Images" dialog of the presentation bot's Images
// page, which gathers the images to add to the slideshow from the shipped and
// the user's own image files, from the open web and from the disk, and
// imports the new ones into the user data folder when confirmed.
#pragma once

#include <string>
#include <vector>

#include "botframe/edit_context.h"
#include "ui/dialog.h"

namespace bots_s3 {

class CAddImagesDlg : public ui::Dialog {
 public:
  enum : int {
    kAvailableId = 1901,
    kToAddId,
    kAddSelectedId,
    kAddFromWebId,
    kAddFromDiskId,
    kRemoveId,
  };

  // master_folder, user_folder: the two local image folders (the
  // "_glintmere" subfolders of the master and the user data folder, with
  // their trailing "\" as EditRunState gives folders; either may be
  // empty). context must outlive the dialog.
  CAddImagesDlg(botframe::EditContext& context, std::string master_folder,
                std::string user_folder);

  // After OK: the final file names, in the order of "Files to add" (an
  // import the user renamed gives the new name). Empty after Cancel.
  const std::vector<std::string>& names() const { return names_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  // Imports every row that came from the web or the disk; never refuses.
  bool OnOk() override;

 private:
  // One row of "Files to add": its name, and where it is imported from
  // (empty for a file already in one of the local folders).
  struct Row {
    std::string name;
    std::string source;
  };
  void FillAvailable();
  void AddRow(Row row);
  void AddSelected();
  void AddFromWeb();
  void AddFromDisk();
  void RemoveSelected();

  botframe::EditContext& context_;
  std::string master_folder_;
  std::string user_folder_;
  // Parallel to the items of "Files to add" (an unsorted list).
  std::vector<Row> rows_;
  std::vector<std::string> names_;
};

}  // namespace bots_s3
