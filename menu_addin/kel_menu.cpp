// The Glintmere menu add-in: menu build, click and disconnection.
#include "menu_addin/kel_menu.h"

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "base/numbers.h"
#include "base/path.h"
#include "base/text.h"
#include "menu_addin/menu_rules.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "runner/kelrtl.h"
#include "ui/message_box.h"

namespace menu_addin {
namespace {

using platform::DispatchObject;
using platform::DispatchValue;
using platform::HResult;

constexpr const char* kLoadingError = "Error occured while loading Glintmere menu:";
constexpr const char* kCommandError = "Error occured while executing command:";
constexpr const char* kEvaluationError = "Error occured while evaluating the command.";
constexpr const char* kMenuCaptionOfErrors = "Glintmere Menu";
// The result of a requirement check that could not read the host's state.
constexpr int kStateUnreadable = -7;

constexpr const char* kButtonEventMethods[] = {"Click"};
constexpr platform::EventInterface kButtonEventsInterface = {kButtonEventsIid,
                                                             kButtonEventMethods};

// A failure with the description the user is shown.
class AddInError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string DescribeFailure(HResult hr) {
  switch (hr) {
    case platform::kDispEUnknownName:
    case platform::kDispEMemberNotFound:
      return "Object doesn't support this property or method";
    case platform::kDispETypeMismatch: return "Type mismatch";
    case platform::kDispEBadParamCount:
      return "Wrong number of arguments or invalid property assignment";
    case platform::kEOutOfMemory: return "Out of memory";
    default: return base::Format("Automation error %08X", static_cast<unsigned>(hr));
  }
}

DispatchValue Call(DispatchObject& object, std::string_view name,
                   std::initializer_list<DispatchValue> given = {}) {
  std::vector<DispatchValue> args(given);
  DispatchValue result;
  const HResult hr = object.Invoke(name, args, &result);
  if (!platform::Succeeded(hr)) throw AddInError(DescribeFailure(hr));
  return result;
}

void Put(DispatchObject& object, std::string_view name, const DispatchValue& value) {
  const HResult hr = object.Put(name, value);
  if (!platform::Succeeded(hr)) throw AddInError(DescribeFailure(hr));
}

std::shared_ptr<DispatchObject> ObjectOf(const DispatchValue& value) {
  if (!value.object()) throw AddInError("Object variable or With block variable not set");
  return value.object();
}

std::shared_ptr<DispatchObject> CallObject(DispatchObject& object, std::string_view name,
                                           std::initializer_list<DispatchValue> given = {}) {
  return ObjectOf(Call(object, name, given));
}

std::string Text(const DispatchValue& value) {
  switch (value.kind()) {
    case DispatchValue::Kind::kString: return value.text();
    case DispatchValue::Kind::kEmpty: return std::string();
    case DispatchValue::Kind::kInt: return std::to_string(value.int_value());
    case DispatchValue::Kind::kBool: return value.bool_value() ? "True" : "False";
    default: throw AddInError("Type mismatch");
  }
}

int32_t Number(const DispatchValue& value) {
  if (value.kind() == DispatchValue::Kind::kString) {
    const std::optional<int64_t> number = base::WholeNumber(value.text(), INT32_MIN, INT32_MAX);
    if (!number) throw AddInError("Type mismatch");
    return static_cast<int32_t>(*number);
  }
  if (value.kind() == DispatchValue::Kind::kObject || value.kind() == DispatchValue::Kind::kBoolRef) {
    throw AddInError("Type mismatch");
  }
  return value.AsInt();
}

const std::string& Field(const std::vector<std::string>& fields, size_t index) {
  if (index >= fields.size()) throw AddInError("Subscript out of range");
  return fields[index];
}

void ShowCritical(const std::string& text, const std::string& caption) {
  ui::ShowMessage(text, caption, ui::Buttons::kOk, ui::Icon::kError);
}

// The program settings of the add-in (application "KelMenu").
std::string GetSetting(const std::string& section, const std::string& key) {
  std::string value;
  if (platform::ReadString(platform::GetRegistry(), platform::RootKey::kCurrentUser,
                           std::string(kSettingsKey) + "\\" + section, key,
                           &value) != platform::kOk) {
    return kNoValue;
  }
  return value;
}

std::vector<std::string> AllSettingNames(const std::string& section) {
  std::vector<std::string> names;
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::GetRegistry().OpenKey(platform::RootKey::kCurrentUser,
                                      std::string(kSettingsKey) + "\\" + section,
                                      &key) != platform::kOk ||
      key->ListValues(&names) != platform::kOk) {
    return {};
  }
  std::erase(names, std::string());
  return names;
}

// Adds a temporary control of the type to a popup's controls, before the
// position when one is given.
std::shared_ptr<DispatchObject> AddControl(DispatchObject& popup, int type,
                                           std::optional<int> before = std::nullopt) {
  const std::shared_ptr<DispatchObject> controls = CallObject(popup, "Controls");
  const DispatchValue result =
      Call(*controls, "Add",
           {DispatchValue::Int(type), DispatchValue(), DispatchValue(),
            before ? DispatchValue::Int(*before) : DispatchValue(), DispatchValue::Bool(true)});
  return result.object();
}

// The folder of this add-in's own library, without a trailing separator.
std::string OwnFolder() {
  static const int anchor = 0;
  std::string folder =
      base::FolderOf(platform::GetModuleLoader().PathOfModuleContaining(&anchor));
  while (folder.size() > 1 && base::IsPathSeparator(folder.back()) &&
         !(folder.size() == 3 && folder[1] == ':')) {
    folder.pop_back();
  }
  return folder;
}

// KelRTL's export, bound by name as a declared import of "KelRTL" is: the
// library beside the add-in, else wherever the system finds it.
void* KelRtlExport(const char* name, std::unique_ptr<platform::Module>* library) {
  platform::ModuleLoader& loader = platform::GetModuleLoader();
  platform::Status status = platform::kOk;
  const std::string beside = OwnFolder();
  if (!beside.empty()) *library = loader.Load(beside + "\\KelRTL.dll", &status);
  if (!*library) *library = loader.Load("KelRTL.dll", &status);
  if (!*library) throw AddInError("File not found: KelRTL");
  void* address = (*library)->FindExport(name, &status);
  if (!address) throw AddInError(std::string("Can't find DLL entry point ") + name + " in KelRTL");
  return address;
}

}  // namespace

const platform::EventInterface& ButtonEvents() { return kButtonEventsInterface; }

// Receives the click of every button the add-in made (they share one tag).
class KelMenu::Sink final : public DispatchObject {
 public:
  explicit Sink(KelMenu* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (result) *result = DispatchValue();
    if (!base::EqualsNoCase(method, "Click")) return platform::kDispEUnknownName;
    if (args.size() != 2) return platform::kDispEBadParamCount;
    if (owner_) owner_->OnClick(args[0]);
    return platform::kSOk;
  }

 private:
  KelMenu* owner_;
};

KelMenu::KelMenu() : sink_(std::make_shared<Sink>(this)) {}

KelMenu::~KelMenu() {
  StopWatching();
  sink_->Detach();
}

void KelMenu::OnConnection(std::shared_ptr<DispatchObject> application,
                           const DispatchValue& add_in) {
  application_ = std::move(application);
  prog_id_.clear();
  try {
    if (add_in.object()) prog_id_ = Text(Call(*add_in.object(), "ProgId"));
    BuildMenu();
  } catch (const std::exception& e) {
    ShowCritical(std::string(kLoadingError) + "\n" + e.what(), kMenuCaptionOfErrors);
  }
}

void KelMenu::BuildMenu() {
  if (!application_) throw AddInError("Object variable or With block variable not set");
  DispatchObject& app = *application_;
  const std::optional<int> anchor = AnchorId(Text(Call(app, "Version")));
  const std::shared_ptr<DispatchObject> bars = CallObject(app, "CommandBars");
  const std::shared_ptr<DispatchObject> host =
      Call(*bars, "FindControl", {DispatchValue(), DispatchValue::Int(kHostPopupId)}).object();
  if (!host) return;

  const std::shared_ptr<DispatchObject> controls = CallObject(*host, "Controls");
  const int32_t count = Number(Call(*controls, "Count"));
  int32_t position = count + 1;
  if (anchor) {
    for (int32_t i = 1; i <= count; ++i) {
      const std::shared_ptr<DispatchObject> control =
          CallObject(*controls, "Item", {DispatchValue::Int(i)});
      if (Number(Call(*control, "Id")) == *anchor) {
        position = Number(Call(*control, "Index")) + 1;
        break;
      }
    }
  }

  const std::shared_ptr<DispatchObject> menu = AddControl(*host, kControlPopup, position);
  if (!menu) return;
  std::string taken;
  const int32_t now = Number(Call(*controls, "Count"));
  for (int32_t i = 1; i <= now; ++i) {
    const std::shared_ptr<DispatchObject> control =
        CallObject(*controls, "Item", {DispatchValue::Int(i)});
    if (const std::optional<char> key = AcceleratorOf(Text(Call(*control, "Caption")))) {
      taken += *key;
    }
  }
  Put(*menu, "Caption", DispatchValue::String(WithAccelerator(kMenuCaption, taken)));
  Put(*menu, "Tag", DispatchValue::String(kMenuTag));

  item_count_ = 0;
  // An error in the products leaves what was built, as any build error does;
  // only a menu that never got a command goes again.
  try {
    AddProducts(*menu);
  } catch (...) {
    if (item_count_ == 0) Call(*menu, "Delete");
    throw;
  }
  if (item_count_ == 0) Call(*menu, "Delete");
}

void KelMenu::AddProducts(DispatchObject& menu) {
  for (const std::string& product : AllSettingNames(kProductsSection)) {
    const std::string details = GetSetting(product, "Details");
    if (details == kNoValue) continue;
    const std::vector<std::string> fields = SplitFields(details);
    if (Field(fields, 1).empty()) continue;
    const std::shared_ptr<DispatchObject> submenu = AddControl(menu, kControlPopup);
    if (!submenu) throw AddInError("Object variable or With block variable not set");
    Put(*submenu, "Caption", DispatchValue::String(fields[1]));
    if (fields.size() > 2) Put(*submenu, "TooltipText", DispatchValue::String(fields[2]));
    AddItems(*submenu, product);
  }
}

void KelMenu::AddItems(DispatchObject& submenu, const std::string& product) {
  bool separator = false;
  for (uint64_t n = 1;; ++n) {
    const std::string item = GetSetting(product, "Item" + std::to_string(n));
    if (item == kNoValue) break;
    const std::vector<std::string> fields = SplitFields(item);
    if (fields[0] == "-") {
      separator = true;
      continue;
    }
    Field(fields, 1);  // an item of one field is an error in the settings
    const std::optional<std::string> parameter = ItemParameter(fields);
    if (!parameter) continue;
    const std::shared_ptr<DispatchObject> button = AddControl(submenu, kControlButton);
    if (!button) throw AddInError("Object variable or With block variable not set");
    Put(*button, "Caption", DispatchValue::String(fields[1]));
    Put(*button, "TooltipText", DispatchValue::String(fields[2]));
    Put(*button, "Tag", DispatchValue::String(kItemTag));
    if (separator) Put(*button, "BeginGroup", DispatchValue::Bool(true));
    Put(*button, "Parameter", DispatchValue::String(*parameter));
    Put(*button, "OnAction", DispatchValue::String("!<" + prog_id_ + ">"));
    WatchButton(button);
    separator = false;
    ++item_count_;
  }
}

void KelMenu::WatchButton(std::shared_ptr<DispatchObject> button) {
  StopWatching();
  uint32_t cookie = 0;
  const HResult hr = button->Advise(kButtonEventsInterface, sink_, &cookie);
  if (!platform::Succeeded(hr)) throw AddInError(DescribeFailure(hr));
  watched_button_ = std::move(button);
  cookie_ = cookie;
}

void KelMenu::StopWatching() {
  if (!watched_button_) return;
  watched_button_->Unadvise(kButtonEventsInterface, cookie_);
  watched_button_.reset();
  cookie_ = 0;
}

void KelMenu::OnDisconnection(int32_t remove_mode) {
  StopWatching();
  if (!application_) return;
  try {
    DispatchObject& app = *application_;
    if (!KeepsMenuAtDisconnection(Text(Call(app, "Version")), remove_mode)) {
      const std::shared_ptr<DispatchObject> bars = CallObject(app, "CommandBars");
      const std::shared_ptr<DispatchObject> menu =
          Call(*bars, "FindControl",
               {DispatchValue(), DispatchValue(), DispatchValue::String(kMenuTag)})
              .object();
      if (menu) Call(*menu, "Delete");
    }
  } catch (...) {
    // Errors at disconnection are ignored.
  }
  application_.reset();
}

int KelMenu::EvaluateRequirement(const std::string& code) {
  HostState state;
  try {
    if (!application_) throw AddInError("Object variable or With block variable not set");
    DispatchObject& app = *application_;
    state.web_open = Call(app, "ActiveWeb").object() != nullptr;
    if (state.web_open) {
      state.web_in_page_view =
          Number(Call(*CallObject(app, "ActiveWebWindow"), "ViewMode")) == kWebViewPage;
    }
    const std::shared_ptr<DispatchObject> window = Call(app, "ActivePageWindow").object();
    if (window) {
      const std::string address = Text(Call(*CallObject(*window, "Document"), "Url"));
      state.page = IsUnsavedAddress(address) ? PageState::kUnsaved : PageState::kSaved;
      state.normal_mode = Number(Call(*window, "ViewMode")) == kPageViewNormal;
    }
  } catch (const std::exception&) {
    ShowCritical(kEvaluationError, kMenuCaption);
    return kStateUnreadable;
  }
  return RequirementResult(code, state);
}

void KelMenu::OnClick(const DispatchValue& control) {
  try {
    const std::vector<std::string> fields =
        base::Split(Text(Call(*ObjectOf(control), "Parameter")), ',');
    const int result = EvaluateRequirement(Field(fields, 1));
    if (result != 0) {
      ShowCritical(RequirementMessage(result), kMenuCaption);
      return;
    }
    RunCommand(fields);
  } catch (const std::exception& e) {
    ShowCritical(std::string(kCommandError) + "\n" + e.what(), kMenuCaptionOfErrors);
  }
}

void KelMenu::RunCommand(const std::vector<std::string>& fields) {
  const std::string& kind = fields[0];
  std::unique_ptr<platform::Module> kelrtl;
  if (kind == "1") {
    const std::string version = Text(Call(*application_, "Version"));
    const std::optional<bool> insert = TruthValue(Field(fields, 4));
    if (!insert) throw AddInError("Type mismatch");
    auto run_bot = reinterpret_cast<RunBotFunctionFn>(KelRtlExport("RunBotFunction", &kelrtl));
    run_bot(version.c_str(), Field(fields, 2).c_str(), Field(fields, 3).c_str(),
            *insert ? 1 : 0);
  } else if (kind == "2") {
    platform::ShellRequest request;
    request.file = Field(fields, 2);
    request.parameters = OpenArguments(fields);
    request.directory = OwnFolder();
    request.show = true;
    platform::GetShell().Execute(request);
  } else if (kind == "3") {
    auto run_dll = reinterpret_cast<RunDllFunctionFn>(KelRtlExport("RunDllFunction", &kelrtl));
    run_dll(Field(fields, 2).c_str(), Field(fields, 3).c_str());
  }
}

}  // namespace menu_addin
