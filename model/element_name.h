#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/limits.h"

namespace qsim {

// An element's label: at most 25 single-byte (Windows-1251) characters, kept in a
// fixed buffer so that records never allocate. Longer values keep their first 25.
class ElementName {
 public:
  ElementName() = default;
  explicit ElementName(std::string_view text) { assign(text); }

  void assign(std::string_view text) {
    size_ = static_cast<std::uint8_t>(std::min<std::size_t>(text.size(), kElementNameLength));
    std::copy_n(text.data(), size_, bytes_);
  }
  void clear() { size_ = 0; }

  std::string_view view() const { return {bytes_, size_}; }
  std::string str() const { return std::string(view()); }
  bool empty() const { return size_ == 0; }

  friend bool operator==(const ElementName& a, const ElementName& b) {
    return a.view() == b.view();
  }

 private:
  char bytes_[kElementNameLength] = {};
  std::uint8_t size_ = 0;
};

}  // namespace qsim
