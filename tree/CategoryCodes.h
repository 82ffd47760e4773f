#pragma once

#include <QString>

class TDM;

// Category codes: four decimal digits per level, a child's code being its parent's code
// followed by a serial from 0001 to 9999.
namespace categorycodes {

inline constexpr int kSerialWidth = 4;
inline constexpr int kMaxSerial = 9999;

// The text prefixed with "0" up to the width; a text of that length or longer is unchanged.
QString ZeroPad(const QString &text, int width);

enum class NextCodeStatus { Ok, ReadError, Full };

struct NextCode
{
    NextCodeStatus status = NextCodeStatus::Ok;
    QString code;
};

// The code after the greatest code present under a parent (maxCode empty when the parent has
// no children). Throws FaqError when the serial part is not a decimal number, as a code written
// by another program may be. Full when the greatest serial is already 9999.
NextCode nextCodeAfter(const QString &parent, const QString &maxCode);

// Reads the greatest code under the parent ("" for the top level) and returns the next one;
// ReadError when the database cannot be read.
NextCode nextFreeCode(TDM &dm, const QString &parent);

} // namespace categorycodes
