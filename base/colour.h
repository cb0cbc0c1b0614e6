// The two ways the product writes a colour in 32 bits, as distinct types so
// that one is never taken for the other: BgrColour is 0x00BBGGRR, as Windows
// keeps colours (the dialogs, the rich-text boxes, RTF); RgbColour is
// 0xRRGGBB, as the page attributes and HTML write them. ToRgb and ToBgr are
// the only ways from one to the other.
#pragma once

#include <cstdint>

namespace base {

class BgrColour {
 public:
  constexpr BgrColour() = default;
  constexpr explicit BgrColour(uint32_t value) : value_(value) {}
  // Each component is taken modulo 256.
  static constexpr BgrColour FromComponents(int red, int green, int blue) {
    return BgrColour(static_cast<uint32_t>(red & 0xFF) |
                     (static_cast<uint32_t>(green & 0xFF) << 8) |
                     (static_cast<uint32_t>(blue & 0xFF) << 16));
  }

  constexpr uint32_t value() const { return value_; }
  constexpr int red() const { return static_cast<int>(value_ & 0xFF); }
  constexpr int green() const { return static_cast<int>((value_ >> 8) & 0xFF); }
  constexpr int blue() const { return static_cast<int>((value_ >> 16) & 0xFF); }

  friend constexpr bool operator==(BgrColour, BgrColour) = default;

 private:
  uint32_t value_ = 0;
};

class RgbColour {
 public:
  constexpr RgbColour() = default;
  constexpr explicit RgbColour(uint32_t value) : value_(value) {}
  // Each component is taken modulo 256.
  static constexpr RgbColour FromComponents(int red, int green, int blue) {
    return RgbColour((static_cast<uint32_t>(red & 0xFF) << 16) |
                     (static_cast<uint32_t>(green & 0xFF) << 8) |
                     static_cast<uint32_t>(blue & 0xFF));
  }

  constexpr uint32_t value() const { return value_; }
  constexpr int red() const { return static_cast<int>((value_ >> 16) & 0xFF); }
  constexpr int green() const { return static_cast<int>((value_ >> 8) & 0xFF); }
  constexpr int blue() const { return static_cast<int>(value_ & 0xFF); }

  friend constexpr bool operator==(RgbColour, RgbColour) = default;

 private:
  uint32_t value_ = 0;
};

// The same colour in the other layout; the top byte is not carried over.
constexpr RgbColour ToRgb(BgrColour colour) {
  return RgbColour::FromComponents(colour.red(), colour.green(), colour.blue());
}
constexpr BgrColour ToBgr(RgbColour colour) {
  return BgrColour::FromComponents(colour.red(), colour.green(), colour.blue());
}

}  // namespace base
