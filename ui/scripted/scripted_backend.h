// The scripted backend: runs the dialog model without windows. Every
// control's state is kept in memory, built from the dialog's control table,
// with the behaviour of the Windows control it stands for; every modal
// dialog, property sheet, message box and common dialog is handed to a
// driver (driver.h), which answers it from a test's steps or an answers
// file and records what was shown.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/control_peers.h"
#include "ui/scripted/driver.h"

namespace ui {

// One item of a combo box, list box or colour list, or one row of a
// list-view (text is then the first column's).
struct ScriptedItem {
  std::string text;
  std::vector<std::string> columns;  // list-view: the texts of columns 1, 2, ...
  intptr_t data = 0;
  Colour colour{};  // colour lists
  int icon = -1;      // list-view
  bool selected = false;
  bool checked = false;
  int look = 0;  // bitmap buttons: 0 off, 1 on, 2 mixed  // list-view with style::kCheckBoxes
};

// The state of one control.
struct ScriptedControl {
  const ControlSpec* spec = nullptr;
  std::string text;  // caption, edit text, or the edit part of a drop-down combo
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  int look = 0;  // bitmap buttons: 0 off, 1 on, 2 mixed
  int text_limit = 0;  // characters the user may type; 0 for the default
  int select_start = 0, select_end = 0;
  std::vector<ScriptedItem> items;
  std::vector<std::string> columns;     // list-view column titles
  std::vector<std::string> icon_names;  // list-view row icons
  int range_min = 0, range_max = 100, position = 0, tick_frequency = 1;
  bool has_tooltip = false;
  std::string tooltip;
  std::string navigated;  // browser: the last file or URL
  std::string picture;    // picture: the image file shown
  // Rich-text boxes: the document (shared by copies of the control), the
  // selection in select_start/select_end, and how the box shows.
  std::shared_ptr<richtext::Document> rich;
  bool selection_hidden = false;
  Colour background{0xFFFFFF};
  int x = 0, y = 0, width = 0, height = 0;  // client pixels

  int id() const { return spec->id; }
  ControlKind kind() const { return spec->kind; }
  bool Has(uint32_t flag) const { return (spec->style & flag) != 0; }
  // The selected item, or -1 (single selection: the first selected).
  int Selection() const;
};

// The scripted DialogWindow of one open dialog or property page. A call
// naming an id the control table lacks is reported to the driver as an
// error and does nothing (reads give empty values), where a real dialog
// would fail silently.
class ScriptedDialogWindow : public DialogWindow {
 public:
  ScriptedDialogWindow(Dialog& dialog, Driver& driver);

  Dialog& dialog() const { return dialog_; }
  const std::string& caption() const { return caption_; }
  // The control with that id, or null.
  ScriptedControl* Find(int id);
  std::vector<ScriptedControl>& controls() { return controls_; }
  int focus() const { return focus_; }
  bool tooltips_created() const { return tooltips_created_; }
  bool ended() const { return ended_; }
  int result() const { return result_; }
  // Where EndDialog goes instead of ending this window (a page forwards it
  // to its sheet, a modeless dialog closes).
  void SetEndHandler(std::function<void(int)> handler) { end_handler_ = std::move(handler); }
  // Gives the focus the way the dialog manager does once the dialog is
  // initialised: to the first control that takes it.
  void FocusFirstControl();
  // The items of a control as its user sees them (for reports).
  std::vector<std::string> ItemTexts(int id);

  // DialogWindow.
  WindowHandle handle() override;
  void SetCaption(const std::string& caption) override;
  void SetWindowSize(int width, int height) override;
  void GetClientSize(int* width, int* height) override;
  void MoveControl(int id, int x, int y, int width, int height) override;
  bool CreateTooltips(int max_width) override;
  void AddTooltip(int id, const std::string& text) override;
  void EndDialog(int result) override;
  ControlPeer* Peer(int id) override;
  void ReportMisuse(int id, const char* operation, const char* family) override;

  // What the driver does to a control as its user, by id (reported to the
  // driver when the window lacks it).
  std::string GetText(int id);
  // Moves the focus, telling the control that lost it and a rich-text box
  // that got it, as Windows does.
  void SetFocus(int id);
  void SetSelection(int id, int index);
  void SetRichSelection(int id, int start, int end);
  std::string RowText(int id, int row, int column);
  bool IsRowChecked(int id, int row);

  // What a user's typing does to a rich-text box: replaces the selection
  // with text ("\b" a backspace, "\x7f" the Delete key: the selection, or
  // the character before or after the caret, a line break as a whole), one
  // keystroke at a time, each telling the dialog of the new selection and
  // then of the changed text, as RichEdit does.
  void TypeRich(int id, const std::string& text);

 private:
  friend class ScriptedPeer;
  // The control, or null after reporting the unknown id.
  ScriptedControl* Get(int id, const char* operation);
  // Sets a box's selection (ordered, within the text) and tells the dialog
  // when it changed.
  void MoveRichSelection(ScriptedControl& control, int start, int end);

  Dialog& dialog_;
  Driver& driver_;
  std::string caption_;
  std::vector<ScriptedControl> controls_;
  // One peer per control, in table order (control_peers.h).
  std::vector<std::unique_ptr<ControlPeer>> peers_;
  int focus_ = 0;
  bool in_kill_focus_ = false;
  bool tooltips_created_ = false;
  int width_ = 0, height_ = 0;  // outer size in pixels
  bool ended_ = false;
  int result_ = 0;
  std::function<void(int)> end_handler_;
};

// A property sheet while it runs: creates the scripted windows of its pages
// when the sheet first shows them.
class ScriptedSheet : public PropertySheet::PageCreator {
 public:
  ScriptedSheet(PropertySheet& sheet, Driver& driver);
  ~ScriptedSheet() override;
  ScriptedSheet(const ScriptedSheet&) = delete;
  ScriptedSheet& operator=(const ScriptedSheet&) = delete;

  PropertySheet& sheet() const { return sheet_; }
  WindowHandle handle() { return this; }
  // The window of a created page, or null.
  ScriptedDialogWindow* WindowOf(const PropertyPage& page) const;
  ScriptedDialogWindow* ActiveWindow() const;
  bool ended() const { return ended_; }
  int result() const { return result_; }
  void End(int result) {
    ended_ = true;
    result_ = result;
  }
  // Destroys the pages' windows (FireDestroy, then detached).
  void DestroyPages();

  bool CreatePage(PropertyPage& page) override;
  void ShowPage(PropertyPage& page) override;

 private:
  struct CreatedPage {
    PropertyPage* page;
    std::unique_ptr<ScriptedDialogWindow> window;
  };
  PropertySheet& sheet_;
  Driver& driver_;
  std::vector<CreatedPage> created_;
  bool ended_ = false;
  int result_ = kIdCancel;
};

class ScriptedBackend : public UiBackend {
 public:
  ScriptedBackend();
  ~ScriptedBackend() override;

  // The driver that answers this backend's windows.
  Driver& driver() { return driver_; }
  // The window of an open modeless dialog, or null.
  ScriptedDialogWindow* ModelessWindow(const Dialog& dialog) const;

  int RunModal(Dialog& dialog, WindowHandle parent) override;
  bool OpenModeless(Dialog& dialog, WindowHandle parent) override;
  void CloseModeless(Dialog& dialog) override;
  int RunSheet(PropertySheet& sheet, WindowHandle parent) override;
  bool ChooseColour(WindowHandle owner, Colour* colour) override;
  FileDialogResult OpenFiles(const FileDialogRequest& request,
                             std::vector<std::string>* paths) override;
  MessageBoxService& MessageBoxes() override;
  WindowHandle ForegroundWindow() override;

 private:
  class Boxes : public MessageBoxService {
   public:
    explicit Boxes(ScriptedBackend& backend) : backend_(backend) {}
    Answer Show(const MessageBoxRequest& request) override {
      return backend_.driver_.AnswerMessageBox(request, static_cast<int>(backend_.open_.size()));
    }

   private:
    ScriptedBackend& backend_;
  };
  struct Modeless {
    static constexpr size_t kNoRecord = static_cast<size_t>(-1);
    Dialog* dialog = nullptr;
    std::unique_ptr<ScriptedDialogWindow> window;
    size_t record = kNoRecord;  // in the driver's records
  };

  Driver driver_;
  Boxes boxes_{*this};
  std::vector<WindowHandle> open_;  // modal windows, innermost last
  std::vector<Modeless> modeless_;
  // Windows of modeless dialogs that closed themselves from inside one of
  // their own calls; freed once that call has returned.
  std::vector<std::unique_ptr<ScriptedDialogWindow>> closed_;
};

// Puts a scripted backend in force for the object's lifetime, for dialogs,
// sheets and common dialogs and for message boxes alike.
class ScopedScriptedBackend {
 public:
  explicit ScopedScriptedBackend(ScriptedBackend* backend)
      : backend_(backend), boxes_(&backend->MessageBoxes()) {}

 private:
  ScopedUiBackend backend_;
  ScopedMessageBoxes boxes_;
};

}  // namespace ui
