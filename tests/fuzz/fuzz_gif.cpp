// libFuzzer target: the GIF header reader on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "botframe/image_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  botframe::ImageSize image{-1, -1};
  const bool read = botframe::ParseGifSize(bytes, &image);
  // A failure leaves the size; a success gives two 16-bit numbers.
  if (!read && (image.width != -1 || image.height != -1)) std::abort();
  if (read && (image.width < 0 || image.width > 65535 || image.height < 0 ||
               image.height > 65535)) {
    std::abort();
  }
  return 0;
}
