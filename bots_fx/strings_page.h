// The "Strings" pages of the text effects and image effects bots: the list of
// strings the applet shows in turn and, for the selected one, its font,
// colours, character effect, alignment, motions, timings and sounds. The
// entry being edited lives in the controls until it is stored (before New,
// Up, Down, a change of selection, leaving the page and a preview). Both
// bots' pages are one class; CTextStringsPage and CImageStringsPage choose
// its variant.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "botframe/named_colours.h"
#include "botframe/web_bot_page.h"
#include "bots_fx/effect_strings.h"

namespace bots_fx {

class CEffectStringsPage : public botframe::CWebBotPage {
 public:
  // Control ids (the image page has the check box and the steps boxes, the
  // text page colours 2 to 4 and the colour delay).
  enum : int {
    kEnableId = 2301,
    kListId,
    kUpId,
    kDownId,
    kNewId,
    kRemoveId,
    kStringId,
    kFontId,
    kFontSizeId,
    kStyleId,
    kColour1Id,
    kColour2Id,
    kColour3Id,
    kColour4Id,
    kEffectId,
    kColourDelayId,
    kShadowColourId,
    kShadowXId,
    kShadowYId,
    kAlignXId,
    kAlignXOffsetId,
    kAlignYId,
    kAlignYOffsetId,
    kEntryHowId,
    kEntryStepsId,
    kEntryDelayId,
    kEntrySoundId,
    kExitHowId,
    kExitStepsId,
    kExitDelayId,
    kExitSoundId,
    kHoldTimeId,
    kRunDelayId,
    kPreviewId,
  };

  // "param-TextCount" entries (bounded), the "none" sounds removed from the
  // attributes, the sounds located or recorded as missing; for the image
  // page "Enable Strings Display" from "param-UsesStrings" (on when absent
  // or starting with "1").
  void LoadAttributes(botframe::Attributes* attributes) override;
  // "param-TextCount" (and "param-UsesStrings"), then, unless previewing,
  // every attribute of the entries the attributes held during this edit
  // call removed, then the entries in list order.
  void SaveAttributes() override;
  void WriteAppletParams(std::string& out, botframe::Attributes& attributes) override;

  // The entries as last stored, and the switch.
  const std::vector<StringEntry>& entries() const { return entries_; }
  bool strings_enabled() const { return enabled_; }
  const StringsVariant& variant() const { return variant_; }

 protected:
  CEffectStringsPage(botframe::EditContext& context, const ui::DialogSpec& spec,
                     const StringsVariant& variant);

  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnKillActive() override;
  void BindEvents() override;
  // Checks the number boxes (saving only: the page shows its entries itself).
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  int entry_count() const { return static_cast<int>(entries_.size()); }
  // The controls show entry row, which becomes the current one.
  void ShowEntry(int row);
  // The controls into the current entry and its list line; nothing when the
  // String box is empty.
  void StoreCurrentEntry();
  void AddEntry();
  void MoveEntry(int by);
  void OnNew();
  void OnRemove();
  void ChooseSound(int id);
  void ApplyEnabling();
  void UpdateRemoveButton();

  const StringsVariant& variant_;
  std::vector<StringEntry> entries_;
  bool enabled_ = true;
  // The most entries the attributes held during this edit call (loaded, or
  // written by a preview): a save that is no preview removes that many.
  int most_written_ = 0;
  int current_row_ = -1;
  std::array<botframe::ColourListState, 4> colour_lists_{
      botframe::ColourListState("Default"), botframe::ColourListState("Default"),
      botframe::ColourListState("Default"), botframe::ColourListState("Default")};
  botframe::ColourListState shadow_list_;
};

// The text effects bot's page (help topic "TAStrings").
class CTextStringsPage : public CEffectStringsPage {
 public:
  explicit CTextStringsPage(botframe::EditContext& context);
};

// The image effects bot's page (help topic "IAStrings").
class CImageStringsPage : public CEffectStringsPage {
 public:
  explicit CImageStringsPage(botframe::EditContext& context);
};

}  // namespace bots_fx
