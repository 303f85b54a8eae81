// SPDX-License-Identifier: MIT
#pragma once

#include <QSlider>

// The bearing and elevation sliders. Arrow keys belong to the battle form,
// which acts on their release with its own step sizes; the slider must not
// move a second time on the key press.
class BattleSlider : public QSlider {
    Q_OBJECT
public:
    explicit BattleSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
