#include "graphics/Shader.h"

#include "pixels/PixelRules.h"

Shader::Shader() {}

Shader::~Shader() {}

Shader::operator Shader*() { return this; }

unsigned long Shader::internalProcess(unsigned long destination, unsigned long source)
{
    return PixelRules::toNative(process(PixelRules::toColorref(destination), PixelRules::toColorref(source)));
}

unsigned long Shader::processNatively(unsigned long destination, unsigned long source)
{
    return PixelRules::toColorref(internalProcess(PixelRules::toNative(destination), PixelRules::toNative(source)));
}
