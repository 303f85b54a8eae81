// SPDX-License-Identifier: MIT
#include "CaptionText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace CaptionText {

QString formatOneDecimal(float value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0.0");
    // d.dddddde±x: the seven significant digits and the decimal exponent.
    char buf[32];
    const auto res =
        std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 6);
    *res.ptr = '\0';
    const char* e = std::strchr(buf, 'e');
    const int exponent = std::atoi(e + 1);
    QByteArray digits;
    for (const char* c = buf; c != e; ++c)
        if (*c != '.')
            digits += *c;
    // The number is digits × 10^shift; tenths are digits × 10^(shift + 1).
    const int shift = exponent - 6;
    QByteArray tenths;
    if (shift + 1 >= 0) {
        tenths = digits + QByteArray(shift + 1, '0');
    } else {
        const int drop = -(shift + 1);
        if (drop > 7) {
            tenths = "0";
        } else {
            long long m = digits.toLongLong();
            long long p = 1;
            for (int i = 0; i < drop; ++i)
                p *= 10;
            tenths = QByteArray::number((m + p / 2) / p);
        }
    }
    while (tenths.size() > 1 && tenths.startsWith('0'))
        tenths.remove(0, 1);
    if (tenths.size() < 2)
        tenths.prepend('0');
    const bool negative = value < 0 && tenths != "00";
    QString out =
        QString::fromLatin1(tenths.left(tenths.size() - 1)) + u'.' + QChar::fromLatin1(tenths.back());
    return negative ? u'-' + out : out;
}

QStringList lines(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t.split(u'\n');
}

} // namespace CaptionText
