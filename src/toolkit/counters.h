// The counters' text form: labels hold whole numbers as plain decimal text.
#pragma once

#include <QString>
#include <stdexcept>

namespace toolkit {

// Text that is not a whole number in the signed 32-bit range. The message names the text as
// it was given, so the error box shows the trainee exactly what was typed.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(const QString& text);

    QString message() const;
};

// Accepts an optional single "+" or "-" followed by one or more ASCII digits, nothing else
// (no blanks, no separators); throws ConversionError for anything else or a value outside
// the signed 32-bit range.
int StrToInt(const QString& text);

// Plain decimal text: no leading zeros, a minus sign only for negative values.
QString IntToStr(int value);

}  // namespace toolkit
