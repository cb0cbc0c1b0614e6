// The GIF and JPEG size readers on the sample images of tests/botframe/images
// (copied beside the test executable) and on damaged copies made here, read
// through the files service with Windows-style paths.
#include <gtest/gtest.h>

#include <string>

#include "botframe/image_size.h"
#include "tests/support/test_support.h"

namespace {

using botframe::ImageSize;

// A size no reader produces, to see that a failure leaves it alone.
constexpr ImageSize kUntouched{-7, -9};

std::string Sample(const std::string& name) {
  return test_support::BinFolder() + "tests\\images\\" + name;
}

class ImageSizeTest : public ::testing::Test {
 protected:
  // Writes bytes to a scratch file and returns its Windows-style path.
  std::string Scratch(const std::string& name, const std::string& bytes) {
    test_support::WriteText(scratch_.Join(name), bytes);
    return scratch_.path() + "\\" + name;
  }
  std::string SampleBytes(const std::string& name) {
    return test_support::ReadText(test_support::BinFolder() + "tests/images/" + name);
  }

  ImageSize size_ = kUntouched;
  std::string message_ = "not set";
  test_support::TempFolder scratch_;
};

void ExpectSize(const ImageSize& size, int width, int height) {
  EXPECT_EQ(size.width, width);
  EXPECT_EQ(size.height, height);
}

TEST_F(ImageSizeTest, GifOfAnyVersionGivesTheLogicalScreenSize) {
  for (const char* name : {"gif87a.gif", "gif89a.gif"}) {
    SCOPED_TRACE(name);
    ImageSize size = kUntouched;
    ASSERT_TRUE(botframe::ReadGifSize(Sample(name), &size));
    ExpectSize(size, 37, 23);
  }
  // Only "GIF" is looked at; the version bytes may say anything.
  const std::string versions[] = {"88a", "89b", "   ", std::string("\0\xff\n", 3)};
  for (const std::string& version : versions) {
    SCOPED_TRACE(version);
    std::string other = SampleBytes("gif89a.gif");
    other.replace(3, 3, version);
    ImageSize size = kUntouched;
    ASSERT_TRUE(botframe::ReadGifSize(Scratch("other.gif", other), &size));
    ExpectSize(size, 37, 23);
  }
  const std::string ten = SampleBytes("gif89a.gif").substr(0, 10);  // the header alone
  ASSERT_TRUE(botframe::ReadGifSize(Scratch("ten.gif", ten), &size_));
  ExpectSize(size_, 37, 23);
  // The size words are little-endian and use all 16 bits.
  std::string wide = SampleBytes("gif89a.gif");
  wide.replace(6, 4, std::string("\xff\xff\x01\x02", 4));
  ASSERT_TRUE(botframe::ReadGifSize(Scratch("wide.gif", wide), &size_));
  ExpectSize(size_, 65535, 0x0201);
}

TEST_F(ImageSizeTest, GifFailuresLeaveTheSize) {
  const std::string gif = SampleBytes("gif89a.gif");
  std::string lower_case = gif;
  lower_case[0] = 'g';
  const struct {
    const char* what;
    std::string path;
  } cases[] = {
      {"a PNG named .gif", Sample("png_named.gif")},
      {"a missing file", scratch_.path() + "\\missing.gif"},
      {"an empty file", Scratch("empty.gif", "")},
      {"a header without the height", Scratch("short.gif", gif.substr(0, 9))},
      {"a wrong third letter", Scratch("gix.gif", "GIX" + gif.substr(3))},
      {"a lower-case signature", Scratch("lower.gif", lower_case)},
      {"a JPEG named .gif", Sample("baseline.jpg")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(botframe::ReadGifSize(c.path, &size_));
    ExpectSize(size_, kUntouched.width, kUntouched.height);
  }
}

TEST_F(ImageSizeTest, JpegGivesTheFrameSize) {
  // The EXIF block names other dimensions (999 x 777); the frame header wins.
  for (const char* name : {"baseline.jpg", "progressive.jpg", "exif.jpg"}) {
    SCOPED_TRACE(name);
    ImageSize size = kUntouched;
    std::string message = "not set";
    ASSERT_TRUE(botframe::ReadJpegSize(Sample(name), &size, &message)) << message;
    ExpectSize(size, 41, 29);
    EXPECT_EQ(message, "");
  }
  // The message is optional.
  ASSERT_TRUE(botframe::ReadJpegSize(Sample("baseline.jpg"), &size_, nullptr));
  ExpectSize(size_, 41, 29);
}

TEST_F(ImageSizeTest, JpegLargerThanTheLibraryDecodesIsStillMeasured) {
  // Only the headers: a decoder that allocated the image would need 4 GB.
  ASSERT_TRUE(botframe::ReadJpegSize(Sample("huge_header.jpg"), &size_, &message_)) << message_;
  ExpectSize(size_, 65535, 65535);
}

// Only the first 16 MB are read: 255 comment blocks of 65537 bytes before
// the frame header end 65279 bytes before that, 256 end past it.
TEST_F(ImageSizeTest, JpegIsMeasuredWithinItsFirstSixteenMegabytes) {
  const std::string jpeg = SampleBytes("baseline.jpg");
  const std::string block = "\xff\xfe\xff\xff" + std::string(65533, 'c');
  for (const int blocks : {255, 256}) {
    std::string padded = jpeg.substr(0, 2);
    for (int i = 0; i < blocks; ++i) padded += block;
    ImageSize size = kUntouched;
    const bool measured = botframe::ReadJpegSize(Scratch("padded.jpg", padded + jpeg.substr(2)),
                                                 &size, &message_);
    EXPECT_EQ(measured, blocks == 255) << blocks;
    EXPECT_EQ(size.width, measured ? 41 : kUntouched.width) << blocks;
  }
}

TEST_F(ImageSizeTest, JpegFailuresGiveTheLibraryMessageAndLeaveTheSize) {
  const std::string jpeg = SampleBytes("baseline.jpg");
  std::string bad_marker = jpeg;
  bad_marker.replace(20, 4, std::string("\xff\xdb\x00\x01", 4));  // a length below 2
  std::string no_height = jpeg;
  ASSERT_EQ(no_height.substr(158, 2), "\xff\xc0");  // the frame header
  no_height.replace(163, 2, std::string(2, '\0'));
  const struct {
    const char* what;
    std::string path;
    std::string message;
  } cases[] = {
      {"a file cut inside the frame header", Sample("truncated.jpg"), "Bogus marker length"},
      {"a GIF named .jpg", Sample("gif89a.gif"), "Not a JPEG file: starts with 0x47 0x49"},
      {"an empty file", Scratch("empty.jpg", ""), "Empty input file"},
      {"only the start marker", Scratch("soi.jpg", jpeg.substr(0, 2)),
       "JPEG datastream contains no image"},
      {"a bad marker length", Scratch("bad.jpg", bad_marker), "Bogus marker length"},
      {"a frame without height", Scratch("flat.jpg", no_height),
       "Empty JPEG image (DNL not supported)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string message;
    EXPECT_FALSE(botframe::ReadJpegSize(c.path, &size_, &message));
    EXPECT_EQ(message, c.message);
    ExpectSize(size_, kUntouched.width, kUntouched.height);
  }
}

TEST_F(ImageSizeTest, JpegThatCannotBeOpenedNamesThePath) {
  const std::string path = scratch_.path() + "\\missing.jpg";
  EXPECT_FALSE(botframe::ReadJpegSize(path, &size_, &message_));
  EXPECT_EQ(message_, "can't open " + path);
  ExpectSize(size_, kUntouched.width, kUntouched.height);
}

}  // namespace
