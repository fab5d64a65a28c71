// Sound: six pads play a bell and a drum from the left, the middle or the right; a button
// starts and stops a tune, and a bar sets the loudness of everything. Each pad lights up
// while its sound plays, and the dots show the mixer's 32 channels. The Start key (Enter
// in the window) ends the program.
//
// A Sound is decoded whole into memory when it loads: short effects, played as often and
// as many at once as wanted. Music is read a little at a time as it plays: long pieces.
// Both are played by the application's mixer, Audio, each sound on a channel of its own.

#include <Parvolin/Parvolin.h>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game
constexpr long padWidth = 70, padHeight = 60, padTop = 40, musicTop = 184, volumeTop = 230;
const long pans[3] = {-256, 0, 256};  // all left, both sides, all right

class SoundHandler : public EventHandler {
public:
    // Sounds and music must outlive their playing: the mixer borrows them.
    long load()
    {
        if (long result = bell.load(L"bell.wav"))
            return result;
        if (long result = drum.load(L"drum.wav"))
            return result;
        return tune.open(L"tune.ogg");
    }

    // The mixer is the application's: opened before onInit, closed after the game ends.
    // On a device without sound its calls say so (ResultCode::AssertionError) and the game
    // goes on silent.
    long onInit(Surface*, Panel*, Application* application) override
    {
        audio = application->getAudio();
        return 0;
    }

    long onNextFrame(Surface* surface, Panel*) override
    {
        surface->fillRect(RGB(22, 20, 34), nullptr, 255);
        Font* font = Font::getSystemFontWithBorder();
        surface->drawText(surface->getWidth() / 2, 10, font, TextAlign::Center, L"Tap a pad to play it");

        const wchar_t* names[2] = {L"BELL", L"DRUM"};
        const wchar_t* sides[3] = {L"left", L"middle", L"right"};
        for (long pad = 0; pad < 6; ++pad) {
            const long row = pad / 3, column = pad % 3;
            Utility::Rect r = padRect(pad);
            // isPlaying tells whether the channel that play() handed out still sounds.
            const bool sounding = channels[pad] >= 0 && audio->isPlaying(channels[pad]);
            const unsigned long lit = row ? RGB(250, 140, 60) : RGB(90, 200, 250);
            surface->fillRect(sounding ? lit : RGB(50, 48, 70), &r, 255);
            surface->drawRect(lit, &r, 255);
            surface->drawText((r.left + r.right) / 2, r.top + 20, font, TextAlign::Center, names[row]);
            surface->drawText((r.left + r.right) / 2, r.top + 34, Font::getSystemFont(), TextAlign::Center,
                              sides[column]);
        }

        Utility::Rect music(40, musicTop, 200, musicTop + 30);
        surface->fillRect(audio->isMusicPlaying() ? RGB(70, 160, 90) : RGB(50, 48, 70), &music, 255);
        surface->drawRect(RGB(120, 230, 140), &music, 255);
        surface->drawText(120, musicTop + 11, font, TextAlign::Center,
                          audio->isMusicPlaying() ? L"Music: on" : L"Music: off");

        // Loudness, 0 to 256 (Audio::fullVolume): the bar's filled part.
        Utility::Rect bar(20, volumeTop, 220, volumeTop + 16);
        Utility::Rect filled(20, volumeTop, 20 + volume * 200 / Audio::fullVolume, volumeTop + 16);
        surface->fillRect(RGB(50, 48, 70), &bar, 255);
        surface->fillRect(RGB(200, 190, 90), &filled, 255);
        surface->drawText(120, volumeTop + 22, Font::getSystemFont(), TextAlign::Center, L"master volume");

        for (long channel = 0; channel < Audio::channelCount; ++channel) {
            Utility::Rect dot(24 + channel * 6, 290, 28 + channel * 6, 294);
            surface->fillRect(audio->isPlaying(channel) ? RGB(255, 255, 255) : RGB(70, 68, 90), &dot, 255);
        }
        surface->drawText(120, 300, Font::getSystemFont(), TextAlign::Center, L"the mixer's channels");
        return 0;
    }

    long onStylusDown(tagPOINT point) override
    {
        for (long pad = 0; pad < 6; ++pad) {
            // A rectangle's right and bottom edges lie just outside it.
            Utility::Rect r = padRect(pad);
            if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
                // Full volume, panned to the pad's side, played once; the channel taken
                // comes back so that the pad can ask whether it still plays.
                audio->play(pad < 3 ? &bell : &drum, Audio::fullVolume, pans[pad % 3], 0, &channels[pad]);
        }
        if (point.x >= 40 && point.x < 200 && point.y >= musicTop && point.y < musicTop + 30) {
            if (audio->isMusicPlaying())
                audio->stopMusic();
            else
                audio->playMusic(&tune, Audio::forever);
        }
        if (point.x >= 20 && point.x <= 220 && point.y >= volumeTop && point.y < volumeTop + 16) {
            volume = static_cast<unsigned long>(point.x - 20) * Audio::fullVolume / 200;
            audio->setMasterVolume(volume);
        }
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    static Utility::Rect padRect(long pad)
    {
        const long left = 10 + (pad % 3) * (padWidth + 5), top = padTop + (pad / 3) * (padHeight + 10);
        return Utility::Rect(left, top, left + padWidth, top + padHeight);
    }

    Audio* audio = nullptr;
    Sound bell;
    Sound drum;
    Music tune;
    long channels[6] = {-1, -1, -1, -1, -1, -1};
    unsigned long volume = Audio::fullVolume;
};

class SoundGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Sound";
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        if (long result = pads.load()) {
            // Say why, then end: a negative answer of the game's onInit ends the program.
            MessageBoxW(nullptr, L"bell.wav, drum.wav, tune.ogg", getErrorTextForCode(result), MB_OK | MB_ICONERROR);
            return -1;
        }
        stage.addEventHandler(&pads, nullptr, false, false);
        addState(&stage);
        setInitialState(&stage);
        return 0;
    }

private:
    State stage;
    SoundHandler pads;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    SoundGame* game = new SoundGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
