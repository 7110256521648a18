// printf-style formatting that is type-safe and bounded.
//
// The string table holds printf templates ("Valency of Edge %s equals %u").
// FormatText fills such a template from typed arguments into a growing
// std::string: no fixed buffer can overflow and no argument is read with the
// wrong type. Supported conversions: %d %i %u %x %X %o %c %s %f %F %e %E %g %G
// and %%, with the flags "-+ #0", a width and a precision (each a number or
// "*" taken from the arguments), and the length modifiers h hh l ll z j t L and
// I64 (accepted and ignored: the argument's own type decides its range).
//
// Arguments: any integer type, char (a character for %c, a number otherwise),
// bool, double/float, const char* (null prints "(null)"), std::string,
// std::string_view, and any type with a CStr() member (TString).
//
// Mismatches are settled rather than undefined: an integer conversion given a
// text prints the text, %s given a number prints it in decimal, a floating
// conversion given an integer prints its value. A negative value under
// %u %x %X %o is taken modulo 2^32 (modulo 2^64 with l, ll, I64, j or z), as
// the platform's printf would show it. A missing argument prints nothing;
// surplus arguments are ignored. An unknown conversion is copied as it stands.
#pragma once

#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

struct TFormatArg {
  enum class Kind { Signed, Unsigned, Character, Floating, Text };
  Kind kind;
  std::int64_t signedValue = 0;
  std::uint64_t unsignedValue = 0;
  double floatingValue = 0;
  std::string_view text;
  bool nullText = false;
};

namespace format_detail {

template <typename T>
concept HasCStr = requires(const T& value) {
  { value.CStr() } -> std::convertible_to<const char*>;
};

template <typename T>
TFormatArg MakeArg(const T& value) {
  using D = std::remove_cvref_t<T>;
  TFormatArg arg{};
  if constexpr (std::is_same_v<D, char>) {
    arg.kind = TFormatArg::Kind::Character;
    arg.signedValue = static_cast<unsigned char>(value);
  } else if constexpr (std::is_same_v<D, bool>) {
    arg.kind = TFormatArg::Kind::Signed;
    arg.signedValue = value ? 1 : 0;
  } else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>) {
    arg.kind = TFormatArg::Kind::Signed;
    arg.signedValue = static_cast<std::int64_t>(value);
  } else if constexpr (std::is_integral_v<D>) {
    arg.kind = TFormatArg::Kind::Unsigned;
    arg.unsignedValue = static_cast<std::uint64_t>(value);
  } else if constexpr (std::is_enum_v<D>) {
    return MakeArg(static_cast<std::underlying_type_t<D>>(value));
  } else if constexpr (std::is_floating_point_v<D>) {
    arg.kind = TFormatArg::Kind::Floating;
    arg.floatingValue = static_cast<double>(value);
  } else if constexpr (std::is_same_v<D, std::string> || std::is_same_v<D, std::string_view>) {
    arg.kind = TFormatArg::Kind::Text;
    arg.text = std::string_view(value);
  } else if constexpr (HasCStr<D>) {
    arg.kind = TFormatArg::Kind::Text;
    arg.text = std::string_view(value.CStr());
  } else if constexpr (std::is_convertible_v<const T&, const char*>) {
    const char* text = value;
    arg.kind = TFormatArg::Kind::Text;
    if (text == nullptr)
      arg.nullText = true;
    else
      arg.text = std::string_view(text);
  } else {
    static_assert(sizeof(T) == 0, "FormatText: unsupported argument type");
  }
  return arg;
}

}  // namespace format_detail

// Formats a template with already converted arguments.
std::string FormatTextArgs(std::string_view templ, std::span<const TFormatArg> args);

// Formats a template with the given arguments (see the rules above). The
// arguments must outlive the call only (texts are copied into the result).
template <typename... Args>
std::string FormatText(std::string_view templ, const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    return FormatTextArgs(templ, {});
  } else {
    const TFormatArg converted[] = {format_detail::MakeArg(args)...};
    return FormatTextArgs(templ, converted);
  }
}
