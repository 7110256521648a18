// The spine-text parser of the hyperbolic volume engine.
//
// Passes. The integers n_1 ... n_k of a curve give k passes; pass i arrives
// through the edge end n_(i-1) (cyclically; a positive value v is the head of
// edge v, a negative one the tail of edge -v) and leaves through -n_i.
//
// Labelling. The vertex of the first pass is vertex 1, its arriving end A
// gets u and its leaving end B gets v; the two other passes through A give
// the ends C (w) and D (x); the passes through B and C must close up the six
// wedges. Every further vertex is reached across an edge from a labelled
// vertex, and its end on that edge takes the letter of the other end, so that
// glued faces of the dual tetrahedra carry one letter; the letters of its
// other ends follow from the passes that cross that edge. A spine that is not
// connected leaves passes unlabelled.
//
// The dart of a pass with out-letter a and in-letter b is the dart (a, b) of
// the vertex's tetrahedron; the passes of one curve, in order, are the darts
// around the triangulation edge dual to the 2-cell.
#include "invariants/hyperbolic/spine_text_parser.h"

#include <cctype>
#include <climits>

#include "foundation/stop_poll.h"
#include "invariants/hyperbolic/triangulation_store.h"

namespace {

struct TPass {
  int inEnd = 0, outEnd = 0;
  int vertex = 0;
  int inLetter = -1, outLetter = -1;
  bool first = false, expanded = false;
  int curveStart = 0, curveEnd = 0;  // the passes of its curve: [start, end)
};

bool HasEnd(const TPass& p, int end) { return p.inEnd == end || p.outEnd == end; }
int OtherEnd(const TPass& p, int end) { return p.inEnd == end ? p.outEnd : p.inEnd; }
void SetLetter(TPass& p, int end, int letter) {
  if (p.inEnd == end) p.inLetter = letter;
  else p.outLetter = letter;
}
int LetterOf(const TPass& p, int end) { return p.inEnd == end ? p.inLetter : p.outLetter; }

// Reads an integer as "%d %n" would: leading white space, a sign, digits,
// then trailing white space. False when no integer begins here; values
// beyond int are clamped (they cannot name an edge of a valid spine).
bool ReadInteger(const char*& s, long long& value) {
  const char* p = s;
  while (*p != 0 && std::isspace(static_cast<unsigned char>(*p))) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
  long long v = 0;
  while (std::isdigit(static_cast<unsigned char>(*p))) {
    if (v < INT_MAX) v = v * 10 + (*p - '0');
    ++p;
  }
  if (v > INT_MAX) v = INT_MAX;
  while (*p != 0 && std::isspace(static_cast<unsigned char>(*p))) ++p;
  value = negative ? -v : v;
  s = p;
  return true;
}

class TPassReader {
 public:
  TPassReader(TEngineMessages& messages) : messages_(messages) {}
  std::vector<TPass> passes;

  // The number of vertices, or 0 after a message.
  int Read(const char* text) {
    const char* s = text;
    while (true) {
      long long n = 0;
      if (ReadInteger(s, n)) {
        if (!AddInteger(static_cast<int>(n))) return 0;
        continue;
      }
      // No integer begins here: the curve ends (also at the end of the text,
      // where a last curve without its separator is closed all the same).
      if (!EndCurve()) return 0;
      while (*s != 0 && std::isspace(static_cast<unsigned char>(*s))) ++s;
      if (*s == 0) break;
      ++s;
    }
    if (passes.size() % 6 != 0) {
      messages_.Message("The spine is not special\n");
      return 0;
    }
    return static_cast<int>(passes.size() / 6);
  }

 private:
  bool AddInteger(int n) {
    if (static_cast<int>(passes.size()) >= kMaxSpinePasses) {
      messages_.Message("Total length of curves exceeds maximal admissible value\n");
      return false;
    }
    if (n == 0) {
      messages_.Message("There is an edge with number 0\n");
      return false;
    }
    const int index = static_cast<int>(passes.size());
    if (index > start_ && n == -previous_) {
      messages_.Message("Return pass of curve %d on edge %d\n", curve_ + 1, n < 0 ? -n : n);
      return false;
    }
    TPass pass;
    pass.inEnd = previous_;
    pass.outEnd = -n;
    pass.first = index == start_;
    passes.push_back(pass);
    previous_ = n;
    return true;
  }

  bool EndCurve() {
    const int end = static_cast<int>(passes.size());
    if (end > start_) {
      TPass& first = passes[static_cast<std::size_t>(start_)];
      if (previous_ == first.outEnd) {  // the last integer is the negated first
        messages_.Message("Return pass of curve %d on edge %d\n", curve_ + 1,
                          previous_ < 0 ? -previous_ : previous_);
        return false;
      }
      first.inEnd = previous_;
      for (int i = start_; i < end; ++i) {
        passes[static_cast<std::size_t>(i)].curveStart = start_;
        passes[static_cast<std::size_t>(i)].curveEnd = end;
      }
    }
    ++curve_;
    start_ = end;
    previous_ = 0;
    return true;
  }

  TEngineMessages& messages_;
  int start_ = 0;
  int curve_ = 0;
  int previous_ = 0;
};

class TVertexLabeller {
 public:
  TVertexLabeller(std::vector<TPass>& passes, int vertices, TEngineMessages& messages)
      : p_(passes), vertices_(vertices), messages_(messages) {}

  bool Run() {
    if (!LabelFirst()) return false;
    for (int vertex = 2;; ++vertex) {
      ThrowIfStopRequested();
      const int end = FindUnlabelledEdgeEnd();
      if (end == 0) {
        if (vertex - 1 == vertices_) return true;
        messages_.Message("The spine is not connected\n");
        return false;
      }
      if (!LabelVertex(vertex, -end)) return false;
    }
  }

 private:
  int Count() const { return static_cast<int>(p_.size()); }
  TPass& P(int i) { return p_[static_cast<std::size_t>(i)]; }
  int Successor(int i) { return i + 1 < P(i).curveEnd ? i + 1 : P(i).curveStart; }
  int Predecessor(int i) { return i > P(i).curveStart ? i - 1 : P(i).curveEnd - 1; }

  void Valency(int end, int count) {
    messages_.Message("The edge %d has valency %d\n", end < 0 ? -end : end, count);
  }
  void TooManyEnds(int end) {
    messages_.Message("The vertex of singular graph which is the %s of edge %d\nhas valency greater than 4\n",
                      end > 0 ? "head" : "tail", end < 0 ? -end : end);
  }

  // The passes through b then c (with the letters recorded for b, c and d)
  // close the six wedges of the vertex: two through b (to c or d), one from
  // c to d.
  bool CloseVertex(int vertex, int b, int lb, int c, int lc, int d, int ld) {
    int count = 0;
    for (int i = 0; i < Count(); ++i) {
      TPass& pass = P(i);
      if (pass.vertex != 0 || !HasEnd(pass, b)) continue;
      const int other = OtherEnd(pass, b);
      if (other != c && other != d) {
        TooManyEnds(b);
        return false;
      }
      pass.vertex = vertex;
      SetLetter(pass, b, lb);
      SetLetter(pass, other, other == c ? lc : ld);
      ++count;
    }
    if (count != 2) {
      Valency(b, count + 1);
      return false;
    }
    count = 0;
    for (int i = 0; i < Count(); ++i) {
      TPass& pass = P(i);
      if (pass.vertex != 0 || !HasEnd(pass, c)) continue;
      if (OtherEnd(pass, c) != d) {
        TooManyEnds(c);
        return false;
      }
      pass.vertex = vertex;
      SetLetter(pass, c, lc);
      SetLetter(pass, d, ld);
      ++count;
    }
    if (count != 1) {
      Valency(c, count + 2);
      return false;
    }
    return true;
  }

  bool LabelFirst() {
    TPass& first = P(0);
    const int a = first.inEnd, b = first.outEnd;
    first.vertex = 1;
    first.inLetter = 0;
    first.outLetter = 1;
    int ends[2] = {0, 0};
    int count = 0;
    for (int i = 1; i < Count(); ++i) {
      TPass& pass = P(i);
      if (!HasEnd(pass, a)) continue;
      if (count < 2) {
        pass.vertex = 1;
        SetLetter(pass, a, 0);
        ends[count] = OtherEnd(pass, a);
        SetLetter(pass, ends[count], 2 + count);
      }
      ++count;
    }
    if (count != 2) {
      Valency(a, count + 1);
      return false;
    }
    return CloseVertex(1, b, 1, ends[0], 2, ends[1], 3);
  }

  int FindUnlabelledEdgeEnd() {
    for (int i = 0; i < Count(); ++i) {
      TPass& pass = P(i);
      if (pass.vertex == 0 || pass.expanded) continue;
      if (P(Successor(i)).vertex == 0) return pass.outEnd;
      if (P(Predecessor(i)).vertex == 0) return pass.inEnd;
      pass.expanded = true;
    }
    return 0;
  }

  bool LabelVertex(int vertex, int a) {
    int ends[3] = {0, 0, 0};
    int letters[3] = {0, 0, 0};
    int letterA = -1, firstOther = -1;
    int count = 0;
    for (int i = 0; i < Count(); ++i) {
      TPass& pass = P(i);
      if (pass.vertex != 0 || !HasEnd(pass, a)) continue;
      if (count < 3) {
        const TPass& neighbour = P(pass.inEnd == a ? Predecessor(i) : Successor(i));
        const int across = LetterOf(neighbour, -a);
        const int neighbourOther = LetterOf(neighbour, OtherEnd(neighbour, -a));
        pass.vertex = vertex;
        SetLetter(pass, a, across);
        int letter = neighbourOther;
        if (count == 0) {
          letterA = across;
          firstOther = neighbourOther;
        } else {
          for (int l = 0; l < 4; ++l) {
            if (l != letterA && l != firstOther && l != neighbourOther) letter = l;
          }
        }
        ends[count] = OtherEnd(pass, a);
        letters[count] = letter;
        SetLetter(pass, ends[count], letter);
      }
      ++count;
    }
    if (count != 3) {
      Valency(a, count);
      return false;
    }
    return CloseVertex(vertex, ends[0], letters[0], ends[1], letters[1], ends[2], letters[2]);
  }

  std::vector<TPass>& p_;
  int vertices_;
  TEngineMessages& messages_;
};

}  // namespace

bool ParseSpineTextToDartCycles(const char* text, TEngineMessages& messages, std::vector<int>& cycles,
                                int& cycleCount) {
  cycles.clear();
  cycleCount = 0;
  TPassReader reader(messages);
  const int vertices = reader.Read(text);
  if (vertices == 0) return false;
  std::vector<TPass>& passes = reader.passes;
  TVertexLabeller labeller(passes, vertices, messages);
  if (!labeller.Run()) return false;
  for (std::size_t i = 0; i < passes.size(); ++i) {
    const TPass& pass = passes[i];
    if (pass.first && i > 0) cycles.push_back(-1);
    if (pass.first) ++cycleCount;
    if (pass.inLetter < 0 || pass.outLetter < 0 || pass.inLetter == pass.outLetter) return false;
    cycles.push_back(12 * (pass.vertex - 1) + DartFromLetters(pass.outLetter, pass.inLetter) % 12);
  }
  cycles.push_back(-1);
  cycles.push_back(-2);
  return true;
}
