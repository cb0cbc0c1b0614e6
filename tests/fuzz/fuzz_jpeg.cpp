// libFuzzer target: the JPEG header reader (libjpeg) on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "botframe/image_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  botframe::ImageSize image{-1, -1};
  std::string message;
  const bool read = botframe::ParseJpegSize(bytes, &image, &message);
  // A failure leaves the size and says why; a success gives a frame size.
  if (!read && (image.width != -1 || image.height != -1 || message.empty())) std::abort();
  if (read && (image.width < 0 || image.width > 65535 || image.height < 0 ||
               image.height > 65535)) {
    std::abort();
  }
  return 0;
}
