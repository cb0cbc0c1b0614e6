// Small, valid GIF, JPEG and BMP files made in code for the picture tests:
// two colours, one above the other, so scaling, placement and orientation
// show in the pixels.
#pragma once

#include <cstdint>
#include <string>

namespace image_files {

struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

// An image whose rows above `split` are `top` and the rest `bottom`.
struct TwoTone {
  int width;
  int height;
  int split;
  Rgb top;
  Rgb bottom;
};

// A GIF89a file of the image. With `transparent_top`, the top colour's
// pixels are transparent instead.
std::string Gif(const TwoTone& image, bool transparent_top = false);

// A baseline JFIF file of the image. Width, height and split must be
// multiples of 8: each 8x8 block is one colour, which the DC coefficient
// alone carries, so decoding gives the colours back to within rounding.
std::string Jpeg(const TwoTone& image);

// A 24-bit uncompressed BMP file of the image.
std::string Bmp(const TwoTone& image);

}  // namespace image_files
