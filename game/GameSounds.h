#ifndef VORLEQUIN_GAME_SOUNDS_H
#define VORLEQUIN_GAME_SOUNDS_H

class Audio;

// Vorlequin's three sounds (made by assets/SoundMaker.cpp), embedded in the program as
// resources and played through the application's mixer. Where they or the mixer are
// missing (the in-process tests, a device without sound) the game plays on in silence.
namespace GameSounds {

enum Effect { Eat = 401, Die = 402, Tap = 403 };

// Loads the sounds from the program's resources, once, and plays them through `audio`.
void start(Audio* audio);
void play(Effect effect);
// Lets the sounds go (the mixer stops them).
void stop();

} // namespace GameSounds

#endif
