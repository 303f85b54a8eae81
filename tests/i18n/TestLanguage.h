// SPDX-License-Identifier: MIT
#pragma once

#include "GameLanguage.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QTableWidget>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

// The window, front-end and end-to-end suites run twice: once in Japanese and
// once in English, chosen by the LANGUAGE variable of each CTest pass, the way
// the game chooses.
namespace testlang {

// Puts the pass's language in force; a missing translation file fails the pass.
inline GameLanguage::Language installFromSystem()
{
    const auto language = GameLanguage::fromUiLanguages(QLocale::system().uiLanguages());
    if (!GameLanguage::install(language)) {
        std::fprintf(stderr, "the translation of the chosen language is missing\n");
        std::exit(2);
    }
    return language;
}

inline bool english()
{
    return GameLanguage::current() == GameLanguage::English;
}

// The text this pass expects.
inline QString pick(const char* japanese, const char* english)
{
    return QString::fromUtf8(testlang::english() ? english : japanese);
}

inline bool hasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3001 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Every text of root and its children that the player can read (captions,
// titles, tooltips, grid headers) and that still holds Japanese.
inline QStringList japaneseTexts(QWidget* root)
{
    QStringList found;
    auto check = [&found](QWidget* w, const QString& what, const QString& text) {
        if (hasJapanese(text))
            found << QStringLiteral("%1 %2: %3").arg(w->objectName(), what, text);
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        check(w, QStringLiteral("title"), w->windowTitle());
        check(w, QStringLiteral("tooltip"), w->toolTip());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            check(w, QStringLiteral("caption"), button->text());
        if (auto* label = qobject_cast<QLabel*>(w))
            check(w, QStringLiteral("caption"), label->text());
        if (auto* frame = qobject_cast<QGroupBox*>(w))
            check(w, QStringLiteral("caption"), frame->title());
        if (auto* grid = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                if (QTableWidgetItem* item = grid->horizontalHeaderItem(c))
                    check(w, QStringLiteral("header"), item->text());
            }
        }
    }
    return found;
}

// Every caption of root and its children wider than the control it sits on,
// at the control's own size and font.
inline QStringList clippedTexts(QWidget* root)
{
    QStringList found;
    auto widest = [](const QFontMetrics& metrics, const QString& text) {
        int width = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            width = std::max(width, metrics.horizontalAdvance(QString(line).remove(QLatin1Char('&'))));
        return width;
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        int need = 0, room = w->width();
        QString text;
        if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            text = radio->text();
            need = widest(radio->fontMetrics(), text)
                + radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio)
                + radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio);
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            text = button->text();
            need = widest(button->fontMetrics(), text) + 6; // the bevel on both sides
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            text = label->text();
            need = widest(label->fontMetrics(), text);
            room = label->contentsRect().width();
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            text = frame->title();
            need = widest(frame->fontMetrics(), text);
        } else {
            continue;
        }
        if (need > room)
            found << QStringLiteral("%1 \"%2\": %3 > %4 px").arg(w->objectName(), text).arg(need).arg(room);
    }
    return found;
}

} // namespace testlang
