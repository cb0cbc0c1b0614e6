// libFuzzer target: the RTF reader on any bytes; what it reads, written and
// read again, must read back to the same text and write the same RTF.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "richtext/document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  richtext::Document document;
  document.SetText("before");
  std::string error;
  if (!document.ReadRtf(bytes, &error)) {
    // A refusal says why and leaves the document alone.
    if (error.empty() || document.Text() != "before") std::abort();
    return 0;
  }
  const std::string text = document.Text();
  if (document.Length() != static_cast<int>(text.size())) std::abort();
  const std::string rtf = document.WriteRtf();
  richtext::Document copy;
  if (!copy.ReadRtf(rtf, &error)) std::abort();
  if (copy.Text() != text || copy.LineCount() != document.LineCount()) std::abort();
  if (copy.WriteRtf() != rtf) std::abort();
  return 0;
}
