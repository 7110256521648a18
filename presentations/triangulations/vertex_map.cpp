#include "presentations/triangulations/vertex_map.h"

#include "foundation/permutation.h"

namespace {

// The 24 maps in lexicographic order, built once.
struct TVertexMapTable {
  std::array<TVertexMap, kVertexMapCount> maps{};
  TVertexMapTable() {
    int next = 0;
    for (std::uint8_t a = 0; a < 4; ++a) {
      for (std::uint8_t b = 0; b < 4; ++b) {
        for (std::uint8_t c = 0; c < 4; ++c) {
          if (a == b || a == c || b == c) continue;
          auto d = static_cast<std::uint8_t>(6 - a - b - c);
          maps[next++] = {a, b, c, d};
        }
      }
    }
  }
};

const TVertexMapTable& Table() {
  static const TVertexMapTable table;
  return table;
}

}  // namespace

TVertexMap VertexMapFromIndex(int index) {
  if (index < 0 || index >= kVertexMapCount) return kIdentityVertexMap;
  return Table().maps[index];
}

bool IsVertexMap(const TVertexMap& map) {
  unsigned seen = 0;
  for (std::uint8_t v : map) {
    if (v > 3) return false;
    seen |= 1u << v;
  }
  return seen == 0xF;
}

int VertexMapIndex(const TVertexMap& map) {
  if (!IsVertexMap(map)) return -1;
  static constexpr int kFactorial[4] = {6, 2, 1, 0};
  int index = 0;
  for (int i = 0; i < 3; ++i) {
    int smallerLater = 0;
    for (int j = i + 1; j < 4; ++j) smallerLater += map[j] < map[i] ? 1 : 0;
    index += smallerLater * kFactorial[i];
  }
  return index;
}

int SetPermutationFromIndex(TPermutation& permutation, int index) {
  if (index < 0 || index >= kVertexMapCount) return 0;
  TVertexMap map = Table().maps[index];
  permutation.Resize(4);
  for (std::uint32_t i = 0; i < 4; ++i) permutation.SetAt(i, map[i]);
  return 1;
}
