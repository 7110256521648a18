// Names of surfaces. See surface_name.h.
#include "model/surface_name.h"

#include "foundation/text_format.h"

std::string SurfaceName(int orientable, int euler, int circles) {
  int closed = euler + circles;
  std::string name;
  bool complete = false;
  if (orientable != 0) {
    if (closed == 2) {
      name = circles == 1 ? "D^2" : circles == 2 ? "A^2" : "S^2";
      complete = circles < 3;
    } else {
      name = closed == 0 ? std::string("T^2") : FormatText("S(O,%d)", closed);
      complete = circles == 0;
    }
  } else {
    if (closed == 1) {
      name = circles == 1 ? "M^2" : "RP^2";
      complete = circles < 2;
    } else {
      name = closed == 0 ? std::string("K^2") : FormatText("S(N,%d)", closed);
      complete = circles == 0;
    }
  }
  if (complete) return name;
  return circles == 1 ? FormatText("%s#D^2", name) : FormatText("%s#%uD^2", name, circles);
}
