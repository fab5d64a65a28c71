#include "GameAssets.h"

#include <Parvolin/Parvolin.h>

void GameAssets::load(Surface& picture, const wchar_t* name)
{
    wchar_t path[260];
    Device* device = Device::getInstance();
    if (device && device->getAbsolutePath(name, path, 255))
        picture.create(path);
}
