// SPDX-License-Identifier: MIT
// Draws the game's reload gauge at 0, 40 and 100 per cent with a percentage
// and with its free-text caption, enlarged, into one PNG to look at.
#include "VelProgressBar.h"

#include <QApplication>
#include <QPainter>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gauge-preview.png");
    constexpr int Scale = 3;

    const int percents[] = {0, 40, 100};
    const VelProgressBar::StringTypeConstants types[] = {VelProgressBar::stypePercent,
                                                         VelProgressBar::stypeFreeString};
    QImage sheet(2 * (326 + 10) * Scale, 3 * (26 + 10) * Scale, QImage::Format_RGB32);
    sheet.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter p(&sheet);
    for (int col = 0; col < 2; ++col) {
        for (int row = 0; row < 3; ++row) {
            VelProgressBar bar;
            bar.setFwColor(255);
            bar.setStringType(types[col]);
            bar.setMaximum(50);
            bar.setText(QStringLiteral("砲弾装填中..."));
            bar.setCaptionFont(QFont(QStringLiteral("ＭＳ Ｐゴシック")));
            bar.resize(326, 26); // the game's 4890 x 390 twips
            bar.setValue(percents[row] * 50 / 100);
            const QImage shot = bar.grab().toImage();
            p.drawImage(
                QRect(QPoint(col * (326 + 10) * Scale + 5 * Scale, row * (26 + 10) * Scale + 5 * Scale),
                      shot.size() * Scale),
                shot);
        }
    }
    p.end();
    return sheet.save(out) ? 0 : 1;
}
