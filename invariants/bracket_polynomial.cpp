#include "invariants/bracket_polynomial.h"

#include <algorithm>
#include <string>

#include "foundation/output.h"
#include "invariants/laurent_polynomial.h"

namespace {

void AppendMainPower(std::string& text, char letter, std::int32_t e) {
  if (e == 0) return;
  text += letter;
  if (e < 0) {
    text += "^{" + std::to_string(e) + "}";
  } else if (e >= 2) {
    text += "^" + std::to_string(e);
  }
}

}  // namespace

// ---- TBracketMonomial ----

void TBracketMonomial::NormaliseClass(std::vector<std::int32_t>& cls) const {
  if (rowOrderFlag_ != 0) return;
  for (std::int32_t v : cls) {
    if (v == 0) continue;
    if (v < 0) {
      for (std::int32_t& w : cls) w = -w;
    }
    return;
  }
}

int TBracketMonomial::AddExponentRow(std::int32_t power, const std::int32_t* classVector) {
  std::vector<std::int32_t> row(static_cast<std::size_t>(classLength_) + 1, 0);
  row[0] = power;
  if (homologyFlag_ != 1 && classVector != nullptr) {
    std::vector<std::int32_t> cls(classVector, classVector + classLength_);
    NormaliseClass(cls);
    std::copy(cls.begin(), cls.end(), row.begin() + 1);
  }
  std::size_t at = rows_.size();
  if (rowOrderFlag_ == 0) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (std::lexicographical_compare(row.begin() + 1, row.end(), rows_[i].begin() + 1,
                                       rows_[i].end())) {
        at = i;
        break;
      }
    }
  }
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
  return static_cast<int>(at);
}

int TBracketMonomial::FindRow(const std::int32_t* classVector) const {
  if (classLength_ <= 0 || homologyFlag_ != 0) return rows_.empty() ? -1 : 0;
  std::vector<std::int32_t> cls(classVector, classVector + classLength_);
  NormaliseClass(cls);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (std::equal(cls.begin(), cls.end(), rows_[i].begin() + 1)) return static_cast<int>(i);
  }
  return -1;
}

void TBracketMonomial::SetRow(int i, std::int32_t power, const std::int32_t* classVector) {
  std::vector<std::int32_t>& row = rows_[static_cast<std::size_t>(i)];
  row[0] = power;
  if (homologyFlag_ == 0 && classLength_ > 0 && classVector != nullptr) {
    std::copy(classVector, classVector + classLength_, row.begin() + 1);
  }
}

std::int32_t TBracketMonomial::GetExponents(int i, std::int32_t* classVector) const {
  const std::vector<std::int32_t>& row = rows_[static_cast<std::size_t>(i)];
  if (classVector != nullptr) std::copy(row.begin() + 1, row.end(), classVector);
  return row[0];
}

void TBracketMonomial::SetCoefficientClear(std::int64_t a) {
  coefficient_ = a;
  exponent_ = 0;
  rows_.clear();
}

void TBracketMonomial::AddTo(const TBracketMonomial& m) {
  if (m.IsZero()) return;
  if (IsZero()) {
    *this = m;
    return;
  }
  coefficient_ = CheckedCoefficientSum(coefficient_, m.coefficient_);
}

void TBracketMonomial::MultiplyByInt(std::int64_t a) {
  coefficient_ = CheckedCoefficientProduct(coefficient_, a);
}

void TBracketMonomial::MultiplyMonomial(const TBracketMonomial& m) {
  if (IsZero() || m.IsZero()) {
    SetCoefficientClear(0);
    return;
  }
  const std::int64_t product = CheckedCoefficientProduct(coefficient_, m.coefficient_);
  coefficient_ = product;
  exponent_ += m.exponent_;
  for (const std::vector<std::int32_t>& row : m.rows_) {
    const int i = FindRow(row.data() + 1);
    if (i >= 0) {
      rows_[static_cast<std::size_t>(i)][0] += row[0];
    } else {
      AddExponentRow(row[0], row.data() + 1);
    }
  }
}

bool TBracketMonomial::SameRows(const TBracketMonomial& m) const {
  return homologyFlag_ == m.homologyFlag_ && classLength_ == m.classLength_ && rows_ == m.rows_;
}

bool TBracketMonomial::TermLess(const TBracketMonomial& m) const {
  if (IsZero() != m.IsZero()) return m.IsZero();
  if (rows_.size() != m.rows_.size()) return rows_.size() < m.rows_.size();
  if (exponent_ != m.exponent_) return exponent_ < m.exponent_;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const std::vector<std::int32_t>& a = rows_[i];
    const std::vector<std::int32_t>& b = m.rows_[i];
    for (std::size_t j = 1; j < a.size() && j < b.size(); ++j) {
      if (a[j] != b[j]) return a[j] < b[j];
    }
    if (a[0] != b[0]) return a[0] < b[0];
  }
  return false;
}

void TBracketMonomial::Print(TOutput& output, int type, char first, char second) const {
  if (IsZero()) {
    output.AppendText("0");
    return;
  }
  std::string text;
  bool rowsPrinted = false;
  if (type != 2) {
    for (const std::vector<std::int32_t>& row : rows_) rowsPrinted |= row[0] > 0;
  }
  if (type != 3) {
    const bool variableFollows = exponent_ != 0 || rowsPrinted;
    if (coefficient_ == 1) {
      if (!variableFollows) text = "1";
    } else if (coefficient_ == -1) {
      text = variableFollows ? "-" : "-1";
    } else {
      text = std::to_string(coefficient_);
    }
    AppendMainPower(text, first, exponent_);
  }
  if (type != 2) {
    for (const std::vector<std::int32_t>& row : rows_) {
      if (row[0] <= 0) continue;
      text += second;
      if (homologyFlag_ != 1 && classLength_ > 0) {
        text += '(';
        for (std::size_t j = 1; j < row.size(); ++j) {
          if (j > 1) text += ',';
          text += std::to_string(row[j]);
        }
        text += ')';
      }
      if (row[0] > 1) text += "^" + std::to_string(row[0]);
    }
  }
  output.AppendText(text.c_str());
}

// ---- TBracketPolynomial ----

void TBracketPolynomial::SetVariableLetter(int which, char letter) {
  if (which == 0 || which == 1) letters_[which] = letter;
}

char TBracketPolynomial::VariableLetter(int which) const {
  return which == 0 || which == 1 ? letters_[which] : '\0';
}

void TBracketPolynomial::SetConstant(std::int64_t a) {
  terms_.clear();
  TBracketMonomial m(classLength_);
  m.SetFlag(homologyMode_);
  m.SetCoefficient(a);
  AddMonomial(m);
}

int TBracketPolynomial::FindTerm(const TBracketMonomial& m) const {
  for (std::size_t i = 0; i < terms_.size(); ++i) {
    if (terms_[i].TermLess(m)) continue;
    return terms_[i].SameMonomial(m) ? static_cast<int>(i) : -1;
  }
  return -1;
}

void TBracketPolynomial::AddMonomial(const TBracketMonomial& m) {
  if (m.IsZero()) return;
  const int i = FindTerm(m);
  if (i >= 0) {
    TBracketMonomial& term = terms_[static_cast<std::size_t>(i)];
    term.AddTo(m);
    if (term.IsZero()) terms_.erase(terms_.begin() + i);
    return;
  }
  auto at = std::find_if(terms_.begin(), terms_.end(),
                         [&](const TBracketMonomial& t) { return m.TermLess(t); });
  terms_.insert(at, m);
}

void TBracketPolynomial::AddPolynomial(const TBracketPolynomial& q) {
  TBracketPolynomial sum = *this;  // an overflow leaves this unchanged
  for (const TBracketMonomial& m : q.terms_) sum.AddMonomial(m);
  *this = std::move(sum);
}

void TBracketPolynomial::MultiplyByInt(std::int64_t a) {
  if (a == 0) {
    terms_.clear();
    return;
  }
  std::vector<TBracketMonomial> product = terms_;
  for (TBracketMonomial& m : product) m.MultiplyByInt(a);
  terms_ = std::move(product);
}

void TBracketPolynomial::MultiplyByMonomial(const TBracketMonomial& m) {
  if (IsZero()) return;
  if (m.IsZero()) {
    terms_.clear();
    return;
  }
  // Rows may merge, so two terms can become alike: add them up again.
  TBracketPolynomial product(classLength_);
  product.letters_[0] = letters_[0];
  product.letters_[1] = letters_[1];
  product.homologyMode_ = homologyMode_;
  for (TBracketMonomial term : terms_) {
    term.MultiplyMonomial(m);
    product.AddMonomial(term);
  }
  *this = std::move(product);
}

void TBracketPolynomial::Multiply(const TBracketPolynomial& q) {
  if (IsZero()) return;
  TBracketPolynomial product(classLength_);
  product.letters_[0] = letters_[0];
  product.letters_[1] = letters_[1];
  product.homologyMode_ = homologyMode_;
  for (const TBracketMonomial& m : q.terms_) {
    TBracketPolynomial part = *this;
    part.MultiplyByMonomial(m);
    product.AddPolynomial(part);
  }
  *this = std::move(product);
}

bool TBracketPolynomial::Equals(const TBracketPolynomial& q) const {
  if (terms_.size() != q.terms_.size()) return false;
  for (std::size_t i = 0; i < terms_.size(); ++i) {
    if (!terms_[i].EqualsFull(q.terms_[i])) return false;
  }
  return true;
}

void TBracketPolynomial::Print(TOutput& output) const {
  if (IsZero()) {
    output.AppendText("0");
    return;
  }
  std::vector<bool> printed(terms_.size(), false);
  bool any = false;
  for (std::size_t i = 0; i < terms_.size(); ++i) {
    if (printed[i]) continue;
    std::vector<std::size_t> group{i};
    // Terms without rows are written one by one, not as a group.
    for (std::size_t j = i + 1; terms_[i].ExponentRows() > 0 && j < terms_.size(); ++j) {
      if (!printed[j] && terms_[j].SameRows(terms_[i])) group.push_back(j);
    }
    if (group.size() == 1) {
      if (any && terms_[i].GetCoefficient() > 0) output.AppendText("+");
      terms_[i].Print(output, 1, letters_[0], letters_[1]);
    } else {
      output.AppendText(any ? "+(" : "(");
      for (std::size_t g = 0; g < group.size(); ++g) {
        const TBracketMonomial& m = terms_[group[g]];
        if (g > 0 && m.GetCoefficient() > 0) output.AppendText("+");
        m.Print(output, 2, letters_[0], letters_[1]);
        printed[group[g]] = true;
      }
      output.AppendText(")");
      terms_[i].Print(output, 3, letters_[0], letters_[1]);
    }
    printed[i] = true;
    any = true;
  }
}

int BracketPower(TBracketPolynomial& p, const TBracketPolynomial& q, int k) {
  TBracketPolynomial power = q;
  power.SetConstant(1);
  for (int i = 0; i < k; ++i) power.Multiply(q);
  p = std::move(power);
  return 1;
}
