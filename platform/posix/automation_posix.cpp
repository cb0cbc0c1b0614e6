// The automation service on Linux: the lookup COM does for an in-process
// server, through the product's registry and module loader services.
//
//   HKCR\<ProgID>\CLSID                   (default) = "{...}"
//   HKCR\CLSID\{...}\InprocServer32       (default) = library path
//
// then the library's GlintmereCreateObject(clsid) makes the object. Failures
// report the HRESULTs Windows gives for the same situations:
//   ProgID unknown, or its CLSID malformed      kClassLookup   CO_E_CLASSSTRING
//   no InprocServer32 path for the class        kInstantiation REGDB_E_CLASSNOTREG
//   the library cannot be loaded                kInstantiation CO_E_DLLNOTFOUND
//   the library has no factory export           kInstantiation CO_E_ERRORINDLL
//   the factory does not make the class         kInstantiation REGDB_E_CLASSNOTREG
//
// Initialize does not have to precede Create here: every module of a process
// holds its own copy of this service, so a count of one module's calls could
// not tell whether the thread is initialised.
#include <cstdint>
#include <string>

#include "platform/com_registration.h"
#include "platform/services.h"
#include "platform/system_services.h"

namespace platform {
namespace {

constexpr HResult kSFalse = 1;  // S_FALSE: already initialised

// An object from a server library, which stays loaded while the object lives.
class LoadedObject final : public DispatchObject {
 public:
  LoadedObject(std::unique_ptr<Module> module, std::unique_ptr<DispatchObject> object)
      : module_(std::move(module)), object_(std::move(object)) {}
  ~LoadedObject() override {
    // The object's code is in the library: destroy it before unloading.
    object_.reset();
    module_.reset();
  }

  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    // As over COM, a method that gives no result leaves the caller none.
    if (result) *result = DispatchValue();
    return object_->Invoke(method, args, result);
  }
  HResult Put(std::string_view property, const DispatchValue& value) override {
    return object_->Put(property, value);
  }
  HResult Advise(const EventInterface& events, std::shared_ptr<DispatchObject> sink,
                 uint32_t* cookie) override {
    return object_->Advise(events, std::move(sink), cookie);
  }
  HResult Unadvise(const EventInterface& events, uint32_t cookie) override {
    return object_->Unadvise(events, cookie);
  }

 private:
  std::unique_ptr<Module> module_;
  std::unique_ptr<DispatchObject> object_;
};

class PosixAutomation final : public Automation {
 public:
  // Nested like OleInitialize: S_OK the first time on a thread, S_FALSE after.
  HResult Initialize() override { return depth_++ == 0 ? kSOk : kSFalse; }
  void Uninitialize() override {
    if (depth_ > 0) --depth_;
  }

  CreateResult Create(std::string_view prog_id) override {
    Registry& registry = GetRegistry();

    std::string clsid;
    // A ProgID naming a subkey ("A\B") is no ProgID; nor is a CLSID value
    // that would lead the lookup anywhere but to one key under CLSID.
    if (prog_id.empty() || prog_id.find('\\') != std::string_view::npos ||
        ReadString(registry, RootKey::kClassesRoot, std::string(prog_id) + "\\CLSID", "",
                   &clsid) != kOk ||
        !IsClassIdText(clsid)) {
      return Failed(CreateStage::kClassLookup, kCoEClassString);
    }

    std::string library;
    if (ReadString(registry, RootKey::kClassesRoot, "CLSID\\" + clsid + "\\InprocServer32", "",
                   &library) != kOk ||
        library.empty()) {
      return Failed(CreateStage::kInstantiation, kRegDbEClassNotReg);
    }

    Status status = kOk;
    std::unique_ptr<Module> module = GetModuleLoader().Load(library, &status);
    if (!module) return Failed(CreateStage::kInstantiation, kCoEDllNotFound);

    auto factory = reinterpret_cast<DispatchFactory>(
        module->FindExport(kDispatchFactoryExport, &status));
    if (!factory) return Failed(CreateStage::kInstantiation, kCoEErrorInDll);

    std::unique_ptr<DispatchObject> object(factory(clsid.c_str()));
    if (!object) return Failed(CreateStage::kInstantiation, kRegDbEClassNotReg);

    CreateResult created;
    created.object = std::make_unique<LoadedObject>(std::move(module), std::move(object));
    return created;
  }

 private:
  static CreateResult Failed(CreateStage stage, HResult error) {
    CreateResult result;
    result.failed_stage = stage;
    result.error = error;
    return result;
  }

  // Per thread, as OLE initialisation is.
  static thread_local int depth_;
};

thread_local int PosixAutomation::depth_ = 0;

}  // namespace

std::unique_ptr<Automation> CreateSystemAutomation() {
  return std::make_unique<PosixAutomation>();
}

}  // namespace platform
