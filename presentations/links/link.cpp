// Queries of a parsed link diagram: counts, signs, framings, the square's
// sides and the walk along the code. See link.h.
#include "presentations/links/link.h"

#include <cstdlib>

#include "foundation/message_box.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"

char SideLetter(int side) {
  static const char kLetters[4] = {'l', 't', 'r', 'b'};
  return side >= 0 && side < 4 ? kLetters[side] : '?';
}

void TLink::FreeTables() {
  signs.clear();
  signs.shrink_to_fit();
  entries.clear();
  entries.shrink_to_fit();
  componentStart.clear();
  componentStart.shrink_to_fit();
  framings.clear();
  framings.shrink_to_fit();
  crossingCount = 0;
  componentCount = 0;
  entryCount = 0;
}

void TLink::ResetDiagram() {
  FreeTables();
  orientable = 1;
  surfaceKind = 2;
  for (int s = 0; s < 4; ++s) {
    sideLetters[s] = 0;
    partnerLetters[s] = 0;
    sideMax[s] = 0;
  }
  status = 0;
  errorText.Clear();
  signsAmbiguous = false;
}

void TLink::ShowError(int n, const TString& message) {
  status = static_cast<std::uint32_t>(n);
  errorText = message;
  ReportStatus(message, -1);
  ShowMessageBox(message.View(), TMessageButtons::Ok, TMessageIcon::Error);
}

int TLink::ParseAndPrint(TOutput& output, const char* text) {
  if (Parse(text, kLinkParseOrdinary) == 0) return 0;
  PrintLink(output, *this);
  output.NewLines(1);
  return 1;
}

// ---- Counts and signs ----

int TLink::CrossingSign(int x) const {
  if (x < 1 || x > crossingCount || static_cast<std::size_t>(x) > signs.size()) return 0;
  return signs[static_cast<std::size_t>(x - 1)];
}

int TLink::SignSum(int type) const {
  if (type < 1 || type > 3) return 0;
  int sum = 0;
  for (int x = 1; x <= crossingCount; ++x) {
    bool take = type == 1;
    if (!take) {
      // The first component, in index order, that passes x decides.
      for (int i = 0; i < componentCount; ++i) {
        int first = -1;
        int second = -1;
        int passes = FindPassages(i, x, first, second, 0);
        if (passes == 0) continue;
        take = (type == 2) == (passes == 2);
        break;
      }
    }
    if (take) sum += CrossingSign(x);
  }
  return sum;
}

int TLink::ComponentWrithe(int i) const {
  if (i < 0 || i >= componentCount) return 0;
  int sum = 0;
  for (int x = 1; x <= crossingCount; ++x) {
    if (ContainsEntry(i, 1, x, 0) && ContainsEntry(i, 1, -x, 0)) sum += CrossingSign(x);
  }
  return sum;
}

// ---- Framings ----

int TLink::Framing(int i, std::int16_t& p, std::int16_t& q) const {
  if (i < 0 || i >= componentCount || static_cast<std::size_t>(i) >= framings.size()) return 0;
  p = framings[static_cast<std::size_t>(i)].p;
  q = framings[static_cast<std::size_t>(i)].q;
  return 1;
}

int TLink::SetFraming(int i, std::int16_t p, std::int16_t q) {
  if (i < 0 || i >= componentCount || static_cast<std::size_t>(i) >= framings.size()) return 0;
  framings[static_cast<std::size_t>(i)].p = p;
  framings[static_cast<std::size_t>(i)].q = q;
  return 1;
}

// ---- The surface ----

int TLink::SideOfLetter(char ch) const {
  if (ch == '\0') return -1;
  for (int s = 0; s < 4; ++s) {
    if (sideLetters[s] == ch) return s;
  }
  return -1;
}

int TLink::PairOfSide(int side) {
  if (side == 0 || side == 2) return 0;
  if (side == 1 || side == 3) return 1;
  return -1;
}

int TLink::SidesOfPair(int pair, int& first, int& second) {
  if (pair != 0 && pair != 1) return 0;
  first = pair;
  second = pair + 2;
  return 1;
}

int TLink::PairOrientation(int pair) const {
  if (pair != 0 && pair != 1) return 1;
  return partnerLetters[pair] < 0 ? -1 : 1;
}

int TLink::SidePointCount() const {
  if (surfaceKind == 2) return 0;
  return static_cast<int>(sideMax[0] + sideMax[1] + sideMax[2] + sideMax[3]);
}

int TLink::PartnerPointNumber(int side, int k) const {
  int pair = PairOfSide(side);
  if (pair < 0) return k;
  return PairOrientation(pair) < 0 ? static_cast<int>(sideMax[side]) - k + 1 : k;
}

int TLink::SameSidePoint(const TLinkCodeEntry& a, const TLinkCodeEntry& b) const {
  if (a.kind != 2 || b.kind != 2) return 0;
  int pair = PairOfSide(a.side);
  if (pair < 0 || pair != PairOfSide(b.side) || a.side == b.side) return 0;
  if (PairOrientation(pair) > 0) return a.number == b.number ? 1 : 0;
  return a.number + b.number == static_cast<int>(sideMax[a.side]) + 1 ? 1 : 0;
}

// ---- The code ----

int TLink::CodeLength(int i, int kind) const {
  if (i < 0 || i >= componentCount) return 0;
  int begin = componentStart[static_cast<std::size_t>(i)];
  int end = componentStart[static_cast<std::size_t>(i) + 1];
  if (kind == 0) return end - begin;
  int count = 0;
  for (int g = begin; g < end; ++g) {
    if (entries[static_cast<std::size_t>(g)].kind == kind) ++count;
  }
  return count;
}

const TLinkCodeEntry* TLink::CodeEntry(int i, int k, int kind, int* index) const {
  if (i < 0 || i >= componentCount || k < 0) return nullptr;
  int begin = componentStart[static_cast<std::size_t>(i)];
  int end = componentStart[static_cast<std::size_t>(i) + 1];
  int seen = 0;
  for (int g = begin; g < end; ++g) {
    const TLinkCodeEntry& entry = entries[static_cast<std::size_t>(g)];
    if (kind != 0 && entry.kind != kind) continue;
    if (seen == k) {
      if (index != nullptr) *index = g - begin;
      return &entry;
    }
    ++seen;
  }
  return nullptr;
}

const TLinkCodeEntry* TLink::NextCodeEntry(int i, int k, int kind, int* index) const {
  int length = CodeLength(i, kind);
  if (length == 0 || k < 0 || k >= length) return nullptr;
  return CodeEntry(i, (k + 1) % length, kind, index);
}

const TLinkCodeEntry* TLink::PreviousCodeEntry(int i, int k, int kind, int* index) const {
  int length = CodeLength(i, kind);
  if (length == 0 || k < 0 || k >= length) return nullptr;
  return CodeEntry(i, (k + length - 1) % length, kind, index);
}

int TLink::ContainsEntry(int i, int kind, int number, int side) const {
  if (i < 0 || i >= componentCount) return 0;
  int begin = componentStart[static_cast<std::size_t>(i)];
  int end = componentStart[static_cast<std::size_t>(i) + 1];
  for (int g = begin; g < end; ++g) {
    const TLinkCodeEntry& entry = entries[static_cast<std::size_t>(g)];
    if (entry.kind == kind && entry.number == number && entry.side == side) return 1;
  }
  return 0;
}

int TLink::FindPassages(int i, int x, int& first, int& second, int kind) const {
  first = -1;
  second = -1;
  if (i < 0 || i >= componentCount) return 0;
  int wanted = std::abs(x);
  int begin = componentStart[static_cast<std::size_t>(i)];
  int end = componentStart[static_cast<std::size_t>(i) + 1];
  int position = 0;
  int found = 0;
  for (int g = begin; g < end && found < 2; ++g) {
    const TLinkCodeEntry& entry = entries[static_cast<std::size_t>(g)];
    if (kind != 0 && entry.kind != kind) continue;
    if (entry.kind == 1 && std::abs(entry.number) == wanted) {
      if (found == 0) {
        first = position;
      } else {
        second = position;
      }
      ++found;
    }
    ++position;
  }
  return found;
}

void TLink::TraceCircle(int* values, int x, int mode) const {
  if (values == nullptr) return;
  values[0] = 0;
  values[1] = 0;
  if (surfaceKind == 2) return;
  for (int i = 0; i < componentCount; ++i) {
    int begin = componentStart[static_cast<std::size_t>(i)];
    int length = componentStart[static_cast<std::size_t>(i) + 1] - begin;
    for (int k = 0; k < length; ++k) {
      const TLinkCodeEntry& at = entries[static_cast<std::size_t>(begin + k)];
      if (at.kind != 1 || at.number != x) continue;
      // The arc to trace runs from crossing passage `from` forward to the next
      // crossing passage; in mode 2 it is the arc that arrives at x.
      int from = k;
      if (mode == 2) {
        for (int step = 1; step <= length; ++step) {
          int j = (k - step + length) % length;
          if (entries[static_cast<std::size_t>(begin + j)].kind == 1) {
            from = j;
            break;
          }
        }
      }
      bool afterExit = false;
      for (int step = 1; step <= length; ++step) {
        const TLinkCodeEntry& e = entries[static_cast<std::size_t>(begin + (from + step) % length)];
        if (e.kind == 1) break;
        if (e.kind != 2) continue;
        if (afterExit) {
          afterExit = false;  // the re-entry that belongs to the exit just counted
          continue;
        }
        afterExit = true;
        int pair = PairOfSide(e.side);
        if (pair >= 0) values[pair] += e.side == pair ? -1 : 1;
      }
      if (mode == 2) {
        values[0] = -values[0];
        values[1] = -values[1];
      }
      return;
    }
  }
}

// ---- Records and edge numbers ----

int TLink::RecordCount() const {
  if (surfaceKind == 2) return crossingCount;
  return crossingCount + SidePointCount() + 4;
}

int TLink::SidePointSerial(int side, int k) const {
  int serial = k;
  for (int s = 0; s < side && s < 4; ++s) serial += static_cast<int>(sideMax[s]);
  return serial;
}

int TLink::RecordIndex(const TLinkCodeEntry& entry) const {
  if (entry.kind == 1) return std::abs(entry.number) - 1;
  if (entry.kind != 2 && entry.kind != 3) return -1;
  if (entry.side < 0 || entry.side > 3) return -1;
  int corner = crossingCount;
  for (int s = 0; s < entry.side; ++s) corner += static_cast<int>(sideMax[s]) + 1;
  return entry.kind == 3 ? corner : corner + entry.number;
}

int TLink::EdgeCount() const {
  int n = crossingCount;
  if (surfaceKind == 2) return 8 * n;
  return 8 * n + 4 * SidePointCount() + 4;
}

int TLink::EdgeNumber(int role, int value, int place) const {
  int n = crossingCount;
  int s = SidePointCount();
  switch (role) {
    case 10:
      return 4 * (value - 1) + 1 + place;
    case 2:
      return 4 * n + 2 * value + 1;
    case 1:
      return 4 * n + 2 * value + 2;
    case 9:
      return value + 6 * n + s / 2 + 1;
    case 6:
      return 7 * n + s + 1 + value;
    case 5:
      return 7 * n + s + value;
    case 3:
      return 8 * n + 2 * s + 3 + 2 * value;
    case 4:
      return 8 * n + 2 * s + 4 + 2 * value;
    default:
      return 0;
  }
}
