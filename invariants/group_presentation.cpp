#include "invariants/group_presentation.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/handle.h"
#include "model/homology.h"
#include "model/object_kinds.h"
#include "model/object_list.h"
#include "model/spine.h"

void TGroupPresentation::Clear() {
  generators_.clear();
  relations_.clear();
  replacements_.clear();
}

int TGroupPresentation::AddReplacement(std::int32_t a, const std::int32_t* letters, int k) {
  TWord word;
  word.reserve(static_cast<std::size_t>(k) + 1);
  word.push_back(std::abs(a));
  if (a < 0) {
    word.insert(word.end(), letters, letters + k);
  } else {
    for (int i = k - 1; i >= 0; --i) word.push_back(-letters[i]);
  }
  replacements_.push_back(std::move(word));
  return ReplacementCount() - 1;
}

bool TGroupPresentation::OccursOnce(std::int32_t a, int j) const {
  const std::int32_t g = std::abs(a);
  return std::count_if(relations_[j].begin(), relations_[j].end(),
                       [g](std::int32_t x) { return std::abs(x) == g; }) == 1;
}

int TGroupPresentation::SolveRelationFor(std::int32_t a, int j) {
  TWord rotated = relations_[j];
  const std::int32_t g = std::abs(a);
  auto at = std::find_if(rotated.begin(), rotated.end(),
                         [g](std::int32_t x) { return std::abs(x) == g; });
  if (at == rotated.end()) return -1;
  std::rotate(rotated.begin(), at, rotated.end());
  return AddReplacement(rotated[0], rotated.data() + 1, static_cast<int>(rotated.size()) - 1);
}

bool TGroupPresentation::SubstituteInWord(TWord& word, int i) const {
  const TWord& replacement = replacements_[i];
  const std::int32_t c = replacement[0];
  if (std::none_of(word.begin(), word.end(), [c](std::int32_t x) { return std::abs(x) == c; })) {
    return false;
  }
  TWord result;
  result.reserve(word.size() + replacement.size());
  for (std::int32_t letter : word) {
    if (letter == c) {
      result.insert(result.end(), replacement.begin() + 1, replacement.end());
    } else if (letter == -c) {
      for (auto it = replacement.rbegin(); it + 1 != replacement.rend(); ++it) {
        result.push_back(-*it);
      }
    } else {
      result.push_back(letter);
    }
  }
  word = std::move(result);
  return true;
}

int TGroupPresentation::ReduceWord(TWord& word) {
  // A stack pass cancels every adjacent pair, including pairs that meet only
  // after an inner pair went; it is the fixed point of the repeated scans.
  TWord reduced;
  reduced.reserve(word.size());
  for (std::int32_t letter : word) {
    if (!reduced.empty() && reduced.back() == -letter) {
      reduced.pop_back();
    } else {
      reduced.push_back(letter);
    }
  }
  word = std::move(reduced);
  return static_cast<int>(word.size());
}

bool TGroupPresentation::SubstituteEverywhere(int i) {
  bool changed = false;
  for (std::size_t j = 0; j < relations_.size();) {
    if (SubstituteInWord(relations_[j], i)) {
      changed = true;
      if (ReduceWord(relations_[j]) == 0) {
        relations_.erase(relations_.begin() + static_cast<std::ptrdiff_t>(j));
        continue;
      }
    }
    ++j;
  }
  return changed;
}

void TGroupPresentation::ApplyReplacements(TWord& word) const {
  for (int i = 0; i < ReplacementCount(); ++i) {
    SubstituteInWord(word, i);
    ReduceWord(word);
  }
}

void TGroupPresentation::RemoveGenerator(std::int32_t a) {
  auto at = std::find(generators_.begin(), generators_.end(), std::abs(a));
  if (at != generators_.end()) generators_.erase(at);
}

void TGroupPresentation::RemoveRelation(int j) {
  relations_.erase(relations_.begin() + j);
}

void TGroupPresentation::AddGenerator(std::int32_t n) {
  generators_.push_back(n);
  largestGenerator_ = std::max(largestGenerator_, n);
}

void TGroupPresentation::AddRelation(const std::int32_t* letters, int k) {
  relations_.emplace_back(letters, letters + k);
}

bool TGroupPresentation::IsBetterThan(const TGroupPresentation& other) const {
  if (GeneratorCount() != other.GeneratorCount()) return GeneratorCount() < other.GeneratorCount();
  if (RelationCount() != other.RelationCount()) return RelationCount() < other.RelationCount();
  auto total = [](const TGroupPresentation& p) {
    std::size_t sum = 0;
    for (const TWord& word : p.relations_) sum += word.size();
    return sum;
  };
  return total(*this) < total(other);
}

void TGroupPresentation::Build(TSpine& spine, const TObjectHeader* root) {
  Clear();
  TObjectList list;
  HomologyGenerators(spine, list, root);
  std::unordered_map<const TObjectHeader*, std::int32_t> generator;
  for (int i = 0; i < list.Count(); ++i) generator.emplace(list.At(i), 0);
  const TObjectManager& objects = spine.Objects();
  TStopPoll poll;
  for (int i = 0; i < objects.Count(); ++i) {
    poll.Step();
    const TObjectHeader* edge = objects.At(i);
    if (edge == nullptr || edge->kind != kEdgeKind) continue;
    const std::int32_t number = ObjectNumber(edge, 0);
    auto found = generator.find(edge);
    if (found != generator.end()) {
      found->second = number;
      AddGenerator(number);
    } else {
      replacements_.push_back(TWord{number});
    }
  }
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell == nullptr || cell->kind != kCellKind) continue;
    TWord word;
    const int length = TCell::BoundaryLength(cell);
    for (int p = 0; p < length; ++p) {
      poll.Step();
      int direction = 0;
      THandle edge = TCell::PassageAt(cell, p, &direction);
      auto found = generator.find(edge.Object());
      if (found == generator.end()) continue;
      word.push_back(direction == 1 ? found->second : -found->second);
    }
    relations_.push_back(std::move(word));
  }
}

namespace {

void AppendLetters(std::string& text, const TGroupPresentation::TWord& word, std::size_t from) {
  for (std::size_t i = from; i < word.size(); ++i) {
    if (i > from) text += ',';
    text += std::to_string(word[i]);
  }
}

}  // namespace

std::string TGroupPresentation::Text() const {
  std::string text;
  if (generators_.empty()) {
    text = "Empty";
  } else {
    text += std::to_string(generators_.size());
    text += generators_.size() < 2 ? " generator: {" : " generators: {";
    AppendLetters(text, generators_, 0);
    text += "}\r\n\r\n";
    const std::size_t m = relations_.size();
    text += std::to_string(m) + (m > 1 ? " relations" : " relation");
    if (m > 0) {
      text += ":\r\n";
      for (std::size_t k = 0; k < m; ++k) {
        text += "\t" + std::to_string(k + 1) + ": {";
        AppendLetters(text, relations_[k], 0);
        text += "}\r\n";
      }
    }
    const std::size_t r = replacements_.size();
    text += "\r\n" + std::to_string(r) + (r > 1 ? " replacements" : " replacement");
    if (r > 0) {
      text += ":\r\n";
      for (std::size_t k = 0; k < r; ++k) {
        text += "\t" + std::to_string(k + 1) + ": " + std::to_string(replacements_[k][0]) + "={";
        AppendLetters(text, replacements_[k], 1);
        text += "}\r\n";
      }
    }
  }
  text += "\r\n";
  return text;
}
