// Little-endian byte streams for the binary table file.
//
// Every value of a table file is written field by field through
// TBinaryWriter and read back through TBinaryCursor; no structure is ever
// copied as a memory image, so a file means the same on every platform and
// a pointer can never come back from disk. Integers are 32-bit two's
// complement, least significant byte first; a text is its bytes followed by
// one NUL.
//
// The cursor checks every read against the bytes that remain and every
// count against what that many items would need at the least, so a damaged
// or hostile file can neither read past its end nor make the reader reserve
// memory it does not describe. A failure throws TBinaryFormatError, whose
// text names the item and the byte offset where reading stopped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct TBinaryFormatError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class TBinaryWriter {
 public:
  void Put32(std::int32_t value);
  void PutBytes(std::string_view bytes) { buffer_.append(bytes); }
  // The text and one NUL. A text must not hold a NUL itself.
  void PutText(std::string_view text);
  // Overwrites a word written earlier at the byte offset.
  void Patch32(std::size_t offset, std::int32_t value);
  std::size_t Size() const { return buffer_.size(); }
  const std::string& Bytes() const { return buffer_; }

 private:
  std::string buffer_;
};

class TBinaryCursor {
 public:
  explicit TBinaryCursor(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Offset() const { return at_; }
  std::size_t Remaining() const { return bytes_.size() - at_; }
  bool AtEnd() const { return at_ == bytes_.size(); }

  // `what` names the item in the error message.
  std::int32_t Get32(const char* what);
  // A word that must lie in [low, high].
  std::int32_t GetIn(const char* what, std::int32_t low, std::int32_t high);
  // A count of items of at least `minBytesEach` bytes each: non-negative and
  // no larger than the remaining bytes allow.
  std::int32_t GetCount(const char* what, std::size_t minBytesEach);
  std::string_view GetBytes(std::size_t n, const char* what);
  // Bytes up to the next NUL, which is consumed.
  std::string GetText(const char* what);
  void Skip(std::size_t n, const char* what) { GetBytes(n, what); }

  [[noreturn]] void Fail(const std::string& message) const;

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};
