// The messages the bot framework shows when FrontPage cannot be reached,
// written out here rather than taken from the product, so a changed text
// fails the tests that expect it.
#pragma once

namespace expected {

inline constexpr char kUnableToAccessFrontPage[] =
    "Unable to access FP OLE server.\nTo fix this problem, go to FP help menu and select\n"
    "\"Detect and Repair\" if you are running FP2000 or later.";

// As GMWebbotS3 shows it; GMWebbot's lacks the final full stop.
inline constexpr char kNoWebUrl[] =
    "Could not get Web URL from FP Explorer.\nPlease check if following conditions are met:\n"
    "- A valid FP web is opened (Tools->Web Settings menu item should be selectable).\n"
    "- A saved page is opened for editing in \"Normal\" mode.\n"
    "- The \"Page\" button in the View panel is selected.";

}  // namespace expected
