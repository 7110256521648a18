// THeegaardDiagram: numbers, accessors, validity and order. See heegaard_diagram.h.
#include "presentations/heegaard/heegaard_diagram.h"

#include <new>

#include "foundation/private_heap.h"

std::atomic<int> HeegaardSearchMode{0};

namespace {

bool FitsNumber(long long value) { return value >= 0 && value <= THeegaardDiagram::kMaxNumber; }

// The value a shift of a pair with n arc ends per disc is stored as.
long long ReducedShift(long long value, long long n) {
  if (n == 1) return 0;
  if (n > 1) {
    if (value < 0) value = n - ((-value) % n);
    return value % n;
  }
  return value;
}

}  // namespace

THeegaardDiagram::THeegaardDiagram() = default;

THeegaardDiagram::THeegaardDiagram(const THeegaardDiagram& other) { InitCopy(other); }

THeegaardDiagram& THeegaardDiagram::operator=(const THeegaardDiagram& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

THeegaardDiagram* THeegaardDiagram::New() {
  void* block = PrivateHeapAlloc(sizeof(THeegaardDiagram), kHeapGenerateExceptions);
  return new (block) THeegaardDiagram();
}

void THeegaardDiagram::Delete(THeegaardDiagram* diagram) {
  if (diagram == nullptr) return;
  diagram->~THeegaardDiagram();
  PrivateHeapFree(diagram);
}

bool THeegaardDiagram::StoreNumbers(const std::array<long long, 6>& counts, long long shift1,
                                    long long shift2) {
  for (long long value : counts) {
    if (!FitsNumber(value)) return false;
  }
  const long long n1 = counts[0] + counts[1] + counts[2] + counts[5];
  const long long n2 = counts[0] + counts[3] + counts[4] + counts[5];
  if (n1 > kMaxNumber || n2 > kMaxNumber) return false;
  const long long s1 = ReducedShift(shift1, n1);
  const long long s2 = ReducedShift(shift2, n2);
  if (!FitsNumber(s1) || !FitsNumber(s2)) return false;
  kind_ = 1;
  arcs_.reset();
  level_ = -1;
  moveCode_ = 0;
  parent_ = nullptr;
  a_ = static_cast<std::uint16_t>(counts[0]);
  b1_ = static_cast<std::uint16_t>(counts[1]);
  b2_ = static_cast<std::uint16_t>(counts[2]);
  c1_ = static_cast<std::uint16_t>(counts[3]);
  c2_ = static_cast<std::uint16_t>(counts[4]);
  d_ = static_cast<std::uint16_t>(counts[5]);
  shift1_ = static_cast<std::uint16_t>(s1);
  shift2_ = static_cast<std::uint16_t>(s2);
  return true;
}

bool THeegaardDiagram::SetFromFour(int a, int b, int c, int d, long long shift1,
                                   long long shift2) {
  return StoreNumbers({a, b, 0, c, 0, d}, shift1, shift2);
}

bool THeegaardDiagram::SetFromSix(int a, int b1, int b2, int c1, int c2, int d,
                                  long long shift1, long long shift2) {
  return StoreNumbers({a, b1, b2, c1, c2, d}, shift1, shift2);
}

void THeegaardDiagram::CopyFrom(const THeegaardDiagram& other) {
  if (this == &other) return;
  kind_ = other.kind_;
  a_ = other.a_;
  b1_ = other.b1_;
  b2_ = other.b2_;
  c1_ = other.c1_;
  c2_ = other.c2_;
  d_ = other.d_;
  shift1_ = other.shift1_;
  shift2_ = other.shift2_;
  if (other.arcs_ == nullptr) {
    arcs_.reset();
  } else {
    if (arcs_ == nullptr) arcs_ = std::make_unique<TIntMatrix>();
    *arcs_ = *other.arcs_;
  }
  level_ = other.level_;
  moveCode_ = other.moveCode_;
  parent_ = other.parent_;
}

void THeegaardDiagram::InitCopy(const THeegaardDiagram& other) {
  arcs_.reset();
  CopyFrom(other);
}

int THeegaardDiagram::Parameter(int code) const {
  switch (code) {
    case 1: return a_;
    case 4: return b1_ + b2_;
    case 5: return b1_;
    case 6: return b2_;
    case 7: return c1_ + c2_;
    case 8: return c1_;
    case 9: return c2_;
    case 10: return d_;
    default: return -1;
  }
}

bool THeegaardDiagram::SetParameter(int code, int value) {
  if (!FitsNumber(value)) return false;
  const auto v = static_cast<std::uint16_t>(value);
  switch (code) {
    case 1: a_ = v; return true;
    case 4: b1_ = v; b2_ = 0; return true;
    case 5: b1_ = v; return true;
    case 6: b2_ = v; return true;
    case 7: c1_ = v; c2_ = 0; return true;
    case 8: c1_ = v; return true;
    case 9: c2_ = v; return true;
    case 10: d_ = v; return true;
    default: return false;
  }
}

bool THeegaardDiagram::SetShift(int curve, long long value) {
  if (curve != 0 && curve != 1) return false;
  const long long stored = ReducedShift(value, curve == 0 ? N1() : N2());
  if (!FitsNumber(stored)) return false;
  (curve == 0 ? shift1_ : shift2_) = static_cast<std::uint16_t>(stored);
  return true;
}

int THeegaardDiagram::Shift(int curve) const {
  if (curve == 0) return shift1_;
  if (curve == 1) return shift2_;
  return -1;
}

int THeegaardDiagram::ArcSum() const { return b1_ + b2_ + c1_ + c2_ + 2 * (a_ + d_); }

// The rules: the inner arcs (b2, c2) of one pair exclude any arcs on the
// other pair's side and need outer arcs (b1, c1) beside them; a shift is a
// position among the ends on a disc; the parity rules of kinds 3 and 4 keep
// the diagram in the form the one-curve search works with, and the star form
// has no inner arcs.
int THeegaardDiagram::IsValid() const {
  if (b1_ != 0 && b2_ != 0 && c1_ + c2_ > 0) return 0;
  if (c1_ != 0 && c2_ != 0 && b1_ + b2_ > 0) return 0;
  if (b1_ == 0 && b2_ != 0 && c1_ != 0) return 0;
  if (c1_ == 0 && c2_ != 0 && b1_ != 0) return 0;
  const int n1 = N1();
  const int n2 = N2();
  if (n1 != 0 && shift1_ >= n1) return 0;
  if (n2 != 0 && shift2_ >= n2) return 0;
  if (kind_ == 3 || kind_ == 4) {
    if (a_ % 2 == 0 || d_ % 2 == 0) return 0;
    if (b1_ % 2 != b2_ % 2 || c1_ % 2 != c2_ % 2) return 0;
    if (shift1_ % 2 != 0 || shift2_ % 2 != 0) return 0;
  }
  if (kind_ == 4 && (b2_ != 0 || c2_ != 0)) return 0;
  return 1;
}

int THeegaardDiagram::IsValidOfKind() {
  if (IsValid() == 0) return 0;
  const int curves = CurveCount();
  switch (kind_) {
    case 1: return curves == 2 ? 1 : 0;
    case 2:
    case 3:
    case 4: return curves == 1 ? 1 : 0;
    default: return 1;
  }
}

int THeegaardDiagram::Compare(const THeegaardDiagram& other, int mode) const {
  if (a_ != other.a_ || b1_ != other.b1_ || b2_ != other.b2_ || c1_ != other.c1_ ||
      c2_ != other.c2_ || d_ != other.d_) {
    return 0;
  }
  if (mode == 1 && (shift1_ != other.shift1_ || shift2_ != other.shift2_)) return 0;
  return 1;
}

namespace {

std::array<std::uint16_t, 8> OrderKey(const THeegaardDiagram& x) {
  return {static_cast<std::uint16_t>(x.A()),      static_cast<std::uint16_t>(x.B1()),
          static_cast<std::uint16_t>(x.B2()),     static_cast<std::uint16_t>(x.C1()),
          static_cast<std::uint16_t>(x.C2()),     static_cast<std::uint16_t>(x.D()),
          static_cast<std::uint16_t>(x.Shift1()), static_cast<std::uint16_t>(x.Shift2())};
}

}  // namespace

int THeegaardDiagram::LessOrEqual(const THeegaardDiagram& left, const THeegaardDiagram& right) {
  return OrderKey(left) <= OrderKey(right) ? 1 : 0;
}

int THeegaardDiagram::GreaterOrEqual(const THeegaardDiagram& left,
                                     const THeegaardDiagram& right) {
  return OrderKey(left) >= OrderKey(right) ? 1 : 0;
}
