// Tests of the two colour layouts and the conversions between them.
#include "base/colour.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

// The layouts must not mix without a named conversion.
static_assert(!std::is_convertible_v<base::RgbColour, base::BgrColour>);
static_assert(!std::is_convertible_v<base::BgrColour, base::RgbColour>);
static_assert(!std::is_convertible_v<uint32_t, base::RgbColour>);
static_assert(!std::is_convertible_v<base::BgrColour, uint32_t>);

TEST(ColourTest, ComponentsSitWhereEachLayoutKeepsThem) {
  const struct {
    int red, green, blue;
    uint32_t bgr, rgb;
  } cases[] = {
      {0xFF, 0x00, 0x00, 0x000000FF, 0xFF0000},
      {0x00, 0x00, 0x80, 0x00800000, 0x000080},
      {0x12, 0x34, 0x56, 0x00563412, 0x123456},
      {0x1FF, -1, 0x100, 0x0000FFFF, 0xFFFF00},  // each component modulo 256
  };
  for (const auto& c : cases) {
    const base::BgrColour bgr = base::BgrColour::FromComponents(c.red, c.green, c.blue);
    const base::RgbColour rgb = base::RgbColour::FromComponents(c.red, c.green, c.blue);
    EXPECT_EQ(bgr.value(), c.bgr);
    EXPECT_EQ(rgb.value(), c.rgb);
    EXPECT_EQ(base::ToRgb(bgr), rgb);
    EXPECT_EQ(base::ToBgr(rgb), bgr);
  }
}

TEST(ColourTest, TheTopByteIsNotCarriedOver) {
  EXPECT_EQ(base::ToRgb(base::BgrColour(0xFF112233)), base::RgbColour(0x332211));
  EXPECT_EQ(base::ToBgr(base::RgbColour(0xFFFFFFFF)), base::BgrColour(0xFFFFFF));
}

}  // namespace
