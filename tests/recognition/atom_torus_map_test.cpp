// Table atoms given by their own spines: the slopes and gluings of a piece
// are taken into the record's coordinates through the isomorphism of the
// two spines, so that one filling gets one name whatever spine and torus
// basis it comes with.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/complex.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "moves/torus_coordinates.h"
#include "foundation/checked_int64.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "recognition/atom_boundary_fit.h"
#include "recognition/atom_table.h"
#include "recognition/atom_table_lookup.h"
#include "recognition/atom_torus_map.h"
#include "support/atom_record.h"
#include "support/model_heap.h"

namespace {

const TTableRecord& Record(const std::string& name) { return AtomRecordNamed(name); }

// The record's cell lines with the edges renamed (and some reversed), the
// cells in another order, each word rotated and some read backwards: the
// same spine under other numbers.
std::string Relabelled(const TTableRecord& record, unsigned seed) {
  std::vector<std::vector<int>> cells;
  std::istringstream in{std::string(record.Text())};
  std::string line;
  int edges = 0;
  while (std::getline(in, line)) {
    const std::size_t open = line.find('{');
    if (line.empty() || line[0] == '%' || open == std::string::npos) continue;
    std::istringstream words(line.substr(open + 1));
    std::vector<int> word;
    int n = 0;
    while (words >> n) {
      word.push_back(n);
      edges = std::max(edges, n < 0 ? -n : n);
    }
    cells.push_back(word);
  }
  std::mt19937 random(seed);
  std::vector<int> rename(static_cast<std::size_t>(edges));
  for (int e = 0; e < edges; ++e) rename[static_cast<std::size_t>(e)] = e + 1;
  std::shuffle(rename.begin(), rename.end(), random);
  for (int& e : rename) e = random() % 2 == 0 ? e : -e;
  std::shuffle(cells.begin(), cells.end(), random);
  std::string text;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    std::vector<int> word;
    for (int n : cells[c]) {
      const int image = rename[static_cast<std::size_t>((n < 0 ? -n : n) - 1)];
      word.push_back(n < 0 ? -image : image);
    }
    std::rotate(word.begin(), word.begin() + static_cast<long>(random() % word.size()), word.end());
    if (random() % 2 == 0) {
      std::reverse(word.begin(), word.end());
      for (int& n : word) n = -n;
    }
    text += std::to_string(c + 1) + ": {";
    for (int n : word) text += " " + std::to_string(n);
    text += " }\n";
  }
  return text;
}

// A thickened spine of the cell text with its torus bases chosen.
bool LoadPiece(TSpine& spine, const std::string& cells) {
  TBoundaryCurvesPresentation presentation;
  if (presentation.Parse(cells.c_str()) == 0 || presentation.BuildSpine(spine) <= 0) return false;
  spine.SplitIntoComponents();
  if (spine.Thicken(1) != 1) return false;
  SetBoundaryCoordinates(spine);
  return true;
}

TComplex* OnlyTorus(TSpine& spine) {
  for (int k = 0; k < spine.CountBoundaries(0); ++k)
    if (spine.BoundarySurfaceClass(spine.BoundaryAt(k)) == 2) return spine.BoundaryAt(k);
  return nullptr;
}

// New basis curves (a c0 + b c1, c c0 + d c1) on the torus, as a
// presentation whose coordinates differ by (a b; c d) would carry them.
void ChangeBasis(TComplex& torus, const TIntQuad& t) {
  const TObjectList& objects = torus.Objects().Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* edge = objects.At(i);
    if (edge == nullptr || edge->kind != kEdgeKind) continue;
    const int c0 = TEdge::Label(edge, 0), c1 = TEdge::Label(edge, 1);
    TEdge::SetLabel(edge, 0, t.a * c0 + t.b * c1);
    TEdge::SetLabel(edge, 1, t.c * c0 + t.d * c1);
  }
}

// The piece's torus filled along (x, y) of its own coordinates, or (y = 0,
// x = 0) left free behind a virtual edge of gluing g; recognised. Answers
// the filling's pair after recognition, or the gluing read from the atom.
struct TOutcome {
  int recognised = 0;
  int p = 0, q = 0;
  TIntQuad gluing;
};

TOutcome Recognise(TSpine& spine, int x, int y, const TIntQuad& g = {1, 0, 0, 1}) {
  TObjectTable table;
  TObjectHeader* atom = table.NewAtom(kExceptionalAtom);
  TMoleculeVertex::SetMarkWord(atom, reinterpret_cast<std::intptr_t>(&spine));
  const bool filled = x != 0 || y != 0;
  TObjectHeader* far = table.NewAtom(filled ? kSolidTorusAtom : kVirtualAtom);
  if (filled) TMoleculeVertex::AddPair(far, x, y);
  TObjectHeader* edge = table.NewMoleculeEdge(filled ? kTrueMoleculeEdge : kVirtualMoleculeEdge);
  TEdge::SetEndVertex(edge, far, 1);
  TEdge::SetEndVertex(edge, atom, 2);
  TMoleculeEdge::SetGluing(edge, filled ? TIntQuad{1, 0, 0, 1} : g, 1);
  TMoleculeEdge::SetBoundaryReference(edge, OnlyTorus(spine));
  TOutcome out;
  const TTableRecord* record = nullptr;
  out.recognised = RecognizeByTable(atom, record);
  if (filled) TMoleculeVertex::PairAt(far, 0, out.p, out.q);
  out.gluing = TMoleculeEdge::GluingQuad(edge);
  return out;
}

std::string Name(const TTableRecord& record, const TOutcome& o) {
  return LoadAtomTable().FormatFilledAtomName(record.GetKey(), o.p, o.q);
}

TIntQuad Transpose(const TIntQuad& t) { return TIntQuad{t.a, t.c, t.b, t.d}; }

std::pair<int, int> Apply(const TIntQuad& m, int x, int y) { return {m.a * x + m.b * y, m.c * x + m.d * y}; }

// A presentation whose basis differs from the record's by T fills along s;
// the record's own spine fills the same curve along T^T s. Both must get one
// name; a torus map read the wrong way round (T, T^-1) names another slope.
TEST(AtomTorusMap, AFillingGetsOneNameWhateverTheSpineAndBasis) {
  const TIntQuad changes[] = {{1, 2, 0, 1}, {2, 1, 1, 1}, {0, -1, 1, 0}, {1, 0, -3, 1}, {-1, 0, 0, 1}};
  const std::pair<int, int> slopes[] = {{1, 0}, {0, 1}, {5, 1}, {3, -2}, {1, 4}};
  for (const char* name : {"Q2_1", "Q2_2"}) {
    const TTableRecord& record = Record(name);
    for (unsigned seed : {0u, 1u, 2u}) {
      // Seed 0 is the record's own text; the others renumber it.
      const std::string cells = seed == 0 ? std::string(record.Text()) : Relabelled(record, seed);
      for (const TIntQuad& t : changes) {
        for (const auto& [x, y] : slopes) {
          SCOPED_TRACE(std::string(name) + " seed " + std::to_string(seed) + " T (" + std::to_string(t.a) + " " +
                       std::to_string(t.b) + " " + std::to_string(t.c) + " " + std::to_string(t.d) + ") slope " +
                       std::to_string(x) + "," + std::to_string(y));
          TScopedModelHeap heap;
          TSpine own;
          ASSERT_TRUE(LoadPiece(own, std::string(record.Text())));
          // The relabelled spine chose its own basis; carried to the
          // record's it is some unimodular B.
          TSpine piece;
          ASSERT_TRUE(LoadPiece(piece, cells));
          std::vector<std::vector<TTorusImage>> maps;
          ASSERT_EQ(FindTorusImages(piece, record, maps), 1);
          ASSERT_FALSE(maps.empty());
          const TTorusImage& image = maps.front()[static_cast<std::size_t>(
              piece.BoundarySurfaceIndex(OnlyTorus(piece)))];
          ASSERT_TRUE(image.hasMatrix);
          EXPECT_EQ(image.recordTorus, 0);
          const int det = QuadDet(image.toRecord);
          EXPECT_TRUE(det == 1 || det == -1);

          ChangeBasis(*OnlyTorus(piece), t);
          const TOutcome changed = Recognise(piece, x, y);
          ASSERT_EQ(changed.recognised, 1);
          const auto [tx, ty] = Apply(Transpose(t), x, y);
          TSpine again;
          ASSERT_TRUE(LoadPiece(again, cells));
          const TOutcome direct = Recognise(again, tx, ty);
          EXPECT_EQ(Name(record, changed), Name(record, direct));
          // And the relabelled presentation names what the record's own
          // spine names along B s.
          if (seed != 0) {
            TSpine plain;
            ASSERT_TRUE(LoadPiece(plain, cells));
            const TOutcome relabelled = Recognise(plain, tx, ty);
            const auto [rx, ry] = Apply(image.toRecord, tx, ty);
            const TOutcome reference = Recognise(own, rx, ry);
            EXPECT_EQ(Name(record, relabelled), Name(record, reference));
          }
        }
      }
    }
  }
}

// The record's own spine maps onto itself by every symmetry of the atom;
// slopes that a symmetry exchanges get one name, and the filling becomes
// the identity gluing.
TEST(AtomTorusMap, SlopesExchangedByASymmetryGetOneName) {
  const TTableRecord& record = Record("Q2_2");
  TScopedModelHeap heap;
  TSpine own;
  ASSERT_TRUE(LoadPiece(own, std::string(record.Text())));
  std::vector<std::vector<TTorusImage>> maps;
  ASSERT_EQ(FindTorusImages(own, record, maps), 1);
  // The figure-eight knot exterior is amphichiral: some self-map reverses
  // the orientation of its torus.
  bool reversing = false;
  for (const auto& row : maps) reversing = reversing || QuadDet(row[0].toRecord) == -1;
  EXPECT_TRUE(reversing);
  for (const auto& [x, y] : {std::pair{5, 1}, std::pair{1, 0}, std::pair{3, -2}}) {
    const TOutcome reference = Recognise(own, x, y);
    ASSERT_EQ(reference.recognised, 1);
    EXPECT_EQ(reference.gluing, (TIntQuad{1, 0, 0, 1}));
    for (const auto& row : maps) {
      const auto [sx, sy] = Apply(row[0].toRecord, x, y);
      EXPECT_EQ(Name(record, Recognise(own, sx, sy)), Name(record, reference)) << sx << "," << sy;
    }
  }
}

// A free torus keeps a gluing: taken into the record's coordinates it is
// the same for two presentations of one gluing. A torus nothing has drawn a
// basis on keeps its gluing as it is.
TEST(AtomTorusMap, AFreeTorusGluingIsComparedInTheRecordsCoordinates) {
  const TTableRecord& record = Record("Q2_2");
  const TIntQuad g{1, 3, 0, 1};
  const TIntQuad t{2, 1, 1, 1};
  TScopedModelHeap heap;
  TSpine changed;
  ASSERT_TRUE(LoadPiece(changed, Relabelled(record, 7)));
  ChangeBasis(*OnlyTorus(changed), t);
  const TOutcome a = Recognise(changed, 0, 0, g);
  TSpine plain;
  ASSERT_TRUE(LoadPiece(plain, Relabelled(record, 7)));
  TIntQuad tg;
  QuadProduct(tg, Transpose(t), g);
  const TOutcome b = Recognise(plain, 0, 0, tg);
  ASSERT_EQ(a.recognised, 1);
  ASSERT_EQ(b.recognised, 1);
  EXPECT_EQ(a.gluing, b.gluing);
  EXPECT_EQ(QuadDet(a.gluing), 1);

  TSpine bare;
  TBoundaryCurvesPresentation presentation;
  ASSERT_NE(presentation.Parse(std::string(record.Text()).c_str()), 0);
  ASSERT_GT(presentation.BuildSpine(bare), 0);
  bare.SplitIntoComponents();
  ASSERT_EQ(bare.Thicken(1), 1);
  const TOutcome kept = Recognise(bare, 0, 0, g);
  EXPECT_EQ(kept.recognised, 1);
  EXPECT_EQ(kept.gluing, g);
}

}  // namespace

namespace {

// Each torus of the piece filled along its slope (by the spine's boundary
// order), or left free behind a virtual edge of gluing free[k] when the
// slope is (0, 0); recognised. Answers, by the atom's edge order afterwards,
// the piece surface of each edge, the filling's pair and the gluing.
struct TTorusFilling {
  int surface = -1;
  int p = 0, q = 0;
  TIntQuad gluing;
};

std::vector<TTorusFilling> RecogniseFilled(TSpine& spine, const std::vector<std::pair<int, int>>& slopes,
                                           int& recognised, const std::vector<TIntQuad>& free = {}) {
  TObjectTable table;
  TObjectHeader* atom = table.NewAtom(kExceptionalAtom);
  TMoleculeVertex::SetMarkWord(atom, reinterpret_cast<std::intptr_t>(&spine));
  std::vector<TObjectHeader*> fillings;
  std::vector<TComplex*> surfaces;
  for (int k = 0; k < spine.CountBoundaries(0); ++k) {
    TComplex* surface = spine.BoundaryAt(k);
    if (spine.BoundarySurfaceClass(surface) != 2) continue;
    const auto [x, y] = slopes[surfaces.size()];
    const bool filled = x != 0 || y != 0;
    TObjectHeader* filling = table.NewAtom(filled ? kSolidTorusAtom : kVirtualAtom);
    if (filled) TMoleculeVertex::AddPair(filling, x, y);
    TObjectHeader* edge = table.NewMoleculeEdge(filled ? kTrueMoleculeEdge : kVirtualMoleculeEdge);
    TEdge::SetEndVertex(edge, filling, 1);
    TEdge::SetEndVertex(edge, atom, 2);
    TMoleculeEdge::SetGluing(edge, filled ? TIntQuad{1, 0, 0, 1} : free[surfaces.size()], 1);
    TMoleculeEdge::SetBoundaryReference(edge, surface);
    fillings.push_back(filling);
    surfaces.push_back(surface);
  }
  const TTableRecord* record = nullptr;
  recognised = RecognizeByTable(atom, record);
  std::vector<TTorusFilling> out;
  for (int i = 0; i < TVertex::Valency(atom); ++i) {
    TObjectHeader* edge = TVertex::EdgeAt(atom, i).Object();
    TTorusFilling f;
    f.surface = spine.BoundarySurfaceIndex(TMoleculeEdge::BoundaryReference(edge));
    TMoleculeVertex::PairAt(TEdge::End(edge, 1).Object(), 0, f.p, f.q);
    f.gluing = TMoleculeEdge::GluingQuad(edge);
    out.push_back(f);
  }
  return out;
}

// Two tori (the Whitehead link exterior): after recognition edge i is the
// record's torus i, and a basis changed on one torus of the piece changes
// nothing once taken into the record's coordinates.
TEST(AtomTorusMap, TwoToriAreOrderedAndMappedTorusByTorus) {
  const TTableRecord& record = Record("Q4^2_2");
  const TIntQuad t{1, 2, 0, 1};
  for (unsigned seed : {3u, 4u}) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    const std::string cells = Relabelled(record, seed);
    TSpine plain;
    ASSERT_TRUE(LoadPiece(plain, cells));
    std::vector<std::vector<TTorusImage>> maps;
    ASSERT_EQ(FindTorusImages(plain, record, maps), 1);
    int recognised = 0;
    const std::vector<std::pair<int, int>> slopes{{3, 1}, {1, 2}};
    const std::vector<TTorusFilling> a = RecogniseFilled(plain, slopes, recognised);
    ASSERT_EQ(recognised, 1);
    ASSERT_EQ(a.size(), 2u);
    for (std::size_t i = 0; i < a.size(); ++i)
      EXPECT_EQ(maps.front()[static_cast<std::size_t>(a[i].surface)].recordTorus, static_cast<int>(i));

    // The same fillings on a copy whose first torus has its basis changed
    // by T: there the first slope reads T^-T s.
    TSpine changed;
    ASSERT_TRUE(LoadPiece(changed, cells));
    TComplex* first = nullptr;
    for (int k = 0; k < changed.CountBoundaries(0) && first == nullptr; ++k)
      if (changed.BoundarySurfaceClass(changed.BoundaryAt(k)) == 2) first = changed.BoundaryAt(k);
    ASSERT_NE(first, nullptr);
    ChangeBasis(*first, t);
    TIntQuad inverseTransposed;
    QuadInvertUnimodular(inverseTransposed, Transpose(t));
    const auto [x, y] = Apply(inverseTransposed, 3, 1);
    const std::vector<TTorusFilling> b = RecogniseFilled(changed, {{x, y}, {1, 2}}, recognised);
    ASSERT_EQ(recognised, 1);
    ASSERT_EQ(b.size(), 2u);
    for (std::size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(b[i].surface, a[i].surface);
      EXPECT_EQ(b[i].p, a[i].p);
      EXPECT_EQ(b[i].q, a[i].q);
      EXPECT_TRUE(b[i].q > 0 || (b[i].q == 0 && b[i].p >= 0));
    }
  }
}

}  // namespace

namespace {

// A slope that the torus map takes past 32 bits is refused, not narrowed.
TEST(AtomTorusMap, ASlopeLeavingTheRangeIsRefused) {
  const TTableRecord& record = Record("Q2_2");
  TIntQuad m{1, 0, 0, 1};
  int p = 0, q = 0;
  EXPECT_THROW(FitBoundary(record, std::vector<TIntQuad>{{2, 0, 0, 1}}, m, true, 2147483647, 1, p, q),
               Out_of_Range);
  EXPECT_EQ(m, (TIntQuad{1, 0, 0, 1}));
  EXPECT_EQ(FitBoundary(record, std::vector<TIntQuad>{{1, 0, 0, 1}}, m, true, 2147483647, 1, p, q), 1);
  EXPECT_EQ(p, 2147483647);
}

}  // namespace

namespace {

// One manifold with boundary, the Whitehead link exterior with torus 0
// filled and torus 1 glued on, written on the record's own spine and on
// relabelled copies (torus k along B_k^-1 of what its image carries, for
// the B of any orientation-preserving isomorphism): after recognition all
// give the same slope and gluing torus by torus. The atom's self-maps act
// by -1 on some torus, which a gluing feels and a slope does not.
TEST(AtomTorusMap, TwoPresentationsOfATwoTorusAtomAgree) {
  const TTableRecord& record = Record("Q4^2_2");
  const std::pair<int, int> slope{3, 1};
  const TIntQuad gluing{1, 2, 0, 1};
  TScopedModelHeap heap;
  TSpine own;
  ASSERT_TRUE(LoadPiece(own, std::string(record.Text())));
  int recognised = 0;
  const std::vector<TTorusFilling> reference =
      RecogniseFilled(own, {slope, {0, 0}}, recognised, {TIntQuad{1, 0, 0, 1}, gluing});
  ASSERT_EQ(recognised, 1);
  int rows = 0;
  for (unsigned seed : {5u, 6u, 7u, 8u}) {
    SCOPED_TRACE(seed);
    const std::string cells = Relabelled(record, seed);
    TSpine piece;
    ASSERT_TRUE(LoadPiece(piece, cells));
    std::vector<std::vector<TTorusImage>> maps;
    ASSERT_EQ(FindTorusImages(piece, record, maps), 1);
    for (std::size_t r = 0; r < maps.size(); ++r) {
      SCOPED_TRACE(r);
      std::vector<std::pair<int, int>> slopes;
      std::vector<TIntQuad> free;
      bool preserving = true;
      for (int k = 0; k < piece.CountBoundaries(0); ++k) {
        const TTorusImage& image = maps[r][static_cast<std::size_t>(k)];
        if (image.recordTorus < 0) continue;
        preserving = preserving && QuadDet(image.toRecord) == 1;
        TIntQuad back;
        QuadInvertUnimodular(back, image.toRecord);
        TIntQuad g{1, 0, 0, 1};
        if (image.recordTorus == 0) {
          slopes.push_back(Apply(back, slope.first, slope.second));
        } else {
          slopes.push_back({0, 0});
          QuadProduct(g, back, gluing);
        }
        free.push_back(g);
      }
      if (!preserving) continue;
      ++rows;
      TSpine again;
      ASSERT_TRUE(LoadPiece(again, cells));
      const std::vector<TTorusFilling> other = RecogniseFilled(again, slopes, recognised, free);
      ASSERT_EQ(recognised, 1);
      ASSERT_EQ(other.size(), reference.size());
      for (std::size_t i = 0; i < other.size(); ++i) {
        EXPECT_EQ(other[i].p, reference[i].p) << i;
        EXPECT_EQ(other[i].q, reference[i].q) << i;
        EXPECT_EQ(other[i].gluing, reference[i].gluing) << i;
      }
    }
  }
  EXPECT_GE(rows, 4);
}

}  // namespace

namespace {

// Every edge's cell list rotated by one: the order a piece cut out of a
// larger spine may carry, no longer the order its thickening was built in.
void RotateCellLists(TSpine& spine) {
  const TObjectList& objects = spine.Objects().Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* edge = objects.At(i);
    if (edge == nullptr || edge->kind != kEdgeKind || TEdge::Valency(edge) != 3) continue;
    TObjectHeader* first = TEdge::CellAt(edge, 0).Object();
    TEdge::RemoveCell(edge, first);
    TEdge::AddCell(edge, first);
  }
}

std::vector<TIntQuad> TorusMatrices(TSpine& piece, const TTableRecord& record) {
  std::vector<std::vector<TTorusImage>> maps;
  EXPECT_EQ(FindTorusImages(piece, record, maps), 1);
  std::vector<TIntQuad> out;
  const std::size_t k = static_cast<std::size_t>(piece.BoundarySurfaceIndex(OnlyTorus(piece)));
  for (const std::vector<TTorusImage>& row : maps) {
    EXPECT_TRUE(row[k].hasMatrix);
    out.push_back(row[k].toRecord);
  }
  std::sort(out.begin(), out.end(), [](const TIntQuad& x, const TIntQuad& y) {
    return std::tie(x.a, x.b, x.c, x.d) < std::tie(y.a, y.b, y.c, y.d);
  });
  return out;
}

// The sides of the boundary are matched by the cells that run along them,
// so the order of an edge's cell list does not change the torus map or the
// name of a filling (matched by list position, the record's curves came
// over open or not at all, and the slope stayed in the piece's coordinates).
TEST(AtomTorusMap, AnEdgesCellOrderDoesNotChangeTheTorusMap) {
  for (const char* name : {"Q2_1", "Q2_2", "Q3_1"}) {
    const TTableRecord& record = Record(name);
    for (unsigned seed : {0u, 1u, 2u}) {
      SCOPED_TRACE(std::string(name) + " seed " + std::to_string(seed));
      const std::string cells = seed == 0 ? std::string(record.Text()) : Relabelled(record, seed);
      TScopedModelHeap heap;
      TSpine plain, rotated;
      ASSERT_TRUE(LoadPiece(plain, cells));
      ASSERT_TRUE(LoadPiece(rotated, cells));
      RotateCellLists(rotated);
      EXPECT_EQ(TorusMatrices(rotated, record), TorusMatrices(plain, record));
      for (const auto& [x, y] : {std::pair{5, 1}, std::pair{3, -2}}) {
        TSpine a, b;
        ASSERT_TRUE(LoadPiece(a, cells));
        ASSERT_TRUE(LoadPiece(b, cells));
        RotateCellLists(b);
        const TOutcome expected = Recognise(a, x, y);
        const TOutcome got = Recognise(b, x, y);
        ASSERT_EQ(got.recognised, 1);
        EXPECT_EQ(Name(record, got), Name(record, expected));
      }
    }
  }
}

// A filled torus without coordinates of its own cannot be carried to the
// record's: its pair would be read as a slope of the record, an arbitrary
// filling. The atom is left unnamed and the pair untouched.
TEST(AtomTorusMap, AFillingTheRecordsCurvesDoNotReachIsNotNamed) {
  const TTableRecord& record = Record("Q2_1");
  TScopedModelHeap heap;
  TSpine piece;
  ASSERT_TRUE(LoadPiece(piece, std::string(record.Text())));
  OnlyTorus(piece)->ResetEdgeLabels(-1);
  const TOutcome o = Recognise(piece, 3, -2);
  EXPECT_EQ(o.recognised, 0);
  EXPECT_EQ(std::make_pair(o.p, o.q), std::make_pair(3, -2));
}

}  // namespace
