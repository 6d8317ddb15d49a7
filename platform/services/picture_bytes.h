#pragma once
// Pictures as compressed bytes in memory (PNG): small enough to keep several
// full-screen snips, lossless so that one copied back is the one copied.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/services/picture.h"

namespace plat {

// The picture as a PNG file's bytes; false (out untouched) on failure.
bool EncodePngBytes(const Picture& picture, std::vector<std::uint8_t>& out);
// A picture from a file's bytes in any format the library reads; false on failure.
bool DecodePictureBytes(std::span<const std::uint8_t> bytes, Picture& out);

}  // namespace plat
