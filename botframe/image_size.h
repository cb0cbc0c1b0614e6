// The image size readers behind "Size to Image" and the default background of
// a new bot: the width and height of a GIF or JPEG file.
#pragma once

#include <string>

#include "botframe/image_header.h"

namespace botframe {

// Reads a GIF file's logical screen size. A file that cannot be read or does
// not start with "GIF" is a silent failure; *size stays as it was.
bool ReadGifSize(const std::string& path, ImageSize* size);

// Reads a JPEG file's frame size through libjpeg's header reader. On failure
// *size stays as it was and *message (when not null) holds why: "can't open
// <path>" when the file cannot be read, otherwise libjpeg's message.
bool ReadJpegSize(const std::string& path, ImageSize* size, std::string* message);

}  // namespace botframe
