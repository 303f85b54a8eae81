// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace CaptionText {

// A single-precision number with the pattern "0.0": one decimal, halves away
// from zero, taken from the number's 7 significant digits as the classic
// runtime formats a Single (so 0.35f gives "0.4", not the "0.3" its binary
// value would).
QString formatOneDecimal(float value);

// The lines a caption prints as: split at line breaks, CR LF or LF.
QStringList lines(const QString& text);

} // namespace CaptionText
