// Activation of the menu add-in's products: a product description file
// (KelMenu-*.ini) is copied into the per-user program settings the add-in
// reads, with the installation paths filled in, and the add-in is registered
// with FrontPage. Everything for one product is read and checked before
// anything of it is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "botframe/ini_file.h"
#include "platform/registry.h"

namespace menu_activate {

// The description files' names in the utility's folder.
inline constexpr char kProductFilePattern[] = "KelMenu-*.ini";
// The caption of the utility's windows and message boxes.
inline constexpr char kActivateCaption[] = "Activate KelMenu";

// Where the add-in is registered with FrontPage, and where its settings live
// (under HKEY_CURRENT_USER).
inline constexpr char kAddInKey[] = "Software\\Microsoft\\Office\\FrontPage\\addins\\KelMenu.addinKelMenu";
inline constexpr char kSettingsKey[] = "Software\\VB and VBA Program Settings\\KelMenu";

// Limits on what one description file may ask for; beyond them the product
// fails to activate and nothing of it is written.
inline constexpr size_t kMaxProductFileSize = 1 << 20;
inline constexpr int kMaxItemCount = 1000;
inline constexpr size_t kMaxItemLength = 32767;  // after the placeholders
inline constexpr size_t kMaxKeyLength = 255;     // a registry key name

// One description file, read as the system's private-profile functions read
// it.
class ProductFile {
 public:
  // False when the file cannot be read (missing, a folder, larger than
  // kMaxProductFileSize).
  static bool Load(const std::string& path, ProductFile* file);
  // The value of key in section (both without regard to case): at most 4095
  // characters, trimmed, cut at the first NUL; empty when absent.
  std::string Value(std::string_view section, std::string_view key) const;
  // "Title" of "_Products".
  std::string Title() const;

 private:
  botframe::IniFile ini_;
};

// What the placeholders of the items stand for.
struct Placeholders {
  std::string prog_files;  // "#ProgFiles#"
  std::string company;     // "#Company#"
  std::string fp_path;     // "#FPPath#"
  std::string kel_common;  // "#KelCommon#"
};

// The placeholders of a file: the two installation folders from the
// registry and the file's own values, each without one trailing backslash.
Placeholders ReadPlaceholders(const ProductFile& file, platform::Registry& registry);

// item with every occurrence of each placeholder replaced (case-sensitive),
// in the order "#ProgFiles#", "#Company#", "#FPPath#", "#KelCommon#".
std::string ReplacePlaceholders(std::string item, const Placeholders& placeholders);

// What activating one product writes.
struct ProductSettings {
  std::string key;
  std::string details;
  std::vector<std::string> items;  // the non-empty ones, placeholders replaced
};

// Reads and checks one product: false when the file cannot be read, lacks
// "Key" or "Details", has no positive "Count", or exceeds the limits above.
bool PrepareProduct(const std::string& path, platform::Registry& registry,
                    ProductSettings* settings);

// Writes the product key into "_Products", then "Details" and the items as
// "Item1" onward, and deletes the "Item" values an earlier activation left
// beyond them. False when a write fails.
bool WriteProduct(const ProductSettings& settings, platform::Registry& registry);

// Registers the add-in with FrontPage (loaded at start, command-line safe
// off); false when a value could not be written.
bool RegisterAddIn(platform::Registry& registry);

// One file to activate: its path, and its name as given (the report shows
// it in parentheses when the file has no title).
struct ProductRequest {
  std::string path;
  std::string name;
};

struct ActivationReport {
  std::string succeeded;  // "  -  Title\n" lines
  std::string failed;
  bool add_in_registered = false;

  bool AllSucceeded() const { return failed.empty() && add_in_registered; }
  // The text the utility shows at its end.
  std::string Text() const;
};

// Registers the add-in and activates each file in order.
ActivationReport ActivateProducts(const std::vector<ProductRequest>& requests,
                                  platform::Registry& registry);

}  // namespace menu_activate
