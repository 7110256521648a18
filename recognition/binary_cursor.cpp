#include "recognition/binary_cursor.h"

#include <cstring>

void TBinaryWriter::Put32(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) buffer_.push_back(static_cast<char>((u >> (8 * i)) & 0xffu));
}

void TBinaryWriter::PutText(std::string_view text) {
  buffer_.append(text);
  buffer_.push_back('\0');
}

void TBinaryWriter::Patch32(std::size_t offset, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) buffer_.at(offset + i) = static_cast<char>((u >> (8 * i)) & 0xffu);
}

void TBinaryCursor::Fail(const std::string& message) const {
  throw TBinaryFormatError(message + " at byte " + std::to_string(at_));
}

std::string_view TBinaryCursor::GetBytes(std::size_t n, const char* what) {
  if (n > Remaining()) {
    Fail(std::string("the file ends inside ") + what + " (" + std::to_string(n) + " bytes needed, " +
         std::to_string(Remaining()) + " left)");
  }
  const std::string_view part = bytes_.substr(at_, n);
  at_ += n;
  return part;
}

std::int32_t TBinaryCursor::Get32(const char* what) {
  const std::string_view b = GetBytes(4, what);
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[static_cast<std::size_t>(i)])) << (8 * i);
  return static_cast<std::int32_t>(u);
}

std::int32_t TBinaryCursor::GetIn(const char* what, std::int32_t low, std::int32_t high) {
  const std::size_t start = at_;
  const std::int32_t value = Get32(what);
  if (value < low || value > high) {
    at_ = start;
    Fail(std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(low) + ".." +
         std::to_string(high));
  }
  return value;
}

std::int32_t TBinaryCursor::GetCount(const char* what, std::size_t minBytesEach) {
  const std::size_t start = at_;
  const std::int32_t count = Get32(what);
  if (count < 0) {
    at_ = start;
    Fail(std::string(what) + " " + std::to_string(count) + " is negative");
  }
  if (minBytesEach > 0 && static_cast<std::size_t>(count) > Remaining() / minBytesEach) {
    at_ = start;
    Fail(std::string(what) + " " + std::to_string(count) + " is larger than the data (" +
         std::to_string(Remaining() - 4) + " bytes left)");
  }
  return count;
}

std::string TBinaryCursor::GetText(const char* what) {
  const void* nul = Remaining() == 0 ? nullptr : std::memchr(bytes_.data() + at_, '\0', Remaining());
  if (nul == nullptr) Fail(std::string("the file ends inside ") + what + " (no terminating NUL)");
  const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(nul) - (bytes_.data() + at_));
  std::string text(bytes_.substr(at_, n));
  at_ += n + 1;
  return text;
}
