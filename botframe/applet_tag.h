// The applet tag writer: the HTML an applet bot puts into the page (its
// "S-HTML" attribute), built from the "java-" and "html-" attributes and the
// param tags the property pages write.
#pragma once

#include <span>
#include <string>

#include "botframe/attributes.h"

namespace botframe {

// What a property page contributes to the applet tag: its param tags. Every
// page of a sheet implements it (the default writes nothing).
class AppletParamSource {
 public:
  virtual ~AppletParamSource() = default;
  virtual void WriteAppletParams(std::string& out, Attributes& attributes) = 0;
};

}  // namespace botframe
