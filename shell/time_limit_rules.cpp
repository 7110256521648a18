#include "shell/time_limit_rules.h"

#include <charconv>
#include <limits>

#include "shell/string_text.h"

namespace {

constexpr int kTitleText = 9100;
constexpr int kIncorrectDataText = 9101;
constexpr int kTooSmallText = 9102;
constexpr int kTooLargeText = 9103;

// The field is read up to this many characters.
constexpr std::size_t kFieldLength = 20;

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t Saturate(std::int64_t value) {
  if (value < kInt32Min) return static_cast<std::int32_t>(kInt32Min);
  if (value > kInt32Max) return static_cast<std::int32_t>(kInt32Max);
  return static_cast<std::int32_t>(value);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::int32_t TimeLimitStepUp(std::int32_t value) {
  std::int64_t step = 60;
  if (value < 60) {
    step = 1;
  } else if (value < 120) {
    step = 5;
  } else if (value < 300) {
    step = 10;
  } else if (value < 600) {
    step = 30;
  }
  return Saturate(std::int64_t{value} + step);
}

std::int32_t TimeLimitStepDown(std::int32_t value) {
  std::int64_t step = 60;
  if (value <= 60) {
    step = 1;
  } else if (value <= 120) {
    step = 5;
  } else if (value <= 300) {
    step = 10;
  } else if (value <= 600) {
    step = 30;
  }
  return Saturate(std::int64_t{value} - step);
}

TTimeLimitField ReadTimeLimitField(std::string_view text, bool checkRange,
                                   std::optional<std::int32_t> minimum,
                                   std::optional<std::int32_t> maximum) {
  TTimeLimitField field;
  std::string_view digits = TrimBlanks(text.substr(0, kFieldLength));
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  std::int32_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    field.status = TTimeLimitFieldStatus::NotInteger;
    field.message = StringText(kIncorrectDataText);
    return field;
  }
  field.value = value;
  if (checkRange && minimum && value < *minimum) {
    field.status = TTimeLimitFieldStatus::BelowMinimum;
    field.message = FormatStringText(kTooSmallText, *minimum);
  } else if (checkRange && maximum && value > *maximum) {
    field.status = TTimeLimitFieldStatus::AboveMaximum;
    field.message = FormatStringText(kTooLargeText, *maximum);
  }
  return field;
}

std::string TTimeLimitDlg::Title() const {
  return caption.empty() ? StringText(kTitleText) : caption;
}

std::string TTimeLimitDlg::FieldText(std::int32_t value) { return std::to_string(value); }

TTimeLimitDlg::TPress TTimeLimitDlg::Plus(std::string_view fieldText) const {
  const TTimeLimitField field = ReadTimeLimitField(fieldText, false, minimum, maximum);
  if (field.status != TTimeLimitFieldStatus::Ok) return {false, {}, field.message};
  return {true, FieldText(TimeLimitStepUp(field.value)), {}};
}

TTimeLimitDlg::TPress TTimeLimitDlg::Minus(std::string_view fieldText) const {
  const TTimeLimitField field = ReadTimeLimitField(fieldText, false, minimum, maximum);
  if (field.status != TTimeLimitFieldStatus::Ok) return {false, {}, field.message};
  return {true, FieldText(TimeLimitStepDown(field.value)), {}};
}

TTimeLimitDlg::TPress TTimeLimitDlg::Ok(std::string_view fieldText) {
  const TTimeLimitField field = ReadTimeLimitField(fieldText, true, minimum, maximum);
  if (field.status != TTimeLimitFieldStatus::Ok) return {false, {}, field.message};
  value = field.value;
  changed = true;
  return {true, FieldText(value), {}};
}
