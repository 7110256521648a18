// TCrossing: one vertex of a parsed link diagram with its four neighbours.
//
// A classical diagram has one record per crossing. A diagram in the square of
// a torus or a Klein bottle also has one record per point of a side and one
// per corner; the boundary records form one cycle around the square (corner
// 0, the points of side 0, corner 1, ..., the points of side 3, back to
// corner 0).
//
// At a crossing the under strand runs from bottom to top; the over strand
// runs from left to right when the sign is positive and from right to left
// when it is negative. At a side point the strand meets the square from below
// where it leaves (sign +1) and from above where it comes back (sign -1, left
// and right exchanged, so that walking "right" always follows the boundary
// cycle as seen from the strand).
//
// Record indices: crossing x is x - 1; then, side after side, the side's
// corner and its points 1..m (see TLink::RecordIndex). Arc numbers: the arc
// leaving a code entry has the number TLink::ArcTable gives; the boundary
// segment leaving boundary record r has number entryCount/2 + r.
#pragma once

#include <cstdint>
#include <vector>

#include "model/handle.h"
#include "presentations/links/link.h"

struct TLinkRecordContext;

class TCrossing {
 public:
  TCrossing() = default;

  // Fills the record of crossing x (1..n) of a classical diagram.
  void Build(const TLink& link, int x);
  // Fills the record an entry describes on a surface diagram: a crossing
  // (kind 1, number x), a side point (kind 2, number, side) or a corner
  // (kind 3, side = the corner number).
  void BuildSurface(const TLink& link, const TLinkCodeEntry& entry);

  // 1 when the arc occupies two adjacent places of the record (the strand
  // turns here: a kink), else 0.
  int TurnsAt(int arc) const;

  int Number() const { return number; }
  int Sign() const { return sign; }
  int Kind() const { return static_cast<int>(kind); }
  int Side() const { return side; }
  int BottomNeighbour() const { return bottom; }
  int TopNeighbour() const { return top; }
  int LeftNeighbour() const { return left; }
  int RightNeighbour() const { return right; }
  int BottomPosition() const { return bottomArc; }
  int TopPosition() const { return topArc; }
  int LeftPosition() const { return leftArc; }
  int RightPosition() const { return rightArc; }
  int BottomIndex() const { return bottomIndex; }
  int TopIndex() const { return topIndex; }
  int LeftIndex() const { return leftIndex; }
  int RightIndex() const { return rightIndex; }
  int Index() const { return static_cast<int>(index); }
  // The crossing cell the exterior spine builder made for this crossing.
  void SetCell(const THandle& c) { cell = c; }
  THandle Cell() const { return cell; }

 private:
  friend void BuildLinkRecords(const TLink& link, std::vector<TCrossing>& records);
  void BuildCrossing(const TLinkRecordContext& context, int x);
  void BuildBoundary(const TLinkRecordContext& context, const TLinkCodeEntry& entry);
  void ExchangeLeftRight();

  std::uint32_t kind = 1;
  std::int16_t side = -1;
  std::uint16_t number = 0;
  std::uint32_t index = 0;
  signed char sign = 0;
  std::int16_t bottom = -1;
  std::int16_t top = -1;
  std::int16_t left = -1;
  std::int16_t right = -1;
  std::int32_t bottomIndex = -1;
  std::int32_t topIndex = -1;
  std::int32_t leftIndex = -1;
  std::int32_t rightIndex = -1;
  std::int16_t bottomArc = -1;
  std::int16_t topArc = -1;
  std::int16_t leftArc = -1;
  std::int16_t rightArc = -1;
  THandle cell;
};

// The arc leaving each code entry, by global index: its global position minus
// half the number of side entries up to and including it (so an exit from
// the square and the re-entry that follows count as one break).
void LinkArcTable(const TLink& link, std::vector<int>& arcs);

// All records of a diagram, indexed by record index.
void BuildLinkRecords(const TLink& link, std::vector<TCrossing>& records);
