// PNG through libpng's simplified reading interface.
#include <png.h>

#include "platform/image.h"

namespace platform {

std::optional<Image> DecodePng(std::span<const unsigned char> png) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (png.empty() || !png_image_begin_read_from_memory(&image, png.data(), png.size())) {
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  Image decoded;
  decoded.width = static_cast<int>(image.width);
  decoded.height = static_cast<int>(image.height);
  decoded.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return decoded;
}

}  // namespace platform
