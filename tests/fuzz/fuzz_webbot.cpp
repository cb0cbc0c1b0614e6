// libFuzzer target: the webbot comment reader on any bytes. Every component
// it finds lies inside the page, in page order, its HTML between its two
// comments; a component composed from what was read reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/quoting.h"
#include "runner/webbot_comments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const std::vector<runner::WebbotComponent> found = runner::FindWebbotComponents(page);
  size_t previous = 0;
  for (const runner::WebbotComponent& component : found) {
    if (component.begin < previous || component.begin >= component.end || component.end > size ||
        component.html_begin < component.begin || component.html_end < component.html_begin ||
        component.html_end >= component.end) {
      std::abort();
    }
    if (page.substr(component.begin, 4) != "<!--") std::abort();
    previous = component.begin;
    // Written again as the product writes a comment, the attributes read
    // back unchanged.
    std::string bot;
    base::AppendEscapedAttributeValue(bot, component.bot);
    std::string again = "<!--webbot bot=\"" + bot + "\" startspan";
    // Names holding a quote, "=", white space or "<" cannot be written back.
    bool writable = true;
    for (const auto& [name, value] : component.attributes) {
      writable = writable && name.find_first_of("\"= \t\r\n<") == std::string::npos;
      again += " " + name;
      if (value) {
        again += "=\"";
        base::AppendEscapedAttributeValue(again, *value);
        again += "\"";
      }
    }
    again += " -->x<!--webbot bot=\"" + bot + "\" endspan -->";
    if (!writable || again.find("-->") < again.find(" -->x")) continue;
    const std::vector<runner::WebbotComponent> read = runner::FindWebbotComponents(again);
    if (read.size() != 1 || read[0].bot != component.bot ||
        read[0].attributes != component.attributes || read[0].Html(again) != "x") {
      std::abort();
    }
  }
  runner::AttributeEntries attributes;
  runner::ParseWebbotAttributes(page, &attributes);
  return 0;
}
