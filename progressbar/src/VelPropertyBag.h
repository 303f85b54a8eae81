// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QVariant>

// Where a container keeps a control's saved properties. Values are int for
// numbers and colours, QString for "Text" and VelFont for "Font".
class VelPropertyBag {
public:
    virtual ~VelPropertyBag();
    // The stored value of key, or defaultValue when nothing is stored.
    virtual QVariant readProperty(const QString& key, const QVariant& defaultValue) = 0;
    // The container may leave out a value equal to its default.
    virtual void writeProperty(const QString& key, const QVariant& value, const QVariant& defaultValue) = 0;
};
