#include "GameSounds.h"

#include <Parvolin/Parvolin.h>

#include <initializer_list>

namespace {
struct Sounds {
    Audio* audio = nullptr;
    Sound eat, die, tap;
};

Sounds& sounds()
{
    static Sounds instance;
    return instance;
}

Sound* soundFor(GameSounds::Effect effect)
{
    Sounds& all = sounds();
    return effect == GameSounds::Eat ? &all.eat : effect == GameSounds::Die ? &all.die : &all.tap;
}
} // namespace

namespace GameSounds {

void start(Audio* audio)
{
    Sounds& all = sounds();
    all.audio = audio;
    for (Effect effect : {Eat, Die, Tap})
        if (!soundFor(effect)->getLength())
            soundFor(effect)->load(static_cast<HINSTANCE>(nullptr), effect);
}

void play(Effect effect)
{
    Sounds& all = sounds();
    if (all.audio)
        all.audio->play(soundFor(effect));
}

void stop()
{
    Sounds& all = sounds();
    all.audio = nullptr;
    all.eat.free();
    all.die.free();
    all.tap.free();
}

} // namespace GameSounds
