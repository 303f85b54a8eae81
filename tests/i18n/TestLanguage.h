// SPDX-License-Identifier: MIT
#pragma once

#include "shared/GameLanguage.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

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

} // namespace testlang
