// The image size readers on files, through the files service.
#include "botframe/image_size.h"

#include "platform/services.h"

namespace botframe {

bool ReadGifSize(const std::string& path, ImageSize* size) {
  // The signature, the version and the two size words: nothing after them
  // is looked at, so nothing after them is read.
  constexpr size_t kGifHeaderLength = 10;
  std::string bytes;
  if (platform::GetFiles().ReadFilePrefix(path, kGifHeaderLength, &bytes) != platform::kOk) {
    return false;
  }
  return ParseGifSize(bytes, size);
}

bool ReadJpegSize(const std::string& path, ImageSize* size, std::string* message) {
  std::string bytes;
  if (platform::GetFiles().ReadFilePrefix(path, kJpegHeaderLimit, &bytes) != platform::kOk) {
    if (message) *message = "can't open " + path;
    return false;
  }
  return ParseJpegSize(bytes, size, message);
}

}  // namespace botframe
