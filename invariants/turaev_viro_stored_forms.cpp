#include "invariants/turaev_viro_stored_forms.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "invariants/cyclotomic_basis.h"
#include "invariants/cyclotomic_number.h"
#include "invariants/quantum_monomial.h"
#include "invariants/spine_cell_table.h"

namespace {

void PutInt(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}
void Put32(std::string& out, std::int32_t v) { PutInt(out, static_cast<std::uint32_t>(v), 4); }
void Put64(std::string& out, std::int64_t v) { PutInt(out, static_cast<std::uint64_t>(v), 8); }

std::int64_t Fit64(const mpz_class& value) {
  if (!mpz_fits_slong_p(value.get_mpz_t())) {
    throw std::overflow_error("an exact value exceeds the 64-bit fields of the table file");
  }
  return value.get_si();
}

[[noreturn]] void Malformed(const char* what) {
  throw std::runtime_error(std::string("malformed stored ") + what);
}

std::uint64_t Get(TStoredBytes& in, int bytes, const char* what) {
  if (in.at > in.bytes.size() || in.bytes.size() - in.at < static_cast<std::size_t>(bytes)) {
    Malformed(what);
  }
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) {
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in.bytes[in.at + static_cast<std::size_t>(i)]))
             << (8 * i);
  }
  in.at += static_cast<std::size_t>(bytes);
  return value;
}
std::int32_t Get32(TStoredBytes& in, const char* what) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(Get(in, 4, what)));
}
std::int64_t Get64(TStoredBytes& in, const char* what) {
  return static_cast<std::int64_t>(Get(in, 8, what));
}

mpq_class Fraction(std::int64_t numerator, std::int64_t denominator, const char* what) {
  if (denominator == 0) Malformed(what);
  mpq_class q(mpz_class(static_cast<long>(numerator)), mpz_class(static_cast<long>(denominator)));
  q.canonicalize();
  return q;
}

}  // namespace

void AppendStoredForm(std::string& out, const TQuantumMonomial& m) {
  std::string record;
  Put32(record, m.Order());
  Put32(record, 0);
  Put64(record, Fit64(m.Factor().get_num()));
  Put64(record, Fit64(m.Factor().get_den()));
  Put32(record, m.CarriedInteger());
  Put32(record, m.ExponentCount() > 0 ? 1 : 0);
  for (int i = 0; i < m.ExponentCount(); ++i) Put64(record, m.Exponent(i));
  out += record;
}

void AppendStoredForm(std::string& out, const TCyclotomicNumber& x) {
  std::string record;
  Put32(record, x.MonomialForm() != nullptr ? 1 : 0);
  Put32(record, 0);
  Put64(record, 1);  // the factor: the coefficients below are the values
  Put64(record, 1);
  Put32(record, x.CoefficientCount() > 0 ? 1 : 0);
  Put32(record, x.CoefficientCount());
  Put32(record, x.Order());
  Put32(record, 0);
  if (x.MonomialForm() != nullptr) AppendStoredForm(record, *x.MonomialForm());
  for (int k = 0; k < x.CoefficientCount(); ++k) {
    const mpq_class c = x.Coefficient(k);
    Put64(record, Fit64(c.get_num()));
    Put64(record, Fit64(c.get_den()));
  }
  out += record;
}

void AppendStoredForm(std::string& out, const TSpineCellTable& table) {
  std::string record;
  Put32(record, table.Count());
  for (int i = 0; i < table.Count(); ++i) {
    const TSpineCellRecord* cell = table.Cell(static_cast<unsigned>(i));
    Put32(record, cell->colour);
    Put32(record, cell->BoundaryLength());
    Put32(record, cell->number);
    Put32(record, 0);
    for (std::int32_t e : cell->edges) Put32(record, e);
  }
  out += record;
}

void ReadStoredForm(TStoredBytes& in, TQuantumMonomial& m) {
  TStoredBytes cursor = in;
  const std::int32_t order = Get32(cursor, "monomial");
  Get32(cursor, "monomial");
  const std::int64_t numerator = Get64(cursor, "monomial");
  const std::int64_t denominator = Get64(cursor, "monomial");
  const std::int32_t carried = Get32(cursor, "monomial");
  const std::int32_t hasExponents = Get32(cursor, "monomial");
  if (order < -1 || order > TCyclotomicBasis::kMaxOrder) Malformed("monomial order");
  TQuantumMonomial read(order);
  if (hasExponents != 0) {
    if (order < 0) Malformed("monomial without order");
    for (int i = 0; i < read.ExponentCount(); ++i) read.SetExponent(i, Get64(cursor, "monomial"));
    read.SetFactor(Fraction(numerator, denominator, "monomial factor"));
    read.SetCarriedInteger(carried);
  }
  m = read;
  in = cursor;
}

void ReadStoredForm(TStoredBytes& in, TCyclotomicNumber& x) {
  TStoredBytes cursor = in;
  const std::int32_t hasForm = Get32(cursor, "cyclotomic number");
  Get32(cursor, "cyclotomic number");
  const std::int64_t numerator = Get64(cursor, "cyclotomic number");
  const std::int64_t denominator = Get64(cursor, "cyclotomic number");
  const std::int32_t hasCoefficients = Get32(cursor, "cyclotomic number");
  const std::int32_t count = Get32(cursor, "cyclotomic number");
  const std::int32_t order = Get32(cursor, "cyclotomic number");
  Get32(cursor, "cyclotomic number");
  TQuantumMonomial form;
  if (hasForm != 0) ReadStoredForm(cursor, form);
  TCyclotomicNumber read;
  if (hasCoefficients != 0) {
    if (order < 1 || order > TCyclotomicBasis::kMaxOrder ||
        count != TCyclotomicBasis::OfOrder(order).Count()) {
      Malformed("cyclotomic order");
    }
    const mpq_class factor = Fraction(numerator, denominator, "cyclotomic factor");
    read.SetOrder(order);
    for (int k = 0; k < count; ++k) {
      const std::int64_t n = Get64(cursor, "cyclotomic coefficient");
      const std::int64_t d = Get64(cursor, "cyclotomic coefficient");
      const mpq_class c = Fraction(n, d, "cyclotomic coefficient") * factor;
      if (c != 0) {
        TCyclotomicNumber term(order);
        term.SetCoefficient(k, c);
        read.Add(term);
      }
    }
    if (hasForm != 0) {
      if (form.Order() != order || form.Factor() != 1) Malformed("cyclotomic form");
      read.AttachStoredForm(form);
    }
  }
  x = std::move(read);
  in = cursor;
}

void ReadStoredForm(TStoredBytes& in, TSpineCellTable& table) {
  TStoredBytes cursor = in;
  const std::int32_t count = Get32(cursor, "cell table");
  if (count < 0) Malformed("cell table");
  TSpineCellTable read;
  for (std::int32_t i = 0; i < count; ++i) {
    TSpineCellRecord record;
    record.colour = Get32(cursor, "cell record");
    const std::int32_t length = Get32(cursor, "cell record");
    record.number = Get32(cursor, "cell record");
    Get32(cursor, "cell record");
    if (length < 0 || static_cast<std::size_t>(length) > (cursor.bytes.size() - cursor.at) / 4) {
      Malformed("cell record");
    }
    for (std::int32_t p = 0; p < length; ++p) record.edges.push_back(Get32(cursor, "cell record"));
    read.Append(std::move(record));
  }
  table = std::move(read);
  in = cursor;
}
