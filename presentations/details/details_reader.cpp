// The reader of the details text.
//
// The text is "Details", an optional ":", then items "name = gluing gluing
// ...", each gluing "k: partner_m {a b c}" (see details_reader.h). The
// reader works on a copy of the text in which every comment is blanked out,
// so comments may stand wherever blanks may and positions (and so line
// numbers) are those of the document.
//
// Reading is strict and stops at the first error: one message under the
// heading "Detail representation error : " with the line where reading
// stopped, the error type in DetailsErrorCode, result 0. The details read
// before the failing item stay in the description; the failing item's detail
// is removed together with every gluing to it, so no detail is left pointing
// at a removed one.
//
// The end of an item is found without a separator: a gluing starts with a
// slot character followed (after blanks) by ":", so when the character after
// the next token is not ":", the item is over and that token begins the next
// item's name.
#include <cstring>
#include <string>
#include <string_view>

#include "foundation/comment_rules.h"
#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/text_scanners.h"
#include "model/detail.h"
#include "presentations/details/details_reader.h"

namespace {

constexpr int kHeadingDetailError = 400;
constexpr int kMessageLine = 351;
constexpr int kMessageNoTitle = 402;
constexpr int kMessageMissingEquals = 403;
constexpr int kMessageBadSlot = 404;
constexpr int kMessageMissingUnderscore = 405;
constexpr int kMessageEmptyPartnerName = 406;
constexpr int kMessagePartnerRedefined = 407;
constexpr int kMessageMissingPartnerSlot = 408;
constexpr int kMessageBadPartnerSlot = 409;
constexpr int kMessageGluingRedefined = 410;
constexpr int kMessageGluedToItself = 411;
constexpr int kMessageMissingBrace = 412;
constexpr int kMessageBadSubstitution = 413;
constexpr int kMessageSubstitutionRedefined = 414;
constexpr int kMessageNameTooLong = 421;

constexpr const char* kKeyword = "Details";
constexpr const char* kTokenDelimiters = " \t\n\r:,.{}";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\n' || c == '\r'; }

std::string TrimTrailingBlanks(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return std::string(text.substr(0, n));
}

// The number of a detail named so: the integer that starts at the first
// decimal digit of the name; false when there is none (or it does not fit).
bool NumberFromName(const std::string& name, int& number) {
  std::size_t digit = name.find_first_of("0123456789");
  if (digit == std::string::npos) return false;
  const char* end = nullptr;
  return ParseInteger(number, end, name.c_str() + digit) == 1;
}

// What one gluing read gave.
enum class TGluing { kGlued, kItemEnd, kError };

class TDetailsReader {
 public:
  TDetailsReader(TDetailsDescription& description, const char* text)
      : description_(description), text_(text), work_(text) {
    BlankOutComments(work_.data());
  }

  bool ReadKeyword() {
    SkipBlanks();
    std::size_t n = std::strlen(kKeyword);
    if (work_.compare(position_, n, kKeyword) != 0) {
      DetailsErrorCode = kDetailsNoTitle;
      TString message;
      message.FormatResource(kMessageNoTitle, kKeyword);
      Report(message);
      return false;
    }
    position_ += n;
    SkipBlanks();
    if (At(position_) == ':') ++position_;
    SkipBlanks();
    return true;
  }

  // Reads items until the end of the text; false after a reported error.
  bool ReadItems() {
    for (;;) {
      SkipBlanks();
      if (AtEnd()) return true;
      if (!ReadItem()) return false;
    }
  }

 private:
  char At(std::size_t i) const { return i < work_.size() ? work_[i] : '\0'; }
  bool AtEnd() const { return position_ >= work_.size(); }
  void SkipBlanks() {
    while (position_ < work_.size() && IsBlank(work_[position_])) ++position_;
  }

  // The token at a position: up to the first delimiter, at least one character.
  std::string TokenAt(std::size_t at) const {
    if (at >= work_.size()) return std::string();
    std::size_t end = work_.find_first_of(kTokenDelimiters, at);
    if (end == std::string::npos) end = work_.size();
    if (end == at) end = at + 1;
    return work_.substr(at, end - at);
  }

  // Shows heading 400, "line %u " with the line of the current position, and
  // the message.
  void Report(const TString& message) {
    TString full;
    full.FormatResource(kMessageLine, LineNumberAt(text_, position_));
    full.AppendString(message);
    ReportStatus(full, kHeadingDetailError);
  }

  template <typename... Args>
  TGluing Fail(int type, int messageId, const Args&... args) {
    DetailsErrorCode = type;
    TString message;
    message.FormatResource(messageId, args...);
    Report(message);
    return TGluing::kError;
  }

  static const char* Name(const TObjectHeader* detail) { return ObjectDisplayName(detail); }

  // Gives a detail just made its name and the number that its name carries.
  static void NameDetail(TObjectHeader* detail, const std::string& name) {
    ObjectSetNameText(detail, nullptr, name.c_str());
    int number = 0;
    if (NumberFromName(name, number)) ObjectSetNumber(detail, number);
  }

  bool NameFits(const std::string& name) {
    if (name.size() < static_cast<std::size_t>(kDetailNameBufferSize)) return true;
    Fail(kDetailsNameTooLong, kMessageNameTooLong);
    return false;
  }

  bool ReadItem() {
    // The item's detail is made before its name is known, as the factory's
    // numbering of unnumbered names depends on it; it is dropped again when a
    // detail of that name exists already.
    TObjectHeader* created = description_.NewDetail();
    std::size_t equals = work_.find('=', position_);
    // A name ends with its line: a name running on over a line break would
    // be written back as two lines that no longer read as one item.
    const std::size_t lineEnd = work_.find_first_of("\r\n", position_);
    if (equals == std::string::npos || (lineEnd != std::string::npos && lineEnd < equals)) {
      Fail(kDetailsMissingEquals, kMessageMissingEquals);
      description_.RemoveDetail(created);
      return false;
    }
    std::string name = TrimTrailingBlanks(std::string_view(work_).substr(position_, equals - position_));
    if (!NameFits(name)) {
      description_.RemoveDetail(created);
      return false;
    }
    TObjectHeader* detail = description_.FindDetailByName(name.c_str());
    if (detail != nullptr) {
      description_.RemoveDetail(created);
    } else {
      detail = created;
      NameDetail(detail, name);
    }
    position_ = equals + 1;
    for (;;) {
      switch (ReadGluing(detail)) {
        case TGluing::kGlued:
          continue;
        case TGluing::kItemEnd:
          return true;
        case TGluing::kError:
          description_.RemoveDetail(detail);
          return false;
      }
    }
  }

  TGluing ReadGluing(TObjectHeader* detail) {
    DetailsErrorCode = kDetailsNoError;
    TDetail* d = TDetail::Of(detail);
    SkipBlanks();
    if (AtEnd()) return TGluing::kItemEnd;

    // Slot character k and ":"; without the ":" the item is over.
    std::size_t slot = position_;
    std::size_t colon = slot + 1;
    while (colon < work_.size() && IsBlank(work_[colon])) ++colon;
    if (At(colon) != ':') return TGluing::kItemEnd;
    char c = work_[slot];
    if (c < '1' || c > '4') return Fail(kDetailsBadSlot, kMessageBadSlot, TokenAt(slot));
    int k = c - '1';
    position_ = colon + 1;

    // Partner name up to "_".
    SkipBlanks();
    std::size_t underscore = work_.find('_', position_);
    if (underscore == std::string::npos)
      return Fail(kDetailsMissingUnderscore, kMessageMissingUnderscore);
    std::string partnerName =
        TrimTrailingBlanks(std::string_view(work_).substr(position_, underscore - position_));
    if (partnerName.empty()) return Fail(kDetailsEmptyPartnerName, kMessageEmptyPartnerName);
    if (!NameFits(partnerName)) return TGluing::kError;
    position_ = underscore + 1;

    TObjectHeader* partner = d->partner[k];
    if (partner != nullptr) {
      TObjectHeader* named = description_.FindDetailByName(partnerName.c_str());
      if (named != partner)
        return Fail(kDetailsPartnerRedefined, kMessagePartnerRedefined, Name(detail),
                    static_cast<unsigned>(k + 1), Name(partner));
    } else {
      partner = description_.FindDetailByName(partnerName.c_str());
      if (partner == nullptr) {
        partner = description_.NewDetail();
        NameDetail(partner, partnerName);
      }
    }
    TDetail* p = TDetail::Of(partner);

    // Partner slot m, followed directly by a blank (or comment) or "{".
    if (AtEnd()) return Fail(kDetailsMissingPartnerSlot, kMessageMissingPartnerSlot);
    char s = work_[position_];
    char after = At(position_ + 1);
    if (s < '1' || s > '4' || !(IsBlank(after) || after == '{'))
      return Fail(kDetailsBadPartnerSlot, kMessageBadPartnerSlot, TokenAt(position_));
    int m = s - '1';
    ++position_;

    // The gluing must agree with what both faces already carry.
    if (p->partner[m] != nullptr && !(p->partner[m] == detail && p->partnerFace[m] == k))
      return Fail(kDetailsGluingRedefined, kMessageGluingRedefined, Name(partner),
                  static_cast<unsigned>(m + 1), Name(p->partner[m]),
                  static_cast<unsigned>(p->partnerFace[m] + 1));
    if (d->partnerFace[k] != -1 && d->partnerFace[k] != m)
      return Fail(kDetailsGluingRedefined, kMessageGluingRedefined, Name(detail),
                  static_cast<unsigned>(k + 1), Name(partner),
                  static_cast<unsigned>(d->partnerFace[k] + 1));
    if (partner == detail && k == m)
      return Fail(kDetailsGluedToItself, kMessageGluedToItself, Name(detail),
                  static_cast<unsigned>(k + 1));
    d->partner[k] = partner;
    d->partnerFace[k] = m;
    p->partner[m] = detail;
    p->partnerFace[m] = k;

    // The corner substitution {a b c}: position i of face k goes to position
    // (digit i) - 1 of face m.
    SkipBlanks();
    if (At(position_) != '{') return Fail(kDetailsMissingBrace, kMessageMissingBrace);
    ++position_;
    bool used[3] = {false, false, false};
    for (int i = 0; i < 3; ++i) {
      SkipBlanks();
      char digit = At(position_);
      if (digit < '1' || digit > '3' || used[digit - '1'])
        return Fail(kDetailsBadSubstitution, kMessageBadSubstitution, Name(detail),
                    static_cast<unsigned>(k + 1), Name(partner), static_cast<unsigned>(m + 1));
      int target = digit - '1';
      used[target] = true;
      int mine = d->correspondence[k][i];
      int theirs = p->correspondence[m][target];
      if ((mine != -1 && mine != target) || (theirs != -1 && theirs != i))
        return Fail(kDetailsSubstitutionRedefined, kMessageSubstitutionRedefined, Name(detail),
                    static_cast<unsigned>(k + 1), Name(partner), static_cast<unsigned>(m + 1));
      if (mine == -1) TDetail::SetCorrespondence(detail, k, i, target, 1);
      if (p->correspondence[m][target] == -1) TDetail::SetCorrespondence(partner, m, target, i, 1);
      ++position_;
    }
    SkipBlanks();
    if (At(position_) == '}') ++position_;
    SkipBlanks();
    return TGluing::kGlued;
  }

  TDetailsDescription& description_;
  const char* text_;
  std::string work_;
  std::size_t position_ = 0;
};

}  // namespace

unsigned LineNumberAt(const char* text, std::size_t position) {
  unsigned line = 1;
  if (text == nullptr) return line;
  for (std::size_t i = 0; i < position && text[i] != '\0'; ++i)
    if (text[i] == '\n') ++line;
  return line;
}

int IsDetailsText(const char* text) {
  if (text == nullptr) return 0;
  SuppressStatus();
  std::size_t position = 0;
  SkipBlanksAndCommentsAt(text, position);
  int result = std::strncmp(text + position, kKeyword, std::strlen(kKeyword)) == 0 ? 1 : 0;
  UnsuppressStatus();
  return result;
}

int ParseDetails(TDetailsDescription& description, const char* text, int mode) {
  DetailsErrorCode = kDetailsNoError;
  if (text == nullptr) text = "";
  TDetailsReader reader(description, text);
  if (!reader.ReadKeyword()) return 0;
  {
    TSuppressObjectNamesScope names(0);
    if (!reader.ReadItems()) return 0;
  }
  return description.CheckComplete(mode);
}
