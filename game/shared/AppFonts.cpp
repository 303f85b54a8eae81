// SPDX-License-Identifier: MIT
#include "AppFonts.h"

void InstallFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

QFont FormFont()
{
    return QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
}
