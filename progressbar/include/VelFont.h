// SPDX-License-Identifier: MIT
#pragma once

#include "velprgbar_export.h"

#include <QFont>
#include <QMetaType>
#include <QString>

// A caption font as hosts describe and store it: face, size in points, style
// and character set. Qt draws without a character set; it is kept so that a
// saved font comes back exactly as it was written.
struct VELPRGBAR_EXPORT VelFont {
    QString name;
    float size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    qint16 charset = 0;

    // "ＭＳ Ｐゴシック" 10 pt, plain, character set 128 (Shift-JIS).
    static VelFont defaultCaptionFont();
    // The application's default font, for a control asked for its font
    // before any was given.
    static VelFont platformDefault();
    static VelFont fromQFont(const QFont &font, qint16 charset);

    // The Qt font for drawing at the given size in points. Heights are whole
    // pixels at 96 dpi, as the classic desktop sized its fonts, so that
    // measuring and drawing agree on every screen.
    QFont toQFont(float points) const;

    friend bool operator==(const VelFont &, const VelFont &) = default;
};

Q_DECLARE_METATYPE(VelFont)

// Maps the Windows Japanese faces that saved gauges name to the installed
// IPA faces, once per process. Harmless when the real faces exist: Qt only
// falls back to a substitute when the family is missing.
VELPRGBAR_EXPORT void velInstallFontSubstitutes();
