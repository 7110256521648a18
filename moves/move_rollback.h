// Rolling a spine back when a move fails half-way.
//
// A performer checks its move beforehand, but a surgery primitive may still
// refuse in the middle, and the stop flag may throw from any loop. The move
// must then leave the spine exactly as it was: a TMoveRollback copies the
// spine before the move and copies it back when the move returns 0 or throws.
//
// Moves nest (a counterpass pierces, the step driver performs a piercing):
// only the outermost rollback of a spine copies it, since restoring the outer
// copy also undoes whatever the inner move did. A spine further down a chain
// is not copied (a copy holds the whole chain and cannot be put back in place
// of one member); moves on it run without a rollback.
#pragma once

#include <exception>
#include <memory>
#include <utility>

class TSpine;

class TMoveRollback {
 public:
  // Copies the spine unless an outer rollback covers it or it is not the
  // head of its chain. Costs one copy of the spine: O(its size).
  explicit TMoveRollback(TSpine& spine);
  ~TMoveRollback();
  TMoveRollback(const TMoveRollback&) = delete;
  TMoveRollback& operator=(const TMoveRollback&) = delete;

  // True when this rollback holds a copy.
  bool Active() const { return backup_ != nullptr; }
  // Puts the copy back (nothing when not active).
  void Restore();

 private:
  TSpine& spine_;
  std::unique_ptr<TSpine> backup_;
  TMoveRollback* outer_ = nullptr;
};

// Runs the move; when it returns 0 or throws, the spine is rolled back (by
// this call, or by an outer rollback of the same spine) and the result or the
// exception passed on.
template <typename Move>
int PerformWithRollback(TSpine& spine, Move&& move) {
  TMoveRollback rollback(spine);
  int result = 0;
  try {
    result = std::forward<Move>(move)();
  } catch (...) {
    rollback.Restore();
    throw;
  }
  if (result == 0) rollback.Restore();
  return result;
}
