// The button bar bot: inserts a bar of navigation buttons that drives a
// scroller or presentation applet already on the page, chosen in the Button
// Bar Helper dialog. It has no property sheet; the bar's HTML goes into the
// page through the FrontPage editor, its style images into the web's
// "_buttonbar" folder.
#pragma once

#include <cstdint>

#include "botframe/bot_description.h"
#include "runner/bot_host.h"

namespace bots_s3 {

inline constexpr botframe::BotDescription kButtonBarDescription{
    .library = botframe::kGMWebbotS3Library,
    .sheet_title = "Glintmere Java Effects - Button Bar Helper",
    .applet_code = "",
    .class_file = "",
    .logo = "",
    .prefix = "BB",
    .component_name = "Glintmere Button Bar",
    .sheet_owned_by_foreground = true,
};

// One edit call of the button bar: 1 when the bar was inserted into the
// page, 0 otherwise (each failure has shown its message). Never throws.
int32_t RunButtonBarEdit(BotAttributeList* list, const BotHostCallbacks* host) noexcept;

}  // namespace bots_s3
