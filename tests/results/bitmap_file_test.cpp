#include "results/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/raster_canvas.h"
#include "foundation/qsim_error.h"
#include "tests/support/test_folder.h"

namespace qsim {
namespace {

std::string BitmapOf(const RgbImageView& image) {
  std::ostringstream out;
  WriteBitmap(out, image);
  return out.str();
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes.at(at + i));
  return value;
}

std::uint16_t Read16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes.at(at)) |
                                    static_cast<std::uint8_t>(bytes.at(at + 1)) << 8);
}

// Bytes from `at` as unsigned values, for readable comparisons.
std::vector<int> BytesAt(const std::string& bytes, std::size_t at, std::size_t count) {
  std::vector<int> values;
  for (std::size_t i = 0; i < count; ++i)
    values.push_back(static_cast<std::uint8_t>(bytes.at(at + i)));
  return values;
}

TEST(BitmapFileTest, HeadersDescribeA24BitBottomUpImage) {
  const std::vector<std::uint8_t> pixels(3 * 3 * 2, 0);
  const std::string bmp = BitmapOf({3, 2, pixels});
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Read32(bmp, 2), 78u);   // file size
  EXPECT_EQ(Read32(bmp, 6), 0u);    // reserved
  EXPECT_EQ(Read32(bmp, 10), 54u);  // pixel offset
  EXPECT_EQ(Read32(bmp, 14), 40u);  // information header size
  EXPECT_EQ(Read32(bmp, 18), 3u);   // width
  EXPECT_EQ(Read32(bmp, 22), 2u);   // height, positive: bottom row first
  EXPECT_EQ(Read16(bmp, 26), 1);    // planes
  EXPECT_EQ(Read16(bmp, 28), 24);   // bits per pixel
  EXPECT_EQ(Read32(bmp, 30), 0u);   // no compression
  EXPECT_EQ(Read32(bmp, 34), 24u);  // pixel bytes
  EXPECT_EQ(Read32(bmp, 38), 3780u);
  EXPECT_EQ(Read32(bmp, 42), 3780u);
  EXPECT_EQ(Read32(bmp, 46), 0u);  // no palette
  EXPECT_EQ(Read32(bmp, 50), 0u);
}

TEST(BitmapFileTest, RowsRunBottomUpInBlueGreenRedOrderPaddedWithZeros) {
  const std::vector<std::uint8_t> pixels = {
      1,  2,  3,  4,  5,  6,  7,  8,  9,   // top row
      11, 12, 13, 14, 15, 16, 17, 18, 19,  // bottom row
  };
  const std::string bmp = BitmapOf({3, 2, pixels});
  EXPECT_EQ(BytesAt(bmp, 54, 12), (std::vector<int>{13, 12, 11, 16, 15, 14, 19, 18, 17, 0, 0, 0}));
  EXPECT_EQ(BytesAt(bmp, 66, 12), (std::vector<int>{3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0}));
}

TEST(BitmapFileTest, RowsOfWholeWordsAreNotPadded) {
  const std::vector<std::uint8_t> pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::string bmp = BitmapOf({4, 1, pixels});
  ASSERT_EQ(bmp.size(), 54u + 12);
  EXPECT_EQ(Read32(bmp, 34), 12u);
  EXPECT_EQ(BytesAt(bmp, 54, 12), (std::vector<int>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
}

TEST(BitmapFileTest, TheCanvasIsSavedWithItsCornersInPlace) {
  RasterCanvas canvas;
  canvas.SetPixel(0, 0, kRed);
  canvas.SetPixel(2047, 1919, kBlack);
  canvas.SetPixel(5, 7, {10, 20, 30});
  const std::string bmp = BitmapOf(canvas.image());
  const std::size_t row = 2048 * 3;
  ASSERT_EQ(bmp.size(), 54 + row * 1920);
  EXPECT_EQ(Read32(bmp, 18), 2048u);
  EXPECT_EQ(Read32(bmp, 22), 1920u);
  const auto pixel = [&](int x, int y) { return BytesAt(bmp, 54 + (1919 - y) * row + 3 * x, 3); };
  EXPECT_EQ(pixel(0, 0), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(pixel(2047, 1919), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(pixel(5, 7), (std::vector<int>{30, 20, 10}));
  EXPECT_EQ(pixel(1, 0), (std::vector<int>{255, 255, 255}));
}

TEST(BitmapFileTest, SavedFileHoldsTheSameBytes) {
  const std::vector<std::uint8_t> pixels = {1, 2, 3, 4, 5, 6};
  const std::filesystem::path path = TestFolder("qsim_bitmap_file_").concat(".bmp");
  SaveBitmapFile(path.string(), {1, 2, pixels});
  std::ifstream in(path, std::ios::binary);
  std::ostringstream saved;
  saved << in.rdbuf();
  std::filesystem::remove(path);
  EXPECT_EQ(saved.str(), BitmapOf({1, 2, pixels}));
}

TEST(BitmapFileTest, AFileThatCannotBeCreatedIsReported) {
  const std::vector<std::uint8_t> pixels = {1, 2, 3};
  try {
    SaveBitmapFile("/no/such/folder/picture.bmp", {1, 1, pixels});
    FAIL() << "no error";
  } catch (const QsimError& error) {
    EXPECT_EQ(error.message(),
              "Cannot create file \"/no/such/folder/picture.bmp\". No such file or directory");
  }
}

}  // namespace
}  // namespace qsim
