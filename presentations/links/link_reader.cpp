// The link text reader: recognises a link block and reads it into a TLink.
//
// The reader works on the normalised block (comments blanked, white space
// collapsed to single blanks, lower case), so keywords are case-insensitive
// and line breaks do not matter. It reads in two passes: the first counts the
// entries of each component and the points used on each side of the square,
// which fixes the number of crossings and the size of the tables; the second
// stores the entries (a Dowker code is turned into the Gauss code it stands
// for) and the framings. Then it checks that every crossing is passed once
// over and once under, computes or reads the signs, and on a surface diagram
// completes the passages through the sides and checks the signs against the
// square.
//
// Keywords are matched as words, so a text in another notation that merely
// starts with "link..." or contains "end" inside a word is not taken, and
// every number is range-checked: a count or a number that does not fit the
// diagram's 16-bit tables is refused with an error, never wrapped.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/comment_rules.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "foundation/text_scanners.h"
#include "presentations/links/link.h"

namespace {

enum TKeyword { kLink, kEnd, kCrossings, kSigns, kCode, kDowkerCode, kFraming, kTorus, kKlein };

std::string_view Keyword(TKeyword k) {
  static const char* const kFallback[] = {"link", "end",  "crossings", "signs", "code",
                                          "dowkercode", "framing", "t^2", "k^2"};
  std::optional<std::string_view> text = StringTableText(kLinkKeywordBase + k);
  return text ? *text : std::string_view(kFallback[k]);
}

bool IsWordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '^';
}

// The keyword stands at p and is not the start of a longer word (digits may
// follow directly: "crossings3" reads as "crossings 3").
bool KeywordAt(const char* p, std::string_view word) {
  if (word.empty() || std::string_view(p).substr(0, word.size()) != word) return false;
  char after = p[word.size()];
  return !(std::isalpha(static_cast<unsigned char>(after)) != 0 || after == '_' || after == '^');
}

// The first place at or after `from` where the keyword stands at the start of
// the block or after a blank; null when none.
const char* FindKeyword(const char* blockStart, const char* from, std::string_view word) {
  for (const char* p = from; *p != '\0'; ++p) {
    if ((p == blockStart || p[-1] == ' ') && KeywordAt(p, word)) return p;
  }
  return nullptr;
}

const char* SkipBlanks(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

// The token at a place, as error messages show it: leading blanks skipped,
// cut at the next blank, at most 79 characters.
std::string TokenAt(const char* p) {
  p = SkipBlanks(p);
  std::size_t length = 0;
  while (p[length] != '\0' && p[length] != ' ' && length < 79) ++length;
  return std::string(p, length);
}

bool IsEntrySeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

int Gcd(int a, int b) { return std::gcd(std::abs(a), std::abs(b)); }

}  // namespace

int IsLinkText(const char* text, std::size_t* blockEnd, TString* blockText) {
  if (text == nullptr || *text == '\0') return 0;
  std::string copy(text);
  BlankOutComments(copy.data());
  CollapseWhitespace(copy.data(), nullptr);
  copy.resize(std::char_traits<char>::length(copy.c_str()));
  for (char& c : copy) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

  std::string_view link = Keyword(kLink);
  std::string_view end = Keyword(kEnd);
  if (copy.compare(0, link.size(), link) != 0) return 0;
  if (link.size() < copy.size() && IsWordCharacter(copy[link.size()])) return 0;
  for (std::size_t at = link.size(); at + end.size() <= copy.size(); ++at) {
    if (copy.compare(at, end.size(), end) != 0) continue;
    if (IsWordCharacter(copy[at - 1])) continue;
    std::size_t after = at + end.size();
    if (after < copy.size() && IsWordCharacter(copy[after])) continue;
    if (blockEnd != nullptr) *blockEnd = after;
    if (blockText != nullptr) blockText->AssignBuffer(copy.data(), after);
    return 1;
  }
  return 0;
}

// Reads one normalised block into a link. A friend of TLink; lives only for
// one Parse.
class TLinkReader {
 public:
  TLinkReader(TLink& link, const std::string& block, int mode)
      : link_(link), block_(block.c_str()), mode_(mode) {}

  // Runs the steps in order; returns 1 when the status is still 1 at the end.
  int Run();

 private:
  bool Ok() const { return link_.status == 1; }
  bool Surface() const { return link_.surfaceKind == 0; }

  void ReadPrefix();
  bool ReadCrossings();
  bool FindCode();
  bool CountPass();
  bool CheckCounts();
  bool StorePass();
  bool ReadComponent(int c);
  bool ConvertDowker(const std::vector<int>& dowker, int c);
  bool ReadFraming(int c);
  bool CheckOccurrences();
  bool ReadGivenSigns();
  bool CheckLeftovers();

  // Reads the entries of one component from *at: signed integers and, on a
  // surface diagram, side letters with a point number, separated by runs of
  // blanks, tabs and commas; stops before the first token that is neither.
  // Reports errors 45 (a number out of range) and 7 (a number run into other
  // characters) for component c; returns false after an error.
  bool ScanEntries(const char*& at, int c, std::vector<TLinkCodeEntry>& out);

  TLink& link_;
  const char* block_;
  int mode_;
  const char* at_ = nullptr;
  int givenCrossings_ = 0;        // 0 when "crossings" was not given
  bool dowker_ = false;
  const char* headerEnd_ = nullptr;  // where the code keyword was expected
  std::vector<const char*> keywords_;  // the code keyword of each component
  std::vector<int> lengths_;           // entries written per component
  int crossingEntries_ = 0;
  int sideEntries_[2] = {0, 0};
  int n_ = 0;
  const char* trailer_ = nullptr;  // just after the last component
};

bool TLinkReader::ScanEntries(const char*& at, int c, std::vector<TLinkCodeEntry>& out) {
  const char* p = at;
  for (;;) {
    const char* token = p;
    while (IsEntrySeparator(*p)) ++p;
    token = p;
    TLinkCodeEntry entry;
    const char* number = p;
    if (Surface() && link_.SideOfLetter(*p) >= 0 &&
        (std::isdigit(static_cast<unsigned char>(p[1])) != 0 ||
         ((p[1] == '-' || p[1] == '+') && std::isdigit(static_cast<unsigned char>(p[2])) != 0))) {
      entry.kind = 2;
      entry.side = link_.SideOfLetter(*p);
      number = p + 1;
    } else if (std::isdigit(static_cast<unsigned char>(*p)) != 0 ||
               ((*p == '-' || *p == '+') && std::isdigit(static_cast<unsigned char>(p[1])) != 0)) {
      entry.kind = 1;
    } else {
      at = token;
      return true;
    }
    const char* end = number;
    TIntegerScan scan = ParseIntegerChecked(entry.number, end, number);
    if (scan == TIntegerScan::OutOfRange) {
      link_.ReportError(kLinkErrorNumberOutOfRange, TokenAt(token));
      return false;
    }
    if (*end != '\0' && !IsEntrySeparator(*end)) {
      link_.ReportError(7, c + 1, TokenAt(token));
      return false;
    }
    out.push_back(entry);
    p = end;
  }
}

void TLinkReader::ReadPrefix() {
  at_ = block_ + Keyword(kLink).size();
  const char* end = at_;
  bool torus = MatchKeywordIgnoringBlanks(std::string(Keyword(kTorus)).c_str(), at_, end) != 0;
  bool klein = !torus && MatchKeywordIgnoringBlanks(std::string(Keyword(kKlein)).c_str(), at_, end) != 0;
  if (torus || klein) {
    at_ = end;
    link_.surfaceKind = 0;
    link_.orientable = torus ? 1 : 0;
    static const char kLetters[4] = {'l', 't', 'r', 'b'};
    for (int s = 0; s < 4; ++s) link_.sideLetters[s] = kLetters[s];
    // The partner of each side, negated when the gluing reverses the numbering.
    link_.partnerLetters[0] = static_cast<signed char>(-'r');
    link_.partnerLetters[2] = static_cast<signed char>(-'l');
    link_.partnerLetters[1] = static_cast<signed char>(torus ? -'b' : 'b');
    link_.partnerLetters[3] = static_cast<signed char>(torus ? -'t' : 't');
  }
}

bool TLinkReader::ReadCrossings() {
  at_ = SkipBlanks(at_);
  if (!KeywordAt(at_, Keyword(kCrossings))) return true;
  const char* number = at_ + Keyword(kCrossings).size();
  const char* end = number;
  int n = 0;
  TIntegerScan scan = ParseIntegerChecked(n, end, number);
  if (scan == TIntegerScan::NoNumber) {
    link_.ReportError(2, TokenAt(number));
    return false;
  }
  if (scan == TIntegerScan::OutOfRange) {
    link_.ReportError(kLinkErrorNumberOutOfRange, TokenAt(number));
    return false;
  }
  if (n <= 0) {
    link_.ReportError(3, n);
    return false;
  }
  if (n > kLinkMaxCrossings) {
    link_.ReportError(kLinkErrorTooLarge, n, 0);
    return false;
  }
  givenCrossings_ = n;
  at_ = end;
  return true;
}

bool TLinkReader::FindCode() {
  at_ = SkipBlanks(at_);
  // Signs written before the code are skipped here and read at the end.
  // A diagram on a surface needs its signs; they may also follow the codes,
  // before "end" (ReadGivenSigns finds them where they are).
  if (KeywordAt(at_, Keyword(kSigns))) {
    at_ += Keyword(kSigns).size();
    while (*at_ == ' ' || *at_ == '+' || *at_ == '-' || *at_ == '1') ++at_;
  } else if (Surface() && FindKeyword(block_, at_, Keyword(kSigns)) == nullptr) {
    link_.ReportError(29);
    return false;
  }
  headerEnd_ = SkipBlanks(at_);
  const char* first = nullptr;
  if (KeywordAt(headerEnd_, Keyword(kCode))) {
    first = headerEnd_;
  } else {
    first = FindKeyword(block_, headerEnd_, Keyword(kCode));
  }
  std::string_view keyword = Keyword(kCode);
  if (first == nullptr) {
    first = FindKeyword(block_, headerEnd_, Keyword(kDowkerCode));
    keyword = Keyword(kDowkerCode);
    dowker_ = true;
  }
  if (first == nullptr) {
    link_.ReportError(6);
    return false;
  }
  for (const char* p = first; p != nullptr; p = FindKeyword(block_, p + keyword.size(), keyword)) {
    keywords_.push_back(p);
  }
  if (dowker_ && keywords_.size() > 1) {
    link_.ReportError(12);
    return false;
  }
  at_ = first;
  return true;
}

bool TLinkReader::CountPass() {
  std::size_t keywordLength = (dowker_ ? Keyword(kDowkerCode) : Keyword(kCode)).size();
  std::vector<TLinkCodeEntry> entries;
  for (std::size_t c = 0; c < keywords_.size(); ++c) {
    const char* p = keywords_[c] + keywordLength;
    entries.clear();
    if (!ScanEntries(p, static_cast<int>(c), entries)) return false;
    for (const TLinkCodeEntry& entry : entries) {
      if (entry.kind == 1) {
        ++crossingEntries_;
        continue;
      }
      if (entry.number <= 0) {
        link_.ReportError(34, SideLetter(entry.side), entry.number);
        return false;
      }
      ++sideEntries_[TLink::PairOfSide(entry.side)];
      std::uint32_t& max = link_.sideMax[entry.side];
      max = std::max(max, static_cast<std::uint32_t>(entry.number));
    }
    if (entries.empty()) {
      link_.ReportError(7, static_cast<int>(c) + 1, TokenAt(p));
      return false;
    }
    lengths_.push_back(static_cast<int>(entries.size()));
  }
  return true;
}

bool TLinkReader::CheckCounts() {
  if (Surface()) {
    if (dowker_) {
      link_.ReportError(30);
      return false;
    }
    if (sideEntries_[0] + sideEntries_[1] == 0) {
      link_.ReportError(31);
      return false;
    }
    if (mode_ == kLinkParseOrdinary) {
      for (int pair = 0; pair < 2; ++pair) {
        if (sideEntries_[pair] != 0) continue;
        link_.ReportError(32, SideLetter(pair), SideLetter(pair + 2));
        return false;
      }
    }
  }
  long long count = dowker_ ? 2LL * crossingEntries_ : crossingEntries_;
  if (!dowker_ && count % 2 != 0) {
    link_.ReportError(8, crossingEntries_);
    return false;
  }
  if (givenCrossings_ != 0 && 2LL * givenCrossings_ != count) {
    link_.ReportError(9, givenCrossings_, count);
    return false;
  }
  long long n = count / 2;
  // Points per side once both sides of a pair are numbered alike.
  long long points = 0;
  for (int pair = 0; pair < 2; ++pair) {
    points += 2LL * std::max(link_.sideMax[pair], link_.sideMax[pair + 2]);
  }
  long long written = count + sideEntries_[0] + sideEntries_[1];
  if (n > kLinkMaxCrossings || 2 * n + 2 * points + 8 > kLinkMaxPlaces || written > kLinkMaxPlaces) {
    link_.ReportError(kLinkErrorTooLarge, n, points);
    return false;
  }
  n_ = static_cast<int>(n);
  return true;
}

bool TLinkReader::StorePass() {
  int total = 0;
  link_.componentStart.assign(lengths_.size() + 1, 0);
  for (std::size_t c = 0; c < lengths_.size(); ++c) {
    link_.componentStart[c] = static_cast<std::int16_t>(total);
    total += dowker_ ? 2 * lengths_[c] : lengths_[c];
  }
  link_.componentStart[lengths_.size()] = static_cast<std::int16_t>(total);
  link_.entries.reserve(static_cast<std::size_t>(total));
  link_.framings.assign(lengths_.size(), TLinkFraming{});
  link_.crossingCount = static_cast<std::int16_t>(n_);
  link_.componentCount = static_cast<std::int16_t>(lengths_.size());
  at_ = keywords_.front();
  for (std::size_t c = 0; c < lengths_.size(); ++c) {
    if (!ReadComponent(static_cast<int>(c))) return false;
  }
  link_.entryCount = static_cast<std::int16_t>(link_.entries.size());
  trailer_ = at_;
  return true;
}

bool TLinkReader::ReadComponent(int c) {
  std::string_view keyword = dowker_ ? Keyword(kDowkerCode) : Keyword(kCode);
  at_ = SkipBlanks(at_);
  if (!KeywordAt(at_, keyword)) {
    link_.ReportError(6);
    return false;
  }
  at_ += keyword.size();
  std::vector<TLinkCodeEntry> read;
  if (!ScanEntries(at_, c, read)) return false;
  if (dowker_) {
    std::vector<int> dowker;
    for (const TLinkCodeEntry& entry : read) dowker.push_back(entry.number);
    if (!ConvertDowker(dowker, c)) return false;
  } else {
    if (!read.empty() && read.front().kind != 1) {
      link_.ReportError(33);
      return false;
    }
    for (const TLinkCodeEntry& entry : read) {
      if (entry.kind == 1 && entry.number == 0) {
        link_.ReportError(10, c + 1);
        return false;
      }
      if (entry.kind == 1 && std::abs(static_cast<long long>(entry.number)) > n_) {
        link_.ReportError(11, c + 1, entry.number);
        return false;
      }
      link_.entries.push_back(entry);
    }
  }
  return ReadFraming(c);
}

// Dowker code d1..dk of a knot: the passages along the knot are labelled
// 1..2k, and crossing i is passed at the odd label 2i - 1 and at the even
// label |di|; the odd passage is the over passage when di > 0.
bool TLinkReader::ConvertDowker(const std::vector<int>& dowker, int /*c*/) {
  for (int d : dowker) {
    if (d % 2 != 0) {
      link_.ReportError(13, d);
      return false;
    }
  }
  int k = static_cast<int>(dowker.size());
  for (int j = 1; j <= 2 * k; ++j) {
    int crossing = 0;
    bool over = false;
    if (j % 2 == 1) {
      crossing = (j + 1) / 2;
      over = dowker[static_cast<std::size_t>(crossing - 1)] > 0;
    } else {
      for (int i = 1; i <= k; ++i) {
        if (std::abs(static_cast<long long>(dowker[static_cast<std::size_t>(i - 1)])) == j) {
          crossing = i;
          break;
        }
      }
      if (crossing == 0) {
        link_.ReportError(14, j);
        return false;
      }
      over = dowker[static_cast<std::size_t>(crossing - 1)] < 0;
    }
    TLinkCodeEntry entry;
    entry.kind = 1;
    entry.number = over ? crossing : -crossing;
    link_.entries.push_back(entry);
  }
  return true;
}

bool TLinkReader::ReadFraming(int c) {
  const char* p = SkipBlanks(at_);
  if (!KeywordAt(p, Keyword(kFraming))) return true;
  if (Surface()) {
    link_.ReportError(38);
    return false;
  }
  p += Keyword(kFraming).size();
  const char* end = p;
  int values[2] = {0, 1};
  TIntegerScan scan = ParseIntegerChecked(values[0], end, p);
  if (scan == TIntegerScan::NoNumber) {
    link_.ReportError(21, c + 1, TokenAt(p));
    return false;
  }
  if (scan == TIntegerScan::OutOfRange || std::abs(static_cast<long long>(values[0])) > INT16_MAX) {
    link_.ReportError(kLinkErrorNumberOutOfRange, TokenAt(p));
    return false;
  }
  // An optional denominator after a run of blanks, "/" and tabs.
  const char* separator = end;
  const char* q = separator;
  bool slash = false;
  while (*q == ' ' || *q == '/' || *q == '\t') slash |= *q++ == '/';
  if (q != separator) {
    const char* qEnd = q;
    scan = ParseIntegerChecked(values[1], qEnd, q);
    if (scan == TIntegerScan::Ok && std::abs(static_cast<long long>(values[1])) <= INT16_MAX) {
      end = qEnd;
    } else if (scan != TIntegerScan::NoNumber) {
      link_.ReportError(kLinkErrorNumberOutOfRange, TokenAt(q));
      return false;
    } else if (slash) {
      link_.ReportError(21, c + 1, TokenAt(separator));
      return false;
    } else {
      values[1] = 1;
    }
  }
  int fp = values[0];
  int fq = values[1];
  if ((fp == 0 && fq == 0) || (fp == 0 && std::abs(fq) != 1) || (fq == 0 && std::abs(fp) != 1)) {
    link_.ReportError(22, fp, fq, c + 1);
    return false;
  }
  if (Gcd(fp, fq) != 1) {
    link_.ReportError(23, fp, fq, c + 1);
    return false;
  }
  if (fq < 0 || (fp < 0 && fq == 0)) {
    fp = -fp;
    fq = -fq;
  }
  link_.framings[static_cast<std::size_t>(c)] = TLinkFraming{static_cast<std::int16_t>(fp),
                                                             static_cast<std::int16_t>(fq)};
  at_ = end;
  return true;
}

bool TLinkReader::CheckOccurrences() {
  std::vector<int> over(static_cast<std::size_t>(n_) + 1, 0);
  std::vector<int> under(static_cast<std::size_t>(n_) + 1, 0);
  for (const TLinkCodeEntry& entry : link_.entries) {
    if (entry.kind != 1) continue;
    std::size_t x = static_cast<std::size_t>(std::abs(entry.number));
    (entry.number > 0 ? over : under)[x] += 1;
  }
  for (int x = 1; x <= n_; ++x) {
    int k = over[static_cast<std::size_t>(x)];
    int j = under[static_cast<std::size_t>(x)];
    if (k == 0) {
      link_.ReportError(15, x);
    } else if (k >= 2) {
      link_.ReportError(16, x);
    } else if (j == 0) {
      link_.ReportError(17, -x);
    } else if (j >= 2) {
      link_.ReportError(18, -x);
    }
    if (!Ok()) return false;
  }
  // Every component of a classical link must pass over and under somewhere;
  // each offending component is reported.
  if (!Surface() && link_.componentCount > 1) {
    for (int c = 0; c < link_.componentCount; ++c) {
      bool positive = false;
      bool negative = false;
      for (int g = link_.componentStart[static_cast<std::size_t>(c)];
           g < link_.componentStart[static_cast<std::size_t>(c) + 1]; ++g) {
        int number = link_.entries[static_cast<std::size_t>(g)].number;
        positive |= number > 0;
        negative |= number < 0;
      }
      if (positive && !negative) link_.ReportError(19, static_cast<unsigned>(c + 1));
      if (!positive) link_.ReportError(20, static_cast<unsigned>(c + 1));
    }
  }
  return Ok();
}

bool TLinkReader::ReadGivenSigns() {
  const char* p = FindKeyword(block_, block_, Keyword(kSigns));
  if (p == nullptr) return true;
  p += Keyword(kSigns).size();
  for (int x = 1; x <= n_; ++x) {
    const char* end = p;
    int value = 0;
    if (ParseIntegerChecked(value, end, p) != TIntegerScan::Ok || (value != 1 && value != -1)) {
      link_.ReportError(4, x);
      return false;
    }
    link_.signs[static_cast<std::size_t>(x - 1)] = static_cast<signed char>(value);
    p = end;
  }
  link_.signsAmbiguous = false;
  return true;
}

// Text the grammar has no place for: words between the header and the first
// code keyword, and anything after the last component but a signs list.
bool TLinkReader::CheckLeftovers() {
  const char* code = keywords_.front();
  if (SkipBlanks(headerEnd_) != code) {
    link_.ReportError(kLinkErrorUnexpectedWord, TokenAt(headerEnd_));
    return false;
  }
  const char* p = SkipBlanks(trailer_);
  if (KeywordAt(p, Keyword(kSigns))) {
    p += Keyword(kSigns).size();
    while (*p == ' ' || *p == '+' || *p == '-' || std::isdigit(static_cast<unsigned char>(*p)) != 0) ++p;
  }
  if (!KeywordAt(p, Keyword(kEnd))) {
    // A keyword out of its place gets the order of the text.
    for (TKeyword misplaced : {kCode, kDowkerCode, kFraming, kSigns, kCrossings, kTorus, kKlein}) {
      if (KeywordAt(p, Keyword(misplaced))) {
        link_.ReportError(kLinkErrorKeywordOutOfOrder, TokenAt(p));
        return false;
      }
    }
    link_.ReportError(kLinkErrorUnexpectedWord, TokenAt(p));
    return false;
  }
  return true;
}

int TLinkReader::Run() {
  link_.status = 1;
  ReadPrefix();
  if (!ReadCrossings() || !FindCode() || !CountPass() || !CheckCounts() || !StorePass()) return 0;
  if (!CheckOccurrences()) return 0;
  link_.signs.assign(static_cast<std::size_t>(n_), 0);
  if (!Surface() && link_.ComputeSigns() == 0) return 0;
  if (!ReadGivenSigns()) return 0;
  if (Surface() && (link_.CompleteSidePassages() == 0 || link_.CheckSurfaceSigns() == 0)) return 0;
  if (!CheckLeftovers()) return 0;
  if (link_.signsAmbiguous) ReportStatusId(kLinkAmbiguousSignsText);
  return Ok() ? 1 : 0;
}

int TLink::Parse(const char* text, int mode) {
  ResetDiagram();
  status = 1;
  TString block;
  if (IsLinkText(text, nullptr, &block) == 0) {
    ReportError(kLinkErrorNoLinkText);
    return 0;
  }
  std::string normalised(block.View());
  TLinkReader reader(*this, normalised, mode);
  if (reader.Run() == 0 || status != 1) {
    FreeTables();
    if (status == 1) status = 0;
    return 0;
  }
  return 1;
}
