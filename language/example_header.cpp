#include "language/example_header.h"

namespace qsim {

ExampleHeader ReadExampleHeader(const std::vector<std::string>& lines) {
  constexpr std::string_view kMark = "# ";
  ExampleHeader header;
  for (const std::string& line : lines) {
    if (!line.starts_with(kMark))
      break;
    if (header.title.empty())
      header.title = line.substr(kMark.size());
    else
      header.description.push_back(line.substr(kMark.size()));
  }
  return header;
}

}  // namespace qsim
