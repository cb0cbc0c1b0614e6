// Automation that hands out the stand-alone host's editor and Explorer objects
// in this process, either of which a test can withhold.
#pragma once

#include <memory>
#include <string_view>

#include "host/host_objects.h"
#include "platform/automation.h"

namespace botframe_test {

class InProcessHost : public platform::Automation {
 public:
  bool editor = true;
  bool explorer = true;
  platform::HResult Initialize() override { return platform::kSOk; }
  void Uninitialize() override {}
  platform::CreateResult Create(std::string_view prog_id) override {
    platform::CreateResult result;
    if (editor && prog_id == "FrontPage.Editor") {
      result.object = std::make_unique<host::EditorObject>();
    } else if (explorer && prog_id == "FrontPage.Explorer") {
      result.object = std::make_unique<host::ExplorerObject>();
    } else {
      result.failed_stage = platform::CreateStage::kClassLookup;
      result.error = platform::kCoEClassString;
    }
    return result;
  }
};

}  // namespace botframe_test
