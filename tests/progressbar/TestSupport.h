// SPDX-License-Identifier: MIT
#pragma once

#include "VelProgressBar.h"
#include "VelProgressBarPrivate.h"
#include "VelPropertyBag.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <gtest/gtest.h>

// The gauge as the classic control interface (the game's, through the
// dispatch identifiers) sees it: the widget, and through -> the classic
// members behind it.
class Gauge : public VelProgressBar {
public:
    using VelProgressBar::VelProgressBar;
    VelProgressBarPrivate* operator->() { return VelProgressBarPrivate::get(this); }
    const VelProgressBarPrivate* operator->() const { return VelProgressBarPrivate::get(this); }
};

// Catches the control's message boxes for the length of a test.
class MessageCatcher {
public:
    struct Message {
        QMessageBox::Icon icon;
        QString text;
        QString title;
    };
    MessageCatcher()
    {
        current() = this;
        previous_ = VelProgressBar::setMessageBoxHandler(
            [](QWidget*, QMessageBox::Icon icon, const QString& text, const QString& title) {
                current()->messages.append({icon, text, title});
            });
    }
    ~MessageCatcher()
    {
        VelProgressBar::setMessageBoxHandler(previous_);
        current() = nullptr;
    }
    QList<Message> messages;

private:
    static MessageCatcher*& current()
    {
        static MessageCatcher* catcher = nullptr;
        return catcher;
    }
    VelProgressBar::MessageBoxHandler previous_;
};

// A property bag in memory that remembers how it was used.
class MapBag : public VelPropertyBag {
public:
    QVariant readProperty(const QString& key, const QVariant& def) override
    {
        reads.append(key);
        readDefaults.append(def);
        return values.value(key, def);
    }
    void writeProperty(const QString& key, const QVariant& value, const QVariant& def) override
    {
        writes.append(key);
        writeDefaults.append(def);
        values.insert(key, value);
    }
    QMap<QString, QVariant> values;
    QStringList reads, writes;
    QVariantList readDefaults, writeDefaults;
};

// Colours as the control takes them (0x00BBGGRR) and as images hold them.
inline QRgb rgbOf(int bgr)
{
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline VelFont captionFace(const QString& name, float size)
{
    VelFont f = VelFont::defaultCaptionFont();
    f.name = name;
    f.size = size;
    return f;
}

// The game's reload gauge: red, free text, 0 to 50, at 4890 x 390 twips.
inline void setUpReloadGauge(Gauge& bar)
{
    bar->setFwColor(255);
    bar->setStringType(VelProgressBar::stypeFreeString);
    bar->setMaximum(50);
    bar->setText(QStringLiteral("砲弾装填中..."));
    bar->setCaptionFont(captionFace(QStringLiteral("ＭＳ Ｐゴシック"), 9.75f));
    bar->setStep(1);
    bar->resizeTwips(4890, 390);
}
