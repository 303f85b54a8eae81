// SPDX-License-Identifier: MIT
#include "VelFont.h"

#include <QGuiApplication>

#include <cmath>

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

VelFont VelFont::fromQFont(const QFont& font, qint16 charset)
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

QStringList VelFont::familiesFor(const QString& name)
{
    // The Windows Japanese faces that saved gauges name, and the IPA faces
    // that Debian installs in their place (fonts-ipafont-gothic).
    static const struct {
        const char16_t* windows;
        const char16_t* installed;
    } StandIns[] = {
        {u"ＭＳ Ｐゴシック", u"IPAPGothic"}, {u"MS PGothic", u"IPAPGothic"}, {u"MS UI Gothic", u"IPAPGothic"},
        {u"ＭＳ ゴシック", u"IPAGothic"},    {u"MS Gothic", u"IPAGothic"},
    };
    QStringList families{name};
    for (const auto& s : StandIns)
        if (name.compare(QString::fromUtf16(s.windows), Qt::CaseInsensitive) == 0)
            families << QString::fromUtf16(s.installed);
    return families;
}

QFont VelFont::toQFont(float points) const
{
    QFont q;
    // Qt takes the first family of the list that is installed: the real face
    // where it exists, its stand-in elsewhere.
    q.setFamilies(familiesFor(name));
    // Points to whole pixels at 96 dpi, halves away from zero like MulDiv.
    q.setPixelSize(qMax(1, int(std::lround(double(points) * 96.0 / 72.0))));
    q.setBold(bold);
    q.setItalic(italic);
    q.setUnderline(underline);
    q.setStrikeOut(strikethrough);
    return q;
}
