// The width and height of a GIF or JPEG image held in memory, read from its
// header alone.
#pragma once

#include <string>
#include <string_view>

namespace botframe {

struct ImageSize {
  int width = 0;
  int height = 0;
};

// Reads the logical screen size of a GIF image: "GIF" and three version bytes
// of any value, followed by two 16-bit little-endian words. Anything else, or
// fewer than ten bytes, is a silent failure that leaves *size as it was.
bool ParseGifSize(std::string_view bytes, ImageSize* size);

// Reads the frame size of a JPEG image with libjpeg's header reader (markers
// up to the first scan; no pixel data is decoded and nothing the size of the
// image is allocated). Every libjpeg error is a failure that leaves *size as it
// was and puts the library's message text in *message (when not null). An
// image wider or taller than libjpeg decodes (65500 pixels) is still measured:
// its frame header is whole and the size it declares is the answer.
bool ParseJpegSize(std::string_view bytes, ImageSize* size, std::string* message);

}  // namespace botframe
