#pragma once

#include <initializer_list>
#include <set>
#include <string>
#include <utility>

#include "editor/raster_canvas.h"

namespace qsim::test {

// Pictures of canvas regions as text, one line per row: '.' white, '#' black,
// 'r' red, '?' any other colour, ' ' beyond the bitmap.
std::string PixelMap(const RasterCanvas& canvas, int left, int top, int width, int height);

// Lines joined into a picture as PixelMap writes it.
std::string Picture(std::initializer_list<std::string> rows);

// Characters of a picture that stand for painted pixels (not '.' and not ' ').
int PaintedIn(const std::string& picture);

using Pixel = std::pair<int, int>;  // x, y

// Every pixel of the canvas that is not white, or that is red.
std::set<Pixel> PaintedPixels(const RasterCanvas& canvas);
std::set<Pixel> RedPixels(const RasterCanvas& canvas);

// Whether every pixel of the canvas has the colour.
bool IsAll(const RasterCanvas& canvas, RgbColor color);

// Pixels of a horizontal run [x_first, x_last] on row y, or a vertical one.
std::set<Pixel> Row(int y, int x_first, int x_last);
std::set<Pixel> Column(int x, int y_first, int y_last);

std::set<Pixel> Union(std::initializer_list<std::set<Pixel>> parts);

// The pixels moved by (dx, dy), and those of them that lie in the bitmap.
std::set<Pixel> Shifted(const std::set<Pixel>& pixels, int dx, int dy);
std::set<Pixel> WithinBitmap(const std::set<Pixel>& pixels);

}  // namespace qsim::test
