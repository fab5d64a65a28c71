#ifndef VORLEQUIN_GAME_ASSETS_H
#define VORLEQUIN_GAME_ASSETS_H

class Surface;

namespace GameAssets {

// Loads the picture `name` that lies beside the program into `picture`. A missing or bad
// file leaves the surface empty, and an empty surface's blit draws nothing, so the game
// runs on without it.
void load(Surface& picture, const wchar_t* name);

} // namespace GameAssets

#endif
