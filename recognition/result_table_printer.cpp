#include "recognition/result_table_printer.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>

#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/surface_name.h"
#include "recognition/piece_code.h"
#include "recognition/report_text.h"
#include "recognition/result_printer.h"
#include "shell/string_text.h"
#include "shell/surface_set_printer.h"

namespace {

constexpr int kTableHeadingId = 9254;
constexpr int kManifoldCountId = 9255;
constexpr int kPresentationCountId = 9256;
constexpr int kComplexityHeadingId = 9257;
constexpr int kEntryNameId = 9258;
constexpr int kEntryNameWithCountId = 9259;
constexpr int kPresentationNameId = 9260;
constexpr int kByParametersId = 9261;
constexpr int kSourceSpineId = 9262;
constexpr int kGeometryCountsId = 9263;
constexpr int kGeometryCountsTailId = 9264;
constexpr int kTypeCountsIgnoringId = 9265;
constexpr int kTypeCountsId = 9266;
constexpr int kTotalId = 9267;
constexpr int kIncludingReducibleId = 9268;
constexpr int kUnknownGeometryId = 9269;

constexpr int kLensHeaderId = 9663;           // one; 9664 several
constexpr int kStallingsHeaderId = 9665;      // 9666
constexpr int kHyperbolicHeaderId = 9667;     // 9668
constexpr int kReducibleHeaderId = 9669;      // 9670
constexpr int kSeifertPlainHeaderId = 9671;   // 9672: no exceptional fibre
constexpr int kSeifertOneHeaderId = 9673;     // 9674: one
constexpr int kSeifertManyHeaderId = 9675;    // 9676: several
constexpr int kGroupTableHeadingId = 9677;
constexpr int kSourceListHeadingId = 9679;
constexpr int kNoneId = 3028;

constexpr int kS3Geometry = 0;  // index only; S^3 is counted by type
constexpr int kElliptic = 5;

void Append(TReportText& output, const std::string& text) { output.AppendText(text); }

// The entries of one complexity (all when complexity is -1).
bool InComplexity(TManifoldTable& table, int i, int complexity) {
  return complexity == -1 || table.GetEntry(i)->GetComplexity() == complexity;
}

// The type an entry is counted under: 0 when it is reducible or has
// S^2xS^1 summands or solid tori (those are counted apart).
int CountedType(TManifoldDescription& d, bool& reducible) {
  reducible = d.IsReducible() != 0;
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  d.GetBoundaryCounts(balls, s2xs1, solidTori);
  if (reducible || s2xs1 > 0 || solidTori > 0) return 0;
  return d.GetTypeCode();
}

void PrintGeometryCounts(TReportText& output, TManifoldTable& table, int complexity) {
  if (table.GetReportKind() != 2) return;
  unsigned geometry[10] = {};
  unsigned spheres = 0;
  unsigned lens = 0;
  unsigned reducible = 0;
  for (int i = 0; i < table.CountEntries(); ++i) {
    if (!InComplexity(table, i, complexity)) continue;
    TManifoldDescription& d = *table.GetEntry(i);
    bool isReducible = false;
    const int type = CountedType(d, isReducible);
    reducible += isReducible ? 1 : 0;
    spheres += type == kTrivialCode ? 1 : 0;
    lens += type == kLensCode ? 1 : 0;
    const int g = d.GetGeometry();
    ++geometry[g >= 1 && g <= 9 ? g : kS3Geometry];
  }
  if (spheres > 0) output.AppendText("            S^3\r\n");
  Append(output, FormatStringText(kGeometryCountsId, geometry[2], geometry[3], geometry[4], lens,
                                  geometry[kElliptic] - std::min(geometry[kElliptic], spheres + lens), geometry[6],
                                  geometry[7]));
  Append(output, FormatStringText(kGeometryCountsTailId, geometry[8], geometry[9], geometry[1]));
  if (geometry[1] > 0 && table.GetIgnoreReducible() == 0 && reducible > geometry[2]) {
    const unsigned r = reducible - geometry[2];
    Append(output, r == geometry[1] ? std::string("(reducible)") : FormatStringText(kIncludingReducibleId, r));
  }
  output.NewLines(1);
  if (geometry[0] > 0) Append(output, FormatStringText(kUnknownGeometryId, geometry[0]));
}

void PrintTypeCounts(TReportText& output, TManifoldTable& table, unsigned total, int complexity) {
  if (table.GetReportKind() == 2) {
    unsigned count[20] = {};
    unsigned reducible = 0;
    for (int i = 0; i < table.CountEntries(); ++i) {
      if (!InComplexity(table, i, complexity)) continue;
      bool isReducible = false;
      const int type = CountedType(*table.GetEntry(i), isReducible);
      reducible += isReducible ? 1 : 0;
      if (type >= 0 && type < 20) ++count[type];
    }
    if (count[kTrivialCode] > 0) output.AppendText("            S^3\r\n");
    const unsigned compound = count[5] + count[6] + count[9] + count[10];
    const unsigned fillings = count[7] + count[8];
    const unsigned unrecognised = count[18] + count[19];
    if (table.GetIgnoreReducible() != 0) {
      Append(output, FormatStringText(kTypeCountsIgnoringId, count[2], count[3], count[4], compound, fillings,
                                      unrecognised));
    } else {
      Append(output, FormatStringText(kTypeCountsId, count[2], count[3], count[4], compound, fillings, reducible,
                                      unrecognised));
    }
  }
  Append(output, FormatStringText(kTotalId, total));
}

// The listed presentations of entry i.
int ListedPresentations(TManifoldTable& table, int i, int outputMode) {
  if (outputMode == 2) return 1;
  int typed = 0;
  for (int p = 0; p < table.CountEntryPresentations(i); ++p) typed += table.GetEntry(i, p)->GetTypeCode() != 0 ? 1 : 0;
  return std::max(typed, 1);
}

// ---- Groups ----
// Consecutive entries of one kind form a group that the listing heads with
// its size ("3 Lens"); over the whole table the head also counts the group
// by complexity. Seifert manifolds group by their base and number of
// exceptional fibres.
enum : int {
  kNoGroup = 0,
  kLensGroup,
  kSeifertGroup,
  kStallingsGroup,
  kHyperbolicGroup,
  kReducibleGroup,
  kGroupKinds,
};

int GroupKind(TManifoldDescription& d) {
  if (d.IsReducible() == 1) return kReducibleGroup;
  switch (d.GetTypeCode()) {
    case kLensCode: return kLensGroup;
    case kSeifertCode: return kSeifertGroup;
    case kBundleCode: return kStallingsGroup;
    case kFilledAtomCode:
    case kMultiFilledAtomCode: return kHyperbolicGroup;
    default: return kNoGroup;
  }
}

// The Seifert atom of a Seifert manifold: the first vertex of its molecule.
const TObjectHeader* SeifertVertex(const TManifoldDescription& d) {
  const TObjectTable* molecule = d.GetMolecule();
  if (molecule == nullptr) return nullptr;
  for (int i = 0; i < molecule->Count(); ++i)
    if (TMoleculeVertex::Of(molecule->At(i)) != nullptr) return molecule->At(i);
  return nullptr;
}

bool SameGroup(int kind, TManifoldDescription& first, TManifoldDescription& d) {
  if (GroupKind(d) != kind) return false;
  if (kind != kSeifertGroup) return true;
  const TObjectHeader* a = SeifertVertex(first);
  const TObjectHeader* b = SeifertVertex(d);
  return a != nullptr && b != nullptr && TMoleculeVertex::PairCount(a) == TMoleculeVertex::PairCount(b) &&
         TMoleculeVertex::Classify(a) == TMoleculeVertex::Classify(b);
}

// The size of the group that begins at order[at] (0 for an entry of no
// group, which is a group of one without a head).
std::size_t GroupSize(TManifoldTable& table, const std::vector<int>& order, std::size_t at) {
  TManifoldDescription& first = *table.GetEntry(order[at]);
  const int kind = GroupKind(first);
  if (kind == kNoGroup) return 0;
  std::size_t end = at + 1;
  while (end < order.size() && SameGroup(kind, first, *table.GetEntry(order[end]))) ++end;
  return end - at;
}

std::string SeifertHeader(const TManifoldDescription& first, unsigned g) {
  const TObjectHeader* vertex = SeifertVertex(first);
  const int pairs = vertex != nullptr ? TMoleculeVertex::PairCount(vertex) : 0;
  TOutput base;
  if (vertex != nullptr) PrintSurfaceName(base, TMoleculeVertex::FlagB(vertex), TMoleculeVertex::FlagA(vertex), 0);
  const std::string name = base.Text();
  if (pairs <= 1) return g == 1 ? FormatStringText(kSeifertPlainHeaderId, name) : FormatStringText(kSeifertPlainHeaderId + 1, g, name);
  if (pairs == 2) return g == 1 ? FormatStringText(kSeifertOneHeaderId, name) : FormatStringText(kSeifertOneHeaderId + 1, g, name);
  const unsigned fibres = static_cast<unsigned>(pairs - 1);
  return g == 1 ? FormatStringText(kSeifertManyHeaderId, name, fibres)
                : FormatStringText(kSeifertManyHeaderId + 1, g, name, fibres);
}

// Writes the head of the group of g entries at order[at]. order holds the
// entries under the filter: those of one complexity, or (wholeTable) all,
// when the head is followed by the group's count by complexity from the
// table's smallest complexity to its largest.
void PrintGroupHeader(TReportText& output, TManifoldTable& table, const std::vector<int>& order, std::size_t at,
                      std::size_t g, bool wholeTable, int smallest, int largest) {
  TManifoldDescription& first = *table.GetEntry(order[at]);
  const int kind = GroupKind(first);
  const unsigned count = static_cast<unsigned>(g);
  // A group that is every entry under the filter needs no head, except
  // the Seifert one, which names the base.
  if (kind == kSeifertGroup) {
    Append(output, SeifertHeader(first, count));
    output.NewLines(1);
  } else if (g < order.size()) {
    const int id = kind == kLensGroup         ? kLensHeaderId
                   : kind == kStallingsGroup  ? kStallingsHeaderId
                   : kind == kHyperbolicGroup ? kHyperbolicHeaderId
                                              : kReducibleHeaderId;
    Append(output, count == 1 ? StringText(id) : FormatStringText(id + 1, count));
    output.NewLines(1);
  }
  if (!wholeTable || (kind != kSeifertGroup && smallest >= largest)) return;
  output.NewLines(1);
  Append(output, StringText(kGroupTableHeadingId));
  output.NewLines(1);
  for (int c = smallest; c <= largest; ++c) {
    unsigned inC = 0;
    for (std::size_t k = at; k < at + g; ++k) inC += table.GetEntry(order[k])->GetComplexity() == c ? 1 : 0;
    const unsigned cu = static_cast<unsigned>(c);
    Append(output, kind == kSeifertGroup ? FormatText("%10u%10u", cu, inC) : FormatText("%8u%14u", cu, inC));
    output.NewLines(1);
  }
  if (kind == kLensGroup || kind == kSeifertGroup || kind == kStallingsGroup) output.NewLines(1);
}

// ---- Sources ----
// The sources of a presentation: for each source name, the item numbers
// read under it, those of one graph (subposition) bracketed after
// "Graph <number>". With every presentation merged (output mode 2), the
// item numbers of the whole chain by name.
std::string SourceName(TManifoldTable& table, int index) {
  const std::string* name = table.GetSourceName(index);
  return name != nullptr ? *name : std::string();
}

void PrintGraphList(TReportText& output, TManifoldTable& table, TManifoldDescription& d, int outputMode) {
  if (outputMode == 1 || d.GetNextPresentation() == nullptr) {
    struct TSource {
      int name, position, sub;
    };
    std::vector<TSource> sources;
    for (TSource s{}; d.GetSource(static_cast<int>(sources.size()), s.name, s.position, s.sub) != 0;) sources.push_back(s);
    if (sources.empty()) {
      output.NewLines(1);
      output.Tabs(2);
      output.AppendText(StringText(kNoneId));
    } else {
      if (sources.size() > 1) output.AppendText("!");
      bool open = false;
      int openSub = 0;
      for (std::size_t k = 0; k < sources.size(); ++k) {
        const TSource& s = sources[k];
        if (k == 0 || s.name != sources[k - 1].name) {
          if (open) output.AppendText("]");
          output.NewLines(1);
          output.Tabs(2);
          output.AppendText(SourceName(table, s.name));
          open = false;
        }
        if (s.sub == -1) {
          // The group of a graph ends here; its bracket is closed so that
          // every "[" written has its "]".
          if (open) output.AppendText(" ]");
          open = false;
        } else if (!open || s.sub != openSub) {
          output.AppendText(open ? "] Graph " : " Graph ");
          output.AppendText(std::to_string(s.sub));
          output.AppendText("[");
          open = true;
          openSub = s.sub;
        }
        if (s.position != 0) output.AppendText(" " + std::to_string(s.position));
        if (k + 1 == sources.size() && open) output.AppendText(" ]");
      }
    }
  } else {
    // Name index -> the positions read under it, over the whole chain.
    std::map<int, std::set<int>> byName;
    for (TManifoldDescription* p = &d; p != nullptr; p = p->GetNextPresentation()) {
      int name = 0;
      int position = 0;
      int sub = 0;
      for (int k = 0; p->GetSource(k, name, position, sub) != 0; ++k) byName[name].insert(position);
    }
    const bool crystallizations = table.GetSourceKind() == kSourceCrystallizations;
    std::set<std::string> texts;
    for (const auto& [name, positions] : byName) {
      if (!crystallizations) {
        output.NewLines(1);
        output.Tabs(2);
        output.AppendText(SourceName(table, name));
      }
      for (int position : positions) {
        if (crystallizations)
          texts.insert("\t\t" + SourceName(table, name) + " " + std::to_string(static_cast<unsigned>(position)));
        else
          output.AppendText(" " + std::to_string(position));
      }
    }
    for (const std::string& text : texts) {
      output.NewLines(1);
      output.AppendText(text);
    }
  }
  output.NewLines(1);
}

}  // namespace

std::string EntrySurfacesText(const TManifoldTable& table, int i) {
  const TPackedRecordListSet* sets = table.GetEntrySurfaces(i);
  if (sets == nullptr) return {};
  TOutput text;
  PrintSurfaceSets(text, *sets);
  return text.Text();
}

std::string HomologyText(const std::vector<std::int32_t>* homology) {
  if (homology == nullptr) return {};
  std::string text = "H_1=";
  bool first = true;
  for (std::int32_t e : *homology) {
    if (e == 1) continue;
    if (!first) text += '+';
    text += e == 0 ? std::string("Z") : "Z_" + std::to_string(e);
    first = false;
  }
  if (first) text += '0';
  return text;
}

namespace {

void PrintTable(TReportText& output, TManifoldTable& table, const TResultTableStyle& style) {
  const int n = table.CountEntries();
  const int presentations = table.CountPresentations();
  if (n != 1) {
    Append(output, StringText(kTableHeadingId));
    output.NewLines(1);
    Append(output, FormatStringText(kManifoldCountId, static_cast<unsigned>(n)));
    if (n == 0) return;
  }
  if (presentations > 1) Append(output, FormatStringText(kPresentationCountId, static_cast<unsigned>(presentations)));
  if (n > 1 || presentations > 1) output.NewLines(1);
  if (n > 1) {
    PrintGeometryCounts(output, table, -1);
    output.NewLines(1);
    PrintTypeCounts(output, table, static_cast<unsigned>(n), -1);
    output.NewLines(1);
  }

  const bool named = n > 1 || style.seriesRun;
  std::vector<std::string> names(static_cast<std::size_t>(n));
  int smallest = INT_MAX;
  int largest = 0;
  for (int i = 0; i < n; ++i) {
    smallest = std::min(smallest, table.GetEntry(i)->GetComplexity());
    largest = std::max(largest, table.GetEntry(i)->GetComplexity());
  }
  const bool arrival = table.GetKind() == kTableArrivalOrder;
  TReportText sourceList;
  int listed = 0;
  // Complexities in increasing order; an arrival-order table is one pass.
  std::vector<int> complexities;
  for (int i = 0; i < n; ++i) complexities.push_back(table.GetEntry(i)->GetComplexity());
  std::sort(complexities.begin(), complexities.end());
  complexities.erase(std::unique(complexities.begin(), complexities.end()), complexities.end());
  if (arrival) complexities.assign(1, smallest);
  for (int c : complexities) {
    if (listed >= n) break;
    int inC = 0;
    for (int i = 0; i < n; ++i) inC += arrival || table.GetEntry(i)->GetComplexity() == c ? 1 : 0;
    if (table.GetKind() == kTableSorted && inC != n) {
      Append(output, FormatStringText(kComplexityHeadingId, static_cast<unsigned>(c)));
      if (inC > 1) {
        PrintGeometryCounts(output, table, c);
        output.NewLines(1);
        PrintTypeCounts(output, table, static_cast<unsigned>(inC), c);
        output.NewLines(1);
      }
    }
    output.NewLines(1);
    std::vector<int> ofC;
    for (int i = 0; i < n; ++i)
      if (arrival || table.GetEntry(i)->GetComplexity() == c) ofC.push_back(i);
    const bool grouped = n > 1 && table.GetKind() == kTableSorted;
    std::size_t groupEnd = 0;
    unsigned k = 0;
    for (std::size_t at = 0; at < ofC.size(); ++at) {
      const int i = ofC[at];
      if (grouped && at >= groupEnd) {
        const std::size_t g = GroupSize(table, ofC, at);
        if (g > 0) {
          if (GroupKind(*table.GetEntry(i)) == kSeifertGroup) output.NewLines(1);
          PrintGroupHeader(output, table, ofC, at, g, false, smallest, largest);
        }
        groupEnd = at + std::max<std::size_t>(g, 1);
      }
      ++k;
      ++listed;
      const unsigned cu = static_cast<unsigned>(c);
      names[static_cast<std::size_t>(i)] = FormatStringText(kEntryNameId, cu, k);
      const int count = ListedPresentations(table, i, style.outputMode);
      const std::string homology = HomologyText(table.GetEntryHomology(i));
      const std::string surfaces = style.surfaces ? EntrySurfacesText(table, i) : std::string();
      const std::string nameLine = count < 2 ? names[static_cast<std::size_t>(i)]
                                             : FormatStringText(kEntryNameWithCountId, cu, k, static_cast<unsigned>(count));
      if (named) {
        output.NewLines(1);
        Append(output, nameLine);
      }
      if (style.sourceList) {
        sourceList.AppendText(nameLine);
        if (count > 1) sourceList.NewLines(1);
      }
      if (count > 1) output.NewLines(1);
      int l = 0;
      for (int p = 0; p < table.CountEntryPresentations(i) && l < count; ++p) {
        TManifoldDescription& d = *table.GetEntry(i, p);
        if (style.outputMode == 1 && count > 1 && d.GetTypeCode() == 0) continue;
        ++l;
        if (count > 1) {
          output.Tabs(1);
          Append(output, named ? FormatStringText(kPresentationNameId, cu, k, static_cast<unsigned>(l))
                               : std::to_string(l));
        }
        output.Tabs(1);
        TOutput description;
        PrintAssemblyResult(description, d, count != 1 ? 3 : 2, homology, style.ignoreAddedBalls, surfaces);
        output.AppendText(description.Text());
        if (style.sourceList) {
          if (count > 1 && named) {
            sourceList.Tabs(1);
            sourceList.AppendText(FormatStringText(kPresentationNameId, cu, k, static_cast<unsigned>(l)));
          }
          PrintGraphList(sourceList, table, d, style.outputMode);
        }
      }
    }
  }

  if (named) {
    output.NewLines(3);
    Append(output, StringText(kByParametersId));
    PrintTypeCounts(output, table, static_cast<unsigned>(n), -1);
    output.NewLines(3);
    // The heads of the groups over the whole table go both into the listing
    // and, gathered by kind, into the summaries before it.
    std::vector<int> all(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) all[static_cast<std::size_t>(i)] = i;
    TReportText listing;
    std::vector<std::string> summaries(kGroupKinds);
    std::size_t groupEnd = 0;
    for (int i = 0; i < n; ++i) {
      const std::size_t at = static_cast<std::size_t>(i);
      if (n > 1 && at >= groupEnd) {
        const std::size_t g = GroupSize(table, all, at);
        if (g > 0) {
          TReportText head;
          PrintGroupHeader(head, table, all, at, g, true, smallest, largest);
          const int kind = GroupKind(*table.GetEntry(i));
          listing.AppendText(head.text);
          summaries[static_cast<std::size_t>(kind)] += head.text;
          if (kind == kHyperbolicGroup || kind == kReducibleGroup) listing.NewLines(1);
        }
        groupEnd = at + std::max<std::size_t>(g, 1);
      }
      listing.AppendText(std::to_string(i + 1));
      listing.AppendText("\t[");
      listing.AppendText(names[at]);
      listing.AppendText("]\t");
      TOutput description;
      PrintAssemblyResult(description, *table.GetEntry(i), 2, HomologyText(table.GetEntryHomology(i)),
                          style.ignoreAddedBalls, style.surfaces ? EntrySurfacesText(table, i) : std::string());
      listing.AppendText(description.Text());
      listing.NewLines(2);
    }
    for (const int kind : {kLensGroup, kSeifertGroup, kStallingsGroup, kHyperbolicGroup, kReducibleGroup}) {
      if (summaries[static_cast<std::size_t>(kind)].empty()) continue;
      output.AppendText(summaries[static_cast<std::size_t>(kind)]);
      output.NewLines(1);
    }
    output.NewLines(1);
    output.AppendText(listing.text);
    output.NewLines(2);
    if (style.sourceList) {
      output.NewLines(2);
      Append(output, StringText(kSourceListHeadingId));
      output.AppendText(sourceList.text);
    }
    if (style.sourceSpines) {
      output.NewLines(2);
      for (int i = 0; i < n; ++i) {
        const std::string* text = table.GetEntryText(i);
        if (text == nullptr || text->empty()) continue;
        Append(output, FormatStringText(kSourceSpineId, static_cast<unsigned>(i + 1), names[static_cast<std::size_t>(i)]));
        Append(output, *text);
        output.NewLines(1);
      }
    }
  }
  output.NewLines(1);
}

}  // namespace

void PrintResultTable(TOutput& output, TManifoldTable& table, const TResultTableStyle& style) {
  TReportText report;
  PrintTable(report, table, style);
  output.AppendText(report.Text());
}
