// JPEG through libjpeg, with its errors turned into an empty result instead of an exit.
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "platform/image.h"

namespace platform {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
  bool warned = false;
};

void OnError(j_common_ptr decoder) {
  std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->escape, 1);
}

// Warnings (a premature end of data among them) mean the picture is not whole; nothing prints.
void OnMessage(j_common_ptr decoder, int level) {
  if (level < 0) reinterpret_cast<ErrorManager*>(decoder->err)->warned = true;
}

}  // namespace

std::optional<Image> DecodeJpeg(std::span<const unsigned char> jpeg) {
  if (jpeg.size() < 4) return std::nullopt;
  jpeg_decompress_struct decoder{};
  ErrorManager errors{};
  decoder.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  // libjpeg reports errors by longjmp, which must not jump over a C++ object's destructor: the
  // buffers live outside this frame.
  static thread_local Image decoded;
  static thread_local std::vector<unsigned char> row;
  decoded = {};
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&decoder);
    return std::nullopt;
  }
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&decoder, TRUE);
  decoder.out_color_space = JCS_RGB;
  jpeg_start_decompress(&decoder);
  decoded.width = static_cast<int>(decoder.output_width);
  decoded.height = static_cast<int>(decoder.output_height);
  decoded.rgba.assign(static_cast<std::size_t>(decoded.width) * decoded.height * 4, 0xFF);
  row.assign(static_cast<std::size_t>(decoded.width) * 3, 0);
  while (decoder.output_scanline < decoder.output_height) {
    unsigned char* rows[] = {row.data()};
    const auto y = decoder.output_scanline;
    jpeg_read_scanlines(&decoder, rows, 1);
    unsigned char* out = decoded.rgba.data() + static_cast<std::size_t>(y) * decoded.width * 4;
    for (int x = 0; x < decoded.width; ++x) {
      out[x * 4] = row[static_cast<std::size_t>(x) * 3];
      out[x * 4 + 1] = row[static_cast<std::size_t>(x) * 3 + 1];
      out[x * 4 + 2] = row[static_cast<std::size_t>(x) * 3 + 2];
    }
  }
  jpeg_finish_decompress(&decoder);
  jpeg_destroy_decompress(&decoder);
  if (errors.warned) return std::nullopt;
  return std::move(decoded);
}

std::optional<Image> DecodePicture(std::span<const unsigned char> bytes) {
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return DecodeJpeg(bytes);
  }
  return DecodePng(bytes);
}

}  // namespace platform
