#include "wallpaper/JpegDecodeCases.h"

TEST(JpegDecoder, DecodesPictureAndSurvivesDamagedInput) { tovr::testing::CheckJpegDecoding(); }
