#include "model/surface_name.h"

#include <string>

void PrintSurfaceName(TOutput& output, int orientable, int euler, int circles) {
  // The characteristic of the closed surface that the holes were cut from.
  long closed = static_cast<long>(euler) + circles;
  std::string name;
  bool complete = false;
  if (orientable) {
    if (closed == 2) {
      name = circles == 1 ? "D^2" : circles == 2 ? "A^2" : "S^2";
      complete = circles < 3;
    } else {
      name = closed == 0 ? "T^2" : "S(O," + std::to_string(closed) + ")";
      complete = circles == 0;
    }
  } else {
    if (closed == 1) {
      name = circles == 1 ? "M^2" : "RP^2";
      complete = circles < 2;
    } else {
      name = closed == 0 ? "K^2" : "S(N," + std::to_string(closed) + ")";
      complete = circles == 0;
    }
  }
  if (!complete) name += circles == 1 ? "#D^2" : "#" + std::to_string(circles) + "D^2";
  output.AppendText(name.c_str());
}
