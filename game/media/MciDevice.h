// SPDX-License-Identifier: MIT
#pragma once

#include "Mci.h"
#include "MciCommand.h"

#include <QObject>

// One open media device behind an alias. Every operation reports whether it
// was carried out; none of them waits for the media service.
class MciDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MciDevice() override = default;

    virtual bool play(bool repeat) = 0;
    virtual bool stop() = 0;
    virtual bool pause() = 0;
    virtual bool resume() = 0;
    virtual bool seek(MciCommand::SeekTarget target) = 0;

    mci::DeviceStatus status() const { return status_; }

protected:
    // The media service may report one fault many times over; only the
    // first one is acted on.
    bool markFailed(const QString& error)
    {
        if (status_.failed)
            return false;
        status_.failed = true;
        status_.error = error;
        status_.mode = mci::Mode::Stopped;
        return true;
    }

    mci::DeviceStatus status_;
};
