// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// The game's pictures, compiled into the program as a Qt resource.

// Bitmap by its resource number: 101 radar, 102 scene background, 201-204
// enemy ship by damage level, 301-304 their masks. Always Format_RGB32; a null
// image for a number that does not exist.
QImage LoadResPicture(int id);

// Design-time picture of a form control: "picWater", "picWMask", "picGaugeH",
// "picGaugeV", or "title" (the still of the title movie). Format_RGB32; a null
// image for an unknown name.
QImage LoadFormPicture(const QString& name);

// The application icon in all its sizes.
QIcon AppIcon();
