#pragma once

#include <string>
#include <string_view>

namespace qsim {

// A text that comes from the user (an element name, a file name) as HTML text:
// "&", "<", ">" and '"' become character references, so that the browser shows
// the text and never reads it as markup, also inside an attribute value. Other
// bytes, Windows-1251 letters included, are kept.
std::string HtmlText(std::string_view text);

}  // namespace qsim
