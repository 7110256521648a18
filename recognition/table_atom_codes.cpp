// Piece codes of table atoms. See table_atom_codes.h.
#include "recognition/table_atom_codes.h"

#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/vertex.h"
#include "recognition/atom_table.h"
#include "shell/string_text.h"

namespace {

enum : int {
  kTextFilledAtom = 867,
  kTextKnotFilling = 868,
  kTextTorusFilled = 869,
  kTextTorusFreeMatrix = 870,
  kTextTorusFree = 871,
  kTextAtomMatrix = 872,
  kTextKnotMatrix = 873,
  kTextKnotAtom = 874,
};

constexpr int kMaxTori = 5;
constexpr std::int32_t kNoSlope = 2147483647;
constexpr int kFilledAtomWords = 23;
constexpr int kTableAtomWords = 25;
constexpr int kMultiAtomWords = 57;
constexpr int kMultiSubIndexWord = 56;

void PutKey(TPieceCode& code, const TWordQuintuple& key) {
  code.SetWord(16, -key.keyA);
  code.SetWord(17, key.keyB);
  code.SetWord(18, key.keyC);
}

TWordQuintuple KeyOf(const TPieceCode& code, int indexWord, int subIndexWord) {
  return {code.Word(indexWord), code.Word(subIndexWord), -code.Word(16), code.Word(17), code.Word(18)};
}

// (a b; c d) stored as (b, a, d, c).
void PutMatrix(TPieceCode& code, int at, const std::int32_t m[4]) {
  code.SetWord(at, m[1]);
  code.SetWord(at + 1, m[0]);
  code.SetWord(at + 2, m[3]);
  code.SetWord(at + 3, m[2]);
}

void GetMatrix(const TPieceCode& code, int at, std::int32_t m[4]) {
  m[0] = code.Word(at + 1);
  m[1] = code.Word(at);
  m[2] = code.Word(at + 3);
  m[3] = code.Word(at + 2);
}

// A code of `words` words of the given type naming a table record: its key
// in words 16-18, its index and sub-index in words 19 and 20.
TPieceCode StartRecordCode(const TTableRecord& record, int words, int type) {
  TPieceCode code;
  code.Resize(words);
  code.SetWord(kCodeType, type);
  const TWordQuintuple key = record.GetKey();
  PutKey(code, key);
  code.SetWord(19, key.index);
  code.SetWord(20, key.subIndex);
  return code;
}

// A record addressed by a Type3 description names a knot: its atom is the
// knot's complement and prints as C(K).
bool IsKnotDescription(const TTableRecord* record) {
  return record != nullptr && record->GetNextType() == kNextKnot;
}

}  // namespace

TPieceCode BuildFilledAtomCode(const TTableRecord& record, int p, int q) {
  TPieceCode code = StartRecordCode(record, kFilledAtomWords, kFilledAtomCode);
  code.SetWord(21, p);
  code.SetWord(22, q);
  code.Finish();
  return code;
}

TPieceCode BuildTableAtomCode(const TTableRecord& record, const std::int32_t matrix[4]) {
  TPieceCode code = StartRecordCode(record, kTableAtomWords, kTableAtomCode);
  PutMatrix(code, 21, matrix);
  code.Finish();
  return code;
}

TPieceCode BuildMultiFilledAtomCode(const TObjectHeader* vertex) {
  TAtomTriple triple;
  if (TMoleculeVertex::Triple(vertex, triple) == 0) return TPieceCode();
  const int t = TVertex::Valency(vertex);
  if (t > kMaxTori) return TPieceCode();
  const TTableRecord* record = LoadAtomTable().FindTableRecord({triple.first, triple.second, 0, 0, 0});
  if (record == nullptr) return TPieceCode();
  const TWordQuintuple key = record->GetKey();
  TPieceCode code;
  code.Resize(kMultiAtomWords);
  PutKey(code, key);
  code.SetWord(19, t);
  code.SetWord(20, key.index);
  code.SetWord(kMultiSubIndexWord, key.subIndex);
  int freeTori = 0;
  for (int i = 0; i < kMaxTori; ++i) {
    code.SetWord(21 + i, 1);
    code.SetWord(26 + i, kNoSlope);
    code.SetWord(31 + i, kNoSlope);
    if (i >= t) continue;
    const TObjectHeader* edge = TVertex::EdgeAt(vertex, i);
    const int atomEnd = TEdge::End(edge, 2).Object() == vertex ? 2 : 1;
    THandle far = TEdge::End(edge, atomEnd == 2 ? 1 : 2);
    const int farType = TMoleculeVertex::AtomType(far);
    if (farType == kVirtualAtom) {
      ++freeTori;
      const TIntQuad g = TMoleculeEdge::GluingQuad(edge);
      const std::int32_t m[4] = {g.a, g.b, g.c, g.d};
      PutMatrix(code, 36 + 4 * i, m);
      continue;
    }
    code.SetWord(21 + i, 0);
    if (farType != kSolidTorusAtom) continue;
    int x = 0;
    int y = 0;
    TMoleculeVertex::PairAt(far, 0, x, y);
    code.SetWord(26 + i, y);
    code.SetWord(31 + i, x < 0 ? -x : x);
    const std::int32_t m[4] = {0, x, 0, y};  // stored as (x, 0, y, 0)
    PutMatrix(code, 36 + 4 * i, m);
  }
  code.SetWord(kCodeWord13, freeTori);
  code.SetWord(kCodeType, freeTori > 0 ? kFreeMultiFilledAtomCode : kMultiFilledAtomCode);
  code.Finish();
  return code;
}

int GetAtomCodeKey(const TPieceCode& code, TWordQuintuple& key) {
  switch (code.Type()) {
    case kFilledAtomCode:
    case kTableAtomCode:
      key = KeyOf(code, 19, 20);
      return 1;
    case kMultiFilledAtomCode:
    case kFreeMultiFilledAtomCode:
      key = KeyOf(code, 20, kMultiSubIndexWord);
      return 1;
    default:
      return 0;
  }
}

int GetFilledAtom(const TPieceCode& code, TWordQuintuple& key, int& p, int& q) {
  if (code.Type() != kFilledAtomCode) return 0;
  GetAtomCodeKey(code, key);
  p = code.Word(21);
  q = code.Word(22);
  return 1;
}

int GetFilledAtoms(const TPieceCode& code, int& n, TWordQuintuple& key, std::int32_t matrices[5][4]) {
  if (code.Type() != kMultiFilledAtomCode && code.Type() != kFreeMultiFilledAtomCode) return 0;
  GetAtomCodeKey(code, key);
  n = code.Word(19);
  for (int i = 0; i < kMaxTori; ++i) GetMatrix(code, 36 + 4 * i, matrices[i]);
  return 1;
}

int GetAtomKey(const TPieceCode& code, TWordQuintuple& key, std::int32_t matrix[4]) {
  if (code.Type() != kTableAtomCode) return 0;
  GetAtomCodeKey(code, key);
  GetMatrix(code, 21, matrix);
  return 1;
}

int PrintTableAtomName(TOutput& output, const TPieceCode& code, const TAtomTable& table) {
  TWordQuintuple key;
  if (GetAtomCodeKey(code, key) == 0) return 0;
  const TTableRecord* record = table.FindTableRecord(key);
  const std::string name = table.FormatAtomName(key);
  if (record == nullptr || name.empty()) return 0;
  const bool knot = key.subIndex != 0 && IsKnotDescription(record);
  switch (code.Type()) {
    case kFilledAtomCode: {
      int p = 0;
      int q = 0;
      GetFilledAtom(code, key, p, q);
      output.AppendText(FormatStringText(knot ? kTextKnotFilling : kTextFilledAtom, name, p, q).c_str());
      return 1;
    }
    case kTableAtomCode: {
      std::int32_t m[4];
      GetAtomKey(code, key, m);
      if (m[0] != 0 || m[1] != 0 || m[2] != 0 || m[3] != 0) {
        output.AppendText(
            FormatStringText(knot ? kTextKnotMatrix : kTextAtomMatrix, name, m[0], m[1], m[2], m[3]).c_str());
        return 1;
      }
      output.AppendText(knot ? FormatStringText(kTextKnotAtom, name).c_str() : name.c_str());
      // Without coordinates on its torus the atom is told apart by its spine.
      const TTableRecord* head = record;
      while (head->Parent() != nullptr) head = head->Parent();
      if (!head->Signature().empty()) output.AppendText(FormatText(" ('%s')", head->Signature()).c_str());
      return 1;
    }
    default: {
      int n = 0;
      std::int32_t m[5][4];
      GetFilledAtoms(code, n, key, m);
      output.AppendText(name.c_str());
      for (int i = 0; i < n && i < kMaxTori; ++i) {
        const unsigned torus = static_cast<unsigned>(i + 1);
        // A filled torus is stored as the column (x, y) with zeros beside it.
        if (m[i][0] == 0 && m[i][1] == 0 && m[i][2] == 0 && m[i][3] == 0)
          output.AppendText(FormatStringText(kTextTorusFree, torus).c_str());
        else if (m[i][0] != 0 || m[i][2] != 0)
          output.AppendText(
              FormatStringText(kTextTorusFreeMatrix, torus, m[i][0], m[i][1], m[i][2], m[i][3]).c_str());
        else
          output.AppendText(FormatStringText(kTextTorusFilled, torus, m[i][1], m[i][3]).c_str());
      }
      return 1;
    }
  }
}

int PrintTableAtomName(TOutput& output, const TPieceCode& code) {
  TWordQuintuple key;
  if (GetAtomCodeKey(code, key) == 0) return 0;
  return PrintTableAtomName(output, code, LoadAtomTable());
}
