// Makes JPEG files in memory for the native tests and benchmarks: a picture like a photograph
// (smooth shapes, some fine texture, a little noise), baseline, 4:2:0, at a given quality.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace tovr::testing {

inline std::string EncodeTestJpeg(int width, int height, int quality) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  std::minstd_rand noise(1);
  while (info.next_scanline < info.image_height) {
    const double y = info.next_scanline;
    for (int x = 0; x < width; ++x) {
      const double base = 128 + 60 * std::sin(x * 0.0021 + y * 0.0017) + 25 * std::sin(x * 0.013) * std::cos(y * 0.011) +
                          8 * std::sin((x + y) * 0.09);
      for (int c = 0; c < 3; ++c) {
        const int v = static_cast<int>(base * (0.75 + 0.15 * c)) + static_cast<int>(noise() % 5) - 2;
        row[static_cast<std::size_t>(x) * 3 + c] = static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v);
      }
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  jpeg_destroy_compress(&info);
  return bytes;
}

}  // namespace tovr::testing
