// The value dialog of the options ("Time Limit"): one integer field with "+"
// and "-" buttons, a message line, a text above and a note below.
//
// This is the dialog's behaviour without any window: the desktop program shows
// the texts and the field, and calls these functions for the buttons.
//
// "+" and "-" step the value in steps that grow with it, so that a few presses
// reach minutes from seconds: 1 below 60, 5 from 60, 10 from 120, 30 from 300
// and 60 from 600 ("-" uses the same steps on the way down, so 60 - 1 = 59 and
// 61 - 5 = 56). The steps apply no bounds; OK checks them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value after "+" and after "-"; both stop at the 32-bit bounds.
std::int32_t TimeLimitStepUp(std::int32_t value);
std::int32_t TimeLimitStepDown(std::int32_t value);

enum class TTimeLimitFieldStatus { Ok, NotInteger, BelowMinimum, AboveMaximum };

// The field read as a value: the first 20 characters are taken; they must be a
// decimal integer (sign and blanks around allowed) that fits in 32 bits.
struct TTimeLimitField {
  TTimeLimitFieldStatus status = TTimeLimitFieldStatus::Ok;
  std::int32_t value = 0;
  std::string message;  // for the message line; empty when the status is Ok
};

// Reads the field; with checkRange a value below the minimum or above the
// maximum (each only when given) is refused with the message naming the bound.
TTimeLimitField ReadTimeLimitField(std::string_view text, bool checkRange,
                                   std::optional<std::int32_t> minimum,
                                   std::optional<std::int32_t> maximum);

// One open dialog: its texts, the value it edits and the bounds of OK.
struct TTimeLimitDlg {
  std::string caption;    // the window title; empty: "Time Limit"
  std::string upperText;  // the label above the field; may be empty
  std::string lowerText;  // the note below; may be empty
  std::int32_t value = 0;
  std::optional<std::int32_t> minimum;
  std::optional<std::int32_t> maximum;
  bool changed = false;  // set when OK stored a value

  // The window title.
  std::string Title() const;

  // The text of the field for a value ("%d").
  static std::string FieldText(std::int32_t value);

  // What a button press shows: the new field text, or the message line.
  struct TPress {
    bool accepted = false;
    std::string fieldText;  // when accepted (for "+" and "-")
    std::string message;    // when not accepted
  };

  // "+" and "-" read the field without the range check and step it.
  TPress Plus(std::string_view fieldText) const;
  TPress Minus(std::string_view fieldText) const;

  // OK reads the field with the range check; when it passes, the value is
  // stored, `changed` is set and the dialog may close with OK. Cancel needs no
  // function: it closes without storing.
  TPress Ok(std::string_view fieldText);
};
