// The driver of the scripted backend: answers every modal window the logic
// opens, the way a user would, and records what was shown.
//
// A test (or an answers file, answers_file.h) lists the windows it expects.
// Each window that opens takes the first unused entry of its type whose
// caption matches (an entry without a caption matches any window of its
// type); several modules of one process read the same answers file, so
// entries are matched by caption rather than by strict order.
//
//   ui::ScriptedBackend backend;
//   ui::ScopedScriptedBackend scoped(&backend);
//   backend.driver().Expect("Applet Properties", [](ui::ScriptedWindow& w) {
//     w.SelectPage("Applet");
//     w.Type("Applet Name:", "Banner");
//     w.Select("Alignment:", "Left");
//     w.PressOk();
//   });
//   backend.driver().ExpectMessage("", "Save the page", ui::Answer::kNo);
//
// Windows no entry answers get the default: dialogs and sheets press OK,
// and when OK is refused (a field failed its check) Cancel, which the
// record notes; message boxes the first button; the colour and file
// dialogs are cancelled. A window whose steps failed is cancelled too, so a
// broken script never confirms half-filled data.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/message_box.h"

namespace ui {

struct FileDialogRequest;
enum class FileDialogResult;
class ScriptedDialogWindow;
class ScriptedSheet;
struct ScriptedControl;
class Driver;

// Names a control the way a user finds it: by its caption, or by the
// caption of the label before it (a label names the field that follows
// it), or by its id.
class ControlRef {
 public:
  // Implicit, so that steps read w.Type("Name:", "x") or w.Click(kIdBrowse).
  ControlRef(int id) : id_(id) {}
  ControlRef(const char* caption) : caption_(caption), by_caption_(true) {}
  ControlRef(std::string caption) : caption_(std::move(caption)), by_caption_(true) {}

  bool by_caption() const { return by_caption_; }
  int id() const { return id_; }
  const std::string& caption() const { return caption_; }
  // "\"Name:\"" or "id 1001", for messages.
  std::string Describe() const;

 private:
  int id_ = 0;
  std::string caption_;
  bool by_caption_ = false;
};

// A modal dialog or property sheet as the driver's steps see it. Each action
// fires the events the real control would, so the logic runs as it does
// under the Win32 backend; each fails (reported to the driver, nothing
// done) when the control is missing, disabled, hidden or of the wrong kind,
// or when the window has already closed. In a sheet, controls are looked
// for on the active page first, then on the other pages in tab order; a
// control found on another page makes the driver choose that page first.
class ScriptedWindow {
 public:
  ScriptedWindow(Driver& driver, ScriptedDialogWindow& window);
  ScriptedWindow(Driver& driver, ScriptedSheet& sheet);

  bool is_sheet() const { return sheet_ != nullptr; }
  std::string caption() const;
  bool IsOpen() const;
  // The dialog, or the sheet (the other is null).
  Dialog* dialog() const;
  PropertySheet* sheet() const;
  // Sheets: the title of the visible page ("" for dialogs).
  std::string ActivePage() const;
  // True once a step of this window failed.
  bool failed() const { return failed_; }
  // Reports a failed step of this window (its caption before message); the
  // window is then cancelled instead of confirmed.
  void Fail(const std::string& message);
  // The backend's state behind it (one of them is null).
  ScriptedDialogWindow* scripted_window() const { return window_; }
  ScriptedSheet* scripted_sheet() const { return sheet_; }

  // Replaces the text of an edit field or of a drop-down combo's edit part,
  // as typed: cut at the field's limit, digits only in a number field, and
  // Notify::kChanged once.
  void Type(const ControlRef& control, const std::string& text);
  // In a rich-text box, Type types at the caret over the selection instead
  // ("\b" is Backspace, "\x7f" Delete), and SelectRange selects characters
  // [start, end) as a mouse drag does (end -1: to the end).
  void SelectRange(const ControlRef& control, int start, int end);
  // Selects an item of a combo box, list box, colour list or list-view, by
  // its exact text or its index; Notify::kSelectionChanged when it changed.
  void Select(const ControlRef& control, const std::string& item);
  void Select(const ControlRef& control, int index);
  // Selects exactly these items (by exact text) of a list box or list-view
  // with style::kMultiSelect, as a Ctrl+click for each does; one
  // Notify::kSelectionChanged when the selection changed. An empty list
  // clears it.
  void SelectItems(const ControlRef& control, const std::vector<std::string>& items);
  // Ticks or unticks a check box, or ticks a radio button (the others of its
  // group lose their tick): Notify::kClicked when the state changes.
  void Check(const ControlRef& control, bool checked = true);
  // Clicks a button (or a link label): OK, Cancel and Help as PressOk,
  // PressCancel and PressHelp; other buttons fire Notify::kClicked, whose
  // handler may open nested modal windows, answered in turn.
  void Click(const ControlRef& control);
  // Double-clicks a row of a list box or list-view: selects it, then
  // Notify::kDoubleClicked with the row.
  void DoubleClick(const ControlRef& control, int row);
  void DoubleClick(const ControlRef& control, const std::string& item);
  // Ticks or unticks a list-view row: Notify::kRowChecked with the row.
  void CheckRow(const ControlRef& control, int row, bool checked = true);
  void CheckRow(const ControlRef& control, const std::string& item, bool checked = true);
  // Drags a slider to position (kept inside its range): Notify::kScrolled.
  void MoveSlider(const ControlRef& control, int position);
  // Sheets: clicks the tab with that title (case-insensitive).
  void SelectPage(const std::string& title);
  // OK (the dialog's OnOk or the sheet's OK rules; the window stays open
  // when refused), Cancel, and Help (a dialog's Help button, or the sheet's
  // Help button, which only sheets that show it have).
  void PressOk();
  void PressCancel();
  void PressHelp();
  // Clicks a button by caption or id; same as Click.
  void Press(const ControlRef& button) { Click(button); }

  // Reading the controls (failing as above for unknown controls).
  std::string Text(const ControlRef& control);
  bool IsChecked(const ControlRef& control);
  bool IsEnabled(const ControlRef& control);
  bool IsVisible(const ControlRef& control);
  // Items of a list control (list-view: the first column's texts).
  std::vector<std::string> Items(const ControlRef& control);
  int Selection(const ControlRef& control);
  // The selected item's text, "" for none.
  std::string SelectedItem(const ControlRef& control);
  bool IsRowChecked(const ControlRef& control, int row);
  std::string RowText(const ControlRef& control, int row, int column);
  int Position(const ControlRef& control);
  // Whether the control can be found, without failing.
  bool Has(const ControlRef& control);

  // The default answer: OK, and Cancel when OK is refused; true when OK
  // closed the window. Used by the driver.
  bool CloseWithDefault(bool cancel_only);

 private:
  struct Found {
    ScriptedDialogWindow* window = nullptr;
    ScriptedControl* control = nullptr;
  };
  // The control, or an empty Found after reporting why not.
  Found Find(const ControlRef& ref, bool quiet = false);
  Found FindIn(ScriptedDialogWindow& window, const ControlRef& ref);
  // For actions: found, enabled and visible.
  Found FindForAction(const ControlRef& ref, const char* action);
  bool CheckOpen(const char* action);
  // Gives the control the focus as a click would.
  void FocusOn(const Found& found);
  void ChooseItem(const Found& found, int index);
  int IndexOf(const Found& found, const ControlRef& ref, const std::string& item);
  bool DoOk();
  bool DoCancel();

  Driver& driver_;
  ScriptedDialogWindow* window_ = nullptr;
  ScriptedSheet* sheet_ = nullptr;
  bool failed_ = false;
};

enum class WindowKind { kDialog, kSheet, kMessageBox, kColourDialog, kFileDialog, kModeless };
const char* WindowKindName(WindowKind kind);

// The final state of one control worth reporting (fields, buttons that
// tick, lists, sliders), named as the driver finds it.
struct ControlReport {
  int id = 0;
  std::string name;
  std::string value;  // text, "checked"/"unchecked", the selected item(s), position
};

// One window that was shown.
struct WindowRecord {
  WindowKind kind = WindowKind::kDialog;
  std::string caption;  // caption, sheet caption, or file dialog title
  std::string text;     // message boxes
  Icon icon = Icon::kNone;
  Buttons buttons = Buttons::kOk;
  int result = 0;      // kIdOk, kIdCancel, ... / an Answer / 1 chosen, 0 cancelled
  std::string answer;  // how it ended, as a user reads it: "OK", "Cancel", "Yes", ...
  bool answered_by_entry = false;  // an entry answered it rather than the default
  bool ok_refused = false;         // the default OK was refused and Cancel closed it
  int depth = 0;                   // modal windows open beneath it
  std::vector<std::string> pages;  // sheets: the titles of the pages created
  std::vector<ControlReport> controls;  // dialogs and sheets, when they closed
};

class Driver {
 public:
  using Steps = std::function<void(ScriptedWindow& window)>;

  // A dialog or property sheet with that caption ("" for any), answered by
  // steps; without steps (or when they leave it open) it gets the default.
  // origin names the entry in error messages ("answers.json, entry 2").
  void Expect(std::string caption, Steps steps = {}, std::string origin = {});
  // A message box whose caption equals caption and whose text starts with
  // text_prefix ("" matches anything), answered with answer.
  void ExpectMessage(std::string caption, std::string text_prefix, Answer answer,
                     std::string origin = {});
  // The colour dialog: chooses colour, or cancels when there is none.
  void ExpectColour(std::optional<Colour> colour, std::string origin = {});
  // A file-open dialog with that title ("" for any): chooses paths, or
  // cancels when there are none. Paths that would overflow the dialog's
  // name buffer end it as "too many files" instead.
  void ExpectFiles(std::string title, std::vector<std::string> paths, std::string origin = {});

  // Unmatched dialogs and sheets get Cancel instead of OK.
  void SetDefaultCancel(bool cancel) { default_cancel_ = cancel; }
  // Echoes every message box ("[caption] text") and every error to standard
  // error, so a headless run tells its user what happened.
  void SetEcho(bool echo) { echo_ = echo; }
  // Called with each error as it happens (tests turn them into failures).
  void SetErrorHandler(std::function<void(const std::string&)> handler) {
    error_handler_ = std::move(handler);
  }
  // Said before each error while steps of an answers file run ("answers.json,
  // entry 2 (dialog "X"), step 3 (type)"); empty otherwise.
  void SetContext(std::string context) { context_ = std::move(context); }
  const std::string& context() const { return context_; }

  // Everything shown, in the order the windows opened.
  const std::vector<WindowRecord>& shown() const { return shown_; }
  // The texts of the message boxes shown, in order.
  std::vector<std::string> MessageTexts() const;
  // Errors: steps that could not be done, unknown control ids, bad answers.
  const std::vector<std::string>& errors() const { return errors_; }
  // The entries no window used, described with their origin.
  std::vector<std::string> Unused() const;
  // Forgets the entries, the records and the errors.
  void Reset();

  // Reports an error (with the context, when set).
  void Fail(const std::string& message);

  // The backend's side. RunWindow records the window, runs the matching
  // entry's steps and closes it; the window must be open.
  void RunWindow(ScriptedWindow& window, WindowKind kind, int depth);
  // depth: the modal windows open beneath the box or dialog.
  Answer AnswerMessageBox(const MessageBoxRequest& request, int depth);
  bool AnswerColour(Colour* colour, int depth);
  // Chooses the entry's paths, or answers kTooMany when they do not fit the
  // request's name buffer (no limit when it gives none).
  FileDialogResult AnswerFiles(const FileDialogRequest& request, std::vector<std::string>* paths,
                               int depth);
  // A modeless dialog opened (its record's index) and closed.
  size_t RecordModelessOpened(const std::string& caption, int depth);
  void RecordModelessClosed(size_t record, ScriptedDialogWindow& window, int result);
  // The controls of a window worth reporting.
  static std::vector<ControlReport> ReportControls(ScriptedDialogWindow& window,
                                                   const std::string& prefix);

 private:
  enum class EntryKind { kWindow, kMessage, kColour, kFiles };
  struct Entry {
    EntryKind kind;
    std::string caption;
    std::string text_prefix;
    Steps steps;
    Answer answer = Answer::kOk;
    std::optional<Colour> colour;
    std::vector<std::string> paths;
    std::string origin;
    bool used = false;
  };
  Entry* Match(EntryKind kind, const std::string& caption, const std::string& text);
  void FinishRecord(size_t record, ScriptedWindow& window);

  std::vector<Entry> entries_;
  std::vector<WindowRecord> shown_;
  std::vector<std::string> errors_;
  std::string context_;
  bool default_cancel_ = false;
  bool echo_ = false;
  std::function<void(const std::string&)> error_handler_;
};

// How a button answer reads ("OK", "Cancel", "Yes", ...), and back
// (case-insensitive); false for an unknown name.
const char* AnswerName(Answer answer);
bool ParseAnswerName(const std::string& name, Answer* answer);
// Whether a box with that button set has that button.
bool HasButton(Buttons buttons, Answer answer);

}  // namespace ui
