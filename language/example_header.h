#pragma once

#include <string>
#include <vector>

namespace qsim {

// What a bundled example says of itself: its first lines, each starting with "# ",
// are its title (the first of them) and a few lines of description (the rest).
// The reader ignores such lines, so an example is an ordinary model file; a file
// without them has an empty title and is no example.
struct ExampleHeader {
  std::string title;                     // Windows-1251
  std::vector<std::string> description;  // Windows-1251, one entry per line
};

ExampleHeader ReadExampleHeader(const std::vector<std::string>& lines);

}  // namespace qsim
