#include "invariants/dw_detail_classes.h"

#include <numeric>
#include <stdexcept>

#include "foundation/stop_poll.h"
#include "model/detail.h"
#include "model/details_description.h"
#include "model/object_header.h"

namespace {

class TUnionFind {
 public:
  explicit TUnionFind(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
  int Find(int x) {
    while (parent_[static_cast<std::size_t>(x)] != x) {
      int& up = parent_[static_cast<std::size_t>(x)];
      up = parent_[static_cast<std::size_t>(up)];
      x = up;
    }
    return x;
  }
  void Join(int a, int b) {
    a = Find(a);
    b = Find(b);
    if (a != b) parent_[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
  }

 private:
  std::vector<int> parent_;
};

// Dense class numbers in the order the roots are first met.
std::vector<int> Number(TUnionFind& classes, std::size_t n, int& count) {
  std::vector<int> number(n, -1);
  std::vector<int> result(n, -1);
  count = 0;
  for (std::size_t x = 0; x < n; ++x) {
    const int root = classes.Find(static_cast<int>(x));
    int& k = number[static_cast<std::size_t>(root)];
    if (k < 0) k = count++;
    result[x] = k;
  }
  return result;
}

}  // namespace

TDWDetailClasses::TDWDetailClasses(const TDetailsDescription& description) {
  const TObjectManager& objects = description.Objects();
  for (int k = 0; k < objects.Count(); ++k) {
    TObjectHeader* object = objects.At(k);
    if (ObjectKind(object) != kDetailKind) continue;
    index_.emplace(object, static_cast<int>(details_.size()));
    details_.push_back(object);
  }
  const std::size_t n = details_.size();
  TUnionFind corners(4 * n);
  TUnionFind edges(6 * n);
  TStopPoll poll;
  for (std::size_t i = 0; i < n; ++i) {
    for (int f = 0; f < 4; ++f) {
      poll.Step();
      const int j = IndexOf(TDetail::Partner(details_[i], f).Object());
      const int h = TDetail::PartnerFace(details_[i], f);
      if (j < 0 || h < 0 || h > 3) throw std::invalid_argument("a face of the details is not glued");
      for (int p = 0; p < 3; ++p) {
        const int q = TDetail::Correspondence(details_[i], f, p);
        if (q < 0 || q > 2) throw std::invalid_argument("a gluing of the details is incomplete");
        corners.Join(static_cast<int>(4 * i) + TDetail::FaceCornerMap(f, p),
                     4 * j + TDetail::FaceCornerMap(h, q));
        edges.Join(static_cast<int>(6 * i) + EdgeIndexOfCorners(f, p), 6 * j + EdgeIndexOfCorners(h, q));
      }
    }
  }
  const std::vector<int> cornerNumbers = Number(corners, 4 * n, cornerClasses_);
  const std::vector<int> edgeNumbers = Number(edges, 6 * n, edgeClasses_);
  corners_.resize(n);
  edges_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t c = 0; c < 4; ++c) corners_[i][c] = cornerNumbers[4 * i + c];
    for (std::size_t e = 0; e < 6; ++e) edges_[i][e] = edgeNumbers[6 * i + e];
  }
  // The link of a vertex class has one triangle per corner in the class and
  // one vertex per end of an edge class at it; its sides are shared by two
  // triangles, so its Euler characteristic is ends - corners / 2.
  static constexpr int kEdgeCorners[6][2] = {{1, 2}, {0, 2}, {0, 1}, {0, 3}, {1, 3}, {2, 3}};
  std::vector<int> corners2(static_cast<std::size_t>(cornerClasses_), 0);
  std::vector<int> ends(static_cast<std::size_t>(cornerClasses_), 0);
  std::vector<bool> edgeSeen(static_cast<std::size_t>(edgeClasses_), false);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t c = 0; c < 4; ++c) ++corners2[static_cast<std::size_t>(corners_[i][c])];
    for (std::size_t e = 0; e < 6; ++e) {
      const auto value = static_cast<std::size_t>(edges_[i][e]);
      if (edgeSeen[value]) continue;
      edgeSeen[value] = true;
      for (int end : kEdgeCorners[e]) ++ends[static_cast<std::size_t>(corners_[i][static_cast<std::size_t>(end)])];
    }
  }
  for (std::size_t v = 0; v < corners2.size(); ++v) {
    if (2 * ends[v] - corners2[v] == 4) ++sphereClasses_;
  }
}

int TDWDetailClasses::IndexOf(const TObjectHeader* detail) const {
  auto found = index_.find(detail);
  return found == index_.end() ? -1 : found->second;
}

int TDWDetailClasses::EdgeValue(int i, int face, int position) const {
  return edges_[static_cast<std::size_t>(i)][static_cast<std::size_t>(EdgeIndexOfCorners(face, position))];
}

std::array<int, 6> TDWDetailClasses::SixEdgeValues(int i) const {
  static constexpr int kOrder[6][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {3, 2}};
  std::array<int, 6> values{};
  for (std::size_t k = 0; k < 6; ++k) values[k] = EdgeValue(i, kOrder[k][0], kOrder[k][1]);
  return values;
}
