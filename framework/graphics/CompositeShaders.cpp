#include "graphics/CompositeShaders.h"

#include "pixels/PixelRules.h"

CascadeShader::CascadeShader(Shader* firstShader, Shader* secondShader) : first(firstShader), second(secondShader)
{
}
CascadeShader::~CascadeShader() {}
unsigned long CascadeShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
unsigned long CascadeShader::internalProcess(unsigned long destination, unsigned long source)
{
    // A missing shader passes its source on: a pixel has no way to report the mistake.
    unsigned long firstResult = first ? first->internalProcess(destination, source) : source;
    return second ? second->internalProcess(destination, firstResult) : firstResult;
}

FontShader::FontShader() : colorKey(0), fontColor(0), shader(nullptr), useColorKey(false), useFontColor(false) {}
FontShader::FontShader(unsigned long key)
    : colorKey(PixelRules::toNative(key)), fontColor(0), shader(nullptr), useColorKey(true), useFontColor(false)
{
}
FontShader::~FontShader() {}
unsigned long FontShader::process(unsigned long destination, unsigned long source)
{
    return processNatively(destination, source);
}
void FontShader::setColorKey(unsigned long key)
{
    colorKey = PixelRules::toNative(key);
    useColorKey = true;
}
void FontShader::setFontColor(unsigned long color)
{
    fontColor = PixelRules::toNative(color);
    useFontColor = true;
}
void FontShader::setShader(Shader* inner) { shader = inner; }
unsigned long FontShader::internalProcess(unsigned long destination, unsigned long source)
{
    // A key pixel keeps the destination and never reaches the inner shader.
    if (useColorKey && source == colorKey)
        return destination;
    unsigned long pixel = useFontColor ? fontColor : source;
    if (!shader)
        return pixel;
    return PixelRules::toNative(shader->process(PixelRules::toColorref(destination), PixelRules::toColorref(pixel)));
}
