#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/cli/cli_runner.h"

namespace qsim {
namespace {

class DrawCommandTest : public test_support::CliRunner {
 protected:
  static std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
      value = (value << 8) | static_cast<std::uint8_t>(bytes.at(at + i));
    return value;
  }

  // Blue, green and red bytes of a canvas pixel in a 2048 x 1920 bitmap file.
  static std::string PixelOf(const std::string& bmp, int x, int y) {
    return bmp.substr(54 + (1919 - y) * 2048 * 3 + 3 * x, 3);
  }
};

TEST_F(DrawCommandTest, WritesTheModelsPictureAsABitmap) {
  const auto model = Write("m.txt", "generator 1;\nxc 60;\nyc 80;\nterm_crd 300 200;\n");
  const auto picture = folder_ / "m.bmp";
  const test_support::CliResult result =
      Run("draw '" + model.string() + "' '" + picture.string() + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  const std::string bmp = ReadAll(picture);
  ASSERT_EQ(bmp.size(), 54u + 2048 * 3 * 1920);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Read32(bmp, 2), bmp.size());
  EXPECT_EQ(Read32(bmp, 10), 54u);
  EXPECT_EQ(Read32(bmp, 18), 2048u);
  EXPECT_EQ(Read32(bmp, 22), 1920u);
  EXPECT_EQ(bmp.substr(28, 2), std::string("\x18\0", 2));       // 24 bits per pixel
  EXPECT_EQ(PixelOf(bmp, 60, 80), std::string(3, '\0'));        // the generator's corner
  EXPECT_EQ(PixelOf(bmp, 75, 84), std::string("\0\0\xFF", 3));  // its red arrowhead
  EXPECT_EQ(PixelOf(bmp, 293, 205), std::string(3, '\0'));      // the terminator's input line
  EXPECT_EQ(PixelOf(bmp, 0, 0), "\xFF\xFF\xFF");
}

TEST_F(DrawCommandTest, ReadsRealsInEitherSeparator) {
  const auto model = Write("m.txt", "device 1;\nv 0,5;\n");
  const auto picture = folder_ / "m.bmp";
  EXPECT_EQ(Run("draw '" + model.string() + "' '" + picture.string() + "'").status, 0);
  const test_support::CliResult result =
      Run("draw --decimal-separator , '" + model.string() + "' '" + picture.string() + "'");
  EXPECT_EQ(result.status, 0) << result.err;
}

TEST_F(DrawCommandTest, ErrorsExitWith2AndWriteNoPicture) {
  const auto picture = folder_ / "m.bmp";
  const test_support::CliResult missing =
      Run("draw '" + (folder_ / "none.txt").string() + "' '" + picture.string() + "'");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos) << missing.err;

  const auto bad = Write("bad.txt", "queue 1;\nxc x;\n");
  const test_support::CliResult unreadable =
      Run("draw '" + bad.string() + "' '" + picture.string() + "'");
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_EQ(unreadable.err, "qsim-cli: Строка 2: 'x' is not a valid integer value.\n");
  EXPECT_FALSE(std::filesystem::exists(picture));

  const auto model = Write("m.txt", "simulate 1;\n");
  const std::string unwritable = (folder_ / "no" / "m.bmp").string();
  const test_support::CliResult uncreated =
      Run("draw '" + model.string() + "' '" + unwritable + "'");
  EXPECT_EQ(uncreated.status, 2);
  EXPECT_EQ(uncreated.err,
            "qsim-cli: Cannot create file \"" + unwritable + "\". No such file or directory.\n");

  EXPECT_EQ(Run("draw '" + model.string() + "'").status, 2);
}

}  // namespace
}  // namespace qsim
