// SPDX-License-Identifier: MIT
#pragma once

#include "CounterGauge.h"

#include <QString>
#include <QWidget>

// The plain reload gauge used when the VelPrgBar library cannot be loaded:
// a red bar over 0 to 50 with the reload caption, nothing more.
class FallbackGauge : public QWidget {
    Q_OBJECT
public:
    explicit FallbackGauge(QWidget* parent = nullptr);

    int value() { return counter_.Value(); }
    void setValue(int value); // held within 0 to the maximum
    void countUp();           // one step, never past the maximum

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CounterGauge counter_;
    QString text_;
};
