// The packed record of the extended epsilon invariant and its canonical form.
//
// The record lists, for every set of non-thickenable discs that some
// subpolyhedron contains, the discs and the summed weight. The discs are
// numbered 1..k by the spine's cell order, so two numberings of one
// polyhedron give records that differ by a permutation of 1..k. The canonical
// form is the smallest record (as a sequence of integers, the lines sorted)
// over all k! renumberings; it is found by trying them all, which is why k is
// bounded (kEpsilonCanonicalDiscLimit).
#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "foundation/stop_poll.h"
#include "invariants/epsilon_invariant.h"

namespace {

using TLineInts = std::vector<std::int64_t>;  // m, discs, |a|, |b|, a, b

std::int64_t Abs(std::int64_t x) { return x < 0 ? -x : x; }

// The lines of a record; throws std::invalid_argument when it does not hold together.
std::vector<TLineInts> ReadLines(const std::vector<std::int64_t>& record) {
  if (record.size() < 4 || record[1] < 0 || record[3] < 0) {
    throw std::invalid_argument("an epsilon record too short");
  }
  std::vector<TLineInts> lines;
  std::size_t at = 4;
  for (std::int64_t l = 0; l < record[3]; ++l) {
    if (at >= record.size() || record[at] < 0 ||
        record.size() - at < static_cast<std::size_t>(record[at]) + 5) {
      throw std::invalid_argument("an epsilon record line that runs past its end");
    }
    const std::size_t length = static_cast<std::size_t>(record[at]) + 5;
    lines.emplace_back(record.begin() + static_cast<std::ptrdiff_t>(at),
                       record.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  }
  return lines;
}

}  // namespace

std::size_t TEpsilonCalculator::EncodedSize() const {
  if (nonThickenable_ == 0 || lines_.empty()) return 4 + 5;
  std::size_t size = 4;
  for (const auto& [name, weight] : lines_) {
    size += 5 + static_cast<std::size_t>(std::count(name.begin(), name.end(), ' '));
  }
  return size;
}

std::vector<std::int64_t> TEpsilonCalculator::Encode() {
  // Discs numbered 1..k in cell order.
  std::map<std::int64_t, std::int64_t> renumbered;
  for (std::int64_t& d : discVector_) {
    if (d == 0) continue;
    const auto next = static_cast<std::int64_t>(renumbered.size()) + 1;
    renumbered.emplace(d, next);
    d = next;
  }
  std::vector<std::int64_t> record{static_cast<std::int64_t>(EncodedSize()), nonThickenable_, 0, 1};
  auto appendWeight = [&record](const TEpsilonNumber& weight) {
    std::int64_t a = 0;
    std::int64_t b = 0;
    weight.Get(a, b);
    record.insert(record.end(), {Abs(a), Abs(b), a, b});
  };
  if (nonThickenable_ == 0 || lines_.empty()) {
    record.push_back(0);
    appendWeight(result_);
    return record;
  }
  record[3] = static_cast<std::int64_t>(lines_.size());
  std::int64_t largest = 0;
  for (const auto& [name, weight] : lines_) {
    std::vector<std::int64_t> numbers;
    std::size_t at = 0;
    while (at < name.size()) {
      std::size_t used = 0;
      numbers.push_back(std::stoll(name.substr(at), &used));
      at += used;
      while (at < name.size() && name[at] == ' ') ++at;
    }
    const std::int64_t m = numbers.empty() ? 0 : numbers[0];
    largest = std::max(largest, m);
    record.push_back(m);
    for (std::size_t i = 1; i < numbers.size(); ++i) {
      auto found = renumbered.find(numbers[i]);
      record.push_back(found == renumbered.end() ? numbers[i] : found->second);
    }
    appendWeight(weight);
  }
  record[2] = largest;
  return record;
}

int TEpsilonCalculator::CanonicalizeEncoded(std::vector<std::int64_t>& record) {
  const std::vector<TLineInts> lines = ReadLines(record);
  const std::int64_t k = record[1];
  // A single line is renumbered too: its discs alone depend on the numbering.
  if (lines.empty() || k <= 0) return 0;
  if (k > kEpsilonCanonicalDiscLimit) return -1;
  std::vector<std::int64_t> flat;
  for (const TLineInts& line : lines) flat.insert(flat.end(), line.begin(), line.end());
  std::vector<std::int64_t> best = flat;
  std::vector<std::int64_t> pi(static_cast<std::size_t>(k));
  std::iota(pi.begin(), pi.end(), 1);
  TStopPoll poll(256);
  std::vector<TLineInts> work = lines;
  std::vector<std::int64_t> candidate;
  do {
    poll.Step();
    for (std::size_t l = 0; l < lines.size(); ++l) {
      TLineInts& line = work[l];
      line = lines[l];
      const auto m = static_cast<std::size_t>(line[0]);
      for (std::size_t i = 1; i <= m; ++i) {
        const std::int64_t d = line[i];
        if (d >= 1 && d <= k) line[i] = pi[static_cast<std::size_t>(d - 1)];
      }
      std::sort(line.begin() + 1, line.begin() + 1 + static_cast<std::ptrdiff_t>(m));
    }
    std::sort(work.begin(), work.end());
    candidate.clear();
    for (const TLineInts& line : work) candidate.insert(candidate.end(), line.begin(), line.end());
    if (candidate < best) best = candidate;
  } while (std::next_permutation(pi.begin(), pi.end()));
  if (best == flat) return 0;
  std::copy(best.begin(), best.end(), record.begin() + 4);
  return 1;
}

void TEpsilonCalculator::Decode(const std::vector<std::int64_t>& record) {
  const std::vector<TLineInts> lines = ReadLines(record);
  if (lines.empty()) throw std::invalid_argument("an epsilon record without lines");
  Finish();
  computed_ = true;
  thickeningUndecided_ = false;
  nonThickenable_ = static_cast<int>(record[1]);
  hasLines_ = true;
  result_.SetZero();
  for (const TLineInts& line : lines) {
    const std::size_t m = static_cast<std::size_t>(line[0]);
    std::string name;
    for (std::size_t i = 0; i <= m; ++i) name += std::to_string(line[i]) + " ";
    const TEpsilonNumber weight(line[m + 3], line[m + 4]);
    result_.Add(weight);
    // A thickenable polyhedron keeps its one line, so that its table text
    // still carries the invariant.
    if (!weight.EqualsInteger(0)) lines_[name].Add(weight);
  }
}

std::string ExtendedEpsilonTableText(const TSpine& spine) {
  TEpsilonCalculator calculator;
  calculator.SetMode(kEpsilonExtended);
  calculator.LoadSpine(spine);
  calculator.Compute(nullptr);
  if (calculator.ThickeningUndecided()) return calculator.FormatResult(2);
  std::vector<std::int64_t> record = calculator.Encode();
  TEpsilonCalculator::CanonicalizeEncoded(record);
  calculator.Decode(record);
  calculator.SetMode(kEpsilonExtended);
  return calculator.FormatResult(2);
}
