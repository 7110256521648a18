#include "support/thick_spine_support.h"

#include <algorithm>
#include <random>
#include <vector>

#include "model/detail.h"
#include "model/spine.h"
#include "model/details_description.h"
#include "presentations/details/details_reader.h"
#include "support/random_triangulation.h"
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
  GlueTetrahedraAtRandom(details, n, seed);
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
