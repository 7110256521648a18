// The sphere report of a group presentation: how the 2-cells of the first
// boundary sphere of a thickened spine are joined, read as words in the
// fundamental group.
//
// The first boundary surface of the thickening, when it is a sphere, is the
// boundary of a ball around a point of the manifold. From the corner of its
// first 2-cell, a path along the sphere's edges reaches the corner of every
// other 2-cell; each step runs along a side of a thick edge and so along a
// spine edge, and the steps over generators, with the presentation's
// replacements applied, are the element of the group the path stands for.
// The maximal tree of the presentation is grown from the spine vertex under
// that first corner, so that report and presentation share their generators.
//
// The path search writes signs into the sphere's edge labels, so the report
// works on a copy of the spine that it owns: the spine it was made from is
// never written to.
#pragma once

#include <string>

#include "model/spine.h"

class TGroupPresentation;
struct TObjectHeader;

class TPresentationSphere {
 public:
  // Copies the spine. A spine that is not thickened gets no report
  // (Active() is false).
  explicit TPresentationSphere(const TSpine& spine);

  bool Active() const { return active_; }
  // The copy, on which the presentation is to be built.
  TSpine& Spine() { return copy_; }
  // The root of the maximal tree: the spine vertex under the first passage
  // of the first 2-cell of boundary surface 0; null when there is none.
  const TObjectHeader* RootVertex() const { return root_; }

  // The report for the presentation (built on Spine() from RootVertex()),
  // with CR LF line ends. Polls the stop flag.
  std::string Report(const TGroupPresentation& presentation);

 private:
  TSpine copy_;
  bool active_ = false;
  const TObjectHeader* root_ = nullptr;
};
