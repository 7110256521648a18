// Rolling a spine back when a move fails half-way. See move_rollback.h.
#include "moves/move_rollback.h"

#include "model/spine.h"

namespace {

// The innermost rollback of this thread; moves run on one thread at a time.
thread_local TMoveRollback* tInnermost = nullptr;

}  // namespace

TMoveRollback::TMoveRollback(TSpine& spine) : spine_(spine), outer_(tInnermost) {
  bool covered = false;
  for (TMoveRollback* r = outer_; r != nullptr && !covered; r = r->outer_)
    covered = r->Active() && &r->spine_ == &spine;
  if (!covered && spine.Head() == &spine) {
    backup_ = std::make_unique<TSpine>();
    spine.CopyTo(*backup_);
  }
  tInnermost = this;
}

TMoveRollback::~TMoveRollback() {
  tInnermost = outer_;
}

void TMoveRollback::Restore() {
  if (backup_ != nullptr) backup_->CopyTo(spine_);
}
