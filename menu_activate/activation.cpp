// Activation of a product description file.
#include "menu_activate/activation.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/text.h"
#include "menu_activate/reg_key.h"
#include "platform/services.h"

namespace menu_activate {
namespace {

using platform::RootKey;

constexpr char kProductsSection[] = "_Products";
constexpr size_t kMaxValueChars = 4095;
constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kCompanyKey[] = "Software\\Kel Software";

std::string WithoutTrailingBackslash(std::string text) {
  if (!text.empty() && text.back() == '\\') text.pop_back();
  return text;
}

void ReplaceAll(std::string& text, std::string_view placeholder, const std::string& value) {
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
}

// A product key names a registry key of its own beside "_Products".
bool UsableKey(const std::string& key) {
  return key.size() <= kMaxKeyLength && !base::EqualsNoCase(key, kProductsSection) &&
         std::none_of(key.begin(), key.end(), [](char c) {
           return c == '\\' || static_cast<unsigned char>(c) < 0x20;
         });
}

// "Item" followed by a decimal number.
bool IsItemName(std::string_view name) {
  if (name.size() <= 4 || !base::StartsWithNoCase(name, "Item")) return false;
  return std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ItemName(size_t number) { return "Item" + std::to_string(number); }

}  // namespace

bool ProductFile::Load(const std::string& path, ProductFile* file) {
  platform::Files& files = platform::GetFiles();
  std::string text;
  if (!files.FileExists(path) ||
      files.ReadFileUpTo(path, kMaxProductFileSize, &text) != platform::kOk) {
    return false;
  }
  file->ini_ = botframe::IniFile::Parse(text);
  return true;
}

std::string ProductFile::Value(std::string_view section, std::string_view key) const {
  std::string value(base::Trim(ini_.GetString(section, key, "", kMaxValueChars)));
  const size_t nul = value.find('\0');
  if (nul != std::string::npos) value.resize(nul);
  return value;
}

std::string ProductFile::Title() const { return Value(kProductsSection, "Title"); }

Placeholders ReadPlaceholders(const ProductFile& file, platform::Registry& registry) {
  Placeholders placeholders;
  placeholders.prog_files = WithoutTrailingBackslash(
      ReadSetting(registry, RootKey::kLocalMachine, kWindowsKey, "ProgramFilesDir"));
  placeholders.company = WithoutTrailingBackslash(file.Value(kProductsSection, "Company"));
  placeholders.fp_path = WithoutTrailingBackslash(file.Value(kProductsSection, "FPPath"));
  placeholders.kel_common = WithoutTrailingBackslash(
      ReadSetting(registry, RootKey::kLocalMachine, kCompanyKey, "CommonPath"));
  return placeholders;
}

std::string ReplacePlaceholders(std::string item, const Placeholders& placeholders) {
  ReplaceAll(item, "#ProgFiles#", placeholders.prog_files);
  ReplaceAll(item, "#Company#", placeholders.company);
  ReplaceAll(item, "#FPPath#", placeholders.fp_path);
  ReplaceAll(item, "#KelCommon#", placeholders.kel_common);
  return item;
}

bool PrepareProduct(const std::string& path, platform::Registry& registry,
                    ProductSettings* settings) {
  ProductFile file;
  if (!ProductFile::Load(path, &file)) return false;
  const Placeholders placeholders = ReadPlaceholders(file, registry);

  ProductSettings prepared;
  prepared.key = file.Value(kProductsSection, "Key");
  if (prepared.key.empty() || !UsableKey(prepared.key)) return false;
  prepared.details = file.Value(prepared.key, "Details");
  if (prepared.details.empty()) return false;
  const int count = base::DecimalValue(file.Value(prepared.key, "Count"));
  if (count <= 0 || count > kMaxItemCount) return false;
  for (int i = 1; i <= count; ++i) {
    std::string item = file.Value(prepared.key, ItemName(i));
    if (item.empty()) continue;
    item = ReplacePlaceholders(std::move(item), placeholders);
    if (item.size() > kMaxItemLength) return false;
    prepared.items.push_back(std::move(item));
  }
  *settings = std::move(prepared);
  return true;
}

bool WriteProduct(const ProductSettings& settings, platform::Registry& registry) {
  RegKey key(registry);
  key.SetKey(std::string(kSettingsKey) + "\\" + kProductsSection);
  bool written = key.SetValue(settings.key, settings.key);
  key.SetKey(std::string(kSettingsKey) + "\\" + settings.key);
  written = key.SetValue("Details", settings.details) && written;
  for (size_t i = 0; i < settings.items.size(); ++i) {
    written = key.SetValue(ItemName(i + 1), settings.items[i]) && written;
  }
  // The add-in reads items up to the first missing number, so items an
  // earlier activation wrote beyond these would still show.
  for (const auto& [name, data] : key.AllValues()) {
    if (!IsItemName(name)) continue;
    const int64_t number = base::WholeNumber(std::string_view(name).substr(4), 1, INT32_MAX)
                               .value_or(0);
    const bool current = number >= 1 && static_cast<size_t>(number) <= settings.items.size() &&
                         name.substr(4) == std::to_string(number);
    if (!current) written = key.DeleteValue(name) && written;
  }
  return written;
}

bool RegisterAddIn(platform::Registry& registry) {
  RegKey key(registry);
  key.SetKey(kAddInKey);
  bool written = key.SetValue("CommandLineSafe", int64_t{0});
  written = key.SetValue("Description", std::string("KelMenu add-in for FrontPage")) && written;
  written = key.SetValue("FriendlyName", std::string("KelMenu")) && written;
  written = key.SetValue("LoadBehavior", int64_t{3}) && written;
  return written;
}

std::string ActivationReport::Text() const {
  std::string text;
  if (!succeeded.empty()) text = "KelMenu successfully activated for:\n" + succeeded;
  if (!failed.empty()) {
    if (!text.empty()) text += "\n";
    text += "KelMenu activation failed for:\n" + failed;
  }
  return text;
}

ActivationReport ActivateProducts(const std::vector<ProductRequest>& requests,
                                  platform::Registry& registry) {
  ActivationReport report;
  report.add_in_registered = RegisterAddIn(registry);
  for (const ProductRequest& request : requests) {
    ProductFile file;
    std::string title = ProductFile::Load(request.path, &file) ? file.Title() : std::string();
    if (title.empty()) title = "(" + request.name + ")";
    ProductSettings settings;
    const bool activated =
        PrepareProduct(request.path, registry, &settings) && WriteProduct(settings, registry);
    (activated ? report.succeeded : report.failed) += "  -  " + title + "\n";
  }
  return report;
}

}  // namespace menu_activate
