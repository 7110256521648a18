#include "recognition/atom_table_generation.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "foundation/heap_string.h"
#include "foundation/private_heap.h"
#include "foundation/stop_poll.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "presentations/triangulations/iso_signature.h"

namespace {

int LetterRank(char letter) {
  switch (letter) {
    case 'm': return 0;
    case 's': return 1;
    case 'v': return 2;
    case 't': return 3;
    default: return 4 + static_cast<unsigned char>(letter);
  }
}

bool ReadInt(std::string_view token, int& value) {
  const char* end = token.data() + token.size();
  auto [at, error] = std::from_chars(token.data(), end, value);
  return error == std::errc() && at == end;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return fields;
}

int VertexCountOfChain(TSpine& spine) {
  int vertices = 0;
  for (TSpine* part = &spine; part != nullptr; part = part->Next()) {
    vertices += part->Objects().CountOfKind(kVertexKind);
  }
  return vertices;
}

// The record name: "Q%u_%u" for one torus, "Q%u^%u_%u" for more.
std::string RecordName(int cusps, int complexity, int number) {
  std::string name = "Q" + std::to_string(complexity);
  if (cusps != 1) name += "^" + std::to_string(cusps);
  return name + "_" + std::to_string(number);
}

// The spine of one entry checked, and its cell lines; empty with a reason when
// a check fails. Everything is built in a heap of its own, destroyed here.
std::string SpineRecordBody(const TAtomCensusEntry& entry, bool checkMoves, std::string& signature,
                            std::string& problem) {
  THeapContext context;
  PushHeapContext(context);
  PrivateHeapCreate(1);
  std::string body;
  try {
    TSpine spine;
    if (LoadIsoSignature(spine, entry.signature) != 1) {
      problem = "the signature does not decode";
    } else {
      spine.SplitIntoComponents();
      TIsoSignature canonical;
      signature = canonical.Compute(spine, 1);
      if (spine.Next() != nullptr || signature.empty()) {
        problem = "the spine is not one connected special spine";
      } else if (VertexCountOfChain(spine) != entry.tetrahedra) {
        problem = "the spine has " + std::to_string(VertexCountOfChain(spine)) + " vertices";
      } else {
        TString cells;
        TBoundaryCurvesPresentation::Write(cells, spine, kCellsNumbered);
        if (spine.Thicken(1) != 1) {
          problem = "the spine does not thicken";
        } else if (spine.CountBoundariesByEuler(1, 0) != entry.cusps ||
                   spine.BoundaryCount() != entry.cusps) {
          problem = "the spine has " + std::to_string(spine.BoundaryCount()) + " boundary surfaces";
        } else {
          if (checkMoves) {
            TSpine simplified;
            spine.CopyTo(simplified);
            const int quiet = QuietMode.exchange(1);
            RunStepsUntilStable(simplified, nullptr);
            QuietMode.store(quiet);
            const int after = VertexCountOfChain(simplified);
            if (after < entry.tetrahedra) {
              problem = "the moves reduce the spine to " + std::to_string(after) + " vertices";
            }
          }
          if (problem.empty()) body = cells.CStr();
        }
      }
    }
  } catch (...) {
    PrivateHeapDestroyCurrent();
    PopHeapContext(context);
    throw;
  }
  PrivateHeapDestroyCurrent();
  PopHeapContext(context);
  if (!problem.empty()) body.clear();
  return body;
}

}  // namespace

bool CensusNameLess(std::string_view a, std::string_view b) {
  auto split = [](std::string_view name) {
    std::size_t digits = name.find_first_of("0123456789");
    if (digits == std::string_view::npos) digits = name.size();
    int number = 0;
    ReadInt(name.substr(digits), number);
    return std::make_pair(name.substr(0, digits), number);
  };
  auto [letterA, numberA] = split(a);
  auto [letterB, numberB] = split(b);
  const int rankA = letterA.empty() ? -1 : LetterRank(letterA[0]);
  const int rankB = letterB.empty() ? -1 : LetterRank(letterB[0]);
  if (rankA != rankB) return rankA < rankB;
  if (letterA != letterB) return letterA < letterB;
  if (numberA != numberB) return numberA < numberB;
  return a < b;
}

std::vector<TAtomCensusEntry> ReadAtomCensus(std::string_view text, std::string& error) {
  std::vector<TAtomCensusEntry> entries;
  error.clear();
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || (lineNumber == 1 && line.rfind("tetrahedra", 0) == 0)) continue;
    std::vector<std::string_view> fields = SplitTabs(line);
    TAtomCensusEntry entry;
    if (fields.size() < 4) {
      error = "line " + std::to_string(lineNumber) + ": expected 4 or 5 fields, found '" + std::string(line) + "'";
      return {};
    }
    if (!ReadInt(fields[0], entry.tetrahedra) || entry.tetrahedra < 1) {
      error = "line " + std::to_string(lineNumber) + ": bad number of tetrahedra '" + std::string(fields[0]) + "'";
      return {};
    }
    if (!ReadInt(fields[1], entry.cusps) || entry.cusps < 1 || entry.cusps > 5) {
      error = "line " + std::to_string(lineNumber) + ": bad number of cusps '" + std::string(fields[1]) + "'";
      return {};
    }
    if (fields[2].empty() || fields[2].find(' ') != std::string_view::npos || fields[3].empty()) {
      error = "line " + std::to_string(lineNumber) + ": bad name or signature '" + std::string(line) + "'";
      return {};
    }
    entry.name = fields[2];
    entry.signature = fields[3];
    entries.push_back(std::move(entry));
  }
  return entries;
}

TAtomTableGenerationResult GenerateAtomTable(std::vector<TAtomCensusEntry> entries,
                                             const TAtomTableGenerationOptions& options) {
  InitMoveOrderTable();
  std::erase_if(entries, [&](const TAtomCensusEntry& e) { return e.tetrahedra > options.maxTetrahedra; });
  std::stable_sort(entries.begin(), entries.end(), [](const TAtomCensusEntry& a, const TAtomCensusEntry& b) {
    if (a.cusps != b.cusps) return a.cusps < b.cusps;
    if (a.tetrahedra != b.tetrahedra) return a.tetrahedra < b.tetrahedra;
    return CensusNameLess(a.name, b.name);
  });

  TAtomTableGenerationResult result;
  std::string& text = result.text;
  text.reserve(entries.size() * 240);
  int cusps = 0, complexity = 0, number = 0;
  for (const TAtomCensusEntry& entry : entries) {
    ThrowIfStopRequested();
    std::string signature, problem;
    std::string body = SpineRecordBody(entry, options.checkMoves, signature, problem);
    if (!problem.empty()) {
      result.problems.push_back(entry.name + " " + entry.signature + ": " + problem);
      continue;
    }
    if (entry.cusps != cusps || entry.tetrahedra != complexity) number = 0;
    cusps = entry.cusps;
    complexity = entry.tetrahedra;
    const std::string name = RecordName(cusps, complexity, ++number);
    text += "%*** " + name + " " + signature + "\r\n";
    text += "%Name=\"" + entry.name + "\"\r\n";
    // The writer ends every cell with CR LF already; keep them, drop stray LF-only ends.
    for (std::size_t at = 0; at < body.size();) {
      std::size_t end = body.find('\n', at);
      if (end == std::string::npos) end = body.size();
      std::string_view line(body.data() + at, end - at);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      if (!line.empty()) {
        text += line;
        text += "\r\n";
      }
      at = end + 1;
    }
    text += "%*** End of " + name + "\r\n";
    ++result.records;
  }
  return result;
}
