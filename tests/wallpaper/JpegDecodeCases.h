// JPEG decoding cases shared by the native suite and the Wine-run suite. The picture is made by
// the test scripts with ImageMagick: 16 x 8 pixels, left half red, right half blue.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "wallpaper/JpegDecoder.h"

namespace tovr::testing {

inline std::string ReadTestData(const std::string& name) {
  const char* dir = std::getenv("TOVR_TEST_DATA");
  if (!dir) return {};
  std::string sep = std::string(dir).find('\\') != std::string::npos ? "\\" : "/";
  std::ifstream in(std::string(dir) + sep + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void CheckJpegDecoding() {
  std::string bytes = ReadTestData("red-blue.jpg");
  ASSERT_FALSE(bytes.empty()) << "red-blue.jpg missing; TOVR_TEST_DATA must name the test data folder";
  auto image = DecodeJpeg(bytes);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 16);
  EXPECT_EQ(image->height, 8);
  ASSERT_EQ(image->rgb.size(), 16u * 8u * 3u);
  auto pixel = [&](int x, int y, int c) { return int(image->rgb[(y * 16 + x) * 3 + c]); };
  // Lossy, so compare roughly, away from the edge between the halves.
  EXPECT_GT(pixel(2, 4, 0), 200);
  EXPECT_LT(pixel(2, 4, 2), 60);
  EXPECT_LT(pixel(13, 4, 0), 60);
  EXPECT_GT(pixel(13, 4, 2), 200);

  // Damaged input: cut short, garbage, empty. None may crash; garbage and empty give nothing.
  auto cut = DecodeJpeg(std::string_view(bytes).substr(0, bytes.size() / 2));
  if (cut) {
    EXPECT_EQ(cut->width, 16);
  }
  EXPECT_FALSE(DecodeJpeg("not a jpeg at all").has_value());
  EXPECT_FALSE(DecodeJpeg("").has_value());
  std::string header_only = bytes.substr(0, 2);
  EXPECT_FALSE(DecodeJpeg(header_only).has_value());
}

}  // namespace tovr::testing
