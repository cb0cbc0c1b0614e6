// The two library profiles.
#include "botframe/profile.h"

namespace botframe {
namespace {

constexpr const char* kS3ExplorerProgIds[] = {"FrontPage.Explorer", "FrontPage.Explorer.3.0",
                                              "FrontPage.Explorer.4.0"};
constexpr const char* kFxExplorerProgIds[] = {"FrontPage.Explorer", "FrontPage.Explorer.3.0"};

constexpr LibraryProfile kS3{"GMWebbotS3",          "3.0.1",
                             kS3ExplorerProgIds,    " >",
                             true,                  true,
                             "java-Name",           {"KelScroll", "KelPresent"},
                             {"SA", "PA"},          true,
                             {"Glintmere Scroller Applet", "Glintmere Presentation Applet"},
                             "None",                true,
                             137,                   nullptr};
constexpr LibraryProfile kFx{"GMWebbot",            "2, 0, 0, 2",
                             kFxExplorerProgIds,    ">",
                             false,                 false,
                             "java-name",           {"KelText.class", "KelImage.class"},
                             {"TA", "IA"},          false,
                             {"Glintmere Text Effects Applet", "Glintmere Image Effects Applet"},
                             "Default",             false,
                             51,                    "Error!!!"};

const LibraryProfile*& Current() {
  static const LibraryProfile* profile = &kS3;
  return profile;
}

}  // namespace

const LibraryProfile& S3Profile() { return kS3; }
const LibraryProfile& FxProfile() { return kFx; }
const LibraryProfile& Profile() { return *Current(); }
void SetProfile(const LibraryProfile& profile) { Current() = &profile; }

}  // namespace botframe
