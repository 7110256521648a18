#include "support/thick_spine_support.h"

#include "model/spine.h"
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
