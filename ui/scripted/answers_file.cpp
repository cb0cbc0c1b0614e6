// Reading the answers file with nlohmann-json: every entry and step is
// checked when the file is read, so a typo is reported before any window
// opens; what can only be known once a window is shown (its controls) is
// reported by the driver with the same file, entry and step.
#include "ui/scripted/answers_file.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "base/text.h"
#include "platform/services.h"

namespace ui {
namespace {

using Json = nlohmann::json;

// A mistake in the file; the message says what and where.
struct BadAnswers {
  std::string message;
};

enum class Action {
  kPage, kType, kSelect, kCheck, kUncheck, kClick, kDoubleClick, kCheckRow, kUncheckRow,
  kSlider, kExpect, kSelectText,
};

struct ActionName {
  const char* name;
  Action action;
};
constexpr ActionName kActions[] = {
    {"page", Action::kPage},           {"type", Action::kType},
    {"select", Action::kSelect},       {"check", Action::kCheck},
    {"uncheck", Action::kUncheck},     {"click", Action::kClick},
    {"press", Action::kClick},         {"double_click", Action::kDoubleClick},
    {"check_row", Action::kCheckRow},  {"uncheck_row", Action::kUncheckRow},
    {"slider", Action::kSlider},       {"expect", Action::kExpect},
    {"select_text", Action::kSelectText},
};

struct Step {
  Action action = Action::kClick;
  std::string name;  // as written
  std::optional<ControlRef> control;
  std::string page;
  std::optional<std::string> text, item, selected;
  std::optional<int> index, position, start, end;
  std::optional<bool> checked, enabled, visible;
  std::optional<std::vector<std::string>> items;
};

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string Joined(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + Quote(texts[i]);
  return out + "]";
}

// The readers below take the place in the file for their messages.
std::string String(const Json& value, const std::string& where, const char* key) {
  if (!value.is_string()) throw BadAnswers{where + ": \"" + key + "\" must be a string"};
  return value.get<std::string>();
}

int Integer(const Json& value, const std::string& where, const char* key) {
  if (!value.is_number_integer() || value.get<long long>() < INT32_MIN ||
      value.get<long long>() > INT32_MAX) {
    throw BadAnswers{where + ": \"" + key + "\" must be a whole number"};
  }
  return value.get<int>();
}

bool Boolean(const Json& value, const std::string& where, const char* key) {
  if (!value.is_boolean()) throw BadAnswers{where + ": \"" + key + "\" must be true or false"};
  return value.get<bool>();
}

std::vector<std::string> Strings(const Json& value, const std::string& where, const char* key) {
  if (!value.is_array()) throw BadAnswers{where + ": \"" + key + "\" must be a list of strings"};
  std::vector<std::string> out;
  for (const Json& item : value) {
    if (!item.is_string()) throw BadAnswers{where + ": \"" + key + "\" must be a list of strings"};
    out.push_back(item.get<std::string>());
  }
  return out;
}

ControlRef Control(const Json& value, const std::string& where, const char* key) {
  if (value.is_string()) return ControlRef(value.get<std::string>());
  if (value.is_number_integer()) return ControlRef(Integer(value, where, key));
  throw BadAnswers{where + ": \"" + key + "\" must name a control by its caption or its id"};
}

void OnlyKeys(const Json& object, const std::set<std::string>& allowed, const std::string& where) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (!allowed.count(it.key())) throw BadAnswers{where + ": unknown key " + Quote(it.key())};
  }
}

Step ReadStep(const Json& json, const std::string& where) {
  if (!json.is_object()) throw BadAnswers{where + ": a step must be an object such as {\"click\": \"OK\"}"};
  Step step;
  bool found = false;
  for (const ActionName& known : kActions) {
    if (!json.contains(known.name)) continue;
    if (found) throw BadAnswers{where + ": a step does one thing; " + Quote(step.name) + " and " +
                                Quote(known.name) + " are both given"};
    found = true;
    step.action = known.action;
    step.name = known.name;
  }
  if (!found) {
    const std::string first = json.empty() ? std::string("nothing") : Quote(json.begin().key());
    throw BadAnswers{where + ": unknown step " + first};
  }
  const std::string at = where + " (" + step.name + ")";
  const Json& target = json.at(step.name);
  switch (step.action) {
    case Action::kPage:
      OnlyKeys(json, {"page"}, at);
      step.page = String(target, at, "page");
      break;
    case Action::kType:
      OnlyKeys(json, {"type", "text"}, at);
      step.control = Control(target, at, "type");
      if (!json.contains("text")) throw BadAnswers{at + ": \"text\" is missing"};
      step.text = String(json.at("text"), at, "text");
      break;
    case Action::kSelect:
      // Several items of a multiple-selection list, or one item.
      if (json.contains("items")) {
        OnlyKeys(json, {"select", "items"}, at);
        step.control = Control(target, at, "select");
        step.items = Strings(json.at("items"), at, "items");
        break;
      }
      [[fallthrough]];
    case Action::kDoubleClick:
    case Action::kCheckRow:
    case Action::kUncheckRow:
      OnlyKeys(json, {step.name, "item", "index"}, at);
      step.control = Control(target, at, step.name.c_str());
      if (json.contains("item") == json.contains("index")) {
        throw BadAnswers{at + (step.action == Action::kSelect
                                   ? ": give \"item\" (its text), \"index\" (from 0) or "
                                     "\"items\" (several texts)"
                                   : ": give either \"item\" (its text) or \"index\" (from 0)")};
      }
      if (json.contains("item")) step.item = String(json.at("item"), at, "item");
      if (json.contains("index")) step.index = Integer(json.at("index"), at, "index");
      break;
    case Action::kCheck:
    case Action::kUncheck:
    case Action::kClick:
      OnlyKeys(json, {step.name}, at);
      step.control = Control(target, at, step.name.c_str());
      break;
    case Action::kSlider:
      OnlyKeys(json, {"slider", "position"}, at);
      step.control = Control(target, at, "slider");
      if (!json.contains("position")) throw BadAnswers{at + ": \"position\" is missing"};
      step.position = Integer(json.at("position"), at, "position");
      break;
    case Action::kSelectText:
      OnlyKeys(json, {"select_text", "start", "end"}, at);
      step.control = Control(target, at, "select_text");
      if (!json.contains("start")) throw BadAnswers{at + ": \"start\" is missing"};
      step.start = Integer(json.at("start"), at, "start");
      step.end = json.contains("end") ? Integer(json.at("end"), at, "end") : -1;
      break;
    case Action::kExpect:
      OnlyKeys(json, {"expect", "text", "checked", "enabled", "visible", "items", "selected"}, at);
      step.control = Control(target, at, "expect");
      if (json.contains("text")) step.text = String(json.at("text"), at, "text");
      if (json.contains("checked")) step.checked = Boolean(json.at("checked"), at, "checked");
      if (json.contains("enabled")) step.enabled = Boolean(json.at("enabled"), at, "enabled");
      if (json.contains("visible")) step.visible = Boolean(json.at("visible"), at, "visible");
      if (json.contains("items")) step.items = Strings(json.at("items"), at, "items");
      if (json.contains("selected")) step.selected = String(json.at("selected"), at, "selected");
      if (json.size() == 1) {
        throw BadAnswers{at + ": say what to expect (text, checked, enabled, visible, items, selected)"};
      }
      break;
  }
  return step;
}

std::string ShowBool(const bool& value) { return value ? "true" : "false"; }
std::string ShowList(const std::vector<std::string>& texts) { return Joined(texts); }

void RunStep(ScriptedWindow& window, const Step& step) {
  const ControlRef& control = *step.control;
  switch (step.action) {
    case Action::kPage: window.SelectPage(step.page); break;
    case Action::kType: window.Type(control, *step.text); break;
    case Action::kSelect:
      if (step.items) window.SelectItems(control, *step.items);
      else if (step.item) window.Select(control, *step.item);
      else window.Select(control, *step.index);
      break;
    case Action::kCheck: window.Check(control, true); break;
    case Action::kUncheck: window.Check(control, false); break;
    case Action::kClick: window.Click(control); break;
    case Action::kDoubleClick:
      if (step.item) window.DoubleClick(control, *step.item);
      else window.DoubleClick(control, *step.index);
      break;
    case Action::kCheckRow:
    case Action::kUncheckRow: {
      const bool checked = step.action == Action::kCheckRow;
      if (step.item) window.CheckRow(control, *step.item, checked);
      else window.CheckRow(control, *step.index, checked);
      break;
    }
    case Action::kSlider: window.MoveSlider(control, *step.position); break;
    case Action::kSelectText: window.SelectRange(control, *step.start, *step.end); break;
    case Action::kExpect: {
      if (!window.Has(control)) {
        window.Text(control);  // reports the missing control
        return;
      }
      // A mismatch fails the window, so the steps after it are skipped and
      // the window is cancelled rather than confirmed.
      auto mismatch = [&](const char* what, const std::string& expected, const std::string& actual) {
        window.Fail("expected " + control.Describe() + " " + what + " " + expected + ", found " +
                    actual);
      };
      if (step.text && window.Text(control) != *step.text) {
        mismatch("text", Quote(*step.text), Quote(window.Text(control)));
      }
      if (step.checked && window.IsChecked(control) != *step.checked) {
        mismatch("checked", ShowBool(*step.checked), ShowBool(window.IsChecked(control)));
      }
      if (step.enabled && window.IsEnabled(control) != *step.enabled) {
        mismatch("enabled", ShowBool(*step.enabled), ShowBool(window.IsEnabled(control)));
      }
      if (step.visible && window.IsVisible(control) != *step.visible) {
        mismatch("visible", ShowBool(*step.visible), ShowBool(window.IsVisible(control)));
      }
      if (step.items && window.Items(control) != *step.items) {
        mismatch("items", ShowList(*step.items), ShowList(window.Items(control)));
      }
      if (step.selected && window.SelectedItem(control) != *step.selected) {
        mismatch("selected", Quote(*step.selected), Quote(window.SelectedItem(control)));
      }
      break;
    }
  }
}

// Adds one entry of the file to the pending list.
using Pending = std::vector<std::function<void(Driver&)>>;

void ReadEntry(const Json& json, const std::string& name, size_t number, Pending* pending) {
  const std::string where = name + ": entry " + std::to_string(number);
  if (!json.is_object()) throw BadAnswers{where + ": an entry must be an object"};
  const int kinds = static_cast<int>(json.contains("dialog")) + json.contains("sheet") +
                    json.contains("message") + json.contains("colour") + json.contains("color") +
                    json.contains("files");
  if (kinds != 1) {
    throw BadAnswers{where + ": an entry is one of \"dialog\" (or \"sheet\"), \"message\", "
                             "\"colour\" or \"files\""};
  }
  if (json.contains("dialog") || json.contains("sheet")) {
    const char* key = json.contains("dialog") ? "dialog" : "sheet";
    OnlyKeys(json, {key, "steps"}, where);
    const std::string caption = String(json.at(key), where, key);
    const std::string origin = where + " (" + key + " " + Quote(caption) + ")";
    auto steps = std::make_shared<std::vector<Step>>();
    if (json.contains("steps")) {
      const Json& list = json.at("steps");
      if (!list.is_array()) throw BadAnswers{origin + ": \"steps\" must be a list"};
      for (size_t i = 0; i < list.size(); ++i) {
        steps->push_back(ReadStep(list[i], origin + ", step " + std::to_string(i + 1)));
      }
    }
    pending->push_back([caption, origin, steps](Driver& driver) {
      Driver* target = &driver;
      driver.Expect(caption, [target, origin, steps](ScriptedWindow& window) {
        // Errors of a step name the file, the entry and the step; a window
        // the step opens says its own while its steps run.
        const std::string outer = target->context();
        for (size_t i = 0; i < steps->size() && !window.failed(); ++i) {
          const Step& step = (*steps)[i];
          target->SetContext(origin + ", step " + std::to_string(i + 1) + " (" + step.name + ")");
          RunStep(window, step);
        }
        target->SetContext(outer);
      }, origin);
    });
    return;
  }
  if (json.contains("message")) {
    OnlyKeys(json, {"message", "caption", "answer"}, where);
    const std::string text = String(json.at("message"), where, "message");
    const std::string caption = json.contains("caption") ? String(json.at("caption"), where, "caption") : "";
    if (!json.contains("answer")) throw BadAnswers{where + ": \"answer\" is missing"};
    Answer answer = Answer::kOk;
    const std::string answer_name = String(json.at("answer"), where, "answer");
    if (!ParseAnswerName(answer_name, &answer)) {
      throw BadAnswers{where + ": unknown answer " + Quote(answer_name) +
                       " (OK, Cancel, Abort, Retry, Ignore, Yes or No)"};
    }
    const std::string origin = where + " (message " + Quote(text) + ")";
    pending->push_back([caption, text, answer, origin](Driver& driver) {
      driver.ExpectMessage(caption, text, answer, origin);
    });
    return;
  }
  if (json.contains("colour") || json.contains("color")) {
    const char* key = json.contains("colour") ? "colour" : "color";
    OnlyKeys(json, {key}, where);
    const std::string value = String(json.at(key), where, key);
    std::optional<Colour> colour;
    if (!base::EqualsNoCase(value, "cancel")) {
      unsigned rgb = 0;
      bool valid = value.size() == 7 && value[0] == '#';
      for (size_t i = 1; valid && i < value.size(); ++i) {
        const char c = value[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        valid = digit >= 0;
        rgb = rgb * 16 + static_cast<unsigned>(digit);
      }
      if (!valid) throw BadAnswers{where + ": the colour must be \"#RRGGBB\" or \"cancel\""};
      colour = base::ToBgr(base::RgbColour(rgb));
    }
    const std::string origin = where + " (colour)";
    pending->push_back([colour, origin](Driver& driver) { driver.ExpectColour(colour, origin); });
    return;
  }
  OnlyKeys(json, {"files", "caption"}, where);
  const std::vector<std::string> paths = Strings(json.at("files"), where, "files");
  const std::string caption = json.contains("caption") ? String(json.at("caption"), where, "caption") : "";
  const std::string origin = where + " (files)";
  pending->push_back([caption, paths, origin](Driver& driver) {
    driver.ExpectFiles(caption, paths, origin);
  });
}

}  // namespace

bool ParseAnswers(const std::string& text, const std::string& name, Driver* driver,
                  std::string* error) {
  try {
    Json document;
    try {
      document = Json::parse(text, nullptr, /*allow_exceptions=*/true, /*ignore_comments=*/true);
    } catch (const Json::parse_error& e) {
      // "[json.exception.parse_error.101] parse error at line 3, ..." reads
      // better without its tag.
      std::string what = e.what();
      if (const size_t tag_end = what.find("] "); tag_end != std::string::npos) {
        what = what.substr(tag_end + 2);
      }
      throw BadAnswers{name + ": not valid JSON: " + what};
    }
    const Json* entries = &document;
    std::optional<bool> default_cancel;
    if (document.is_object()) {
      OnlyKeys(document, {"answers", "default"}, name);
      if (!document.contains("answers")) throw BadAnswers{name + ": \"answers\" is missing"};
      entries = &document.at("answers");
      if (document.contains("default")) {
        const std::string value = String(document.at("default"), name, "default");
        if (!base::EqualsNoCase(value, "ok") && !base::EqualsNoCase(value, "cancel")) {
          throw BadAnswers{name + ": \"default\" must be \"OK\" or \"Cancel\""};
        }
        default_cancel = base::EqualsNoCase(value, "cancel");
      }
    }
    if (!entries->is_array()) {
      throw BadAnswers{name + ": the answers must be a list of entries"};
    }
    Pending pending;
    for (size_t i = 0; i < entries->size(); ++i) ReadEntry((*entries)[i], name, i + 1, &pending);
    // Only a file read whole changes the driver.
    for (const auto& add : pending) add(*driver);
    if (default_cancel) driver->SetDefaultCancel(*default_cancel);
    return true;
  } catch (const BadAnswers& bad) {
    if (error) *error = bad.message;
  } catch (const std::exception& e) {
    if (error) *error = name + ": " + e.what();
  }
  return false;
}

bool LoadAnswersFile(const std::string& path, Driver* driver, std::string* error) {
  std::string text;
  if (const platform::Status status = platform::GetFiles().ReadFile(path, &text);
      status != platform::kOk) {
    if (error) {
      *error = path + ": cannot be read (" +
               (status == platform::kFileNotFound || status == platform::kPathNotFound
                    ? std::string("no such file")
                    : "error " + std::to_string(status)) +
               ")";
    }
    return false;
  }
  return ParseAnswers(text, path, driver, error);
}

}  // namespace ui
