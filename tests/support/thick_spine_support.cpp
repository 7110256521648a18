#include "support/thick_spine_support.h"

#include <algorithm>
#include <random>
#include <vector>

#include "model/detail.h"
#include "model/spine.h"
#include "model/details_description.h"
#include "presentations/details/details_reader.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/triangulation_description.h"

bool LoadThickenedSpine(TSpine& spine, const char* signature) {
  if (LoadIsoSignature(spine, signature) != 1) return false;
  spine.SplitIntoComponents();
  return spine.Thicken(1) == 1;
}

std::string SpineSignature(TSpine& spine) {
  if (spine.Next() != nullptr) return "";
  TTriangulationDescription triangulation;
  if (triangulation.FromSpine(spine) != 1) return "";
  return CanonicalIsoSignature(triangulation.Tetrahedra());
}

bool LoadRandomThickenedSpine(TSpine& spine, int n, unsigned seed) {
  TDetailsDescription details;
  std::vector<TObjectHeader*> tetrahedra;
  for (int i = 0; i < n; ++i) tetrahedra.push_back(details.NewDetail());
  std::vector<int> faces(static_cast<std::size_t>(4 * n));
  for (int i = 0; i < 4 * n; ++i) faces[static_cast<std::size_t>(i)] = i;
  std::mt19937 random(seed);
  std::shuffle(faces.begin(), faces.end(), random);
  const int odd[3][3] = {{0, 2, 1}, {1, 0, 2}, {2, 1, 0}};
  for (std::size_t k = 0; k + 1 < faces.size(); k += 2) {
    int a = faces[k];
    int b = faces[k + 1];
    const int* map = odd[random() % 3];
    TDetail::GlueFaces(tetrahedra[static_cast<std::size_t>(a / 4)], a % 4, tetrahedra[static_cast<std::size_t>(b / 4)],
                       b % 4, map[0], map[1], map[2], 1);
  }
  if (details.BuildComplex(spine, 1) != 1) return false;
  spine.SplitIntoComponents();
  return spine.Thicken(1) == 1;
}

bool LoadThickenedDetails(TSpine& spine, const char* text) {
  TDetailsDescription details;
  if (ParseDetails(details, text, 1) != 1 || details.BuildComplex(spine, 1) != 1) return false;
  spine.SplitIntoComponents();
  return spine.Thicken(1) == 1;
}
