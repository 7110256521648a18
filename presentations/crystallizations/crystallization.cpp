#include "presentations/crystallizations/crystallization.h"

#include <string>
#include <utility>

#include "presentations/crystallizations/canonical_graph_code.h"
#include "presentations/crystallizations/crystallization_code.h"

void TCrystallization::Free() {
  graph_.reset();
  text_.Clear();
}

void TCrystallization::Assign(const TCrystallization& other) {
  std::unique_ptr<TIntMatrix> graph;
  if (other.graph_) graph = std::make_unique<TIntMatrix>(*other.graph_);
  TString text(other.text_);
  graph_ = std::move(graph);
  text_ = std::move(text);
}

void TCrystallization::SetGraph(TIntMatrix graph) {
  graph_ = std::make_unique<TIntMatrix>(std::move(graph));
  text_.Clear();
}

const char* TCrystallization::Text() {
  if (text_.Empty() && graph_ && graph_->Rows() > 0) {
    text_.Assign(CrystallizationCodeText(*graph_).c_str());
  }
  return text_.CStr();
}

void TCrystallization::SetText(const char* text) { text_.Assign(text); }

int TCrystallization::SameCode(TCrystallization& other) {
  const std::string mine = Text();
  const std::string theirs = other.Text();
  return !mine.empty() && mine == theirs ? 1 : 0;
}

void TGraphCode::Free() {
  order_ = 0;
  text_.Clear();
}

int TGraphCode::ReadNext(const char* text, int* leastCycles) {
  TIntMatrix graph;
  if (!ReadGraphCodeLine(text, &graph)) return 0;
  const int order = static_cast<int>(graph.Columns());
  const int connected = CanonicalGraphCode(graph, leastCycles);
  text_.Assign(CrystallizationCodeText(graph).c_str());
  order_ = order;
  return connected;
}

bool TGraphCode::Equals(const TGraphCode& other) const {
  return order_ == other.order_ && text_.View() == other.text_.View();
}
