#include "invariants/epsilon_invariant.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "foundation/digit_counter.h"
#include "foundation/output.h"
#include "foundation/stop_poll.h"
#include "invariants/surface_spine_snapshot.h"
#include "model/spine.h"
#include "model/thickening_report.h"
#include "shell/object_printers.h"
#include "model/quiet_scope.h"

namespace {

constexpr char kCRLF[] = "\r\n";

// The counts of one subpolyhedron.
struct TSubsetCounts {
  int discs = 0;
  int edges = 0;
  int v[7] = {0, 0, 0, 0, 0, 0, 0};  // v[s]: vertices with s chosen wings
  int Vertices() const { return v[3] + v[4] + v[5] + v[6]; }
  int Euler() const { return Vertices() + discs - edges; }
};

TEpsilonNumber SignedPower(int exponent, bool negate) {
  TEpsilonNumber weight;
  weight.SetPowerOfEps(exponent);
  if (negate) weight.Scale(-1);
  return weight;
}

}  // namespace

TThickenabilityReading ReadThickenability(int thickened, const TThickeningReport& report, int cells) {
  TThickenabilityReading reading;
  if (thickened != 0) return reading;
  if (report.failedCount < 0) {
    // Nothing was examined: which discs fail is unknown. Counting the
    // polyhedron as thickenable would give a confident wrong text.
    reading.undecided = true;
    return reading;
  }
  reading.nonThickenable = report.failedCount;
  reading.discVector.assign(static_cast<std::size_t>(std::max(cells, 0)), 0);
  const std::size_t count = std::min(report.cells.size(), reading.discVector.size());
  for (std::size_t j = 0; j < count; ++j) {
    if (report.cells[j].failed != 0) reading.discVector[j] = static_cast<std::int64_t>(j) + 1;
  }
  return reading;
}

TEpsilonCalculator::TEpsilonCalculator() = default;

TEpsilonCalculator::~TEpsilonCalculator() { Finish(); }

TEpsilonCalculator& TEpsilonCalculator::SetMode(int mode) {
  mode_ = mode == kEpsilonExtended ? kEpsilonExtended : kEpsilonPlain;
  return *this;
}

void TEpsilonCalculator::LoadSpine(const TSpine& spine) {
  Finish();
  computed_ = false;
  auto* snapshot = new TSurfaceSpineSnapshot;
  try {
    snapshot->Load(spine);
  } catch (...) {
    delete snapshot;
    throw;
  }
  snapshot_ = snapshot;
}

void TEpsilonCalculator::Finish() {
  delete snapshot_;
  snapshot_ = nullptr;
  discVector_.clear();
  lines_.clear();
  hasLines_ = false;
}

void TEpsilonCalculator::SetUpThickenability(TOutput* output) {
  nonThickenable_ = 0;
  thickeningUndecided_ = false;
  discVector_.clear();
  TSpine& copy = snapshot_->Copy();
  if (!copy.IsThickened()) {
    // The thickening works on a copy of its own: the wing tables stay valid.
    TSpine scratch;
    copy.CopyTo(scratch);
    TThickeningReport report;
    int thickened = 0;
    {
      TQuietScope quiet;
      thickened = scratch.Thicken(2, &report);
    }
    const TThickenabilityReading reading = ReadThickenability(thickened, report, snapshot_->CellCount());
    discVector_ = reading.discVector;
    nonThickenable_ = reading.nonThickenable;
    thickeningUndecided_ = reading.undecided;
  }
  lines_.clear();
  hasLines_ = true;
  if (output == nullptr) return;
  if (thickeningUndecided_) {
    output->AppendText("Polyhedron is non-thickenable\r\nNon-thickenable discs: undecided\r\n\r\n");
  } else if (discVector_.empty()) {
    output->AppendText("Polyhedron is thickenable\r\n\r\n");
  } else {
    std::string text = "Polyhedron is non-thickenable\r\nNon-thickenable discs: { ";
    for (std::int64_t d : discVector_) {
      if (d != 0) text += std::to_string(d) + " ";
    }
    text += "}\r\n\r\n";
    output->AppendText(text.c_str());
  }
}

std::string TEpsilonCalculator::KeyOf(const std::vector<std::uint8_t>& subset) const {
  if (discVector_.empty()) return "0";
  std::string tail;
  int count = 0;
  for (std::size_t j = 0; j < subset.size() && j < discVector_.size(); ++j) {
    if (subset[j] != 0 && discVector_[j] != 0) {
      tail += " " + std::to_string(discVector_[j]);
      ++count;
    }
  }
  return std::to_string(count) + tail;
}

void TEpsilonCalculator::BookWeight(const TEpsilonNumber& weight,
                                    const std::vector<std::uint8_t>& subset) {
  hasLines_ = true;
  const std::string key = KeyOf(subset);
  auto found = lines_.find(key);
  if (found == lines_.end()) {
    if (!weight.EqualsInteger(0)) lines_.emplace(key, weight);
    return;
  }
  found->second.Add(weight);
  if (found->second.EqualsInteger(0)) lines_.erase(found);
}

void TEpsilonCalculator::Book(const TEpsilonNumber& weight,
                              const std::vector<std::uint8_t>& subset) {
  result_.Add(weight);
  if (mode_ == kEpsilonExtended) BookWeight(weight, subset);
}

void TEpsilonCalculator::Compute(TOutput* output) {
  if (snapshot_ == nullptr) throw std::logic_error("no spine loaded");
  ThrowIfStopRequested();
  computed_ = false;
  result_.SetZero();
  if (mode_ == kEpsilonExtended) SetUpThickenability(output);
  const int n = snapshot_->CellCount();
  const TEdgeWingTable& edges = snapshot_->Edges();
  const TVertexWingTable& vertices = snapshot_->Vertices();
  const int E = edges.Count();
  const int V = vertices.Count();

  std::vector<std::uint8_t> subset(static_cast<std::size_t>(n), 0);
  Book(TEpsilonNumber(1, 0), subset);  // the empty subpolyhedron

  auto listing = [&](const std::string& head, const TSubsetCounts& c, bool whole,
                     const TEpsilonNumber& weight) {
    std::string text = head;
    text += "chi=" + std::to_string(c.Euler()) + ", discs=" + std::to_string(c.discs) +
            ", edges=" + std::to_string(c.edges) + ", vertices=" + std::to_string(c.Vertices());
    if (!whole) {
      text += " (v3=" + std::to_string(c.v[3]) + ", v4=" + std::to_string(c.v[4]) +
              ", v5=" + std::to_string(c.v[5]) + ", v6=" + std::to_string(c.v[6]) + ")";
    }
    text += ", Weight=" + weight.ToText();
    if (mode_ == kEpsilonExtended && !discVector_.empty()) {
      text += "{ ";
      for (std::size_t j = 0; j < subset.size(); ++j) {
        if (subset[j] != 0 && discVector_[j] != 0) text += std::to_string(discVector_[j]) + " ";
      }
      text += "}";
    }
    if (!whole) {
      text += "\r\n\tDiscs: {";
      for (std::size_t j = 0; j < subset.size(); ++j) {
        if (subset[j] != 0) text += std::to_string(j + 1) + " ";
      }
      text += "}\r\n";
    }
    text += kCRLF;
    output->AppendText(text.c_str());
  };

  if (n > 1) {
    std::optional<TDigitCounter> counter = TDigitCounter::Create(2, n);
    if (!counter) throw std::invalid_argument("no counter over the 2-cells");
    // One subset costs a pass over the edges and vertices: poll often.
    TStopPoll poll(256);
    unsigned number = 0;
    int skip = n - 1;
    while (counter->Next(skip)) {
      poll.Step();
      skip = n - 1;
      const auto digits = counter->Digits();
      if (counter->CountNonZero() == n) break;  // the whole polyhedron comes last
      TSubsetCounts c;
      bool simple = true;
      for (int e = 0; e < E && simple; ++e) {
        const TEdgeWingRecord& r = edges.At(e);
        int s = 0;
        for (std::int32_t cell : r.cells) s += cell >= 0 && digits[static_cast<std::size_t>(cell)];
        if (s == 1) {
          // Every subset with this prefix has the same lone wing here.
          simple = false;
          skip = r.Largest();
        } else if (s >= 1) {
          ++c.edges;
        }
      }
      if (!simple) continue;
      for (int v = 0; v < V; ++v) {
        int s = 0;
        for (std::int32_t cell : vertices.At(v).cells) {
          s += cell >= 0 && digits[static_cast<std::size_t>(cell)];
        }
        ++c.v[s];
      }
      c.discs = counter->CountNonZero();
      std::copy(digits.begin(), digits.end(), subset.begin());
      const TEpsilonNumber weight = SignedPower(c.Euler() - c.v[6], c.v[6] % 2 != 0);
      Book(weight, subset);
      ++number;
      if (output != nullptr && n <= kEpsilonListedCells) {
        listing("Subpolyhedron " + std::to_string(number) + ": ", c, false, weight);
      }
    }
  }
  // The whole polyhedron: every vertex takes six wings.
  std::fill(subset.begin(), subset.end(), 1);
  TSubsetCounts whole;
  whole.discs = n;
  whole.edges = E;
  whole.v[6] = V;
  const TEpsilonNumber weight = SignedPower(n - E, V % 2 != 0);
  Book(weight, subset);
  if (output != nullptr) listing("Given polyhedron:", whole, true, weight);
  computed_ = true;
  if (mode_ == kEpsilonPlain) {
    delete snapshot_;
    snapshot_ = nullptr;
  }
}

std::string TEpsilonCalculator::FormatLines() const {
  if (!hasLines_) return {};
  if (lines_.empty()) return "0{ }";
  std::string text;
  bool first = true;
  for (const auto& [name, weight] : lines_) {
    std::int64_t a = 0;
    std::int64_t b = 0;
    weight.Get(a, b);
    const bool both = a != 0 && b != 0;
    if (first) {
      if (both) text += "(";
    } else if (both) {
      text += "+(";
    } else if (a > 0 || b > 0) {
      text += "+";
    }
    text += weight.ToText();
    if (both) text += ")";
    const std::size_t blank = name.find(' ');
    text += "{" + (blank == std::string::npos ? std::string() : name.substr(blank + 1)) + "} ";
    first = false;
  }
  return text;
}

std::string TEpsilonCalculator::FormatResult(int type) const {
  std::string text;
  if (type == 1) {
    text = "Epsilon-invariant = " + result_.ToText() + "\r\n\r\n";
    if (mode_ == kEpsilonExtended) {
      text += "Extended Epsilon-invariant = " +
              (thickeningUndecided_ ? std::string("undecided") : FormatLines()) + "\r\n\r\n";
    }
    return text;
  }
  if (mode_ == kEpsilonPlain) return result_.ToText() + "\r\n\r\n";
  if (thickeningUndecided_) return "non-thickenable undecided, " + result_.ToText();
  return "non-thickenable " + std::to_string(nonThickenable_) + ", " + FormatLines();
}

void TEpsilonCalculator::AppendResult(TOutput& output) const {
  output.AppendText(FormatResult(1).c_str());
}

bool ComputeEpsilonInvariant(TEpsilonCalculator& calculator, TSpine& spine, TOutput* output) {
  if (spine.IsSpecial(2) == 0) {
    if (output != nullptr) output->AppendText("Is realized for special polyhedra only!");
    return false;
  }
  try {
    calculator.LoadSpine(spine);
  } catch (const std::invalid_argument&) {
    if (output != nullptr) output->AppendText("Is realized for special polyhedra only!");
    return false;
  }
  TOutput listing;
  if (output != nullptr) {
    PrintCellList(listing, &spine, 2);
    listing.NewLines(1);
  }
  calculator.Compute(output != nullptr ? &listing : nullptr);
  if (output != nullptr) {
    calculator.AppendResult(*output);
    output->AppendText(listing.Text());
  }
  return true;
}
