// Seifert invariants as the census and the recognition print them, compared
// up to orientation and normalisation, and the first homology they give.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The pairs "(a,b)" of a text, in order: "SFS [S2: (2,1) (3,-2)]" and
// "(S^2,(2,1),(3,1),(1,-1) )" both give their fibres.
std::vector<std::pair<long long, long long>> FibrePairs(const std::string& text);

// A Seifert manifold over S^2 with the fibres (a_i, b_i) is determined, for a
// given orientation, by the exceptional fibres (a_i, b_i mod a_i), a_i > 1,
// and the Euler number e = sum b_i / a_i (a pair (1, b) only moves e).
// Reversing the orientation negates every b_i. The key is the smaller of the
// two orientations' normal forms, so two lists of fibres have equal keys
// exactly when they give one manifold up to orientation (base S^2, not a
// lens space; lens spaces have many fibrations).
std::string SeifertKeyUpToOrientation(const std::vector<std::pair<long long, long long>>& fibres);

// H_1 of the Seifert manifold over S^2 with these fibres: generators c_i and
// the fibre h, relations a_i c_i + b_i h = 0 and sum c_i = 0, reduced to
// Smith normal form; written as the sorted list of summands ("Z", "Z_6"),
// empty for the trivial group.
std::vector<std::string> SeifertHomology(const std::vector<std::pair<long long, long long>>& fibres);

// A homology text ("Z_6+Z", "0", "H_1=Z+Z_6") as the sorted list of its summands.
std::vector<std::string> HomologySummands(const std::string& text);
