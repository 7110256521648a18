#include "recognition/result_printer.h"

#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/atom_table.h"
#include "recognition/piece_code.h"
#include "shell/molecule_printer.h"
#include "shell/string_text.h"

namespace {

constexpr int kUnrecognizedPartId = 875;
constexpr int kEntirelyUnrecognizedId = 876;
constexpr int kCompoundId = 866;
constexpr int kGeometryNameBase = 885;
constexpr int kConnectedSumId = 804;
constexpr int kManifoldIsId = 9990;
constexpr int kShortConnectedSumId = 9991;
constexpr int kItemId = 9992;
constexpr int kSearchCountsId = 9993;
constexpr int kPresentationId = 9994;
constexpr int kNothingFoundId = 9995;
constexpr int kNongeometric = 1;
constexpr int kElliptic = 5;
constexpr int kOneSphereProductId = 9200;
constexpr int kSphereProductsId = 9201;
constexpr int kOneSolidTorusId = 9202;
constexpr int kSolidToriId = 9203;
constexpr int kBallsId = 9204;
constexpr int kVolumeId = 9205;
constexpr int kVolumeFailedId = 9844;

// What the manifold has beside its prime piece: S^2xS^1 summands, solid tori
// and balls cut off (not shown when the setting to ignore added 3-balls is
// on). The layout of the name says what it shows already: 2 the S^2xS^1, 3
// the solid torus.
void PrintAdditions(TOutput& output, const TManifoldDescription& d, bool ignoreAddedBalls) {
  TOutput scratch;
  const int layout = d.PrintSimpleName(scratch);
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  d.GetBoundaryCounts(balls, s2xs1, solidTori);
  if (layout == 2) s2xs1 = 0;
  if (layout == 3) solidTori = 0;
  if (ignoreAddedBalls) balls = 0;
  if (s2xs1 <= 0 && solidTori <= 0 && balls <= 0) return;
  const bool sphere = d.GetTypeCode() == kTrivialCode;
  output.AppendText("          ");
  bool written = false;
  if (s2xs1 > 0) {
    if (!sphere) output.AppendText("#");
    output.AppendText((s2xs1 == 1 ? StringText(kOneSphereProductId)
                                  : FormatStringText(kSphereProductsId, static_cast<unsigned>(s2xs1)))
                          .c_str());
    written = true;
  }
  if (solidTori > 0) {
    if (written || !sphere) output.AppendText("#");
    output.AppendText((solidTori == 1 ? StringText(kOneSolidTorusId)
                                      : FormatStringText(kSolidToriId, static_cast<unsigned>(solidTori)))
                          .c_str());
  }
  if (balls > 0) output.AppendText(FormatStringText(kBallsId, static_cast<unsigned>(balls)).c_str());
}

// A piece identified in the internal table: the record's name and, when the
// record has one, its census name ("Q2_1 ('m003')"). 0 when the molecule
// holds no identified atom.
int PrintTableAtomName(TOutput& output, const TManifoldDescription& summand) {
  TObjectTable* molecule = summand.GetMolecule();
  if (summand.GetTypeCode() != kTableAtomCode || molecule == nullptr) return 0;
  TObjectHeader* atom = molecule->NthExceptionalAtom(0);
  TAtomTriple triple;
  if (atom == nullptr || TMoleculeVertex::Triple(atom, triple) == 0) return 0;
  const TAtomTable& table = LoadAtomTable();
  const TWordQuintuple key{triple.first, triple.second, triple.third, 0, 0};
  const std::string name = table.FormatAtomName(key);
  if (name.empty()) return 0;
  output.AppendText(name.c_str());
  if (const TTableRecord* record = table.FindTableRecord(key); record != nullptr && !record->censusName.empty())
    output.AppendText((" ('" + record->censusName + "')").c_str());
  return 1;
}

void PrintSummandName(TOutput& output, const TManifoldDescription& summand) {
  if (const char* name = summand.GetName(); name != nullptr) {
    output.AppendText(name);
    return;
  }
  if (summand.PrintPieceName(output) != 0) return;
  if (PrintTableAtomName(output, summand) != 0) return;
  const int type = summand.GetTypeCode();
  const int text = type == kSpineRecordCode ? kUnrecognizedPartId
                   : type == kUnrecognizedCode ? kEntirelyUnrecognizedId
                                               : kCompoundId;
  output.AppendText(StringText(text).c_str());
}

// What follows a manifold's name (or, for a connected sum, the heading):
// what was cut off, the geometry, the homology and a volume. S^3 and the
// lens spaces are not called elliptic: their names say it. A reducible
// manifold is named a geometry only when it has one: S^2xS^1 and
// RP^3 # RP^3 are S^2xR, any other reducible manifold is nongeometric and
// nothing is said.
void PrintSummaryLine(TOutput& output, const TManifoldDescription& d, const std::string& homology,
                      bool ignoreAddedBalls, const std::string& surfaces) {
  PrintAdditions(output, d, ignoreAddedBalls);
  const int geometry = d.GetGeometry();
  const int type = d.GetTypeCode();
  const bool plainElliptic = geometry == kElliptic && (type == kTrivialCode || type == kLensCode);
  // A Dehn filling's name already says that it is hyperbolic when it is.
  const bool filling = type == kFilledAtomCode || type == kMultiFilledAtomCode;
  const bool reducible = d.CountSummands() > 1 || d.GetPieceCode().Word(kCodeReducibleCache) == 1;
  const bool named = !reducible || geometry != kNongeometric;
  if (geometry >= 1 && geometry <= 9 && named && !plainElliptic && !filling) {
    output.AppendText(" ");
    output.AppendText(StringText(kGeometryNameBase + geometry).c_str());
    output.Tabs(1);
  }
  if (!homology.empty()) {
    output.Tabs(1);
    output.AppendText(homology.c_str());
  }
  if (type == kFilledAtomCode || type == kMultiFilledAtomCode || type == kSpineRecordCode) {
    if (d.HasVolume() == 1) {
      output.Tabs(1);
      output.AppendText(FormatStringText(kVolumeId, d.GetVolume()).c_str());
    } else if (d.HasVolume() == 2) {
      output.Tabs(1);
      output.AppendText(StringText(kVolumeFailedId).c_str());
    }
  }
  if (!surfaces.empty()) {
    output.Tabs(1);
    output.AppendText(surfaces.c_str());
  }
}

// Kinds whose name does not say how the pieces are glued: their molecule
// follows the name.
bool ShowsMolecule(int type) {
  switch (type) {
    case kCompoundCode:
    case 6:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 15:
    case 17:
    case kSpineRecordCode:
    case kUnrecognizedCode:
      return true;
    default:
      return false;
  }
}

}  // namespace

void PrintAssemblyResult(TOutput& output, const TManifoldDescription& description, int reportType,
                         const std::string& homology, bool ignoreAddedBalls, const std::string& surfaces) {
  const int n = description.CountSummands();
  if (n > 1) {
    output.AppendText(FormatStringText(reportType <= 1 ? kConnectedSumId : kShortConnectedSumId,
                                       static_cast<unsigned>(n))
                          .c_str());
    // The whole sum's summary line: the head carries the counts of all
    // summands (what was cut off) and the sum's invariants. One of several
    // presentations listed together (report type 3) keeps only the homology.
    if (reportType <= 2) {
      PrintSummaryLine(output, description, homology, ignoreAddedBalls, surfaces);
    } else if (!homology.empty()) {
      output.Tabs(1);
      output.AppendText(homology.c_str());
    }
    output.NewLines(1);
  } else if (reportType <= 1) {
    output.AppendText(StringText(kManifoldIsId).c_str());
    output.NewLines(1);
  }
  int item = 1;
  for (const TManifoldDescription* s = &description; s != nullptr; s = s->GetNextSummand(), ++item) {
    output.Tabs(1);
    if (n > 1) output.AppendText(FormatStringText(kItemId, static_cast<unsigned>(item)).c_str());
    PrintSummandName(output, *s);
    if (n == 1) PrintSummaryLine(output, *s, homology, ignoreAddedBalls, surfaces);
    output.NewLines(1);
    if (ShowsMolecule(s->GetTypeCode()) && s->GetName() == nullptr && s->GetMolecule() != nullptr) {
      PrintMoleculeTable(output, s->GetMolecule(), 3);
      output.NewLines(1);
    }
  }
}

void PrintRecognitionResult(TOutput& output, const TManifoldTable& table, const TRecognitionOutcome& outcome,
                            const std::string& homology, bool ignoreAddedBalls) {
  output.NewLines(1);
  const int index = outcome.entryIndex;
  if (table.GetEntry(index) == nullptr) {
    output.AppendText(StringText(kNothingFoundId).c_str());
    output.NewLines(1);
  } else {
    PrintAssemblyResult(output, *table.GetEntry(index), 1, homology, ignoreAddedBalls);
    const int count = table.CountEntryPresentations(index);
    for (int p = 1; p < count; ++p) {
      output.AppendText(FormatStringText(kPresentationId, static_cast<unsigned>(p + 1)).c_str());
      output.NewLines(1);
      PrintAssemblyResult(output, *table.GetEntry(index, p), 2, std::string(), ignoreAddedBalls);
    }
  }
  output.NewLines(1);
  output.AppendText(FormatStringText(kSearchCountsId, static_cast<unsigned>(table.CountEntryPresentations(index)),
                                     static_cast<unsigned>(outcome.variants), static_cast<unsigned>(outcome.stages))
                        .c_str());
  output.NewLines(1);
}
