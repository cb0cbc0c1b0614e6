// The dialog model: every dialog, property page and property sheet of the
// product is a class deriving from Dialog, PropertyPage or PropertySheet. It
// declares its controls in a DialogSpec table and reacts to typed events;
// it never sees a window message. The backend in force (backend.h) shows it
// as real windows or runs it in memory under a driver.
//
// Data live in the class's members, as with MFC: DoDataExchange moves them
// into the controls when the dialog opens and back when it is left, so a
// page that was never shown keeps the values it loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "ui/controls.h"
#include "ui/control_table.h"
#include "ui/dialog_window.h"

namespace ui {

// What happened to a control.
enum class Notify {
  kClicked,           // button pressed, check box or radio button clicked
  kChanged,           // edit text changed by the user
  kSelectionChanged,  // combo box, list box, list-view, colour list
  kDoubleClicked,     // list box or list-view row
  kRowChecked,        // list-view row check box changed (index: the row)
  kScrolled,          // slider moved
  kKillFocus,         // the control lost the focus
  kSetFocus,          // a rich-text box got the focus
};

class DataExchange;
class PropertySheet;

class Dialog {
 public:
  explicit Dialog(const DialogSpec& spec) : spec_(&spec) {}
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  const DialogSpec& spec() const { return *spec_; }

  // Shows the dialog modally; the id that ended it (kIdOk, kIdCancel, ...).
  int DoModal(WindowHandle parent = nullptr);
  // Shows the dialog without waiting (a progress window); false when it
  // cannot be created. Close() destroys it.
  bool OpenModeless(WindowHandle parent = nullptr);
  void Close();

  bool IsOpen() const { return window_ != nullptr; }
  WindowHandle handle() const { return window_ ? window_->handle() : nullptr; }
  // Ends a modal dialog (or closes a modeless one) with result.
  void EndDialog(int result);

  // Moves data between the members and the controls (save: controls to
  // members). False when a field is refused; its message was shown and the
  // field has the focus.
  bool UpdateData(bool save);

  // Gives the controls their tooltips (lines wrapped at max_width pixels);
  // ids the dialog's table lacks (a variant without that control) are
  // passed over. False when no tooltip control could be made.
  bool AddTooltips(std::span<const Tooltip> tips, int max_width = 300);

  // Control handles, valid while the dialog is open.
  Control GetControl(int id) { return Control(window_, id); }
  Edit GetEdit(int id) { return Edit(window_, id); }
  Button GetButton(int id) { return Button(window_, id); }
  ListControl GetList(int id) { return ListControl(window_, id); }
  ListView GetListView(int id) { return ListView(window_, id); }
  Slider GetSlider(int id) { return Slider(window_, id); }
  Browser GetBrowser(int id) { return Browser(window_, id); }
  Picture GetPicture(int id) { return Picture(window_, id); }
  RichEdit GetRichEdit(int id) { return RichEdit(window_, id); }
  DialogWindow* window() const { return window_; }

  // Event handlers bound to one control's event. A handler takes nothing,
  // or the event's index (the row of kDoubleClicked and kRowChecked, the
  // selected item of kSelectionChanged, the position of kScrolled; -1 when
  // none). Several handlers of one event run in the order bound; an event
  // without a handler goes to OnCommand. Bind them in BindEvents.
  void Bind(int id, Notify code, std::function<void()> handler);
  void Bind(int id, Notify code, std::function<void(int index)> handler);
  // The same for a member function of the dialog's own class.
  template <typename Self>
  void OnClicked(int id, void (Self::*method)()) {
    BindMember(id, Notify::kClicked, method);
  }
  template <typename Self>
  void OnSelectionChanged(int id, void (Self::*method)()) {
    BindMember(id, Notify::kSelectionChanged, method);
  }
  template <typename Self>
  void OnChanged(int id, void (Self::*method)()) {
    BindMember(id, Notify::kChanged, method);
  }

  // Entry points for the backends; the product does not call these.
  void AttachWindow(DialogWindow* window) { window_ = window; }
  void DetachWindow() { window_ = nullptr; }
  bool FireInit();
  // Runs the handlers bound to the event, or OnCommand when there are none.
  void FireCommand(int id, Notify code, int index = -1);
  // The OK or Cancel button (or Return, Escape, the close box). The dialog
  // closes when these return true.
  bool FireOk();
  bool FireCancel();
  void FireSize(int width, int height) { OnSize(width, height); }
  void FireDestroy() { OnDestroy(); }

 protected:
  // Binds the dialog's event handlers (Bind, OnClicked, ...); called once,
  // before the dialog first opens or hears of an event.
  virtual void BindEvents() {}
  // The controls exist; fill them. The default moves the members into them.
  virtual bool OnInitDialog();
  // An event no handler is bound to.
  virtual void OnCommand(int id, Notify code, int index);
  // OK: the default takes the data and closes; false keeps the dialog open.
  virtual bool OnOk();
  // Cancel: false keeps the dialog open.
  virtual bool OnCancel() { return true; }
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual void OnDestroy() {}
  virtual void DoDataExchange(DataExchange& /*dx*/) {}

 private:
  struct Binding {
    int id;
    Notify code;
    std::function<void(int)> handler;
  };
  template <typename Self>
  void BindMember(int id, Notify code, void (Self::*method)()) {
    static_assert(std::is_base_of_v<Dialog, Self>, "a member of the dialog's own class");
    Self* self = static_cast<Self*>(this);
    Bind(id, code, [self, method] { (self->*method)(); });
  }
  void EnsureBound();

  const DialogSpec* spec_;
  DialogWindow* window_ = nullptr;
  std::vector<Binding> bindings_;
  bool bound_ = false;
};

// A page of a property sheet. Its spec's caption is the tab's title.
class PropertyPage : public Dialog {
 public:
  using Dialog::Dialog;

  PropertySheet* sheet() const { return sheet_; }
  // True once the page's controls were made (the page was shown once).
  bool IsCreated() const { return created_; }

  // Entry points for the backends.
  void SetSheet(PropertySheet* sheet) { sheet_ = sheet; }
  // Set when the page's controls are made; cleared when its sheet opens
  // again, so a second run makes them again.
  void MarkCreated(bool created = true) { created_ = created; }
  bool FireSetActive() { return OnSetActive(); }
  bool FireKillActive() { return OnKillActive(); }
  void FireApply() { OnApply(); }
  void FireReset() { OnReset(); }
  void FireHelp() { OnHelp(); }

 protected:
  // The page becomes the visible one; false refuses.
  virtual bool OnSetActive() { return true; }
  // The page is left (another tab, or OK): the default takes the data;
  // false keeps the page.
  virtual bool OnKillActive() { return UpdateData(true); }
  // OK was accepted: every page that was shown gets this.
  virtual void OnApply() {}
  // Cancel: every page that was shown gets this.
  virtual void OnReset() {}
  // The sheet's Help button while this page is active.
  virtual void OnHelp() {}

 private:
  PropertySheet* sheet_ = nullptr;
  bool created_ = false;
};

// A tabbed property sheet without an Apply button.
class PropertySheet {
 public:
  explicit PropertySheet(std::string caption) : caption_(std::move(caption)) {}
  virtual ~PropertySheet() = default;
  PropertySheet(const PropertySheet&) = delete;
  PropertySheet& operator=(const PropertySheet&) = delete;

  const std::string& caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // Pages in tab order; the sheet does not own them.
  void AddPage(PropertyPage* page);
  const std::vector<PropertyPage*>& pages() const { return pages_; }
  void SetStartPage(int index) { start_page_ = index; }
  int start_page() const { return start_page_; }
  void SetHelpButton(bool shown) { help_button_ = shown; }
  bool help_button() const { return help_button_; }

  // Shows the sheet modally: kIdOk or kIdCancel.
  int DoModal(WindowHandle parent = nullptr);
  bool IsOpen() const { return handle_ != nullptr || running_; }
  WindowHandle handle() const { return handle_; }
  int active_page() const { return active_; }

  // Entry points for the backends: the sheet's rules, the same for both.
  // Makes page index the visible one (creating it on first use); false when
  // the current page refuses to be left.
  bool RequestPage(int index);
  // OK: the sheet's own check, the active page's leaving check, then every
  // created page's OnApply. True when the sheet may close.
  bool RequestOk();
  // Cancel: every created page's OnReset. True.
  bool RequestCancel();
  void RequestHelp();
  void SetRunning(bool running, WindowHandle handle) {
    running_ = running;
    handle_ = handle;
  }
  // The backend creates a page's controls through this callback when
  // RequestPage needs them (set by the backend while the sheet runs).
  struct PageCreator {
    virtual ~PageCreator() = default;
    virtual bool CreatePage(PropertyPage& page) = 0;
    virtual void ShowPage(PropertyPage& page) = 0;
  };
  void SetPageCreator(PageCreator* creator) { creator_ = creator; }

 protected:
  // OK was pressed, before any page is asked: false keeps the sheet open.
  virtual bool OnOkPressed() { return true; }

 private:
  std::string caption_;
  std::vector<PropertyPage*> pages_;
  int start_page_ = 0;
  int active_ = -1;
  bool help_button_ = false;
  bool running_ = false;
  WindowHandle handle_ = nullptr;
  PageCreator* creator_ = nullptr;
};

// Moves one dialog's data between members and controls (MFC's DDX). In the
// saving direction the first refused field shows its message, gets the
// focus, and stops the exchange.
class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool save) : dialog_(dialog), save_(save) {}
  bool saving() const { return save_; }
  bool failed() const { return failed_; }

  // Text of any control; max_chars > 0 limits the field and the value.
  void Text(int id, std::string& value, int max_chars = 0);
  // Unsigned number: "Please enter a positive integer." when refused.
  void Unsigned(int id, uint32_t& value);
  // Signed number: "Please enter an integer." when refused.
  void Integer(int id, int32_t& value);
  void Check(int id, bool& value);
  // The index of the checked button of a radio group starting at first_id
  // (buttons in table order until the next group), -1 for none.
  void Radio(int first_id, int& index);
  // The selected item's text (saving; empty when none), or selecting the
  // item whose text equals value (loading; none when absent).
  void ListText(int id, std::string& value);
  // The index of the selected item of a combo box, list box, list-view or
  // colour list (saving; -1 when none), or selecting it alone (loading;
  // none for -1 or an index out of range).
  void ListIndex(int id, int& index);
  // The same for a list-view's selected row (loading also scrolls it into
  // view) and a colour list's selected colour, refused for other kinds.
  void RowIndex(int id, int& row);
  void ColourIndex(int id, int& index);
  void SliderPosition(int id, int& position);

  // Refuses the field with a message (for custom checks).
  void Fail(int id, const std::string& message);

 private:
  bool Skip() const { return failed_; }
  void ExchangeSelection(ListControl list, int& index);
  Dialog& dialog_;
  bool save_;
  bool failed_ = false;
};

}  // namespace ui
