// Publishing an applet's files into the web: keeping working copies of
// shipped files in the user data folder, telling the user about files the
// component refers to that are missing locally, uploading files into the
// web's "_glintmere" folder through the FrontPage Explorer, and importing
// files from disk or from the web into the user data folder.
//
// Everything works on one edit call's state (EditContext). The three dialogs
// involved are reached through the context's PublishingDialogs, which the
// user interface layer implements.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "botframe/edit_state.h"
#include "platform/automation.h"

namespace botframe {

class EditContext;

// The modeless "Please Wait" dialog shown while one upload runs.
class ProgressDialog {
 public:
  virtual ~ProgressDialog() = default;  // closes and destroys the dialog
  virtual void SetStatus(const std::string& status, const std::string& file_name) = 0;
};

enum class MissingFilesAnswer { kSynchronize, kContinue, kCancel };
enum class OverwriteAnswer { kRename, kOverwrite, kCancel };

class PublishingDialogs {
 public:
  virtual ~PublishingDialogs() = default;
  // Opens "Please Wait" (caption "Glintmere", text "Please Wait:") owned by
  // parent and brings it to the front.
  virtual std::unique_ptr<ProgressDialog> OpenProgress(ui::WindowHandle parent) = 0;
  // "Warning: Missing files" owned by owner: one row per entry, in the given
  // order (sorted by file name), ticked where found_on_web is set. On
  // Synchronize the user's ticks are stored back into found_on_web.
  virtual MissingFilesAnswer AskMissingFiles(std::vector<MissingEntry>& entries,
                                             ui::WindowHandle owner) = 0;
  // The overwrite question for *name owned by owner ("Rename..." as default,
  // "Overwrite" disabled unless overwrite_allowed, "Cancel"). On kRename
  // *name holds the new name the user entered in the rename dialog for that
  // kind of file, checked against the folders of state.
  virtual OverwriteAnswer AskOverwrite(std::string* name, int kind, bool overwrite_allowed,
                                       const EditRunState& state, ui::WindowHandle owner) = 0;
};

// Status lines of the progress dialog.
inline constexpr const char* kSearchingWebStatus = "Searching web for...";
inline constexpr const char* kUploadingStatus = "Uploading file...";

// The web folder the files of the component go to: web URL + "/" +
// web_subfolder with the absolute-reference flag, else the page's folder URL
// (the page URL cut after its last "/", or its last ":") + web_subfolder.
std::string TargetFolderUrl(const EditRunState& state, const std::string& web_subfolder);

// Copies one file into the web. The local file is (from_master ? master :
// user data folder) + local_subfolder + "\" + file_name; the web document
// goes into the target folder, which is created with every missing parent.
// A file already on the web counts as published unless the force-overwrite
// flag is on. Failures show their message (copy failures only when quiet is
// off) and return false. A file name that is not one plain name (a folder
// part, "..", a drive or a device name) is refused as a failed copy.
bool UploadFile(EditContext& context, const std::string& local_subfolder,
                const std::string& web_subfolder, const std::string& file_name, bool quiet,
                bool from_master);

// Makes a web folder (relative to the web) exist level by level; the result
// of the last folder creation.
bool MakeWebFolder(platform::DispatchObject& explorer, const std::string& relative_folder);

// Makes a shipped file available in the user data folder's "_glintmere"
// during this edit call (once per name). True when the copy exists or the
// master folder has no such file; false without both folders, for an unsafe
// name, or when the copy fails.
bool EnsureWorkingCopy(EditRunState& state, const std::string& file_name);

// For a file a page refers to: makes the working copy of a shipped file,
// does nothing for a user file, and records a file neither folder holds in
// the missing-file list (true). False without both folders, for a user file,
// for an unsafe name, or when the working copy fails.
bool LocateOrRecordMissing(EditRunState& state, const std::string& file_name, int kind,
                           const std::string& panel);

// Before the sheet opens: tells the user about missing files and downloads
// those ticked under Synchronize. False when the user cancels. The list is
// empty afterwards in every case.
bool CheckMissingFiles(EditContext& context);

// Deletes this edit call's working copies and empties the list.
void RemoveWorkingCopies(EditRunState& state);

// How an import tells of a source it cannot find: "Unable to locate source
// file" alone, or after the source (a local path and a line break, a web
// URL directly).
enum class MissingSourceMessage { kPlain, kAfterSource };

// Imports source (a local path, or a "file://" or "http://" URL in the web)
// into the user data folder's "_glintmere" under name, asking before it
// replaces a file of that name. owner, the dialog that started the import,
// owns its messages and questions. The final name, or nullopt when the file
// is skipped (missing source, cancelled, failed copy).
std::optional<std::string> ImportFile(EditContext& context, const std::string& source,
                                      const std::string& name, int kind, ui::WindowHandle owner,
                                      MissingSourceMessage missing = MissingSourceMessage::kPlain);

}  // namespace botframe
