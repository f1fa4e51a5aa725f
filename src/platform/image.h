// A decoded picture: 8-bit red, green, blue and alpha per pixel, rows top to bottom.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width * height * 4 bytes
};

// Decodes PNG bytes; nothing when they are not a readable PNG.
std::optional<Image> DecodePng(std::span<const unsigned char> png);

// Decodes JPEG bytes with libjpeg; nothing when they are not a whole, readable JPEG (a
// truncated one included: libjpeg would fill its missing part with grey).
std::optional<Image> DecodeJpeg(std::span<const unsigned char> jpeg);

// PNG or JPEG, by the bytes' signature.
std::optional<Image> DecodePicture(std::span<const unsigned char> bytes);

}  // namespace platform
