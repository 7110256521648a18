#include "presentations/triangulations/canonical_walk.h"

bool WalkTriangulation(const TTetrahedronList& tetrahedra, int start, const TVertexMap& labelling,
                       TCanonicalWalk& walk) {
  const int n = tetrahedra.Count();
  if (start < 0 || start >= n || !IsVertexMap(labelling)) return false;
  walk.steps.clear();
  walk.order.clear();
  walk.newNumber.assign(static_cast<std::size_t>(n), -1);
  walk.label.resize(static_cast<std::size_t>(n));
  walk.order.push_back(start);
  walk.newNumber[static_cast<std::size_t>(start)] = 0;
  walk.label[static_cast<std::size_t>(start)] = labelling;

  for (int k = 0; k < static_cast<int>(walk.order.size()); ++k) {
    const int place = walk.order[static_cast<std::size_t>(k)];
    const TTetrahedron& t = tetrahedra.At(place);
    const TVertexMap label = walk.label[static_cast<std::size_t>(place)];
    const TVertexMap unlabel = InverseVertexMap(label);
    for (int l = 0; l < 4; ++l) {
      const int face = unlabel[static_cast<std::size_t>(l)];
      const int other = t.neighbour[face];
      TWalkStep step;
      step.tetrahedron = k;
      step.face = l;
      if (other < 0) {
        walk.steps.push_back(step);
        continue;
      }
      const TVertexMap& gluing = t.gluing[face];
      int m = walk.newNumber[static_cast<std::size_t>(other)];
      if (m < 0) {
        // Label the new tetrahedron so that the gluing reads as the identity:
        // the image of vertex v gets the label of v.
        m = static_cast<int>(walk.order.size());
        walk.order.push_back(other);
        walk.newNumber[static_cast<std::size_t>(other)] = m;
        walk.label[static_cast<std::size_t>(other)] =
            ComposeVertexMaps(label, InverseVertexMap(gluing));
        step.kind = TWalkStepKind::kNew;
        step.destination = m;
        walk.steps.push_back(step);
        continue;
      }
      const TVertexMap q = ComposeVertexMaps(
          ComposeVertexMaps(walk.label[static_cast<std::size_t>(other)], gluing), unlabel);
      if (m < k || (m == k && q[static_cast<std::size_t>(l)] < l)) continue;  // met from the other side
      step.kind = TWalkStepKind::kReached;
      step.destination = m;
      step.map = q;
      walk.steps.push_back(step);
    }
  }
  return static_cast<int>(walk.order.size()) == n;
}

void RelabelledTetrahedra(const TTetrahedronList& tetrahedra, const TCanonicalWalk& walk,
                          TTetrahedronList& result) {
  const int n = static_cast<int>(walk.order.size());
  result.Reset(n);
  for (int k = 0; k < n; ++k) {
    const int place = walk.order[static_cast<std::size_t>(k)];
    const TTetrahedron& t = tetrahedra.At(place);
    TTetrahedron& copy = result.At(k);
    copy.detail = t.detail;
    const TVertexMap& label = walk.label[static_cast<std::size_t>(place)];
    const TVertexMap unlabel = InverseVertexMap(label);
    for (int l = 0; l < 4; ++l) {
      const int face = unlabel[static_cast<std::size_t>(l)];
      const int other = t.neighbour[face];
      if (other < 0) continue;
      copy.neighbour[l] = walk.newNumber[static_cast<std::size_t>(other)];
      copy.gluing[l] = ComposeVertexMaps(
          ComposeVertexMaps(walk.label[static_cast<std::size_t>(other)], t.gluing[face]), unlabel);
    }
  }
}
