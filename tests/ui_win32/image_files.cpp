// Encoders for the test images: just enough of each format for images of
// two flat colours.
#include "tests/ui_win32/image_files.h"

#include <cstdlib>
#include <vector>

namespace image_files {
namespace {

void PutLe16(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutLe32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutBe16(std::string& out, int value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

void PutBytes(std::string& out, std::initializer_list<int> bytes) {
  for (int byte : bytes) out += static_cast<char>(byte);
}

// Appends codes of any width, least significant bit first (GIF's order).
class LsbBitWriter {
 public:
  void Put(unsigned code, int width) {
    for (int i = 0; i < width; ++i) {
      if (bit_ == 0) bytes_.push_back(0);
      if (code & (1u << i)) bytes_.back() = static_cast<char>(bytes_.back() | (1 << bit_));
      bit_ = (bit_ + 1) % 8;
    }
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int bit_ = 0;
};

// Appends codes most significant bit first, stuffing a zero after every
// 0xFF (JPEG's entropy-coded data).
class MsbBitWriter {
 public:
  void Put(unsigned code, int width) {
    for (int i = width - 1; i >= 0; --i) {
      current_ = static_cast<uint8_t>((current_ << 1) | ((code >> i) & 1u));
      if (++count_ == 8) Flush();
    }
  }
  // Pads the last byte with one bits, as the format asks.
  std::string Finish() {
    while (count_ != 0) Put(1, 1);
    return bytes_;
  }

 private:
  void Flush() {
    bytes_ += static_cast<char>(current_);
    if (current_ == 0xFF) bytes_ += '\0';
    current_ = 0;
    count_ = 0;
  }
  std::string bytes_;
  uint8_t current_ = 0;
  int count_ = 0;
};

}  // namespace

std::string Gif(const TwoTone& image, bool transparent_top) {
  std::string out = "GIF89a";
  PutLe16(out, image.width);
  PutLe16(out, image.height);
  // A global table of four colours (two used), background index 0.
  PutBytes(out, {0x91, 0, 0});
  for (const Rgb& colour : {image.top, image.bottom, Rgb{0, 0, 0}, Rgb{0, 0, 0}}) {
    PutBytes(out, {colour.red, colour.green, colour.blue});
  }
  if (transparent_top) {
    // Graphic control extension: index 0 is transparent.
    PutBytes(out, {0x21, 0xF9, 4, 0x01, 0, 0, 0, 0});
  }
  out += ',';
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, image.width);
  PutLe16(out, image.height);
  out += '\0';
  // LZW with a minimum code size of 2: a clear code before every pixel
  // keeps the table from growing, so every code stays 3 bits wide.
  constexpr unsigned kClear = 4;
  constexpr unsigned kEnd = 5;
  out += '\x02';
  LsbBitWriter codes;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      codes.Put(kClear, 3);
      codes.Put(y < image.split ? 0 : 1, 3);
    }
  }
  codes.Put(kEnd, 3);
  const std::string& data = codes.bytes();
  for (size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    out += static_cast<char>(block.size());
    out += block;
  }
  out += '\0';
  out += ';';
  return out;
}

std::string Jpeg(const TwoTone& image) {
  std::string out;
  PutBytes(out, {0xFF, 0xD8});
  // JFIF marker: the three components are YCbCr.
  PutBytes(out, {0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
  // One quantisation table of ones: the DC coefficients pass unchanged.
  PutBytes(out, {0xFF, 0xDB, 0, 67, 0});
  out.append(64, '\x01');
  // Frame: 8 bits, three components, no subsampling, table 0.
  PutBytes(out, {0xFF, 0xC0, 0, 17, 8});
  PutBe16(out, image.height);
  PutBe16(out, image.width);
  PutBytes(out, {3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0});
  // DC table: categories 0..11, each a 4-bit code equal to the category.
  PutBytes(out, {0xFF, 0xC4, 0, 31, 0x00, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  for (int category = 0; category < 12; ++category) out += static_cast<char>(category);
  // AC table: only end-of-block, the one-bit code 0.
  PutBytes(out, {0xFF, 0xC4, 0, 20, 0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  PutBytes(out, {0xFF, 0xDA, 0, 12, 3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0});

  // The DC coefficient of a flat block is 8 * (value - 128).
  auto components = [](const Rgb& c) {
    const double y = 0.299 * c.red + 0.587 * c.green + 0.114 * c.blue;
    const double cb = 128 - 0.168736 * c.red - 0.331264 * c.green + 0.5 * c.blue;
    const double cr = 128 + 0.5 * c.red - 0.418688 * c.green - 0.081312 * c.blue;
    std::vector<int> dc;
    for (double value : {y, cb, cr}) dc.push_back(8 * (static_cast<int>(value + 0.5) - 128));
    return dc;
  };
  const std::vector<int> top = components(image.top);
  const std::vector<int> bottom = components(image.bottom);
  MsbBitWriter bits;
  int previous[3] = {0, 0, 0};
  for (int y = 0; y < image.height; y += 8) {
    for (int x = 0; x < image.width; x += 8) {
      const std::vector<int>& dc = y < image.split ? top : bottom;
      for (int c = 0; c < 3; ++c) {
        const int diff = dc[c] - previous[c];
        previous[c] = dc[c];
        int category = 0;
        while ((std::abs(diff) >> category) != 0) ++category;
        bits.Put(static_cast<unsigned>(category), 4);
        // Negative differences are sent as diff - 1 in `category` bits.
        const int extra = diff >= 0 ? diff : diff + (1 << category) - 1;
        if (category) bits.Put(static_cast<unsigned>(extra), category);
        bits.Put(0, 1);  // end of block
      }
    }
  }
  out += bits.Finish();
  PutBytes(out, {0xFF, 0xD9});
  return out;
}

std::string Bmp(const TwoTone& image) {
  const int row_bytes = (image.width * 3 + 3) / 4 * 4;
  const auto pixel_bytes = static_cast<uint32_t>(row_bytes * image.height);
  std::string out = "BM";
  PutLe32(out, 14 + 40 + pixel_bytes);
  PutLe32(out, 0);
  PutLe32(out, 14 + 40);
  PutLe32(out, 40);
  PutLe32(out, static_cast<uint32_t>(image.width));
  PutLe32(out, static_cast<uint32_t>(image.height));  // positive: bottom row first
  PutLe16(out, 1);
  PutLe16(out, 24);
  PutLe32(out, 0);  // uncompressed
  PutLe32(out, pixel_bytes);
  PutLe32(out, 2835);  // 72 dots per inch
  PutLe32(out, 2835);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const Rgb& colour = y < image.split ? image.top : image.bottom;
    std::string row;
    for (int x = 0; x < image.width; ++x) PutBytes(row, {colour.blue, colour.green, colour.red});
    row.resize(static_cast<size_t>(row_bytes), '\0');
    out += row;
  }
  return out;
}

}  // namespace image_files
