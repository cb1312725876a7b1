// The same decoding cases against the MinGW build of libjpeg.
#include "wallpaper/JpegDecodeCases.h"

TEST(JpegDecoderWine, DecodesPictureAndSurvivesDamagedInput) { tovr::testing::CheckJpegDecoding(); }
