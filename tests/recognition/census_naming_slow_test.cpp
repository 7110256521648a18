// The whole closed census sample through "Recognize": every manifold must be
// named, and every name must agree with the census. Lens spaces are compared
// by p and q up to orientation and the choice of core, Seifert manifolds over
// S^2 and RP^2 by their invariants up to orientation, everything else (graph
// manifolds, torus bundles) by the first homology, hyperbolic ones by the
// homology and the volume.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "shell/document_commands.h"
#include "shell/options.h"
#include "support/census_table_support.h"
#include "support/seifert_invariants.h"

namespace {

constexpr int kRecognize = 46;

// The line after "Manifold is" of the report, "" when stopped or absent. A
// watchdog stops a run that takes more than 30 s, so a manifold the moves
// never finish with fails here instead of hanging the sweep.
std::string RecognisedLine(const std::string& text) {
  TOptionValues options;
  options.MaxAllVariantsTime = 2000;
  std::atomic<int> stop{0};
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  std::thread watchdog([&] {
    std::unique_lock<std::mutex> lock(mutex);
    if (!done.wait_for(lock, std::chrono::seconds(30), [&] { return finished; })) stop.store(1);
  });
  const TCommandResult r = RunCommandOnText(kRecognize, text + "\n", options, &stop);
  {
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
  }
  done.notify_one();
  watchdog.join();
  const std::string head = "Manifold is\r\n\t";
  const std::size_t at = r.shown.find(head);
  if (at == std::string::npos) return "";
  const std::size_t from = at + head.size();
  return r.shown.substr(from, r.shown.find_first_of("\r\n", from) - from);
}

std::string Family(const std::string& name) {
  if (name.rfind("L(", 0) == 0 || name == "S3" || name == "RP3" || name == "S2 x S1") return "lens";
  if (name.rfind("SFS [S2:", 0) == 0) return "sfs-S2";
  if (name.rfind("SFS [RP2", 0) == 0) return "sfs-RP2";
  if (name.rfind("SFS [T:", 0) == 0) return "sfs-T2";
  if (name.rfind("SFS [D", 0) == 0 || name.find(" U/m ") != std::string::npos) return "graph";
  if (name.find("/ [") != std::string::npos) return "bundle";
  if (name.rfind("Hyp", 0) == 0) return "hyperbolic";
  return "other";
}

// L(p,q); S^3 is L(1,0), RP^3 L(2,1), S^2 x S^1 L(0,1).
struct TLens {
  long long p = 0;
  long long q = 0;
};

std::optional<TLens> CensusLens(const std::string& name) {
  std::smatch m;
  if (std::regex_match(name, m, std::regex(R"(L\((\d+),(\d+)\))"))) return TLens{std::stoll(m[1]), std::stoll(m[2])};
  if (name == "S3") return TLens{1, 0};
  if (name == "RP3") return TLens{2, 1};
  if (name == "S2 x S1") return TLens{0, 1};
  return std::nullopt;
}

std::optional<TLens> PrintedLens(const std::string& line) {
  std::smatch m;
  if (std::regex_search(line, m, std::regex(R"(^L\((\d+),(\d+)\))"))) return TLens{std::stoll(m[1]), std::stoll(m[2])};
  if (line.rfind("S^3", 0) == 0) return TLens{1, 0};
  if (line.rfind("RP^3", 0) == 0) return TLens{2, 1};
  if (line.rfind("S^2xS^1", 0) == 0) return TLens{0, 1};
  return std::nullopt;
}

// L(p,q) and L(p,q') are one manifold up to orientation exactly when
// q' = +-q or q q' = +-1 modulo p.
bool SameLens(const TLens& a, const TLens& b) {
  if (a.p != b.p) return false;
  const long long p = a.p;
  if (p <= 2) return true;
  const long long qa = ((a.q % p) + p) % p;
  const long long qb = ((b.q % p) + p) % p;
  return qb == qa || qb == p - qa || (qa * qb) % p == 1 || (qa * qb) % p == p - 1;
}

TEST(CensusNamingSweep, SameLensIsUpToOrientationAndCore) {
  const struct {
    TLens a, b;
    bool same;
  } cases[] = {
      {{7, 2}, {7, 2}, true},  {{7, 2}, {7, 5}, true},  {{7, 2}, {7, 4}, true},  {{7, 2}, {7, 3}, true},
      {{7, 1}, {7, 2}, false}, {{7, 1}, {8, 1}, false}, {{2, 1}, {2, 1}, true},  {{5, 2}, {5, 1}, false},
      {{12, 5}, {12, 7}, true}, {{0, 1}, {0, 1}, true}, {{1, 0}, {0, 1}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SameLens(c.a, c.b), c.same) << c.a.p << "," << c.a.q << " vs " << c.b.p << "," << c.b.q;
}

// The base the printed name of a Seifert manifold has, "" for other names.
std::string PrintedSeifertBase(const std::string& line) {
  if (line.rfind("Seifert manifold (S^2,", 0) == 0) return "S2";
  if (line.rfind("Seifert manifold (RP^2,", 0) == 0) return "RP2";
  return "";
}

TEST(CensusNamingSweep, EveryManifoldIsNamedAsInTheCensus) {
  const std::vector<TClosedCensusEntry> sample = ReadClosedCensusSample();
  ASSERT_EQ(sample.size(), 280u);
  std::map<std::string, std::pair<int, int>> named;  // family -> (named, all)
  const auto start = std::chrono::steady_clock::now();
  double slowest = 0;
  std::string slowestName;
  for (const TClosedCensusEntry& e : sample) {
    SCOPED_TRACE(e.name + " " + e.signature);
    const std::string family = Family(e.name);
    ++named[family].second;
    const auto begin = std::chrono::steady_clock::now();
    const std::string line = RecognisedLine(e.signature);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (seconds > slowest) {
      slowest = seconds;
      slowestName = e.name;
    }
    if (line.empty() || line.find("unrecognized") != std::string::npos) {
      ADD_FAILURE() << "not named: \"" << line << "\"";
      continue;
    }
    const std::size_t h = line.find("H_1=");
    if (h == std::string::npos) {
      ADD_FAILURE() << "no homology in " << line;
      continue;
    }
    // "H_1=Z_5+Z_5" may be followed by more fields ("\tVolume=0.94...").
    const std::string homology = line.substr(h, line.find('\t', h) - h);
    bool right = HomologySummands(homology) == HomologySummands(e.homology);
    EXPECT_TRUE(right) << line;
    if (family == "lens") {
      const std::optional<TLens> printed = PrintedLens(line);
      const bool same = printed && SameLens(*printed, *CensusLens(e.name));
      EXPECT_TRUE(same) << line;
      right = right && same;
    } else if (family == "sfs-S2" || family == "sfs-RP2") {
      const bool same = PrintedSeifertBase(line) == family.substr(4) &&
                        SeifertKeyUpToOrientation(FibrePairs(line.substr(0, h))) ==
                            SeifertKeyUpToOrientation(FibrePairs(e.name));
      EXPECT_TRUE(same) << line;
      right = right && same;
    } else if (family == "hyperbolic") {
      // The census name carries the volume to 8 decimals: "Hyp_0.94270736".
      const std::size_t v = line.find("Volume=");
      const bool same = v != std::string::npos &&
                        std::fabs(std::stod(line.substr(v + 7)) - std::stod(e.name.substr(4))) < 1e-7;
      EXPECT_TRUE(same) << line;
      right = right && same;
    }
    if (right) ++named[family].first;
  }
  const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (const auto& [family, count] : named)
    std::printf("%-12s %d/%d named as in the census\n", family.c_str(), count.first, count.second);
  std::printf("%.1f s in all, slowest %.2f s (%s)\n", total, slowest, slowestName.c_str());
}

}  // namespace
