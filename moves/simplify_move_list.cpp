// The Simplify dialog's list of moves (see the header).
//
// Each 2-cell of the component gets one entry per move type the classifier
// offers for it, in the classifier's order; a cell with none still gets one
// entry "None", so that every cell of the component is shown with its
// boundary word. The type 16 (a curve of length 4 without piercing) is
// listed as its first piercing, 17: the dialog offers only the moves that
// can be made on one cell alone. Polygon moves follow, one per candidate of
// the resumable finder, then the T-moves and their inverses.
#include "moves/simplify_move_list.h"

#include <utility>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "model/spine.h"
#include "moves/cell_reductions.h"
#include "moves/move_types.h"
#include "moves/polygon_move_finder.h"
#include "moves/polygon_move_performer.h"
#include "moves/polygon_move_text.h"
#include "moves/step_loop.h"
#include "presentations/cells/boundary_curves_presentation.h"

namespace {

constexpr int kDefaultMoveId = 9830;         // "Algorithm default : %s - %s"
constexpr int kComponentImpossibleId = 9831;  // "Simplification of this component is impossible"
constexpr int kImpossibleId = 9832;           // "Simplification is impossible"
constexpr int kTMoveId = 9835;                // "T-move %s"
constexpr int kInverseTMoveId = 9836;         // "T^{-1}-move"

std::string Text(int id) { return std::string(StringTableText(id).value_or("")); }

// The cell as one line of the boundary-curves presentation, without its line end.
std::string CellLine(const THandle& cell) {
  TString line;
  TBoundaryCurvesPresentation::WriteCell(line, cell.Object(), 1);
  std::string text = line.CStr();
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

int NextCellMove(TSpine& spine, int cell, int after) {
  int type = ClassifyCellMove(0, spine, cell, after);
  return type == kMoveCurve4 ? kMoveCurve4FirstPiercing : type;
}

}  // namespace

std::string SimplifyMoveCaption(int type) {
  const int id = MoveDialogNameId(type);
  // The curve of length 4 without piercing is never listed by its own name.
  if (id == 0 || type == kMoveCurve4 || type == kMoveNormalTorus) return Text(kNoMoveNameId);
  return Text(id);
}

int TSimplifyMoveList::ComponentCount() const {
  int count = 0;
  for (const TSpine* spine = &head_; spine != nullptr; spine = spine->Next()) ++count;
  return count;
}

TSpine& TSimplifyMoveList::Component() {
  TSpine* spine = head_.ComponentAt(componentIndex_);
  if (spine == nullptr) {
    componentIndex_ = 0;
    spine = &head_;
  }
  return *spine;
}

void TSimplifyMoveList::Fill() {
  entries_.clear();
  defaultIndex_ = -1;
  defaultCaption_.clear();
  TSpine& spine = Component();
  TStopPoll poll;
  if (spine.IsThickened()) {
    TMoveChoice choice;
    ChooseNextMove(1, spine, choice, nullptr, nullptr);
    const int defaultType = choice.type;
    const int defaultCell = choice.type != 0 ? choice.element : -1;
    for (int i = 0;; ++i) {
      THandle cell = spine.NthCell(i);
      if (!cell.IsValid()) break;
      const std::string line = CellLine(cell);
      // The cell's name now: the classifier may move the cell cursor.
      const std::string cellName = cell.DisplayName();
      int type = NextCellMove(spine, i, 0);
      bool first = true;
      while (first || type != 0) {
        poll.Step();
        TSimplifyEntry entry;
        entry.code = type;
        entry.parameter = i;
        entry.text = SimplifyMoveCaption(type);
        if (first) entry.text += " " + line;
        if (i == defaultCell && type == defaultType && defaultIndex_ == -1) {
          defaultIndex_ = static_cast<int>(entries_.size());
          defaultCaption_ = FormatText(Text(kDefaultMoveId), cellName, SimplifyMoveCaption(type));
        }
        entries_.push_back(std::move(entry));
        if (type == 0) break;
        first = false;
        type = NextCellMove(spine, i, type);
      }
    }
    TPolygonMoveCursor start;
    int cursor[8] = {start.subtype, start.surface, -1, -1, -1, -1, -1, -1};
    while (FindPolygonOrTMove(0, spine, kMovePolygon, cursor) == kMovePolygon) {
      poll.Step();
      TString text;
      DescribePolygonMove(text, spine, cursor[0], cursor[1], cursor[2], cursor[3], cursor[4], cursor[5]);
      TSimplifyEntry entry;
      entry.code = kMovePolygon;
      entry.parameter = cursor[0];
      for (int w = 0; w < 6; ++w) entry.polygon[static_cast<std::size_t>(w)] = cursor[w];
      entry.text = text.CStr();
      entries_.push_back(std::move(entry));
    }
  }
  for (int type : {kMoveT, kMoveInverseT}) {
    int cursor[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    while (FindPolygonOrTMove(0, spine, type, cursor) == type) {
      poll.Step();
      TSimplifyEntry entry;
      entry.code = type;
      entry.parameter = cursor[0];
      if (type == kMoveT) {
        entry.text = FormatText(Text(kTMoveId), "#" + std::to_string(cursor[0] + 1));
      } else {
        THandle cell = spine.NthCell(cursor[0]);
        entry.text = Text(kInverseTMoveId) + " " + (!cell.IsValid() ? std::string() : CellLine(cell));
      }
      entries_.push_back(std::move(entry));
    }
  }
  if (defaultIndex_ == -1) {
    defaultCaption_ = Text(HasNextComponent() ? kComponentImpossibleId : kImpossibleId);
  }
}

bool TSimplifyMoveList::NextComponent() {
  if (!HasNextComponent()) return false;
  componentIndex_ = Component().Next() != nullptr ? componentIndex_ + 1 : 0;
  RunCellReductions(Component());
  Fill();
  return true;
}

bool TSimplifyMoveList::AdvanceToSimplifiableComponent() {
  while (defaultIndex_ == -1 && Component().Next() != nullptr) {
    ++componentIndex_;
    RunCellReductions(Component());
    Fill();
  }
  return defaultIndex_ != -1;
}

void TSimplifyMoveList::AddNormalTorus(std::vector<std::uint8_t> plates, std::string text, bool makeDefault) {
  TSimplifyEntry entry;
  entry.code = kMoveNormalTorus;
  entry.parameter = static_cast<int>(entries_.size());
  entry.plates = std::move(plates);
  entry.text = std::move(text);
  entries_.push_back(std::move(entry));
  // The default button keeps its text: only the preselection changes.
  if (makeDefault) defaultIndex_ = static_cast<int>(entries_.size()) - 1;
}

int TSimplifyMoveList::MakeMove(int k, std::string& moveText) {
  moveText.clear();
  if (k < 0 || k >= static_cast<int>(entries_.size())) return 0;
  const TSimplifyEntry& entry = entries_[static_cast<std::size_t>(k)];
  if (entry.code == 0) return 0;
  TMoveChoice choice;
  choice.type = entry.code;
  choice.element = entry.parameter;
  if (entry.code == kMoveNormalTorus) choice.plates = &entry.plates;
  if (entry.code == kMovePolygon) {
    choice.element = entry.polygon[0];
    for (int w = 0; w < 5; ++w) choice.x[w] = entry.polygon[static_cast<std::size_t>(w + 1)];
  }
  int limit = -1;
  int counter = -1;
  TString report;
  // A polygon move the user picked is made as picked: the quadrangle move's
  // piercing is left to the user.
  struct TChosenScope {
    explicit TChosenScope(bool on) : on_(on) {
      if (on_) SetPolygonMoveChosenFlag(1);
    }
    ~TChosenScope() {
      if (on_) SetPolygonMoveChosenFlag(0);
    }
    bool on_;
  } chosen(entry.code == kMovePolygon);
  const int moved = MakeSimplificationStep(1, Component(), &report, choice, &limit, &counter);
  moveText = report.CStr();
  if (moved == 0) return 0;
  Fill();
  return 1;
}
