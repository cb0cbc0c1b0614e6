// The image size readers behind "Size to Image" and the default background of
// a new bot: the width and height of a GIF or JPEG file.
#pragma once

#include <cstddef>
#include <string>

#include "botframe/image_header.h"

namespace botframe {

// Reads a GIF file's logical screen size from its first ten bytes, the only
// ones read. A file that cannot be read or does not start with "GIF" is a
// silent failure; *size stays as it was.
bool ReadGifSize(const std::string& path, ImageSize* size);

// How much of a JPEG file is read to find its size. The markers before the
// first scan (the frame header among them) are tables and application blocks
// of at most 64 KB each, so real files have them in the first few hundred
// kilobytes; the limit keeps a huge file from being read whole. A file whose
// first scan starts beyond it cannot be measured.
inline constexpr size_t kJpegHeaderLimit = 16 * 1024 * 1024;

// Reads a JPEG file's frame size through libjpeg's header reader, from the
// first kJpegHeaderLimit bytes of the file. On failure *size stays as it was
// and *message (when not null) holds why: "can't open <path>" when the file
// cannot be read, otherwise libjpeg's message.
bool ReadJpegSize(const std::string& path, ImageSize* size, std::string* message);

}  // namespace botframe
