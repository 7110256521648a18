#include "recognition/piece_recognition.h"

#include <cstdlib>
#include <numeric>
#include <vector>

#include "foundation/checked_int64.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/vertex.h"
#include "recognition/anosov_form.h"
#include "recognition/compound_code.h"
#include "recognition/fibres.h"
#include "recognition/molecule_tools.h"

namespace {

// Products of two 64-bit values compared exactly.
__extension__ typedef __int128 TWide;

enum : int {
  kNongeometric = 1,
  kS2xR = 2,
  kFlat = 3,
  kH2xR = 4,
  kElliptic = 5,
  kNil = 6,
  kSL2R = 7,
  kSol = 8,
  kHyperbolic = 9,
};

// The single vertex of a molecule without edges; null otherwise.
TObjectHeader* LoneVertex(const TManifoldDescription& d) {
  TObjectTable* m = d.GetMolecule();
  if (m == nullptr || m->CountOfKind(kMoleculeVertexKind) != 1 || m->CountOfKind(kMoleculeEdgeKind) != 0)
    return nullptr;
  return m->First(kMoleculeVertexKind);
}

std::int64_t Abs64(std::int64_t v) { return v < 0 ? -v : v; }

// The least y in [1, q) with p y = 1 mod q, by the extended Euclid algorithm;
// 0 when p and q are not coprime.
std::int64_t InverseModulo(std::int64_t p, std::int64_t q) {
  std::int64_t r0 = q, r1 = p % q, s0 = 0, s1 = 1;
  while (r1 != 0) {
    const std::int64_t t = r0 / r1;
    std::int64_t next = r0 - t * r1;
    r0 = r1;
    r1 = next;
    next = s0 - t * s1;
    s0 = s1;
    s1 = next;
  }
  if (r0 != 1) return 0;
  s0 %= q;
  return s0 <= 0 ? s0 + q : s0;
}

int SeifertGeometry(const TObjectHeader* v) {
  // X = chi - sum (1 - 1/a_i) and E = sum b_i / a_i, both scaled by A = prod a_i;
  // only their signs matter.
  const int n = TMoleculeVertex::PairCount(v);
  TWide product = 1;
  for (int i = 0; i < n; ++i) {
    const int a = TMoleculeVertex::PairComponent(v, i, 0);
    if (a != 0) product *= a;
    if (product > (static_cast<TWide>(1) << 100) || product < -(static_cast<TWide>(1) << 100))
      throw Out_of_Range(TInt64::FromInt(a), TInt64::FromInt(n), 78);
  }
  TWide x = product * TMoleculeVertex::FlagA(v);
  TWide e = 0;
  for (int i = 0; i < n; ++i) {
    int a = 0, b = 0;
    TMoleculeVertex::PairAt(v, i, a, b);
    if (a == 0) continue;
    x -= product - product / a;
    e += static_cast<TWide>(b) * (product / a);
  }
  if (x > 0) return e == 0 ? kS2xR : kElliptic;
  if (x == 0) return e == 0 ? kFlat : kNil;
  return e == 0 ? kH2xR : kSL2R;
}

int BundleGeometry(const TPieceCode& code) {
  int at = kCodeHeaderWords;
  while (at < code.Size() && code.Word(at) != 0) ++at;
  ++at;
  const std::int64_t m11 = code.Word(at), m12 = code.Word(at + 1), m21 = code.Word(at + 2),
                     m22 = code.Word(at + 3);
  const std::int64_t t = Abs64(m11 + m22);
  if (t >= 3) return kSol;
  if (t <= 1) return kFlat;
  return m12 == 0 && m21 == 0 && Abs64(m11) == 1 && Abs64(m22) == 1 ? kFlat : kNil;
}

}  // namespace

int SolveUnimodular(std::int64_t& x, std::int64_t& y, std::int64_t p, std::int64_t q) {
  const std::int64_t bigP = Abs64(p);
  const std::int64_t bigQ = Abs64(q);
  if (bigP == 1) {
    x = 0;
    y = 1;
  } else if (bigQ == 1) {
    x = -1;
    y = 0;
  } else if (bigP < 2 || bigQ < 2) {
    return 0;
  } else {
    const std::int64_t i = InverseModulo(bigP % bigQ, bigQ);
    if (i == 0) return 0;
    y = i;
    x = static_cast<std::int64_t>(static_cast<TWide>(bigP) * i / bigQ);
  }
  if (p < 0) y = -y;
  if (q < 0) x = -x;
  return 1;
}

int RecognizeLensSpace(TManifoldDescription& description) {
  TObjectHeader* v = LoneVertex(description);
  if (v == nullptr || TMoleculeVertex::Classify(v) != kBaseSphere) return 0;
  const int n = TMoleculeVertex::PairCount(v);
  if (n < 1 || n > 3) return 0;
  std::int64_t a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
  for (int i = 0; i < n; ++i) {
    int ai = 0, bi = 0;
    TMoleculeVertex::PairAt(v, i, ai, bi);
    a[i] = ai;
    b[i] = bi;
  }
  if (n == 3) {
    if (a[2] != 1) return 0;
    b[1] += b[2] * a[1];
  }
  std::int64_t p = 0, q = 0;
  if (n == 1) {
    p = b[0];
    q = a[0];
  } else {
    p = a[0] * b[1] + a[1] * b[0];
    std::int64_t x = 0, y = 0;
    if (SolveUnimodular(x, y, a[0], b[0]) != 0)
      q = x * b[1] + y * a[1];
    else if (SolveUnimodular(x, y, a[1], b[1]) != 0)
      q = x * b[0] + y * a[0];
  }
  p = Abs64(p);
  q = Abs64(q);
  if (p > 0) q %= p;
  // The pair is stored and printed as 32-bit words.
  const int p32 = Checked32(p);
  const int q32 = Checked32(NormalLensParameter(p, q));
  if (n == 2) TMoleculeVertex::RemovePairAt(v, 1);
  TMoleculeVertex::SetPairAt(v, 0, q32, p32);
  description.SetLensCode(p32, q32);
  return 1;
}

int RecognizeSeifertManifold(TManifoldDescription& description) {
  TObjectHeader* v = LoneVertex(description);
  if (v == nullptr) return 0;
  NormalizeFibres(v, 1);
  description.SetPieceCode(BuildPieceCode(v, 1));
  return 1;
}

int RecognizeTorusBundle(TManifoldDescription& description) {
  TObjectTable* m = description.GetMolecule();
  if (m == nullptr || m->CountOfKind(kMoleculeVertexKind) != 1 || m->CountOfKind(kMoleculeEdgeKind) != 1)
    return 0;
  TObjectHeader* v = m->First(kMoleculeVertexKind);
  TObjectHeader* e = m->First(kMoleculeEdgeKind);
  if (TMoleculeVertex::Classify(v) != kBaseAnnulus || TMoleculeVertex::PairCount(v) != 0) return 0;
  const TIntQuad g = TMoleculeEdge::GluingQuad(e);
  // The monodromy reads the section of one side of the annulus against the
  // other, whose section runs the other way.
  std::int32_t monodromy[4] = {Checked32(-static_cast<std::int64_t>(g.a)), g.b,
                               Checked32(-static_cast<std::int64_t>(g.c)), g.d};
  std::vector<std::int32_t> word;
  try {
    NormalizeMonodromyMatrix(monodromy, word);
    Checked32(-static_cast<std::int64_t>(monodromy[0]));
    Checked32(-static_cast<std::int64_t>(monodromy[2]));
  } catch (const Out_of_Range&) {
    // Too large to normalise: the piece stays unrecognised.
    return 0;
  }
  description.SetPieceCode(word.empty() ? BuildBundleMatrixCode(monodromy) : BuildBundleCode(word, monodromy));
  TMoleculeEdge::SetGluingValues(e, -monodromy[0], monodromy[1], -monodromy[2], monodromy[3]);
  return 1;
}

int RecognizeWithVirtualVertices(TManifoldDescription& description) {
  TObjectTable* m = description.GetMolecule();
  if (m == nullptr) return 0;
  const int n = m->CountOfKind(kMoleculeVertexKind);
  const int v = m->CountAtomsOfType(kVirtualAtom);
  if (m->CountAtomsOfType(kExceptionalAtom) != 0 || v == 0) return 0;
  const int type = n == v + 1 ? 11 : 12;
  BuildCompoundCode(description, type);
  if (description.GetTypeCode() != kTrivialCode) {
    description.SetTypeCode(type);
    TPieceCode code = description.GetPieceCode();
    UpdateChecksum(code);
    description.SetPieceCode(code);
  }
  return 1;
}

int RecognizeAssembledMolecule(TManifoldDescription& description) {
  TObjectTable* m = description.GetMolecule();
  if (m == nullptr || m->CountOfKind(kMoleculeVertexKind) == 0) {
    description.SetTrivialCode();
    return 1;
  }
  if (m->CountAtomsOfType(kExceptionalAtom) != 0) return 0;
  int done = RecognizeLensSpace(description);
  if (done == 0) done = RecognizeSeifertManifold(description);
  if (done == 0) done = RecognizeTorusBundle(description);
  if (done == 0) done = RecognizeWithVirtualVertices(description);
  if (done == 0) done = BuildCompoundCode(description, kCompoundCode);
  if (done != 0) ClassifyGeometry(description);
  return done;
}

void ClassifyGeometry(TManifoldDescription& description) {
  int geometry = 0;
  int balls = 0, solidTori = 0;
  const int type = description.GetTypeCode();
  if (description.IsClosed(balls, solidTori) != 0) {
    int summands = 0, s2xs1 = 0, flag = 0;
    const int reducible = description.IsReducible(summands, s2xs1, flag);
    TObjectTable* m = description.GetMolecule();
    TObjectHeader* first = m != nullptr ? m->First(kMoleculeVertexKind) : nullptr;
    if (reducible == 0) {
      switch (type) {
        case kTrivialCode:
        case kLensCode:
          geometry = kElliptic;
          break;
        case kSeifertCode:
          try {
            geometry = first != nullptr ? SeifertGeometry(first) : 0;
          } catch (const Out_of_Range&) {
            geometry = 0;
          }
          break;
        case kBundleCode:
          geometry = BundleGeometry(description.GetPieceCode());
          break;
        case kCompoundCode: {
          geometry = kNongeometric;
          // Two discs with fibres (2, b), (2, b') glued along their boundary:
          // a torus bundle with Anosov monodromy in disguise.
          if (m != nullptr && m->CountOfKind(kMoleculeVertexKind) == 2 && m->CountOfKind(kMoleculeEdgeKind) == 1) {
            bool sol = true;
            for (const THandle& v : MoleculeVertices(*m)) {
              sol = sol && TMoleculeVertex::Classify(v) == kBaseDisk && TMoleculeVertex::PairCount(v) == 3 &&
                    TMoleculeVertex::PairComponent(v, 0, 0) == 2 && TMoleculeVertex::PairComponent(v, 1, 0) == 2;
            }
            if (sol) geometry = kSol;
          }
          break;
        }
        case 6:
        case 9:
          geometry = kNongeometric;
          break;
        case 7:
        case 8:
        case 10:
          geometry = description.HasVolume() == 1 ? kHyperbolic : 0;
          break;
        default:
          geometry = 0;
      }
    } else if (summands == 1) {
      geometry = kNongeometric;
      if (type == kTrivialCode) {
        geometry = s2xs1 == 1 ? kS2xR : kNongeometric;
      } else if (type == kLensCode) {
        int p = 0, q = 0;
        description.GetLensParameters(p, q);
        geometry = (p == 0 && s2xs1 == 0) || (p == 1 && s2xs1 == 1) ? kS2xR : kNongeometric;
      } else if (type == kSeifertCode && first != nullptr) {
        const int base = TMoleculeVertex::Classify(first);
        const int n = TMoleculeVertex::PairCount(first);
        if (flag != 0) {
          int a1 = 0, b1 = 0, a2 = 0, b2 = 0;
          TMoleculeVertex::PairAt(first, 1, a1, b1);
          TMoleculeVertex::PairAt(first, n > 2 ? 2 : 1, a2, b2);
          if ((base == kBaseSphere && n == 3 && a1 == 2 && b1 == 1 && a2 == 2 && b2 == 1) ||
              (base == kBaseProjectivePlane && n == 2 && a1 == 1 && b1 == 0))
            geometry = kS2xR;
        } else if ((base == kBaseSphere || base == kBaseProjectivePlane) && n == 0) {
          geometry = kS2xR;
        }
      }
    } else if (summands == 2 && type == kLensCode) {
      int p = 0, q = 0;
      description.GetLensParameters(p, q);
      int p2 = 0, q2 = 0;
      const TManifoldDescription* next = description.GetNextSummand();
      geometry = p == 2 && q == 1 && next != nullptr && next->GetLensParameters(p2, q2) != 0 && p2 == 2 &&
                         q2 == 1
                     ? kS2xR
                     : kNongeometric;
    } else {
      geometry = kNongeometric;
    }
  }
  TPieceCode code = description.GetPieceCode();
  code.SetWord(kCodeGeometry, geometry);
  UpdateChecksum(code);
  description.SetPieceCode(code);
}
