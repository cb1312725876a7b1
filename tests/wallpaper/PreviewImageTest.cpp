// The JPEG preview: decoded at the smallest DCT scale that still covers the fitted box, then
// averaged down to the fitted size.
#include "wallpaper/PreviewImage.h"

#include <gtest/gtest.h>

#include "support/JpegEncode.h"

namespace tovr::wallpaper {
namespace {

TEST(PreviewImageTest, DecodesAtTheSmallestScaleThatCoversTheBoxThenFits) {
  const std::string jpeg = testing::EncodeTestJpeg(640, 480, 85);
  struct Case {
    int boxW, boxH;
    int decodedW, decodedH;  // the DCT scale's size
    int fitW, fitH;
  };
  const Case cases[] = {
      {100, 100, 160, 120, 100, 75},   // 0: 2/8: 1/8 (80 x 60) would not cover 100 x 75
      {80, 200, 80, 60, 80, 60},       // 1: 1/8 is exactly the fitted size
      {400, 300, 400, 300, 400, 300},  // 2: 5/8
      {1000, 1000, 640, 480, 1000, 750},  // 3: larger than the picture: full size, enlarged
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    auto decoded = DecodeJpegForBox(jpeg, c.boxW, c.boxH);
    ASSERT_TRUE(decoded) << "case " << i;
    EXPECT_EQ(decoded->width * 10000 + decoded->height, c.decodedW * 10000 + c.decodedH) << "case " << i;
    auto preview = JpegPreview(jpeg, c.boxW, c.boxH);
    ASSERT_TRUE(preview) << "case " << i;
    EXPECT_EQ(preview->width * 10000 + preview->height, c.fitW * 10000 + c.fitH) << "case " << i;
  }
  EXPECT_FALSE(JpegPreview("not a picture", 100, 100));
}

TEST(PreviewImageTest, ScalingAveragesTheCoveredPixels) {
  RgbImage stripes{4, 1, {0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255}};
  const RgbImage half = ScaleImage(stripes, 2, 1);
  EXPECT_NEAR(half.rgb[0], 127, 2);
  EXPECT_NEAR(half.rgb[3], 127, 2);
  const RgbImage wide = ScaleImage(RgbImage{1, 1, {10, 20, 30}}, 3, 2);
  ASSERT_EQ(wide.rgb.size(), 18u);
  for (std::size_t k = 0; k < wide.rgb.size(); k += 3) {
    EXPECT_NEAR(wide.rgb[k], 10, 1) << k;
    EXPECT_NEAR(wide.rgb[k + 2], 30, 1) << k;
  }
}

}  // namespace
}  // namespace tovr::wallpaper
