// Small valid pictures, made from a key: a 64 x 64 pattern of 8 x 8 squares
// in two colours, as a baseline JPEG or as a PNG.
#pragma once

#include <cstdint>
#include <string>

#include "exchange.h"

namespace guang_sim {

std::string JpegPicture(uint64_t key);
std::string PngPicture(uint64_t key);

// /pic/ followed by a name: a PNG when the name holds ".png", else a JPEG.
Answer Picture(uint64_t seed, const SimRequest& request);

}  // namespace guang_sim
