// GIF and JPEG header parsing (the JPEG one through libjpeg).
#include "botframe/image_header.h"

#include <csetjmp>
#include <cstdio>  // before jpeglib.h, which uses FILE without including it
#include <cstring>
#include <limits>

#include <jerror.h>
#include <jpeglib.h>

namespace botframe {

bool ParseGifSize(std::string_view bytes, ImageSize* size) {
  constexpr size_t kHeaderLength = 10;  // signature, version, width, height
  if (bytes.size() < kHeaderLength) return false;
  // Only "GIF" is checked: the three version bytes after it ("87a", "89a" or
  // whatever a writer put there) do not change where the size is.
  if (bytes.substr(0, 3) != "GIF") return false;
  auto word = [&](size_t at) {
    return static_cast<int>(static_cast<unsigned char>(bytes[at]) |
                            (static_cast<unsigned char>(bytes[at + 1]) << 8));
  };
  size->width = word(6);
  size->height = word(8);
  return true;
}

namespace {

// libjpeg's standard error manager with the fatal-error handler replaced: the
// message is kept and control goes back to the reader instead of ending the
// process.
struct ErrorManager {
  jpeg_error_mgr standard;
  std::jmp_buf resume;
  char message[JMSG_LENGTH_MAX];
  int code;
};

[[noreturn]] void OnFatalError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  errors->code = errors->standard.msg_code;
  (*errors->standard.format_message)(info, errors->message);
  std::longjmp(errors->resume, 1);
}

// Warnings (a premature end of data, an unknown marker) are not shown; the
// error that follows them, if any, carries the message.
void OnMessage(j_common_ptr) {}

enum class HeaderResult { kRead, kTooLarge, kFailed };

// Only trivially destructible objects are used here, as longjmp skips
// destructors, and the decompressor lives in the caller's frame, so what the
// library changed in it is still there after the jump.
HeaderResult ReadHeader(const unsigned char* data, unsigned long length, ErrorManager* errors,
                        jpeg_decompress_struct& info, JDIMENSION* width, JDIMENSION* height) {
  info.err = jpeg_std_error(&errors->standard);
  errors->standard.error_exit = OnFatalError;
  errors->standard.output_message = OnMessage;
  errors->message[0] = '\0';
  errors->code = 0;
  if (setjmp(errors->resume) != 0) {
    // The frame header comes before the first scan: when libjpeg refuses the
    // image only for its size, the frame header has been read whole.
    const bool too_large = errors->code == JERR_IMAGE_TOO_BIG && info.image_width > 0 &&
                           info.image_height > 0;
    if (too_large) {
      *width = info.image_width;
      *height = info.image_height;
    }
    jpeg_destroy_decompress(&info);
    return too_large ? HeaderResult::kTooLarge : HeaderResult::kFailed;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, length);
  jpeg_read_header(&info, TRUE);
  *width = info.image_width;
  *height = info.image_height;
  jpeg_destroy_decompress(&info);
  return HeaderResult::kRead;
}

}  // namespace

bool ParseJpegSize(std::string_view bytes, ImageSize* size, std::string* message) {
  auto fail = [&](const char* text) {
    if (message) *message = text;
    return false;
  };
  if (bytes.size() > std::numeric_limits<unsigned long>::max()) {
    return fail("JPEG file too large");
  }
  ErrorManager errors;
  jpeg_decompress_struct info{};  // zeroed, so destroying it is safe at any point
  JDIMENSION width = 0;
  JDIMENSION height = 0;
  const HeaderResult result =
      ReadHeader(reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()), &errors, info, &width, &height);
  if (result == HeaderResult::kFailed) return fail(errors.message);
  // JPEG frame dimensions are 16-bit, so they always fit.
  size->width = static_cast<int>(width);
  size->height = static_cast<int>(height);
  if (message) message->clear();
  return true;
}

}  // namespace botframe
