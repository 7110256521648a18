#include "shell/quoted_text.h"

namespace {

// The length of the well-formed UTF-8 sequence of two or more bytes at
// text[at], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  // U+0080..U+009F, the C1 controls, are controls too.
  if (length == 2 && lead == 0xC2 && byte(at + 1) <= 0x9F) return 0;
  return length;
}

}  // namespace

std::string QuotedText(std::string_view text, std::size_t limit) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted;
  std::size_t characters = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (characters == limit) {
      quoted += "...";
      break;
    }
    ++characters;
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c >= 0x20 && c < 0x7F) {
      quoted += static_cast<char>(c);
      ++at;
      continue;
    }
    if (const std::size_t length = Utf8SequenceLength(text, at); length > 0) {
      quoted.append(text.substr(at, length));
      at += length;
      continue;
    }
    switch (c) {
      case '\t': quoted += "\\t"; break;
      case '\r': quoted += "\\r"; break;
      case '\n': quoted += "\\n"; break;
      default:
        quoted += "\\x";
        quoted += kHex[c >> 4];
        quoted += kHex[c & 15];
    }
    ++at;
  }
  return quoted;
}
