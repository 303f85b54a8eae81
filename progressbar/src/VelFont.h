// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QMetaType>
#include <QString>

// A caption font as hosts describe and store it: face, size in points, style
// and character set. Qt draws without a character set; it is kept so that a
// saved font comes back exactly as it was written.
struct VelFont {
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
    static VelFont fromQFont(const QFont& font, qint16 charset);

    // The Qt font for drawing at the given size in points. Heights are whole
    // pixels at 96 dpi, as the classic desktop sized its fonts, so that
    // measuring and drawing agree on every screen. The Windows Japanese faces
    // that saved gauges name fall back to the installed IPA faces in this
    // font alone: the application's font substitutions stay as they are.
    QFont toQFont(float points) const;

    // The families to ask for in place of name: name itself, then the
    // installed face that stands in for it, if any.
    static QStringList familiesFor(const QString& name);

    friend bool operator==(const VelFont&, const VelFont&) = default;
};

Q_DECLARE_METATYPE(VelFont)
