// The host's application object and its command bars.
#include "host/application.h"

#include <algorithm>

#include "base/text.h"
#include "host/disk_web.h"
#include "host/session.h"
#include "platform/dispatch_server.h"
#include "platform/services.h"

namespace host {

using platform::DispatchObject;
using platform::DispatchValue;
using platform::HResult;

struct HostApplication::Model {
  std::string version;
  int web_view_mode = 3;   // page view
  int page_view_mode = 1;  // normal
  CommandBarControl menu_bar;
  uint32_t next_cookie = 1;
};

namespace {

using Control = CommandBarControl;
using ModelPtr = std::shared_ptr<HostApplication::Model>;

constexpr int kButton = 1;
constexpr int kPopup = 10;

HResult NoArgs(std::span<DispatchValue> args) {
  return args.empty() ? platform::kSOk : platform::kDispEBadParamCount;
}

// An optional argument: left out, or empty.
bool Given(std::span<DispatchValue> args, size_t index) {
  return index < args.size() && args[index].kind() != DispatchValue::Kind::kEmpty;
}

bool IntOf(const DispatchValue& value, int32_t* number) {
  if (value.kind() != DispatchValue::Kind::kInt && value.kind() != DispatchValue::Kind::kBool) {
    return false;
  }
  *number = value.AsInt();
  return true;
}

std::shared_ptr<Control> MakeControl(int id, int type, std::string caption) {
  auto control = std::make_shared<Control>();
  control->id = id;
  control->type = type;
  control->caption = std::move(caption);
  return control;
}

void Append(Control& parent, std::shared_ptr<Control> child) {
  child->parent = &parent;
  parent.controls.push_back(std::move(child));
}

// Depth first, popups before their controls.
template <typename Match>
std::shared_ptr<Control> FindControlIn(const Control& parent, const Match& match) {
  for (const std::shared_ptr<Control>& control : parent.controls) {
    if (match(*control)) return control;
    if (auto found = FindControlIn(*control, match)) return found;
  }
  return nullptr;
}

void Release(Control& control) {
  control.deleted = true;
  control.sinks.clear();
  for (const std::shared_ptr<Control>& child : control.controls) Release(*child);
}

void ForEachControl(Control& parent, const auto& visit) {
  for (const std::shared_ptr<Control>& control : parent.controls) {
    visit(*control);
    ForEachControl(*control, visit);
  }
}

std::shared_ptr<DispatchObject> ControlObject(ModelPtr model, std::shared_ptr<Control> control);

// A popup's (or the menu bar's) controls: Count, Item(index), Add.
class ControlsObject final : public DispatchObject {
 public:
  ControlsObject(ModelPtr model, std::shared_ptr<Control> owner)
      : model_(std::move(model)), owner_(std::move(owner)) {}

  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (owner_->deleted) return platform::kEFail;
    Control& owner = *owner_;
    if (base::EqualsNoCase(method, "Count")) {
      if (HResult hr = NoArgs(args); hr != platform::kSOk) return hr;
      *result = DispatchValue::Int(static_cast<int32_t>(owner.controls.size()));
      return platform::kSOk;
    }
    if (base::EqualsNoCase(method, "Item")) {
      int32_t index = 0;
      if (args.size() != 1) return platform::kDispEBadParamCount;
      if (!IntOf(args[0], &index)) return platform::kDispETypeMismatch;
      if (index < 1 || static_cast<size_t>(index) > owner.controls.size()) {
        return platform::kEInvalidArg;
      }
      *result = DispatchValue::Object(ControlObject(model_, owner.controls[index - 1]));
      return platform::kSOk;
    }
    if (base::EqualsNoCase(method, "Add")) {
      // Add(Type, Id, Parameter, Before, Temporary), all optional.
      if (args.size() > 5) return platform::kDispEBadParamCount;
      int32_t type = kButton;
      int32_t id = 1;
      int32_t before = static_cast<int32_t>(owner.controls.size()) + 1;
      int32_t temporary = 0;
      if ((Given(args, 0) && !IntOf(args[0], &type)) || (Given(args, 1) && !IntOf(args[1], &id)) ||
          (Given(args, 3) && !IntOf(args[3], &before)) ||
          (Given(args, 4) && !IntOf(args[4], &temporary))) {
        return platform::kDispETypeMismatch;
      }
      if ((type != kButton && type != kPopup) || before < 1 ||
          static_cast<size_t>(before) > owner.controls.size() + 1) {
        return platform::kEInvalidArg;
      }
      std::shared_ptr<Control> added = MakeControl(id, type, std::string());
      added->temporary = temporary != 0;
      if (Given(args, 2) && args[2].kind() == DispatchValue::Kind::kString) {
        added->parameter = args[2].text();
      }
      added->parent = &owner;
      owner.controls.insert(owner.controls.begin() + (before - 1), added);
      *result = DispatchValue::Object(ControlObject(model_, added));
      return platform::kSOk;
    }
    return platform::kDispEUnknownName;
  }

 private:
  ModelPtr model_;
  std::shared_ptr<Control> owner_;
};

// A command bar control: button or popup.
class CommandBarControlObject final : public DispatchObject {
 public:
  CommandBarControlObject(ModelPtr model, std::shared_ptr<Control> control)
      : model_(std::move(model)), control_(std::move(control)) {}

  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    // A deleted control answers nothing, as Office's do.
    if (control_->deleted) return platform::kEFail;
    Control& control = *control_;
    if (base::EqualsNoCase(method, "Delete")) {
      if (args.size() > 1) return platform::kDispEBadParamCount;
      Control* parent = control.parent;
      if (parent) {
        std::erase_if(parent->controls,
                      [&](const std::shared_ptr<Control>& c) { return c == control_; });
      }
      Release(control);
      return platform::kSOk;
    }
    if (HResult hr = NoArgs(args); hr != platform::kSOk) return hr;
    if (base::EqualsNoCase(method, "Controls")) {
      if (control.type != kPopup) return platform::kDispEMemberNotFound;
      *result = DispatchValue::Object(std::make_shared<ControlsObject>(model_, control_));
      return platform::kSOk;
    }
    if (base::EqualsNoCase(method, "Id")) {
      *result = DispatchValue::Int(control.id);
    } else if (base::EqualsNoCase(method, "Type")) {
      *result = DispatchValue::Int(control.type);
    } else if (base::EqualsNoCase(method, "Index")) {
      int32_t index = 0;
      if (control.parent) {
        const auto& siblings = control.parent->controls;
        index = static_cast<int32_t>(
            std::find(siblings.begin(), siblings.end(), control_) - siblings.begin() + 1);
      }
      *result = DispatchValue::Int(index);
    } else if (base::EqualsNoCase(method, "BeginGroup")) {
      *result = DispatchValue::Bool(control.begin_group);
    } else if (base::EqualsNoCase(method, "Temporary")) {
      *result = DispatchValue::Bool(control.temporary);
    } else if (std::string* text = Text(method)) {
      *result = DispatchValue::String(*text);
    } else {
      return platform::kDispEUnknownName;
    }
    return platform::kSOk;
  }

  HResult Put(std::string_view property, const DispatchValue& value) override {
    if (control_->deleted) return platform::kEFail;
    if (base::EqualsNoCase(property, "BeginGroup")) {
      int32_t flag = 0;
      if (!IntOf(value, &flag)) return platform::kDispETypeMismatch;
      control_->begin_group = flag != 0;
      return platform::kSOk;
    }
    std::string* text = Text(property);
    if (!text) return platform::kDispEUnknownName;
    if (value.kind() != DispatchValue::Kind::kString && value.kind() != DispatchValue::Kind::kEmpty) {
      return platform::kDispETypeMismatch;
    }
    *text = value.text();
    return platform::kSOk;
  }

  HResult Advise(const platform::EventInterface& events, std::shared_ptr<DispatchObject> sink,
                 uint32_t* cookie) override {
    if (!cookie || !sink) return platform::kEPointer;
    *cookie = 0;
    if (!events.iid || !base::EqualsNoCase(events.iid, kButtonEventsIid) ||
        control_->type != kButton) {
      return platform::kConnectENoConnection;
    }
    if (control_->deleted) return platform::kEFail;
    *cookie = model_->next_cookie++;
    control_->sinks.emplace_back(*cookie, std::move(sink));
    return platform::kSOk;
  }

  HResult Unadvise(const platform::EventInterface& events, uint32_t cookie) override {
    if (!events.iid || !base::EqualsNoCase(events.iid, kButtonEventsIid)) {
      return platform::kConnectENoConnection;
    }
    const size_t removed = std::erase_if(
        control_->sinks, [cookie](const auto& entry) { return entry.first == cookie; });
    return removed ? platform::kSOk : platform::kConnectENoConnection;
  }

 private:
  std::string* Text(std::string_view name) {
    Control& control = *control_;
    if (base::EqualsNoCase(name, "Caption")) return &control.caption;
    if (base::EqualsNoCase(name, "Tag")) return &control.tag;
    if (base::EqualsNoCase(name, "TooltipText")) return &control.tooltip;
    if (base::EqualsNoCase(name, "Parameter")) return &control.parameter;
    if (base::EqualsNoCase(name, "OnAction")) return &control.on_action;
    return nullptr;
  }

  ModelPtr model_;
  std::shared_ptr<Control> control_;
};

std::shared_ptr<DispatchObject> ControlObject(ModelPtr model, std::shared_ptr<Control> control) {
  return std::make_shared<CommandBarControlObject>(std::move(model), std::move(control));
}

// FindControl(Type, Id, Tag, Visible, Recursive) over the menu bar: the
// first control matching every criterion given, or nothing.
HResult FindControl(const ModelPtr& model, std::span<DispatchValue> args, DispatchValue* result) {
  if (args.size() > 5) return platform::kDispEBadParamCount;
  int32_t type = 0, id = 0;
  if ((Given(args, 0) && !IntOf(args[0], &type)) || (Given(args, 1) && !IntOf(args[1], &id))) {
    return platform::kDispETypeMismatch;
  }
  const bool by_tag = Given(args, 2);
  if (by_tag && args[2].kind() != DispatchValue::Kind::kString) return platform::kDispETypeMismatch;
  const std::string tag = by_tag ? args[2].text() : std::string();
  std::shared_ptr<Control> found = FindControlIn(model->menu_bar, [&](const Control& control) {
    return (!Given(args, 0) || control.type == type) && (!Given(args, 1) || control.id == id) &&
           (!by_tag || control.tag == tag);
  });
  *result = found ? DispatchValue::Object(ControlObject(model, found)) : DispatchValue();
  return platform::kSOk;
}

// The "Menu Bar" command bar.
class CommandBarObject final : public DispatchObject {
 public:
  explicit CommandBarObject(ModelPtr model) : model_(std::move(model)) {}
  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (base::EqualsNoCase(method, "FindControl")) return FindControl(model_, args, result);
    if (HResult hr = NoArgs(args); hr != platform::kSOk) return hr;
    if (base::EqualsNoCase(method, "Name")) {
      *result = DispatchValue::String("Menu Bar");
    } else if (base::EqualsNoCase(method, "Controls")) {
      std::shared_ptr<Control> bar(model_, &model_->menu_bar);
      *result = DispatchValue::Object(std::make_shared<ControlsObject>(model_, bar));
    } else {
      return platform::kDispEUnknownName;
    }
    return platform::kSOk;
  }

 private:
  ModelPtr model_;
};

class CommandBarsObject final : public DispatchObject {
 public:
  explicit CommandBarsObject(ModelPtr model) : model_(std::move(model)) {}
  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (base::EqualsNoCase(method, "FindControl")) return FindControl(model_, args, result);
    if (base::EqualsNoCase(method, "Count")) {
      if (HResult hr = NoArgs(args); hr != platform::kSOk) return hr;
      *result = DispatchValue::Int(1);
      return platform::kSOk;
    }
    if (base::EqualsNoCase(method, "Item")) {
      if (args.size() != 1) return platform::kDispEBadParamCount;
      const bool named = args[0].kind() == DispatchValue::Kind::kString &&
                         base::EqualsNoCase(args[0].text(), "Menu Bar");
      int32_t index = 0;
      if (!named && !(IntOf(args[0], &index) && index == 1)) return platform::kEInvalidArg;
      *result = DispatchValue::Object(std::make_shared<CommandBarObject>(model_));
      return platform::kSOk;
    }
    return platform::kDispEUnknownName;
  }

 private:
  ModelPtr model_;
};

// An object answering fixed properties.
class PropertiesObject final : public DispatchObject {
 public:
  explicit PropertiesObject(std::vector<std::pair<std::string, DispatchValue>> properties)
      : properties_(std::move(properties)) {}
  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    for (const auto& [name, value] : properties_) {
      if (!base::EqualsNoCase(method, name)) continue;
      if (HResult hr = NoArgs(args); hr != platform::kSOk) return hr;
      *result = value;
      return platform::kSOk;
    }
    return platform::kDispEUnknownName;
  }

 private:
  std::vector<std::pair<std::string, DispatchValue>> properties_;
};

// The session of this process, or none.
bool LoadSession(Session* session) {
  return Session::Load(platform::GetRegistry(), session) == platform::kOk;
}

class ApplicationObject final : public DispatchObject {
 public:
  explicit ApplicationObject(ModelPtr model) : model_(std::move(model)) {}
  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (HResult hr = NoArgs(args); hr != platform::kSOk) return hr;
    Session session;
    if (base::EqualsNoCase(method, "Version")) {
      *result = DispatchValue::String(model_->version);
    } else if (base::EqualsNoCase(method, "Name")) {
      *result = DispatchValue::String("Glintmere Host");
    } else if (base::EqualsNoCase(method, "CommandBars")) {
      *result = DispatchValue::Object(std::make_shared<CommandBarsObject>(model_));
    } else if (base::EqualsNoCase(method, "ActiveWeb")) {
      *result = DispatchValue();
      if (LoadSession(&session) && !session.web_folder.empty()) {
        *result = DispatchValue::Object(std::make_shared<PropertiesObject>(
            std::vector<std::pair<std::string, DispatchValue>>{
                {"Url", DispatchValue::String(FileUrlFromPath(session.web_folder))}}));
      }
    } else if (base::EqualsNoCase(method, "ActiveWebWindow")) {
      *result = DispatchValue();
      if (LoadSession(&session) && !session.web_folder.empty()) {
        *result = DispatchValue::Object(std::make_shared<PropertiesObject>(
            std::vector<std::pair<std::string, DispatchValue>>{
                {"ViewMode", DispatchValue::Int(model_->web_view_mode)}}));
      }
    } else if (base::EqualsNoCase(method, "ActivePageWindow")) {
      *result = DispatchValue();
      const std::string path = LoadSession(&session) ? session.PagePath() : std::string();
      if (!path.empty()) {
        // A page never written to disk is a new page: its address says so.
        const std::string url = platform::GetFiles().FileExists(path)
                                    ? FileUrlFromPath(path)
                                    : "unsaved:///" + session.page;
        auto document = std::make_shared<PropertiesObject>(
            std::vector<std::pair<std::string, DispatchValue>>{{"Url", DispatchValue::String(url)}});
        *result = DispatchValue::Object(std::make_shared<PropertiesObject>(
            std::vector<std::pair<std::string, DispatchValue>>{
                {"Document", DispatchValue::Object(document)},
                {"ViewMode", DispatchValue::Int(model_->page_view_mode)}}));
      }
    } else {
      return platform::kDispEUnknownName;
    }
    return platform::kSOk;
  }

 private:
  ModelPtr model_;
};

// The host popup's commands, and its anchor by version.
void FillMenuBar(Control& bar, const std::string& version) {
  Append(bar, MakeControl(30002, kPopup, "&File"));
  Append(bar, MakeControl(30003, kPopup, "&Edit"));
  Append(bar, MakeControl(30004, kPopup, "&View"));
  std::shared_ptr<Control> tools = MakeControl(kAddInMenuHostId, kPopup, "&Tools");
  Append(*tools, MakeControl(2, kButton, "&Spelling..."));
  Append(*tools, MakeControl(790, kButton, "T&hesaurus..."));
  const int anchor = version.starts_with('5') ? 5965 : version.starts_with('6') ? 7716 : 546;
  Append(*tools, MakeControl(anchor, kButton, "&Add-Ins..."));
  Append(*tools, MakeControl(522, kButton, "&Options..."));
  Append(bar, tools);
  Append(bar, MakeControl(30009, kPopup, "&Help"));
}

}  // namespace

namespace {
constexpr const char* kButtonEventMethods[] = {"Click"};
constexpr platform::EventInterface kHostEvents[] = {{kButtonEventsIid, kButtonEventMethods}};
}  // namespace

HostApplication::HostApplication(std::string version) : model_(std::make_shared<Model>()) {
  // Sinks connected over COM are called by the events' dispatch identifiers.
  platform::SetEventInterfaces(kHostEvents);
  model_->version = std::move(version);
  model_->menu_bar.type = kPopup;
  FillMenuBar(model_->menu_bar, model_->version);
  object_ = std::make_shared<ApplicationObject>(model_);
}

HostApplication::~HostApplication() { DropEventSinks(); }

const CommandBarControl& HostApplication::menu_bar() const { return model_->menu_bar; }

std::shared_ptr<CommandBarControl> HostApplication::FindByTag(std::string_view tag) const {
  return FindControlIn(model_->menu_bar, [&](const Control& c) { return c.tag == tag; });
}

std::shared_ptr<CommandBarControl> HostApplication::FindById(int id) const {
  return FindControlIn(model_->menu_bar, [&](const Control& c) { return c.id == id; });
}

bool HostApplication::Click(const std::shared_ptr<CommandBarControl>& button) {
  if (!button || button->deleted || button->type != kButton) return false;
  std::vector<std::shared_ptr<DispatchObject>> sinks;
  auto collect = [&sinks](const Control& control) {
    for (const auto& entry : control.sinks) {
      if (std::find(sinks.begin(), sinks.end(), entry.second) == sinks.end()) {
        sinks.push_back(entry.second);
      }
    }
  };
  if (button->tag.empty()) {
    collect(*button);
  } else {
    ForEachControl(model_->menu_bar, [&](Control& control) {
      if (control.type == kButton && control.tag == button->tag) collect(control);
    });
  }
  for (const std::shared_ptr<DispatchObject>& sink : sinks) {
    int16_t cancel_default = 0;
    std::vector<DispatchValue> args{DispatchValue::Object(ControlObject(model_, button)),
                                    DispatchValue::BoolRef(&cancel_default)};
    DispatchValue ignored;
    sink->Invoke("Click", args, &ignored);
  }
  return true;
}

void HostApplication::set_web_view_mode(int mode) { model_->web_view_mode = mode; }
void HostApplication::set_page_view_mode(int mode) { model_->page_view_mode = mode; }

void HostApplication::DropEventSinks() {
  ForEachControl(model_->menu_bar, [](Control& control) { control.sinks.clear(); });
}

namespace {

void PrintControls(const Control& popup, int level, std::string* out) {
  const std::string indent(static_cast<size_t>(level) * 2, ' ');
  for (const std::shared_ptr<Control>& control : popup.controls) {
    if (control->type == kPopup) {
      *out += indent + control->caption + "\n";
      PrintControls(*control, level + 1, out);
    } else {
      if (control->begin_group) *out += indent + "----\n";
      *out += indent + control->caption + "  [" + control->parameter + "]\n";
    }
  }
}

}  // namespace

std::string PrintMenu(const HostApplication& application, std::string_view tag) {
  const std::shared_ptr<Control> menu = application.FindByTag(tag);
  if (!menu) return "(no Glintmere menu)\n";
  std::string out = menu->caption + "\n";
  PrintControls(*menu, 1, &out);
  return out;
}

}  // namespace host
