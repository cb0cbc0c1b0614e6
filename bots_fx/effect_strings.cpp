// The strings of the text and image effects applets.
#include "bots_fx/effect_strings.h"

#include <algorithm>
#include <iterator>

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/file_dialogs.h"

namespace bots_fx {
namespace {

using botframe::Attributes;

constexpr base::KeywordRow kStyleRows[] = {{"Bold", "_bold"},
                                           {"Bold and Italic", "_bolditalic"},
                                           {"Italic", "_italic"},
                                           {"Plain", "_plain"}};
constexpr base::KeywordRow kHorizontalRows[] = {
    {"Center", "_center"}, {"Left", "_left"}, {"Right", "_right"}};
constexpr base::KeywordRow kVerticalRows[] = {
    {"Center", "_center"}, {"Top", "_top"}, {"Bottom", "_bottom"}};
constexpr base::KeywordRow kTextEffectRows[] = {
    {"None", "_noshadow"},
    {"Shadow", "_shadow"},
    {"Soft Shadow Bright", "_softshadowbright"},
    {"Soft Shadow Dark", "_softshadowdark"},
    {"Glow Bright", "_glowbright"},
    {"Glow Dark", "_glowdark"},
    {"Engrave", "_engrave"},
    {"Emboss", "_emboss"},
};
constexpr base::KeywordRow kImageEffectRows[] = {{"None", "_noshadow"}, {"Shadow", "_shadow"}};
constexpr base::KeywordRow kTextMotionRows[] = {
    {"From the Center", "_fromthecenter"},
    {"From the Left", "_fromtheleft"},
    {"From the Right", "_fromtheright"},
    {"From the Top", "_fromthetop"},
    {"From the Bottom", "_fromthebottom"},
    {"Every Other Horizontal", "_everyotherhorz"},
    {"Every Other Vertical", "_everyothervert"},
    {"Random Inside", "_randominside"},
    {"Random Outside", "_randomoutside"},
    {"Ticker Right", "_tickerright"},
    {"Ticker Bottom", "_tickerbottom"},
    {"Ticker Left", "_tickerleft"},
    {"Ticker Top", "_tickertop"},
    {"Static", "_static"},
    {"Fader", "_fader"},
    {"Typing", "_typing"},
    {"Engrave with Hammer", "_engravewithhammer"},
    {"Dissolve", "_dissolve"},
    {"Sparkle", "_sparkle"},
    {"Jitter", "_jitter"},
    {"Jitter Horizontal", "_jitterhorz"},
    {"Jitter Vertical", "_jittervert"},
    {"Changing Size", "_changingsize"},
};
// The image applet's motions are thirteen of the text applet's, in its order.
struct ImageMotionRows {
  base::KeywordRow rows[13];
};
constexpr ImageMotionRows PickImageMotions() {
  constexpr int kPicked[] = {0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 19, 20, 21};
  ImageMotionRows picked{};
  for (size_t i = 0; i < std::size(kPicked); ++i) picked.rows[i] = kTextMotionRows[kPicked[i]];
  return picked;
}
constexpr ImageMotionRows kImageMotionRows = PickImageMotions();

constexpr const char* kNoSound = botframe::kNoFileName;
// The numbers the page's boxes of kNumberChars characters can hold.
constexpr int kLargestNumber = 999999999;
constexpr int kSmallestOffset = -99999999;
// The font colour list has every table entry; the shadow list all but the
// first.
constexpr int kFontColourRows = botframe::kNamedColourCount;
constexpr int kShadowColourRows = botframe::kNamedColourCount - 1;

// Every attribute suffix an entry may have, of either variant, in the order
// the text variant writes them.
constexpr const char* kAllSuffixes[] = {
    "", "FontFace", "FontSize", "FontStyle", "Shadow", "ShadowColor",
    "ShadowColorTempShadowColor", "ShadowXOffset", "ShadowYOffset", "AlignX", "AlignXOffset",
    "AlignY", "AlignYOffset", "FontColor1", "FontColor1TempFontColor1", "FontColor2",
    "FontColor2TempFontColor2", "FontColor3", "FontColor3TempFontColor3", "FontColor4",
    "FontColor4TempFontColor4", "ColorDelay", "EntryHow", "EntryAnimStep", "EntryDelay",
    "EntrySound", "ExitHow", "ExitAnimStep", "ExitDelay", "ExitSound", "HoldTime", "RunDelay",
};

std::string Prefix(int index) { return base::Format("param-Text%d", index); }

// The entry's attributes: names formed from the entry's prefix.
class EntryAttributes {
 public:
  EntryAttributes(const Attributes& attributes, int index)
      : attributes_(attributes), prefix_(Prefix(index)) {}

  std::string Name(const std::string& suffix) const { return prefix_ + suffix; }
  std::optional<std::string> Get(const std::string& suffix) const {
    return attributes_.Get(Name(suffix).c_str());
  }
  std::string Text(const char* suffix) const { return Get(suffix).value_or(""); }
  // The decimal value (absent: 0) when within [low, high], else fallback.
  int Number(const std::string& suffix, int low, int high, int fallback) const {
    const int value = base::DecimalValue(Get(suffix).value_or("0"));
    return value >= low && value <= high ? value : fallback;
  }
  int Index(const std::string& suffix, size_t rows, int fallback) const {
    return Number(suffix, 0, static_cast<int>(rows) - 1, fallback);
  }
  int Time(const char* suffix, int fallback) const {
    return Number(suffix, 0, kLargestNumber, fallback);
  }
  botframe::Rgb Colour(const std::string& suffix) const {
    botframe::Rgb colour;
    botframe::ParseRgb(Get(suffix).value_or(""), &colour);
    return colour;
  }
  std::string Sound(const char* suffix) const {
    const std::optional<std::string> value = Get(suffix);
    if (!value || base::EqualsNoCase(*value, "none")) return kNoSound;
    const size_t slash = value->rfind('/');
    return slash == std::string::npos ? *value : value->substr(slash + 1);
  }

 private:
  const Attributes& attributes_;
  std::string prefix_;
};

std::string FontColourSuffix(int n) { return base::Format("FontColor%d", n); }
std::string CustomFontColourSuffix(int n) {
  return base::Format("FontColor%dTempFontColor%d", n, n);
}

// The hex of a font colour list index: empty for "Default".
std::string FontColourHex(const StringEntry& entry, int n) {
  const int index = entry.colours[static_cast<size_t>(n)];
  if (index == kDefaultColour) return "";
  if (index == kCustomFontColour) {
    return botframe::FormatRgb(entry.custom_colours[static_cast<size_t>(n)]);
  }
  const int32_t value = botframe::NamedColours()[static_cast<size_t>(index)].value;
  return botframe::FormatRgb(botframe::Rgb(static_cast<uint32_t>(value)));
}

// The first colour is never left empty.
std::string FirstColourHex(const StringEntry& entry) {
  const std::string hex = FontColourHex(entry, 0);
  return hex.empty() ? "000000" : hex;
}

std::string ShadowColourHex(const StringEntry& entry) {
  if (entry.shadow_colour == kCustomShadowColour) return botframe::FormatRgb(entry.custom_shadow);
  const int32_t value =
      botframe::NamedColours()[static_cast<size_t>(entry.shadow_colour) + 1].value;
  return botframe::FormatRgb(botframe::Rgb(static_cast<uint32_t>(value)));
}

std::string SoundField(const std::string& sound) { return sound == kNoSound ? "" : sound; }

const char* Keyword(const base::KeywordTable& table, int index) {
  return table[static_cast<size_t>(index)].keyword;
}

}  // namespace

const base::KeywordTable kStringStyles{kStyleRows};
const base::KeywordTable kHorizontalAlignments{kHorizontalRows};
const base::KeywordTable kVerticalAlignments{kVerticalRows};
const std::array<const char*, 6> kStringFonts{"TimesRoman", "Helvetica",   "Courier",
                                              "Dialog",     "DialogInput", "ZapfDingbats"};

const StringsVariant kTextStrings{kTextEffectRows, kTextMotionRows, 4, false, false, false};
const StringsVariant kImageStrings{kImageEffectRows, kImageMotionRows.rows, 1, true, true, true};

int StoredStringCount(const Attributes& attributes) {
  return std::clamp(attributes.CountOf("param-TextCount"), 0, kMostStrings);
}

StringEntry ReadStringEntry(const Attributes& attributes, const StringsVariant& variant,
                            int index) {
  const EntryAttributes stored(attributes, index);
  const StringEntry fallback;
  StringEntry entry;
  entry.text = stored.Text("");
  entry.font_face = stored.Text("FontFace");
  entry.font_size = stored.Time("FontSize", fallback.font_size);
  entry.style = stored.Index("FontStyle", kStringStyles.size(), fallback.style);
  entry.effect = stored.Index("Shadow", variant.effects.size(), fallback.effect);
  entry.shadow_colour = stored.Index("ShadowColor", kShadowColourRows, fallback.shadow_colour);
  if (entry.shadow_colour == kCustomShadowColour) {
    entry.custom_shadow = stored.Colour("ShadowColorTempShadowColor");
  }
  entry.shadow_x =
      stored.Number("ShadowXOffset", -kMostShadowOffset, kMostShadowOffset, fallback.shadow_x);
  entry.shadow_y =
      stored.Number("ShadowYOffset", -kMostShadowOffset, kMostShadowOffset, fallback.shadow_y);
  entry.align_x = stored.Index("AlignX", kHorizontalAlignments.size(), fallback.align_x);
  entry.align_x_offset = stored.Number("AlignXOffset", kSmallestOffset, kLargestNumber, 0);
  entry.align_y = stored.Index("AlignY", kVerticalAlignments.size(), fallback.align_y);
  entry.align_y_offset = stored.Number("AlignYOffset", kSmallestOffset, kLargestNumber, 0);
  for (int n = 1; n <= variant.colour_count; ++n) {
    const size_t at = static_cast<size_t>(n - 1);
    entry.colours[at] = stored.Index(FontColourSuffix(n), kFontColourRows, fallback.colours[at]);
    if (entry.colours[at] == kCustomFontColour) {
      entry.custom_colours[at] = stored.Colour(CustomFontColourSuffix(n));
    }
  }
  if (variant.colour_count > 1) {
    entry.colour_delay = stored.Time("ColorDelay", fallback.colour_delay);
  }
  entry.entry_motion = stored.Index("EntryHow", variant.motions.size(), fallback.entry_motion);
  entry.entry_delay = stored.Time("EntryDelay", fallback.entry_delay);
  entry.entry_sound = stored.Sound("EntrySound");
  entry.exit_motion = stored.Index("ExitHow", variant.motions.size(), fallback.exit_motion);
  entry.exit_delay = stored.Time("ExitDelay", fallback.exit_delay);
  entry.exit_sound = stored.Sound("ExitSound");
  if (variant.steps) {
    entry.entry_steps = stored.Time("EntryAnimStep", fallback.entry_steps);
    entry.exit_steps = stored.Time("ExitAnimStep", fallback.exit_steps);
  }
  entry.hold_time = stored.Time("HoldTime", fallback.hold_time);
  entry.run_delay = stored.Time("RunDelay", fallback.run_delay);
  return entry;
}

void DropNoSounds(Attributes& attributes, int count) {
  for (int index = 1; index <= count; ++index) {
    for (const char* suffix : {"EntrySound", "ExitSound"}) {
      const std::string name = Prefix(index) + suffix;
      const std::optional<std::string> value = attributes.Get(name.c_str());
      if (value && base::EqualsNoCase(*value, "none")) attributes.Remove(name.c_str());
    }
  }
}

void WriteStringEntry(Attributes& attributes, const StringsVariant& variant, int index,
                      const StringEntry& entry, const std::string& code_base) {
  const std::string prefix = Prefix(index);
  const auto set = [&](const std::string& suffix, const std::string& value) {
    attributes.Set(prefix + suffix, value);
  };
  const auto number = [&](const std::string& suffix, int value) {
    set(suffix, base::Format("%d", value));
  };
  // An optional attribute: written, or removed (a preview left one behind).
  const auto optional = [&](const std::string& suffix, bool written, const std::string& value) {
    if (written) {
      set(suffix, value);
    } else {
      attributes.Remove((prefix + suffix).c_str());
    }
  };
  const auto sound = [&](const char* suffix, const std::string& name) {
    optional(suffix, name != kNoSound, code_base + name);
  };
  set("", entry.text);
  set("FontFace", entry.font_face);
  number("FontSize", entry.font_size);
  number("FontStyle", entry.style);
  number("Shadow", entry.effect);
  number("ShadowColor", entry.shadow_colour);
  optional("ShadowColorTempShadowColor", entry.shadow_colour == kCustomShadowColour,
           botframe::FormatRgb(entry.custom_shadow));
  number("ShadowXOffset", entry.shadow_x);
  number("ShadowYOffset", entry.shadow_y);
  number("AlignX", entry.align_x);
  number("AlignXOffset", entry.align_x_offset);
  number("AlignY", entry.align_y);
  number("AlignYOffset", entry.align_y_offset);
  for (int n = 1; n <= variant.colour_count; ++n) {
    const size_t at = static_cast<size_t>(n - 1);
    number(FontColourSuffix(n), entry.colours[at]);
    const bool custom = entry.colours[at] == kCustomFontColour;
    // The image applet's single colour always has its custom attribute.
    if (variant.colour_count == 1) {
      optional(CustomFontColourSuffix(n), custom || entry.colours[at] == kDefaultColour,
               custom ? botframe::FormatRgb(entry.custom_colours[at]) : "000000");
    } else {
      optional(CustomFontColourSuffix(n), custom, botframe::FormatRgb(entry.custom_colours[at]));
    }
  }
  if (variant.colour_count > 1) number("ColorDelay", entry.colour_delay);
  number("EntryHow", entry.entry_motion);
  if (variant.steps) number("EntryAnimStep", entry.entry_steps);
  number("EntryDelay", entry.entry_delay);
  sound("EntrySound", entry.entry_sound);
  number("ExitHow", entry.exit_motion);
  if (variant.steps) number("ExitAnimStep", entry.exit_steps);
  number("ExitDelay", entry.exit_delay);
  sound("ExitSound", entry.exit_sound);
  number("HoldTime", entry.hold_time);
  number("RunDelay", entry.run_delay);
}

void RemoveStringEntry(Attributes& attributes, int index) {
  const std::string prefix = Prefix(index);
  for (const char* suffix : kAllSuffixes) attributes.Remove((prefix + suffix).c_str());
}

void WriteStringParams(std::string& out, Attributes& attributes, const StringsVariant& variant) {
  using botframe::WriteParam;
  if (variant.switchable && attributes.GetOr("param-UsesStrings", "").rfind('0', 0) == 0) {
    WriteParam(out, "TextCount", "1");
    WriteParam(out, "Text1", " ");
    return;
  }
  WriteParam(out, "TextCount", attributes.GetOr("param-TextCount", "0").c_str());
  const int count = StoredStringCount(attributes);
  for (int i = 1; i <= count; ++i) {
    const StringEntry e = ReadStringEntry(attributes, variant, i);
    const auto param = [&](const char* name, const std::string& value) {
      WriteParam(out, base::Format(name, i).c_str(), value.c_str());
    };
    param("Text%d", e.text);
    const char* style = Keyword(kStringStyles, e.style);
    const char* align_x = Keyword(kHorizontalAlignments, e.align_x);
    const char* align_y = Keyword(kVerticalAlignments, e.align_y);
    const char* effect = Keyword(variant.effects, e.effect);
    const std::string shadow = ShadowColourHex(e);
    // The image applet takes its one colour among the font's fields.
    const std::string colour = variant.colour_count == 1 ? FirstColourHex(e) + "|" : "";
    param("Font%d", base::Format("%s|%d|%s|%s%s,%d|%s,%d|%s,%s,%d,%d", e.font_face.c_str(),
                                 e.font_size, style, colour.c_str(), align_x, e.align_x_offset,
                                 align_y, e.align_y_offset, effect, shadow.c_str(), e.shadow_x,
                                 e.shadow_y));
    param("SoundEffect%d", SoundField(e.entry_sound) + "|" + SoundField(e.exit_sound));
    const auto motion = [&variant](int how, int steps, int delay) {
      const char* keyword = Keyword(variant.motions, how);
      return variant.steps ? base::Format("%s,%d,%d", keyword, steps, delay)
                           : base::Format("%s,%d", keyword, delay);
    };
    param("MotionEffect%d", motion(e.entry_motion, e.entry_steps, e.entry_delay) + "|" +
                                motion(e.exit_motion, e.exit_steps, e.exit_delay) +
                                base::Format("|%d|%d", e.hold_time, e.run_delay));
    if (variant.colour_count > 1) {
      param("Colors%d", base::Format("%d|%s,%s,%s,%s", e.colour_delay, FirstColourHex(e).c_str(),
                                     FontColourHex(e, 1).c_str(), FontColourHex(e, 2).c_str(),
                                     FontColourHex(e, 3).c_str()));
    }
  }
}

}  // namespace bots_fx
