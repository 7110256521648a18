// Keyword test, read errors and texts of the Heegaard readers. See
// heegaard_text_support.h.
#include "presentations/heegaard/heegaard_text_support.h"

#include <cctype>
#include <cstring>

#include "foundation/comment_rules.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"

int TextBeginsWithKeyword(const char* text, const char* keyword) {
  if (text == nullptr || keyword == nullptr) return 0;
  // Recognisers look at the start of the text only.
  char scratch[1024];
  std::size_t n = 0;
  while (n < sizeof(scratch) - 1 && text[n] != '\0') {
    scratch[n] = text[n];
    ++n;
  }
  scratch[n] = '\0';
  BlankOutComments(scratch);
  CollapseWhitespace(scratch, nullptr);
  const char* at = scratch;
  while (*at == ' ' || *at == '\t') ++at;
  const std::size_t length = std::strlen(keyword);
  if (std::strlen(at) < length) return 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(at[i])) != keyword[i]) return 0;
  }
  return 1;
}

void SetTextReadError(THeegaardReadError* error, int messageId, const char* text,
                      std::ptrdiff_t offset) {
  if (error == nullptr) return;
  error->messageId = messageId;
  int line = 1;
  for (std::ptrdiff_t i = 0; i < offset && text[i] != '\0'; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && text[i + 1] != '\n')) ++line;
  }
  error->line = line;
  const char* at = text + offset;
  std::size_t n = 0;
  // The token runs to the next blank or parenthesis or comma (but holds at
  // least the character where reading stopped).
  while (n < 32 && at[n] != '\0' && !IsBlankCharacter(at[n]) &&
         (n == 0 || std::strchr("(),", at[n]) == nullptr)) {
    ++n;
  }
  error->token = n == 0 ? HeegaardText(kHeegaardEndOfText) : std::string(at, n);
}

std::ptrdiff_t FirstTokenOffset(const char* text) {
  std::size_t position = 0;
  SkipBlanksAndCommentsAt(text, position);
  return static_cast<std::ptrdiff_t>(position);
}

void ReportHeegaardReadError(const THeegaardReadError& error) {
  if (error.messageId == 0) return;
  ReportStatusIdFormatIS(-1, error.messageId, error.line, error.token.c_str());
}

std::string HeegaardText(int id) {
  const auto text = StringTableText(id);
  return text ? std::string(*text) : std::string();
}
