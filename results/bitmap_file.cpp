#include "results/bitmap_file.h"

#include <cstdint>
#include <vector>

#include "foundation/atomic_file.h"

namespace qsim {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint32_t kUncompressed = 0;
// 96 dots per inch, the usual screen resolution, in pixels per metre.
constexpr std::int32_t kPixelsPerMetre = 3780;

// Appends little-endian integers, as the headers store them.
class HeaderBytes {
 public:
  void Add16(std::uint16_t value) { Add(value, 2); }
  void Add32(std::uint32_t value) { Add(value, 4); }
  const std::vector<char>& bytes() const { return bytes_; }

 private:
  void Add(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
      bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  std::vector<char> bytes_;
};

std::uint32_t RowSize(const RgbImageView& image) {
  return (3 * static_cast<std::uint32_t>(image.width) + 3) / 4 * 4;
}

std::vector<char> Headers(const RgbImageView& image) {
  const std::uint32_t pixel_bytes = RowSize(image) * static_cast<std::uint32_t>(image.height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  HeaderBytes header;
  header.Add16(0x4D42);  // "BM"
  header.Add32(offset + pixel_bytes);
  header.Add32(0);  // two reserved words
  header.Add32(offset);
  header.Add32(kInfoHeaderSize);
  header.Add32(static_cast<std::uint32_t>(image.width));
  header.Add32(static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
  header.Add16(1);                                         // colour planes
  header.Add16(kBitsPerPixel);
  header.Add32(kUncompressed);
  header.Add32(pixel_bytes);
  header.Add32(kPixelsPerMetre);
  header.Add32(kPixelsPerMetre);
  header.Add32(0);  // palette colours: none
  header.Add32(0);  // important colours: all
  return header.bytes();
}

void WriteRow(std::ostream& out, const RgbImageView& image, int y, std::vector<char>& row) {
  const std::size_t first = 3 * static_cast<std::size_t>(y) * image.width;
  for (int x = 0; x < image.width; ++x) {
    const std::size_t source = first + 3 * static_cast<std::size_t>(x);
    row[3 * x] = static_cast<char>(image.bytes[source + 2]);
    row[3 * x + 1] = static_cast<char>(image.bytes[source + 1]);
    row[3 * x + 2] = static_cast<char>(image.bytes[source]);
  }
  out.write(row.data(), static_cast<std::streamsize>(row.size()));
}

}  // namespace

void WriteBitmap(std::ostream& out, const RgbImageView& image) {
  const std::vector<char> headers = Headers(image);
  out.write(headers.data(), static_cast<std::streamsize>(headers.size()));
  std::vector<char> row(RowSize(image), 0);  // the padding stays zero
  for (int y = image.height - 1; y >= 0; --y)
    WriteRow(out, image, y, row);
}

void SaveBitmapFile(const std::string& path, const RgbImageView& image) {
  AtomicFile file(path);
  WriteBitmap(file.stream(), image);
  file.Commit();
}

}  // namespace qsim
