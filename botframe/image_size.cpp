// The image size readers on files, through the files service.
#include "botframe/image_size.h"

#include "platform/services.h"

namespace botframe {

bool ReadGifSize(const std::string& path, ImageSize* size) {
  std::string bytes;
  if (platform::GetFiles().ReadFile(path, &bytes) != platform::kOk) return false;
  return ParseGifSize(bytes, size);
}

bool ReadJpegSize(const std::string& path, ImageSize* size, std::string* message) {
  std::string bytes;
  if (platform::GetFiles().ReadFile(path, &bytes) != platform::kOk) {
    if (message) *message = "can't open " + path;
    return false;
  }
  return ParseJpegSize(bytes, size, message);
}

}  // namespace botframe
