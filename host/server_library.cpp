// GlintmereHost: the library that serves the host's editor and Explorer
// objects, as a COM in-process server on Windows and through the factory
// export on Linux.
#include "host/host_objects.h"
#include "platform/dispatch_server.h"

namespace {

const bool registered = [] {
  platform::SetServedClasses(host::HostClasses());
  return true;
}();

}  // namespace

GLINTMERE_DISPATCH_SERVER_EXPORTS();
