// SPDX-License-Identifier: MIT
// The windows' icon as pixels ready to draw: premultiplied ARGB32, one image per size, decoded
// from resources/icons/*.png when the program is built.
#pragma once

#include <cstdint>
#include <span>

namespace mq::resources {

struct IconImage {
  int size;                     // width and height in pixels
  const std::uint32_t* pixels;  // size * size of them, row by row
};

std::span<const IconImage> WindowIconImages();

}  // namespace mq::resources
