#include "presentations/triangulations/iso_sig_alphabet.h"

char IsoSigChar(int value) {
  if (value < 0 || value > 63) return '?';
  if (value < 26) return static_cast<char>('a' + value);
  if (value < 52) return static_cast<char>('A' + value - 26);
  if (value < 62) return static_cast<char>('0' + value - 52);
  return value == 62 ? '+' : '-';
}

void WriteIsoSigChar(std::string& text, int value) { text.push_back(IsoSigChar(value & 63)); }

int ReadIsoSigChar(char c, int& value) {
  if (c >= 'a' && c <= 'z') {
    value = c - 'a';
  } else if (c >= 'A' && c <= 'Z') {
    value = c - 'A' + 26;
  } else if (c >= '0' && c <= '9') {
    value = c - '0' + 52;
  } else if (c == '+') {
    value = 62;
  } else if (c == '-') {
    value = 63;
  } else {
    return 0;
  }
  return 1;
}

int Base64DigitCount(std::uint64_t v) {
  int digits = 0;
  while (v != 0) {
    ++digits;
    v >>= 6;
  }
  return digits;
}

void WriteIsoSigNumber(std::string& text, std::uint64_t value, int d) {
  for (int i = 0; i < d; ++i) {
    WriteIsoSigChar(text, static_cast<int>(value & 63));
    value >>= 6;
  }
}

int ReadIsoSigNumber(std::uint64_t& value, const char* text, int d) {
  if (text == nullptr || d < 1 || d > kMaxIsoSigDigits) return 0;
  std::uint64_t result = 0;
  for (int i = 0; i < d; ++i) {
    int digit = 0;
    if (text[i] == '\0' || !ReadIsoSigChar(text[i], digit)) return 0;
    result |= static_cast<std::uint64_t>(digit) << (6 * i);
  }
  value = result;
  return 1;
}

std::uint64_t IsoSignatureLength(std::uint64_t n) {
  if (n < 1) return 0;
  std::uint64_t b = n <= 62 ? 1 : static_cast<std::uint64_t>(Base64DigitCount(n));
  std::uint64_t size = n <= 62 ? 1 : b + 2;
  return size + (2 * n + 2) / 3 + b * (n + 1) + (n + 1);
}

long IsoSignatureSize(const char* text, int& digits, int& consumed) {
  if (text == nullptr || text[0] == '\0') return -1;
  int first = 0;
  if (!ReadIsoSigChar(text[0], first)) return -1;
  if (first < 63) {
    if (first == 0) return -1;
    digits = 1;
    consumed = 1;
    return first;
  }
  int b = 0;
  if (text[1] == '\0' || !ReadIsoSigChar(text[1], b)) return -1;
  std::uint64_t n = 0;
  if (!ReadIsoSigNumber(n, text + 2, b) || n == 0) return -1;
  digits = b;
  consumed = b + 2;
  return static_cast<long>(n);
}

long IsoSignatureTetrahedronCount(const char* text) {
  int digits = 0;
  int consumed = 0;
  return IsoSignatureSize(text, digits, consumed);
}
