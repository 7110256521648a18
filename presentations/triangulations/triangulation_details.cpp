#include "presentations/triangulations/triangulation_details.h"

#include <unordered_map>

#include "model/detail.h"
#include "model/object_header.h"
#include "model/details_description.h"

bool TetrahedraFromDetails(const TDetailsDescription& details, TTetrahedronList& tetrahedra,
                           std::vector<std::string>* names) {
  std::vector<TObjectHeader*> list;
  const TObjectManager& objects = details.Objects();
  for (int k = 0; k < objects.Count(); ++k) {
    if (ObjectKind(objects.At(k)) == kDetailKind) list.push_back(objects.At(k));
  }
  std::unordered_map<const TObjectHeader*, int> place;
  for (std::size_t i = 0; i < list.size(); ++i) place[list[i]] = static_cast<int>(i);

  tetrahedra.Reset(static_cast<int>(list.size()));
  if (names != nullptr) names->clear();
  for (std::size_t i = 0; i < list.size(); ++i) {
    TObjectHeader* detail = list[i];
    TTetrahedron& t = tetrahedra.At(static_cast<int>(i));
    t.detail = detail;
    if (names != nullptr) {
      const char* name = ObjectNameText(detail);
      names->push_back(name == nullptr ? std::string() : std::string(name));
    }
    for (int f = 0; f < 4; ++f) {
      TObjectHeader* partner = TDetail::Partner(detail, f);
      const int partnerFace = TDetail::PartnerFace(detail, f);
      auto found = place.find(partner);
      if (partner == nullptr || found == place.end() || partnerFace < 0 || partnerFace > 3) return false;
      TVertexMap map{};
      map[static_cast<std::size_t>(f)] = static_cast<std::uint8_t>(partnerFace);
      for (int p = 0; p < 3; ++p) {
        const int q = TDetail::Correspondence(detail, f, p);
        if (q < 0 || q > 2) return false;
        map[static_cast<std::size_t>(TDetail::FaceCornerMap(f, p))] =
            static_cast<std::uint8_t>(TDetail::FaceCornerMap(partnerFace, q));
      }
      if (!IsVertexMap(map)) return false;
      t.neighbour[f] = found->second;
      t.gluing[f] = map;
    }
  }
  return tetrahedra.IsConsistent();
}

bool DetailsFromTetrahedra(TTetrahedronList& tetrahedra, TDetailsDescription& details,
                           const std::vector<std::string>* names) {
  for (int t = 0; t < tetrahedra.Count(); ++t) {
    TObjectHeader* detail = details.NewDetail();
    ObjectSetNumber(detail, tetrahedra.At(t).number);
    if (names != nullptr && static_cast<std::size_t>(t) < names->size() &&
        !(*names)[static_cast<std::size_t>(t)].empty()) {
      ObjectSetNameText(detail, "", (*names)[static_cast<std::size_t>(t)].c_str());
    }
    tetrahedra.At(t).detail = detail;
  }
  for (int t = 0; t < tetrahedra.Count(); ++t) {
    const TTetrahedron& tetrahedron = tetrahedra.At(t);
    for (int e = 0; e < 4; ++e) {
      const int n = tetrahedron.neighbour[e];
      if (n < 0) continue;  // left unglued; the completeness check names it
      const TVertexMap& map = tetrahedron.gluing[e];
      const int c = map[static_cast<std::size_t>(e)];
      if (n < t || (n == t && c <= e)) continue;  // glued from the other side
      int position[3];
      for (int p = 0; p < 3; ++p) {
        position[p] = OppositeCorner(c, map[static_cast<std::size_t>(TDetail::FaceCornerMap(e, p))]);
      }
      if (GlueDetailsSymmetric(tetrahedron.detail, e, tetrahedra.At(n).detail, c, position[0],
                               position[1], position[2], 1) != 1) {
        return false;
      }
    }
  }
  return true;
}
