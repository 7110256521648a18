// The compound code of a labeled molecule. See molecule_code.h.
#include "recognition/molecule_code.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "foundation/stop_poll.h"
#include "model/edge.h"
#include "model/molecule_vertex.h"

namespace {

// The words of a piece a vertex holds (a record whose word 0 is its size).
TPieceCode CodeOfPiece(const void* piece) {
  const auto* words = static_cast<const std::int32_t*>(piece);
  TPieceCode code;
  code.Resize(words[0]);
  for (int i = 1; i < words[0]; ++i) code.SetWord(i, words[i]);
  return code;
}

TPieceCode VertexCode(const TObjectHeader* vertex, int mode) {
  const void* piece = TMoleculeVertex::Piece(vertex);
  return piece != nullptr ? CodeOfPiece(piece) : BuildPieceCode(vertex, mode);
}

}  // namespace

TPieceCode BuildMoleculeCode(const TObjectTable& molecule) {
  std::vector<TObjectHeader*> vertices;
  std::vector<TObjectHeader*> edges;
  TStopPoll poll;
  for (int i = 0; i < molecule.Count(); ++i) {
    TObjectHeader* object = molecule.At(i);
    if (object == nullptr) continue;
    if (object->kind == kMoleculeVertexKind) vertices.push_back(object);
    if (object->kind == kMoleculeEdgeKind) edges.push_back(object);
    poll.Step();
  }
  // Atoms are numbered per type, so their numbers do not order them; the
  // table's list order (the order of creation) does.
  const int n = static_cast<int>(vertices.size());
  const int e = static_cast<int>(edges.size());

  TPieceCode code;
  code.Resize(18 + 2 * e + 15 * n);
  code.SetWord(kCodeType, kCompoundCode);
  code.SetWord(16, n);
  code.SetWord(17, e);
  int virtualAtoms = 0;
  for (int v = 0; v < n; ++v) {
    const TPieceCode vertexCode = VertexCode(vertices[static_cast<std::size_t>(v)], 2);
    if (vertexCode.Word(kCodeZeroPairFlag) == 1) code.SetWord(kCodeZeroPairFlag, 1);
    if (TMoleculeVertex::AtomType(vertices[static_cast<std::size_t>(v)]) == kVirtualAtom) ++virtualAtoms;
    for (int j = 12; j <= 26; ++j) code.SetWord(18 + (j - 12) * n + v, vertexCode.Word(j));
    poll.Step();
  }
  code.SetWord(kCodeWord13, virtualAtoms);

  std::vector<std::pair<int, int>> ends;
  for (TObjectHeader* edge : edges) {
    auto position = [&](int end) {
      const TObjectHeader* vertex = TEdge::End(edge, end).Object();
      auto it = std::find(vertices.begin(), vertices.end(), vertex);
      return it == vertices.end() ? 0 : static_cast<int>(it - vertices.begin()) + 1;
    };
    const int x = position(1);
    const int y = position(2);
    ends.emplace_back(std::min(x, y), std::max(x, y));
    poll.Step();
  }
  if (e > 1) std::sort(ends.begin(), ends.end());
  for (int i = 0; i < e; ++i) {
    code.SetWord(18 + 15 * n + 2 * i, ends[static_cast<std::size_t>(i)].first);
    code.SetWord(18 + 15 * n + 2 * i + 1, ends[static_cast<std::size_t>(i)].second);
  }
  code.Finish();
  return code;
}

int CompareMoleculeVertices(const TObjectHeader* a, const TObjectHeader* b) {
  const void* pa = TMoleculeVertex::Piece(a);
  const void* pb = TMoleculeVertex::Piece(b);
  if (pa != nullptr && pb != nullptr) return ComparePieceCodes(CodeOfPiece(pa), CodeOfPiece(pb));
  const int ta = TMoleculeVertex::AtomType(a);
  const int tb = TMoleculeVertex::AtomType(b);
  if (ta == kExceptionalAtom || tb == kExceptionalAtom) {
    if (ta != tb) return ta == kExceptionalAtom ? kCodeGreater : kCodeLess;
    TAtomTriple ka;
    TAtomTriple kb;
    TMoleculeVertex::Triple(a, ka);
    TMoleculeVertex::Triple(b, kb);
    if (ka.first == kb.first) return kCodeEqual;
    return ka.first < kb.first ? kCodeLess : kCodeGreater;
  }
  if (ta == kVirtualAtom || tb == kVirtualAtom) {
    if (ta == tb) return kCodeEqual;
    return ta == kVirtualAtom ? kCodeLess : kCodeGreater;
  }
  return ComparePieceCodes(BuildPieceCode(a, 1), BuildPieceCode(b, 1));
}
