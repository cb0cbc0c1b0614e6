// addinKelMenu: IDTExtensibility2 over the menu add-in.
#include "menu_addin/addin_class.h"

#include "base/text.h"
#include "menu_addin/kel_menu.h"

namespace menu_addin {
namespace {

using platform::DispatchValue;
using platform::HResult;

class AddInObject final : public platform::DispatchObject {
 public:
  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (result) *result = DispatchValue();
    if (method == "OnConnection") {
      // (Application, ConnectMode, AddInInst, custom)
      if (args.size() != 4) return platform::kDispEBadParamCount;
      menu_.OnConnection(args[0].object(), args[2]);
      return platform::kSOk;
    }
    if (method == "OnDisconnection") {
      // (RemoveMode, custom)
      if (args.size() != 2) return platform::kDispEBadParamCount;
      if (args[0].kind() != DispatchValue::Kind::kInt) return platform::kDispETypeMismatch;
      menu_.OnDisconnection(args[0].int_value());
      return platform::kSOk;
    }
    // OnAddInsUpdate, OnStartupComplete, OnBeginShutdown (custom): nothing.
    if (args.size() != 1) return platform::kDispEBadParamCount;
    return platform::kSOk;
  }

 private:
  KelMenu menu_;
};

constexpr const char* kExtensibilityMethods[] = {"OnConnection", "OnDisconnection",
                                                 "OnAddInsUpdate", "OnStartupComplete",
                                                 "OnBeginShutdown"};

std::unique_ptr<platform::DispatchObject> MakeAddIn() { return std::make_unique<AddInObject>(); }

constexpr platform::ServedClass kClasses[] = {
    {kAddInClsid, kAddInProgId, MakeAddIn, kExtensibilityMethods},
};

}  // namespace

std::span<const platform::ServedClass> AddInClasses() { return kClasses; }

}  // namespace menu_addin
