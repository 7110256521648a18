// The printf subset of the string table's templates, applied to typed
// arguments into a growing string. See text_format.h.
#include "foundation/text_format.h"

#include <cstdio>
#include <limits>

namespace {

struct TField {
  bool leftAlign = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  bool zeroPad = false;
  int width = 0;
  int precision = -1;  // -1: none given
  bool wide = false;   // l, ll, I64, j, z, t: 64-bit wrap for unsigned conversions
  char conversion = 0;
};

class TArgCursor {
 public:
  explicit TArgCursor(std::span<const TFormatArg> args) : args_(args) {}
  const TFormatArg* Next() { return next_ < args_.size() ? &args_[next_++] : nullptr; }

 private:
  std::span<const TFormatArg> args_;
  std::size_t next_ = 0;
};

// Width and precision taken from "*" arguments are clamped to a sane range so
// a wild value cannot ask for gigabytes of padding.
constexpr std::int64_t kMaxStarValue = 4096;

int StarValue(const TFormatArg* arg) {
  if (arg == nullptr) return 0;
  std::int64_t value = 0;
  switch (arg->kind) {
    case TFormatArg::Kind::Signed:
    case TFormatArg::Kind::Character: value = arg->signedValue; break;
    case TFormatArg::Kind::Unsigned:
      value = arg->unsignedValue > static_cast<std::uint64_t>(kMaxStarValue)
                  ? kMaxStarValue
                  : static_cast<std::int64_t>(arg->unsignedValue);
      break;
    case TFormatArg::Kind::Floating: value = static_cast<std::int64_t>(arg->floatingValue); break;
    case TFormatArg::Kind::Text: value = 0; break;
  }
  if (value > kMaxStarValue) value = kMaxStarValue;
  if (value < -kMaxStarValue) value = -kMaxStarValue;
  return static_cast<int>(value);
}

std::string Digits(std::uint64_t value, unsigned base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), digits[value % base]);
    value /= base;
  } while (value != 0);
  return text;
}

// Pads a converted field to its width: blanks on the left (or right with "-"),
// or zeros after the sign and prefix when "0" applies.
void EmitPadded(std::string& out, const TField& field, std::string_view prefix,
                std::string_view body, bool zeroPadAllowed) {
  std::size_t length = prefix.size() + body.size();
  std::size_t width = field.width > 0 ? static_cast<std::size_t>(field.width) : 0;
  std::size_t pad = width > length ? width - length : 0;
  if (field.leftAlign) {
    out.append(prefix).append(body).append(pad, ' ');
  } else if (field.zeroPad && zeroPadAllowed) {
    out.append(prefix).append(pad, '0').append(body);
  } else {
    out.append(pad, ' ').append(prefix).append(body);
  }
}

void EmitInteger(std::string& out, const TField& field, bool negative, std::uint64_t magnitude) {
  unsigned base = 10;
  bool upper = false;
  bool isSigned = field.conversion == 'd' || field.conversion == 'i';
  if (field.conversion == 'x' || field.conversion == 'X') base = 16;
  if (field.conversion == 'X') upper = true;
  if (field.conversion == 'o') base = 8;
  std::string body;
  if (!(field.precision == 0 && magnitude == 0)) body = Digits(magnitude, base, upper);
  if (field.precision > static_cast<int>(body.size()))
    body.insert(body.begin(), static_cast<std::size_t>(field.precision) - body.size(), '0');
  std::string prefix;
  if (isSigned) {
    if (negative)
      prefix = "-";
    else if (field.plus)
      prefix = "+";
    else if (field.space)
      prefix = " ";
  } else if (field.alternate && magnitude != 0) {
    if (base == 16) prefix = upper ? "0X" : "0x";
    if (base == 8 && (body.empty() || body[0] != '0')) prefix = "0";
  }
  EmitPadded(out, field, prefix, body, field.precision < 0);
}

void EmitText(std::string& out, const TField& field, std::string_view text) {
  if (field.precision >= 0 && static_cast<std::size_t>(field.precision) < text.size())
    text = text.substr(0, static_cast<std::size_t>(field.precision));
  EmitPadded(out, field, {}, text, false);
}

void EmitFloating(std::string& out, const TField& field, double value) {
  std::string format = "%";
  if (field.leftAlign) format += '-';
  if (field.plus) format += '+';
  if (field.space) format += ' ';
  if (field.alternate) format += '#';
  if (field.zeroPad) format += '0';
  if (field.width > 0) format += std::to_string(field.width);
  if (field.precision >= 0) format += "." + std::to_string(field.precision);
  format += field.conversion;
  int needed = std::snprintf(nullptr, 0, format.c_str(), value);
  if (needed <= 0) return;
  std::string printed(static_cast<std::size_t>(needed) + 1, '\0');
  std::snprintf(printed.data(), printed.size(), format.c_str(), value);
  printed.resize(static_cast<std::size_t>(needed));
  out += printed;
}

std::string IntegerAsText(const TFormatArg& arg) {
  if (arg.kind == TFormatArg::Kind::Unsigned) return std::to_string(arg.unsignedValue);
  return std::to_string(arg.signedValue);
}

void Convert(std::string& out, const TField& field, const TFormatArg* arg) {
  if (arg == nullptr) return;
  const char c = field.conversion;
  if (c == 's') {
    switch (arg->kind) {
      case TFormatArg::Kind::Text: EmitText(out, field, arg->nullText ? "(null)" : arg->text); return;
      case TFormatArg::Kind::Character: {
        char ch = static_cast<char>(arg->signedValue);
        EmitText(out, field, std::string_view(&ch, 1));
        return;
      }
      case TFormatArg::Kind::Floating: {
        TField asG = field;
        asG.conversion = 'g';
        EmitFloating(out, asG, arg->floatingValue);
        return;
      }
      default: EmitText(out, field, IntegerAsText(*arg)); return;
    }
  }
  if (arg->kind == TFormatArg::Kind::Text) {
    EmitText(out, field, arg->nullText ? "(null)" : arg->text);
    return;
  }
  if (c == 'c') {
    char ch = arg->kind == TFormatArg::Kind::Unsigned ? static_cast<char>(arg->unsignedValue)
              : arg->kind == TFormatArg::Kind::Floating
                  ? static_cast<char>(static_cast<int>(arg->floatingValue))
                  : static_cast<char>(arg->signedValue);
    EmitPadded(out, field, {}, std::string_view(&ch, 1), false);
    return;
  }
  if (c == 'f' || c == 'F' || c == 'e' || c == 'E' || c == 'g' || c == 'G') {
    double value = arg->kind == TFormatArg::Kind::Floating ? arg->floatingValue
                   : arg->kind == TFormatArg::Kind::Unsigned
                       ? static_cast<double>(arg->unsignedValue)
                       : static_cast<double>(arg->signedValue);
    EmitFloating(out, field, value);
    return;
  }
  if (arg->kind == TFormatArg::Kind::Floating) {
    // An integer conversion of a floating value: show the value, not its bits.
    TField asG = field;
    asG.conversion = 'g';
    EmitFloating(out, asG, arg->floatingValue);
    return;
  }
  bool isSigned = c == 'd' || c == 'i';
  if (isSigned) {
    if (arg->kind == TFormatArg::Kind::Unsigned) {
      EmitInteger(out, field, false, arg->unsignedValue);
    } else {
      std::int64_t v = arg->signedValue;
      std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
      EmitInteger(out, field, v < 0, magnitude);
    }
    return;
  }
  // %u %x %X %o: a negative value shows as the platform's unsigned reading.
  std::uint64_t value = arg->unsignedValue;
  if (arg->kind != TFormatArg::Kind::Unsigned) {
    value = static_cast<std::uint64_t>(arg->signedValue);
    if (arg->signedValue < 0 && !field.wide) value &= 0xFFFFFFFFu;
  }
  EmitInteger(out, field, false, value);
}

bool IsConversion(char c) {
  switch (c) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': case 'c': case 's':
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
      return true;
    default:
      return false;
  }
}

int ReadNumber(std::string_view templ, std::size_t& i) {
  int value = 0;
  while (i < templ.size() && templ[i] >= '0' && templ[i] <= '9') {
    if (value < 100000) value = value * 10 + (templ[i] - '0');
    ++i;
  }
  return value > static_cast<int>(kMaxStarValue) ? static_cast<int>(kMaxStarValue) : value;
}

}  // namespace

std::string FormatTextArgs(std::string_view templ, std::span<const TFormatArg> args) {
  std::string out;
  out.reserve(templ.size() + 16 * args.size());
  TArgCursor cursor(args);
  std::size_t i = 0;
  while (i < templ.size()) {
    char c = templ[i];
    if (c != '%') {
      std::size_t next = templ.find('%', i);
      if (next == std::string_view::npos) next = templ.size();
      out.append(templ.substr(i, next - i));
      i = next;
      continue;
    }
    std::size_t start = i++;
    if (i < templ.size() && templ[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    TField field;
    for (; i < templ.size(); ++i) {
      char flag = templ[i];
      if (flag == '-') field.leftAlign = true;
      else if (flag == '+') field.plus = true;
      else if (flag == ' ') field.space = true;
      else if (flag == '#') field.alternate = true;
      else if (flag == '0') field.zeroPad = true;
      else break;
    }
    if (i < templ.size() && templ[i] == '*') {
      ++i;
      int width = StarValue(cursor.Next());
      if (width < 0) {
        field.leftAlign = true;
        width = -width;
      }
      field.width = width;
    } else {
      field.width = ReadNumber(templ, i);
    }
    if (i < templ.size() && templ[i] == '.') {
      ++i;
      if (i < templ.size() && templ[i] == '*') {
        ++i;
        int precision = StarValue(cursor.Next());
        field.precision = precision < 0 ? -1 : precision;
      } else {
        field.precision = ReadNumber(templ, i);
      }
    }
    // Length modifiers do not change how an argument is read (its type does),
    // only how a negative value shows under an unsigned conversion.
    for (bool more = true; more && i < templ.size();) {
      switch (templ[i]) {
        case 'h': case 'L': ++i; break;
        case 'l': case 'j': case 'z': case 't': field.wide = true; ++i; break;
        case 'I':
          if (templ.substr(i, 3) == "I64") {
            field.wide = true;
            i += 3;
          } else if (templ.substr(i, 3) == "I32") {
            i += 3;
          } else {
            more = false;
          }
          break;
        default: more = false; break;
      }
    }
    if (i >= templ.size() || !IsConversion(templ[i])) {
      // Not a conversion this formatter knows: keep the text as written.
      std::size_t end = i < templ.size() ? i + 1 : i;
      out.append(templ.substr(start, end - start));
      i = end;
      continue;
    }
    field.conversion = templ[i++];
    Convert(out, field, cursor.Next());
  }
  return out;
}
