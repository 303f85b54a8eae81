// SPDX-License-Identifier: MIT
#include "Resources.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

// The scene reloads its pictures several times per tick; decoding once and
// handing out shared copies keeps that cheap without changing what callers see.
QImage cachedImage(const QString& path)
{
    static QMutex mutex;
    static QHash<QString, QImage> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(path);
    if (it != cache.constEnd())
        return *it;
    QImage image(path);
    if (!image.isNull() && image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    cache.insert(path, image);
    return image;
}

} // namespace

QImage LoadResPicture(int id)
{
    const bool known = id == 101 || id == 102 || (id >= 201 && id <= 204) || (id >= 301 && id <= 304);
    if (!known)
        return {};
    return cachedImage(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
}

QImage LoadFormPicture(const QString& name)
{
    if (name == QLatin1String("title"))
        return cachedImage(QStringLiteral(":/pictures/title.png"));
    if (name == QLatin1String("picWater") || name == QLatin1String("picWMask")
        || name == QLatin1String("picGaugeH") || name == QLatin1String("picGaugeV"))
        return cachedImage(QStringLiteral(":/pictures/%1.bmp").arg(name));
    return {};
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/mortavel-%1.png").arg(size), QSize(size, size));
    return icon;
}
