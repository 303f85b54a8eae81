// SPDX-License-Identifier: MIT
#include "ScenePictures.h"

#include "Resources.h"
#include "Scene.h"

QImage loadScenePicture(int picture)
{
    if (picture == scene::WaterPicture)
        return LoadFormPicture(QStringLiteral("picWater"));
    if (picture == scene::WaterMask)
        return LoadFormPicture(QStringLiteral("picWMask"));
    return LoadResPicture(picture);
}
