// SPDX-License-Identifier: MIT
#pragma once

#include "ControllerMap.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

class QTimer;
struct _SDL_GameController;

// Game controllers through SDL's GameController API, beside Qt's event
// loop: any number of them, found at start and whenever one is plugged in or
// out. Their buttons and sticks become the keys and clicks of the window in
// front (see ControllerMap.h). Without the subsystem, or without a
// controller, the game plays as it does with the keyboard alone.
class ControllerInput : public QObject {
    Q_OBJECT
public:
    struct Options {
        // Milliseconds of a steady clock; null: the system's.
        std::function<std::int64_t()> clock;
        // No timer: the owner calls pump() (tests).
        bool manualPump = false;
    };

    explicit ControllerInput(QObject* parent = nullptr);
    explicit ControllerInput(Options options, QObject* parent = nullptr);
    ~ControllerInput() override;

    // Starts SDL's controller subsystem; false when it cannot start, and the
    // game then goes on without controllers, saying nothing.
    bool start();
    bool started() const { return started_; }

    // Reads SDL's events and acts on them; the timer calls it.
    void pump();

    int connectedCount() const { return static_cast<int>(pads_.size()); }
    // How often the timer pumps: often while a controller is there, rarely
    // (only to notice one being plugged in) while none is.
    int pumpInterval() const;

    static constexpr int ActiveInterval = 16;
    static constexpr int IdleInterval = 1000;

private:
    struct Pad {
        _SDL_GameController* controller = nullptr;
        std::int32_t id = -1;
        std::set<PadInput> held;
        std::optional<PadInput> stickDirection;
        std::int64_t nextStep = 0;
        std::optional<int> lookBearing;
    };
    struct Completed {
        PadInput input;
        Qt::KeyboardModifiers modifiers;
        std::optional<int> lookBearing;
    };

    void open(int deviceIndex);
    void close(std::int32_t instanceId);
    Pad* find(std::int32_t instanceId);
    void readSticks(Pad& pad, std::int64_t now, std::vector<Completed>& out);
    static Qt::KeyboardModifiers modifiersOf(const Pad& pad);
    void retime();

    Options options_;
    bool started_ = false;
    QTimer* timer_ = nullptr;
    std::vector<Pad> pads_;
};
