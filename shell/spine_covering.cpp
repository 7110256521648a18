// The covering test of special spines.
//
// The search runs in two nested loops. The outer one enumerates cell maps
// (an odometer of C_A digits in base C_B: digit i is the image of A's cell i)
// and keeps those that put at most d cells on every image cell and map each
// cell onto a cell of the same boundary length. A rejected prefix is never
// looked at again: the odometer moves on at the position where the counts
// were exceeded, or where the lengths first disagreed, so that every map
// sharing that rejected prefix is skipped.
//
// The inner loop enumerates, for an accepted cell map, how each cell lies on
// its image: its shift s runs through 1, -1, 2, -2, ..., L, -L; a positive s
// lays the cell forward with the rotation s - 1, a negative one reversed. For
// each assignment the cells are walked in order: every passage of A's cell
// through edge k prescribes the signed image m of k (the edge of B at the
// matching position, with the orientation the two passages give it), and with
// it the images of k's two end vertices. An assignment is a covering when all
// these prescriptions agree and no image edge or vertex is hit more often
// than a d-fold covering allows (3d passages per edge, 12d edge ends per
// vertex of a special spine).
//
// Cost: up to C_B^C_A cell maps times the product of 2L over the cells; the
// prunings keep small spines fast, large ones may take very long.
#include "shell/spine_covering.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/digit_counter.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "shell/object_printers.h"

namespace {

// A spine as numbers: the signed edge words of its cells and the end
// vertices of its edges, after renumbering.
struct TCoveringTables {
  std::vector<std::vector<int>> words;  // per cell: signed edge numbers
  std::vector<int> firstEnd;            // per edge number (index 0 unused)
  std::vector<int> secondEnd;
  int vertices = 0;
  int edges = 0;
};

TCoveringTables BuildTables(TSpine& spine) {
  TCoveringTables tables;
  const TObjectManager& objects = spine.Objects();
  tables.vertices = objects.CountOfKind(kVertexKind);
  tables.edges = objects.CountOfKind(kEdgeKind);
  tables.firstEnd.assign(static_cast<std::size_t>(tables.edges) + 1, 0);
  tables.secondEnd.assign(static_cast<std::size_t>(tables.edges) + 1, 0);
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* object = objects.At(i);
    if (object == nullptr) continue;
    if (object->kind == kEdgeKind) {
      int number = ObjectNumber(object);
      if (number < 1 || number > tables.edges) continue;
      THandle first = TEdge::End(object, 1);
      THandle second = TEdge::End(object, 2);
      tables.firstEnd[static_cast<std::size_t>(number)] = first.IsValid() ? ObjectNumber(first) : 0;
      tables.secondEnd[static_cast<std::size_t>(number)] =
          second.IsValid() ? ObjectNumber(second) : 0;
    } else if (object->kind == kCellKind) {
      std::vector<int> word;
      int length = TCell::BoundaryLength(object);
      for (int p = 0; p < length; ++p) {
        int direction = 0;
        THandle edge = TCell::PassageAt(object, p, &direction);
        int number = edge.IsValid() ? ObjectNumber(edge) : 0;
        word.push_back(direction == 2 ? -number : number);
      }
      tables.words.push_back(std::move(word));
    }
  }
  return tables;
}

// The next shift after s for a cell of length L; 0 after -L.
int NextShift(int s, int length) {
  if (s > 0) return -s;
  return -s < length ? -s + 1 : 0;
}

class TCoveringSearch {
 public:
  TCoveringSearch(const TCoveringTables& a, const TCoveringTables& b, int degree)
      : a_(a), b_(b), degree_(degree) {}

  // Tries every lay of the cells for the cell map; true at a covering, whose
  // maps are then kept.
  bool TryShifts(const std::vector<int>& cellMap, const std::atomic<int>* stop) {
    const std::size_t cells = a_.words.size();
    shifts_.assign(cells, 1);
    for (;;) {
      if (stop != nullptr && stop->load() != 0) return false;
      const std::size_t failedAt = Consistent(cellMap);
      if (failedAt == cells) return true;
      // Odometer over the shifts, the last cell fastest. Whether cells 0..i
      // agree depends on their shifts alone, so the odometer moves on at
      // the cell where the walk failed: every assignment that shares the
      // shifts up to there fails there too.
      std::size_t i = failedAt + 1;
      while (i > 0) {
        --i;
        int next = NextShift(shifts_[i], static_cast<int>(a_.words[i].size()));
        if (next != 0) {
          shifts_[i] = next;
          for (std::size_t j = i + 1; j < cells; ++j) shifts_[j] = 1;
          break;
        }
        if (i == 0) return false;
      }
      if (cells == 0) return false;
    }
  }

  const std::vector<int>& EdgeMap() const { return edgeMap_; }
  const std::vector<int>& VertexMap() const { return vertexMap_; }
  const std::vector<int>& Shifts() const { return shifts_; }

 private:
  bool MapVertex(int from, int to) {
    if (from <= 0 || from > a_.vertices || to <= 0 || to > b_.vertices) return false;
    int& image = vertexMap_[static_cast<std::size_t>(from)];
    if (image == 0) image = to;
    if (image != to) return false;
    return ++vertexHits_[static_cast<std::size_t>(to)] <= 12 * degree_;
  }

  // The walk over the cells: the number of the first cell at which a
  // prescription disagrees, or the cell count when all agree.
  std::size_t Consistent(const std::vector<int>& cellMap) {
    edgeMap_.assign(static_cast<std::size_t>(a_.edges) + 1, 0);
    vertexMap_.assign(static_cast<std::size_t>(a_.vertices) + 1, 0);
    edgeHits_.assign(static_cast<std::size_t>(b_.edges) + 1, 0);
    vertexHits_.assign(static_cast<std::size_t>(b_.vertices) + 1, 0);
    for (std::size_t i = 0; i < a_.words.size(); ++i) {
      const std::vector<int>& word = a_.words[i];
      const std::vector<int>& w = b_.words[static_cast<std::size_t>(cellMap[i])];
      const int length = static_cast<int>(w.size());
      const int s = shifts_[i];
      for (int j = 0; j < length; ++j) {
        const int f = word[static_cast<std::size_t>(j)];
        const int k = std::abs(f);
        int position = s > 0 ? (j + s - 1) % length : ((std::abs(s) - 1 - j) % length + length) % length;
        // The image passage, read in the direction in which A's passage runs.
        int h = w[static_cast<std::size_t>(position)];
        if (s > 0) h = -h;
        const int m = f < 0 ? h : -h;  // the signed image of edge k
        if (k < 1 || k > a_.edges || m == 0 || std::abs(m) > b_.edges) return i;
        int& image = edgeMap_[static_cast<std::size_t>(k)];
        if (image == 0) image = m;
        if (image != m) return i;
        if (++edgeHits_[static_cast<std::size_t>(std::abs(m))] > 3 * degree_) return i;
        // The ends of k go to the ends of its image, in the order its sign gives.
        const std::size_t target = static_cast<std::size_t>(std::abs(m));
        int toFirst = m > 0 ? b_.firstEnd[target] : b_.secondEnd[target];
        int toSecond = m > 0 ? b_.secondEnd[target] : b_.firstEnd[target];
        if (!MapVertex(a_.firstEnd[static_cast<std::size_t>(k)], toFirst)) return i;
        if (!MapVertex(a_.secondEnd[static_cast<std::size_t>(k)], toSecond)) return i;
      }
    }
    return a_.words.size();
  }

  const TCoveringTables& a_;
  const TCoveringTables& b_;
  int degree_;
  std::vector<int> shifts_;
  std::vector<int> edgeMap_;
  std::vector<int> vertexMap_;
  std::vector<int> edgeHits_;
  std::vector<int> vertexHits_;
};

std::string Format(const char* format, long long first, long long second) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, first, second);
  return buffer;
}

void PrintCovering(TSpine& preimage, TSpine& image, TOutput& output,
                   const TCoveringTables& a, const TCoveringTables& b,
                   const std::vector<int>& cellMap, const TCoveringSearch& search) {
  output.AppendText("\r\n\r\nRenumerated polyhedra:\r\n\r\nPreimage:\r\n");
  PrintCellList(output, &preimage, 2);
  output.AppendText("\r\nImage:\r\n");
  PrintCellList(output, &image, 2);
  std::string text = "\r\n\r\nImages of edges:\r\n";
  for (int i = 1; i <= a.edges; ++i) {
    text += Format("\t%lld\t%lld\r\n", i, search.EdgeMap()[static_cast<std::size_t>(i)]);
  }
  text += "\r\nImages of vertices:\r\n";
  for (int i = 1; i <= a.vertices; ++i) {
    text += Format("\t%lld\t%lld\r\n", i, search.VertexMap()[static_cast<std::size_t>(i)]);
  }
  text += "\r\nImages of cells:\r\n";
  for (std::size_t i = 0; i < a.words.size(); ++i) {
    const int s = search.Shifts()[i];
    const int length = static_cast<int>(b.words[static_cast<std::size_t>(cellMap[i])].size());
    text += Format("\t%lld -> %lld", static_cast<long long>(i) + 1, cellMap[i] + 1);
    if (s > 0) {
      text += " orientation forward shift " + std::to_string(s - 1) + "\r\n";
    } else {
      text += " orientation reversed shift " + std::to_string(length > 0 ? -s % length : 0) +
              "\r\n";
    }
  }
  output.AppendText(text.c_str());
}

}  // namespace

int IsCoveringFor(TSpine& preimage, TSpine& image, TOutput& output, std::vector<int>* vertexMap,
                  const std::atomic<int>* stopFlag) {
  auto fail = [&output] {
    output.AppendText("\r\n\r\nFailure!\r\n");
    return 0;
  };
  const int verticesA = preimage.Objects().CountOfKind(kVertexKind);
  const int verticesB = image.Objects().CountOfKind(kVertexKind);
  // An image without vertices cannot be covered by this search (and would
  // make the degree a division by zero).
  if (verticesB == 0 || verticesA < verticesB || verticesA % verticesB != 0) return fail();
  const int degree = verticesA / verticesB;
  const int cellsA = preimage.Objects().CountOfKind(kCellKind);
  const int cellsB = image.Objects().CountOfKind(kCellKind);
  if (static_cast<long long>(cellsB) * degree != cellsA || cellsA == 0) return fail();

  preimage.Objects().Renumber();
  image.Objects().Renumber();
  const TCoveringTables a = BuildTables(preimage);
  const TCoveringTables b = BuildTables(image);

  std::optional<TDigitCounter> counter = TDigitCounter::Create(cellsB, cellsA);
  if (!counter) return fail();  // more image cells than the odometer's digits hold
  TCoveringSearch search(a, b, degree);
  std::vector<int> cellMap(static_cast<std::size_t>(cellsA), 0);
  std::vector<int> perImage(static_cast<std::size_t>(cellsB), 0);
  for (;;) {
    if (stopFlag != nullptr && stopFlag->load() != 0) return fail();
    for (int i = 0; i < cellsA; ++i) cellMap[static_cast<std::size_t>(i)] = counter->Digit(i);
    // The counts: no image cell may receive more than d cells. The position
    // of a rejection is the first cell at which a count is exceeded: every
    // map that agrees up to there is rejected as well.
    int rejectedAt = -1;
    std::fill(perImage.begin(), perImage.end(), 0);
    for (int i = 0; i < cellsA && rejectedAt < 0; ++i) {
      if (++perImage[static_cast<std::size_t>(cellMap[static_cast<std::size_t>(i)])] > degree) {
        rejectedAt = i;
      }
    }
    // The lengths, compared in order up to the first mismatch.
    for (int i = 0; i < cellsA && rejectedAt < 0; ++i) {
      if (a.words[static_cast<std::size_t>(i)].size() !=
          b.words[static_cast<std::size_t>(cellMap[static_cast<std::size_t>(i)])].size()) {
        rejectedAt = i;
      }
    }
    if (rejectedAt < 0) {
      if (search.TryShifts(cellMap, stopFlag)) {
        PrintCovering(preimage, image, output, a, b, cellMap, search);
        if (vertexMap != nullptr) {
          vertexMap->assign(search.VertexMap().begin() + 1,
                            search.VertexMap().begin() + 1 + verticesB);
        }
        return 1;
      }
      rejectedAt = cellsA - 1;
    }
    if (!counter->Next(rejectedAt)) return fail();
  }
}
