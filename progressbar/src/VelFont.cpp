// SPDX-License-Identifier: MIT
#include "VelFont.h"

#include <QGuiApplication>

#include <cmath>
#include <mutex>

VelFont VelFont::defaultCaptionFont()
{
    VelFont f;
    f.name = QStringLiteral("ＭＳ Ｐゴシック");
    f.size = 10;
    f.charset = 128;
    return f;
}

VelFont VelFont::platformDefault()
{
    const QFont q = QGuiApplication::instance() ? QGuiApplication::font() : QFont();
    // DEFAULT_CHARSET: the face decides.
    return fromQFont(q, 1);
}

VelFont VelFont::fromQFont(const QFont &font, qint16 charset)
{
    VelFont f;
    f.name = font.family();
    f.size = font.pointSizeF() > 0 ? float(font.pointSizeF()) : float(font.pixelSize() * 0.75);
    f.bold = font.bold();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikethrough = font.strikeOut();
    f.charset = charset;
    return f;
}

QFont VelFont::toQFont(float points) const
{
    velInstallFontSubstitutes();
    QFont q(name);
    // Points to whole pixels at 96 dpi, halves away from zero like MulDiv.
    q.setPixelSize(qMax(1, int(std::lround(double(points) * 96.0 / 72.0))));
    q.setBold(bold);
    q.setItalic(italic);
    q.setUnderline(underline);
    q.setStrikeOut(strikethrough);
    return q;
}

void velInstallFontSubstitutes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const auto add = [](const QString &face, const QString &sub) {
            if (!QFont::substitutes(face).contains(sub))
                QFont::insertSubstitution(face, sub);
        };
        add(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
        add(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
        add(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
        add(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
        add(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
    });
}
