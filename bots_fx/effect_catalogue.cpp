// The effect filters and their catalogue.
#include "bots_fx/effect_catalogue.h"

#include "base/numbers.h"
#include "base/path.h"
#include "base/text.h"
#include "platform/services.h"

namespace bots_fx {
namespace {

constexpr const char* kSharedFilter = "EffectsFilter.class";
constexpr std::string_view kClassSuffix = ".class";

// Lengths the catalogue's values are read to.
constexpr size_t kLongestCaption = 255;
constexpr size_t kLongestActive = 5;
constexpr size_t kLongestDefault = 4;
constexpr size_t kLongestFileName = 259;

}  // namespace

std::vector<std::string> FindEffects(const botframe::EditRunState& state) {
  std::vector<std::string> effects;
  if (state.master_folder.empty()) return effects;
  std::vector<std::string> names;
  if (platform::GetFiles().FindFiles(state.master_folder + "_glintmere", "e*.class", &names) !=
      platform::kOk) {
    return effects;
  }
  for (const std::string& name : names) {
    if (base::EqualsNoCase(name, kSharedFilter)) continue;
    if (name.size() <= 1 + kClassSuffix.size()) continue;  // "e.class": no name
    effects.push_back(name.substr(1, name.size() - 1 - kClassSuffix.size()));
  }
  return effects;
}

std::string EffectClassFile(std::string_view effect) {
  return "e" + std::string(effect) + std::string(kClassSuffix);
}

int SliderDefault(std::string_view text, bool wide_refusal) {
  static constexpr std::string_view kRefused = " !@#$%^&*()_+|-=\\`~,/<>?";
  static constexpr std::string_view kAlsoRefused = ":;'{}[]";
  for (const char c : text) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letter || kRefused.find(c) != std::string_view::npos ||
        (wide_refusal && kAlsoRefused.find(c) != std::string_view::npos)) {
      return kSliderFallback;
    }
  }
  const int value = base::DecimalValue(text);
  if (value < 0) return kSliderFallback;
  return value > kSliderMaximum ? kSliderMaximum : value;
}

EffectCatalogue EffectCatalogue::Load(const botframe::EditRunState& state) {
  if (state.master_folder.empty()) return EffectCatalogue();
  return EffectCatalogue(botframe::IniFile::Load(state.master_folder + kCatalogueName));
}

std::string EffectCatalogue::DefaultEffect() const {
  std::string name = file_.GetString("DefaultEffect", "Name", "0", kLongestCaption);
  return name == "0" ? kFallbackEffect : name;
}

std::string EffectCatalogue::Caption(const std::string& effect) const {
  std::string caption = file_.GetString(effect, "Name", "0", kLongestCaption);
  return caption == "0" ? effect : caption;
}

EffectSlider EffectCatalogue::Slider(const std::string& effect, int which) const {
  const bool first = which == 1;
  const char* p = first ? "P1" : "P2";
  const auto key = [p](const char* name) { return std::string(p) + name; };
  EffectSlider slider;
  slider.caption = file_.GetString(effect, key("Name"), first ? "Filter Speed" : "Intensity",
                                   kLongestCaption);
  slider.active = !base::EqualsNoCase(file_.GetString(effect, key("Active"), "True", kLongestActive),
                                      "False");
  slider.help = file_.GetString(effect, key("Help"),
                                first ? "Number of steps in the animation (Typ:5-30)."
                                      : "Intensity of the effect(Typ:20-100).",
                                kLongestCaption);
  slider.default_text = file_.GetString(effect, key("Default"), "20", kLongestDefault);
  return slider;
}

std::vector<std::string> EffectCatalogue::Files(const std::string& effect) const {
  std::vector<std::string> files{EffectClassFile(effect)};
  for (int i = 1; i <= kMostEffectFiles; ++i) {
    const std::string name =
        file_.GetString(effect, base::Format("File%d", i), "", kLongestFileName);
    if (name.empty()) break;
    // The catalogue names files of the master folder's "_glintmere" only.
    if (base::IsPlainFileName(name)) files.push_back(name);
  }
  return files;
}

}  // namespace bots_fx
