#include "invariants/surface_spine_snapshot.h"

#include "model/objman.h"
#include "model/spine.h"

TSurfaceSpineSnapshot::TSurfaceSpineSnapshot() : copy_(std::make_unique<TSpine>()) {}

TSurfaceSpineSnapshot::~TSurfaceSpineSnapshot() = default;

void TSurfaceSpineSnapshot::Load(const TSpine& spine) {
  cells_.Clear();
  edges_ = {};
  vertices_ = {};
  copy_->Clear();
  spine.CopyTo(*copy_);
  copy_->Objects().Renumber();
  try {
    cells_.Load(*copy_);
    edges_.Build(*copy_);
    vertices_.Build(*copy_);
  } catch (...) {
    cells_.Clear();
    edges_ = {};
    vertices_ = {};
    throw;
  }
}
