#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qsim::test_support {

// A small JSON reader for the golden files of the tests. Numbers keep their text,
// strings are UTF-8; a malformed document throws std::runtime_error.
struct JsonValue {
  enum class Type { Null, Bool, Number, String, Array, Object };

  Type type = Type::Null;
  bool boolean = false;
  std::string text;  // a string's value or a number's text
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;  // in document order

  // The member `key` of an object; throws if there is none.
  const JsonValue& operator[](std::string_view key) const {
    for (const auto& [name, value] : members) {
      if (name == key)
        return value;
    }
    throw std::runtime_error("no member " + std::string(key));
  }
  bool Has(std::string_view key) const {
    for (const auto& member : members) {
      if (member.first == key)
        return true;
    }
    return false;
  }
  // The strings of an array.
  std::vector<std::string> Strings() const {
    std::vector<std::string> strings;
    for (const JsonValue& item : items)
      strings.push_back(item.text);
    return strings;
  }
};

namespace detail {

class JsonParser {
 public:
  explicit JsonParser(std::string_view text) : text_(text) {}

  JsonValue Document() {
    JsonValue value = Value();
    SkipSpace();
    if (pos_ != text_.size())
      Fail("text after the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(pos_));
  }

  void SkipSpace() {
    while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != text_.npos)
      ++pos_;
  }

  char Peek() {
    SkipSpace();
    if (pos_ >= text_.size())
      Fail("unexpected end");
    return text_[pos_];
  }

  void Expect(char c) {
    if (Peek() != c)
      Fail(std::string("expected '") + c + "'");
    ++pos_;
  }

  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word)
      return false;
    pos_ += word.size();
    return true;
  }

  JsonValue Value() {
    JsonValue value;
    const char c = Peek();
    if (c == '{') {
      value.type = JsonValue::Type::Object;
      Sequence('}', [&] {
        std::string key = String();
        Expect(':');
        value.members.emplace_back(std::move(key), Value());
      });
    } else if (c == '[') {
      value.type = JsonValue::Type::Array;
      Sequence(']', [&] { value.items.push_back(Value()); });
    } else if (c == '"') {
      value.type = JsonValue::Type::String;
      value.text = String();
    } else if (Word("true")) {
      value.type = JsonValue::Type::Bool;
      value.boolean = true;
    } else if (Word("false")) {
      value.type = JsonValue::Type::Bool;
    } else if (Word("null")) {
      value.type = JsonValue::Type::Null;
    } else {
      value.type = JsonValue::Type::Number;
      const std::size_t start = pos_;
      while (pos_ < text_.size() &&
             std::string_view("+-.0123456789eE").find(text_[pos_]) != text_.npos)
        ++pos_;
      if (pos_ == start)
        Fail("unexpected character");
      value.text = std::string(text_.substr(start, pos_ - start));
    }
    return value;
  }

  // The elements of an object or array after its opening bracket, up to `close`.
  template <typename Element>
  void Sequence(char close, Element element) {
    ++pos_;
    if (Peek() == close) {
      ++pos_;
      return;
    }
    for (;;) {
      element();
      if (Peek() == close) {
        ++pos_;
        return;
      }
      Expect(',');
    }
  }

  std::string String() {
    Expect('"');
    std::string out;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      char c = text_[pos_++];
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size())
        Fail("unfinished escape");
      c = text_[pos_++];
      switch (c) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u':
          AppendUtf8(HexCode(), out);
          break;
        default:
          out += c;  // '"', '\\', '/'
      }
    }
    Expect('"');
    return out;
  }

  unsigned HexCode() {
    if (pos_ + 4 > text_.size())
      Fail("short \\u escape");
    const unsigned code = std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16);
    pos_ += 4;
    return code;
  }

  // Code points of the Basic Multilingual Plane only; the golden files need no more.
  static void AppendUtf8(unsigned code, std::string& out) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace detail

inline JsonValue ParseJson(std::string_view text) {
  return detail::JsonParser(text).Document();
}

}  // namespace qsim::test_support
