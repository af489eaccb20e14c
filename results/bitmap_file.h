#pragma once

#include <ostream>
#include <string>

#include "foundation/rgb_image_view.h"

namespace qsim {

// Writes the image as a Windows bitmap file: a 14-byte file header and a 40-byte
// information header, then 24-bit pixels in blue, green, red order, rows from
// bottom to top, each padded with zeros to a multiple of 4 bytes.
void WriteBitmap(std::ostream& out, const RgbImageView& image);

// Creates or replaces `path` with the bitmap, whole or not at all (AtomicFile).
// Throws QsimError when the file cannot be created or written.
void SaveBitmapFile(const std::string& path, const RgbImageView& image);

}  // namespace qsim
