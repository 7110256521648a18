// TGroupPresentation: a presentation of the fundamental group of a spine.
//
// Generators are the edges of the spine outside a maximal tree of its graph
// (a tree edge is trivial in pi_1 of the 2-complex); every 2-cell gives one
// relation, its boundary word read over the generators; a replacement records
// an eliminated generator and the word it equals, so that words over the
// original generators can be rewritten. A letter +e is generator e (an edge
// number), -e its inverse. The simplification search (group_presentation_
// search.h) eliminates generators through relations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TSpine;
struct TObjectHeader;

class TGroupPresentation {
 public:
  using TWord = std::vector<std::int32_t>;

  int GeneratorCount() const { return static_cast<int>(generators_.size()); }
  int RelationCount() const { return static_cast<int>(relations_.size()); }
  int ReplacementCount() const { return static_cast<int>(replacements_.size()); }
  const std::vector<std::int32_t>& Generators() const { return generators_; }
  const TWord& Relation(int j) const { return relations_[j]; }
  const TWord& Replacement(int i) const { return replacements_[i]; }
  int LargestGenerator() const { return largestGenerator_; }
  void Clear();

  // ---- Word operations ----
  // Appends the replacement |a| = word: the k letters as they stand when a is
  // negative, reversed and inverted when a is positive (so that a relation
  // a w = 1 gives a = w^-1). Returns its index.
  int AddReplacement(std::int32_t a, const std::int32_t* letters, int k);
  // Exactly one letter of relation j is +-a.
  bool OccursOnce(std::int32_t a, int j) const;
  // Rotates relation j to start at its first letter +-a and solves for a.
  int SolveRelationFor(std::int32_t a, int j);
  // Replacement i substituted into the word; false when the word does not
  // contain the eliminated generator.
  bool SubstituteInWord(TWord& word, int i) const;
  // Free reduction (the first and last letters are not cancelled cyclically).
  static int ReduceWord(TWord& word);
  void ReduceRelation(int j) { ReduceWord(relations_[j]); }
  // Replacement i in every relation; relations reduced to the empty word go.
  bool SubstituteEverywhere(int i);
  // Every replacement in order, reducing after each.
  void ApplyReplacements(TWord& word) const;
  // Removes generator |a| (nothing when absent).
  void RemoveGenerator(std::int32_t a);
  void RemoveRelation(int j);
  void AddGenerator(std::int32_t n);
  void AddRelation(const std::int32_t* letters, int k);

  // Order of presentations: fewer generators, then fewer relations, then a
  // smaller total length; ties are not better.
  bool IsBetterThan(const TGroupPresentation& other) const;

  // ---- Building and text ----
  // The presentation of the spine with the maximal tree grown from the root
  // vertex (the first vertex when null). Replaces the contents.
  void Build(TSpine& spine, const TObjectHeader* root = nullptr);
  // The text form: "Empty", or the generators, the numbered relations and the
  // numbered replacements, with CR LF line ends.
  std::string Text() const;

 private:
  std::vector<std::int32_t> generators_;
  std::vector<TWord> relations_;
  std::vector<TWord> replacements_;
  std::int32_t largestGenerator_ = 0;
};
