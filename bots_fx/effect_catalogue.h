// The image effects bot's effects: the filter classes the master folder
// ships ("e" + name + ".class") and the catalogue "Effects.inf" beside its
// "_glintmere" folder, which gives each effect its caption, the captions,
// tooltips, activity and starting values of its two sliders, and the
// further files it needs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "botframe/edit_state.h"
#include "botframe/ini_file.h"

namespace bots_fx {

// The effect a new component starts with when the catalogue names none.
inline constexpr const char* kFallbackEffect = "Bubbles";
// The catalogue's file name in the master folder.
inline constexpr const char* kCatalogueName = "Effects.inf";
// At most this many "File%d" keys are read for one effect.
inline constexpr int kMostEffectFiles = 100;
// The starting value of a slider whose catalogue value is refused.
inline constexpr int kSliderFallback = 20;
inline constexpr int kSliderMaximum = 100;

// The names of the effects the master folder's "_glintmere" holds: every
// "e*.class" but "EffectsFilter.class", less the "e" and ".class", in the
// order the folder search gives. Empty without a master folder.
std::vector<std::string> FindEffects(const botframe::EditRunState& state);

// The class file of an effect: "e" + name + ".class".
std::string EffectClassFile(std::string_view effect);

// A slider's starting value from its catalogue text: 20 when the text holds
// an ASCII letter, a space, one of !@#$%^&*()_+|-=\`~,/<>? (with
// wide_refusal also :;'{}[]), or is negative; at most 100.
int SliderDefault(std::string_view text, bool wide_refusal);

// One of an effect's two further sliders as the catalogue describes it.
struct EffectSlider {
  std::string caption;
  bool active = true;
  std::string help;
  std::string default_text;  // as the catalogue gives it (SliderDefault)
};

class EffectCatalogue {
 public:
  // An empty catalogue: every key has its default.
  EffectCatalogue() = default;
  explicit EffectCatalogue(botframe::IniFile file) : file_(std::move(file)) {}
  // The master folder's catalogue (all defaults without one).
  static EffectCatalogue Load(const botframe::EditRunState& state);

  // "Name" of "DefaultEffect", or "Bubbles" when that is "0" or absent.
  std::string DefaultEffect() const;
  // "Name" of the effect's section, or the effect's name when that is "0"
  // or absent.
  std::string Caption(const std::string& effect) const;
  // The second (which = 1) or third (which = 2) slider of the effect.
  EffectSlider Slider(const std::string& effect, int which) const;
  // The effect's class file, then the values of "File1", "File2", ... up to
  // the first empty or absent one (at most kMostEffectFiles); a value that
  // is not one plain file name (a folder part, "..") is left out.
  std::vector<std::string> Files(const std::string& effect) const;

 private:
  botframe::IniFile file_;
};

}  // namespace bots_fx
