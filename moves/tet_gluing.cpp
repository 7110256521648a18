// The 2-3 and 3-2 moves on plain face gluings (see tet_gluing.h).
//
// 2-3 move across the face shared by A (apex N, corner a) and B (apex S,
// corner b = g(a)): with x0, x1, x2 the other corners of A, the new
// tetrahedron T_i has the corners N, S, x_{i+1}, x_{i+2} (indices mod 3), in
// that order. Its face opposite S is the face of A opposite x_i, its face
// opposite N the face of B opposite g(x_i), and its face opposite x_{i+1} is
// glued to the face of T_{i+1} opposite x_i by the map (0 1 3 2). The 3-2
// move reads three tetrahedra around an edge NS in exactly that form and
// makes A = (x0, x1, x2, N) and B = (x0, x1, x2, S), glued along their faces 3.
#include "moves/tet_gluing.h"

#include <unordered_map>

#include "model/detail.h"
#include "model/details_description.h"

TCornerMap ComposeMaps(const TCornerMap& outer, const TCornerMap& inner) {
  TCornerMap result{};
  for (int c = 0; c < 4; ++c) result[c] = outer[inner[c]];
  return result;
}

TCornerMap InvertMap(const TCornerMap& map) {
  TCornerMap result{};
  for (int c = 0; c < 4; ++c) result[map[c]] = static_cast<std::int8_t>(c);
  return result;
}

namespace {

int PositionOfCorner(int face, int corner) {
  for (int p = 0; p < 3; ++p)
    if (TDetail::FaceCornerMap(face, p) == corner) return p;
  return -1;
}

TCornerMap MapOf(int c0, int c1, int c2, int c3) {
  return TCornerMap{static_cast<std::int8_t>(c0), static_cast<std::int8_t>(c1),
                    static_cast<std::int8_t>(c2), static_cast<std::int8_t>(c3)};
}

}  // namespace

bool TTetGluing::FromDetails(const TDetailsDescription& description,
                             std::vector<TObjectHeader*>* details) {
  std::vector<TObjectHeader*> list;
  std::unordered_map<const TObjectHeader*, int> indexOf;
  for (int i = 0; i < description.DetailCount(); ++i) {
    indexOf.emplace(description.DetailAt(i).Object(), static_cast<int>(list.size()));
    list.push_back(description.DetailAt(i).Object());
  }
  std::vector<TTet> tets(list.size());
  for (std::size_t t = 0; t < list.size(); ++t) {
    tets[t].origin = static_cast<int>(t);
    for (int f = 0; f < 4; ++f) {
      THandle partner = TDetail::Partner(list[t], f);
      auto found = indexOf.find(partner.Object());
      const int g = TDetail::PartnerFace(list[t], f);
      if (found == indexOf.end() || g < 0 || g > 3) return false;
      TCornerMap map{};
      map[f] = static_cast<std::int8_t>(g);
      for (int p = 0; p < 3; ++p) {
        const int q = TDetail::Correspondence(list[t], f, p);
        if (q < 0 || q > 2) return false;
        map[TDetail::FaceCornerMap(f, p)] = static_cast<std::int8_t>(TDetail::FaceCornerMap(g, q));
      }
      tets[t].partner[f] = found->second;
      tets[t].map[f] = map;
    }
  }
  tets_ = std::move(tets);
  if (details != nullptr) *details = std::move(list);
  return true;
}

void TTetGluing::ToDetails(TDetailsDescription& description,
                           std::vector<TObjectHeader*>* details) const {
  std::vector<TObjectHeader*> list;
  for (std::size_t t = 0; t < tets_.size(); ++t) list.push_back(description.NewDetail());
  for (int t = 0; t < Count(); ++t)
    for (int f = 0; f < 4; ++f) {
      const int u = tets_[t].partner[f];
      const TCornerMap& m = tets_[t].map[f];
      const int g = m[f];
      if (u < t || (u == t && g < f)) continue;  // glued from the other side
      int position[3];
      for (int p = 0; p < 3; ++p) position[p] = PositionOfCorner(g, m[TDetail::FaceCornerMap(f, p)]);
      TDetail::GlueFaces(list[t], f, list[u], g, position[0], position[1], position[2], 2);
    }
  if (details != nullptr) *details = std::move(list);
}

void TTetGluing::Replace(const std::vector<int>& removed, std::vector<TTet> made,
                         const std::vector<std::array<TFaceImage, 4>>& images) {
  std::vector<int> newIndex(tets_.size(), -1);
  std::vector<int> removedSlot(tets_.size(), -1);
  for (std::size_t k = 0; k < removed.size(); ++k) removedSlot[removed[k]] = static_cast<int>(k);
  int kept = 0;
  for (int t = 0; t < Count(); ++t)
    if (removedSlot[t] < 0) newIndex[t] = kept++;
  std::vector<TTet> result;
  result.reserve(kept + made.size());
  for (int t = 0; t < Count(); ++t) {
    if (removedSlot[t] >= 0) continue;
    TTet tet = tets_[t];
    tet.origin = t;
    for (int f = 0; f < 4; ++f) {
      const int p = tet.partner[f];
      if (removedSlot[p] >= 0) {
        const TFaceImage& image = images[removedSlot[p]][tet.map[f][f]];
        tet.partner[f] = kept + image.newTet;
        tet.map[f] = ComposeMaps(InvertMap(image.toOld), tet.map[f]);
      } else {
        tet.partner[f] = newIndex[p];
      }
    }
    result.push_back(tet);
  }
  for (TTet& tet : made) {
    tet.origin = -1;
    for (int f = 0; f < 4; ++f)
      if (tet.partner[f] >= 0) tet.partner[f] += kept;
  }
  for (std::size_t k = 0; k < removed.size(); ++k)
    for (int f = 0; f < 4; ++f) {
      const TFaceImage& image = images[k][f];
      if (image.newTet < 0) continue;
      const TTet& old = tets_[removed[k]];
      const int p = old.partner[f];
      const TCornerMap& m = old.map[f];
      TTet& target = made[image.newTet];
      if (removedSlot[p] >= 0) {
        const TFaceImage& other = images[removedSlot[p]][m[f]];
        target.partner[image.newFace] = kept + other.newTet;
        target.map[image.newFace] =
            ComposeMaps(InvertMap(other.toOld), ComposeMaps(m, image.toOld));
      } else {
        target.partner[image.newFace] = newIndex[p];
        target.map[image.newFace] = ComposeMaps(m, image.toOld);
      }
    }
  for (TTet& tet : made) result.push_back(tet);
  tets_ = std::move(result);
}

bool TTetGluing::TwoThree(int t, int f) {
  if (t < 0 || t >= Count() || f < 0 || f > 3) return false;
  const int a = f;
  const int other = tets_[t].partner[f];
  if (other == t || other < 0) return false;
  const TCornerMap g = tets_[t].map[f];
  const int b = g[a];
  int x[3];
  for (int c = 0, k = 0; c < 4; ++c)
    if (c != a) x[k++] = c;
  std::vector<TTet> made(3);
  std::vector<std::array<TFaceImage, 4>> images(2);
  for (int i = 0; i < 3; ++i) {
    const int i1 = (i + 1) % 3;
    const int i2 = (i + 2) % 3;
    made[i].partner[2] = i1;
    made[i].map[2] = MapOf(0, 1, 3, 2);
    made[i1].partner[3] = i;
    made[i1].map[3] = MapOf(0, 1, 3, 2);
    images[0][x[i]] = TFaceImage{i, 1, MapOf(a, x[i], x[i1], x[i2])};
    images[1][g[x[i]]] = TFaceImage{i, 0, MapOf(g[x[i]], b, g[x[i1]], g[x[i2]])};
  }
  Replace({t, other}, std::move(made), images);
  return true;
}

bool TTetGluing::ThreeTwo(int t, int a, int b) {
  if (t < 0 || t >= Count() || a < 0 || a > 3 || b < 0 || b > 3 || a == b) return false;
  int rest[2];
  for (int c = 0, k = 0; c < 4; ++c)
    if (c != a && c != b) rest[k++] = c;
  // Corners of T_i in the order N, S, x_{i+1}, x_{i+2}.
  int tet[3];
  int corner[3][4];
  tet[0] = t;
  corner[0][0] = a;
  corner[0][1] = b;
  corner[0][2] = rest[0];
  corner[0][3] = rest[1];
  for (int i = 0; i < 2; ++i) {
    // T_i's face opposite x_{i+1} is glued to T_{i+1}'s face opposite x_i.
    const TTet& here = tets_[tet[i]];
    const int face = corner[i][2];
    const TCornerMap& m = here.map[face];
    tet[i + 1] = here.partner[face];
    corner[i + 1][0] = m[corner[i][0]];
    corner[i + 1][1] = m[corner[i][1]];
    corner[i + 1][2] = m[corner[i][3]];
    corner[i + 1][3] = m[corner[i][2]];
  }
  if (tet[0] == tet[1] || tet[1] == tet[2] || tet[0] == tet[2]) return false;
  {
    const TTet& last = tets_[tet[2]];
    const TCornerMap& m = last.map[corner[2][2]];
    if (last.partner[corner[2][2]] != tet[0] || m[corner[2][0]] != corner[0][0] ||
        m[corner[2][1]] != corner[0][1] || m[corner[2][3]] != corner[0][2])
      return false;
  }
  // The old corner of x_j in T_i (j != i).
  auto xCorner = [&](int i, int j) { return corner[i][j == (i + 1) % 3 ? 2 : 3]; };
  std::vector<TTet> made(2);
  made[0].partner[3] = 1;
  made[0].map[3] = MapOf(0, 1, 2, 3);
  made[1].partner[3] = 0;
  made[1].map[3] = MapOf(0, 1, 2, 3);
  std::vector<std::array<TFaceImage, 4>> images(3);
  for (int i = 0; i < 3; ++i) {
    TCornerMap toA{};
    TCornerMap toB{};
    for (int j = 0; j < 3; ++j)
      if (j != i) toA[j] = toB[j] = static_cast<std::int8_t>(xCorner(i, j));
    toA[i] = static_cast<std::int8_t>(corner[i][1]);
    toA[3] = static_cast<std::int8_t>(corner[i][0]);
    toB[i] = static_cast<std::int8_t>(corner[i][0]);
    toB[3] = static_cast<std::int8_t>(corner[i][1]);
    images[i][corner[i][1]] = TFaceImage{0, i, toA};
    images[i][corner[i][0]] = TFaceImage{1, i, toB};
  }
  Replace({tet[0], tet[1], tet[2]}, std::move(made), images);
  return true;
}
