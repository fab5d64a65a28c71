// A video with subtitles: a short clip plays over and over in the middle of the screen,
// its subtitles drawn on a band below the picture. A tap pauses and resumes; the Start key
// (Enter in the window) ends the program.
//
// The skeleton of every game: configure, build the states in onInit, handle the frames.

#include <Parvolin/Parvolin.h>

namespace {

constexpr long quitCode = 1;        // no jump is registered for it, so it ends the game
constexpr unsigned long band = 24;  // rows below the picture for the subtitles
constexpr unsigned long top = 60;   // where the picture starts on the screen

class VideoHandler : public EventHandler {
public:
    ~VideoHandler() { frame.free(); }

    long onInit(Surface*, Panel*, Application*) override
    {
        video.setSubtitlesBackground(0xFF0000);  // COLORREF 0x00BBGGRR: blue
        video.setSubtitlesPosition(3, 3, band);
        return start();
    }

    long onNextFrame(Surface* surface, Panel*) override
    {
        surface->fillRect(0x202020, nullptr, 255);
        surface->drawText(surface->getWidth() / 2, top - 20, Font::getSystemFontWithBorder(), TextAlign::Center,
                          paused ? L"Paused: tap to go on" : L"Tap to pause, Start to end");
        if (!paused) {
            // One call a frame: the game's frame rate is the video's. At the end, from the
            // start again, subtitles too (they only move forward).
            long result = video.getNextSubtitledFrame(&frame);
            if (result == ResultCode::EndOfVideo)
                result = start();
            if (result != ResultCode::Ok)
                return quitCode;
        }
        // Until the first picture is decoded the frame is empty, and nothing is shown.
        if (frame.getWidth() > 0)
            surface->bltFast((surface->getWidth() - frame.getWidth()) / 2, top, &frame, nullptr, nullptr);
        return 0;
    }

    long onStylusDown(tagPOINT) override
    {
        paused = !paused;
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    // Paths without a scheme are looked up in the program's folder.
    long start()
    {
        if (long result = video.open(L"subtitled_video.ogv"))
            return result;
        return video.setSubtitles(L"subtitled_video.srt");
    }

    SubtitledVideo video;
    Surface frame;
    bool paused = false;
};

class SubtitledVideoGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Subtitled video";
        config->fps = 25;
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        screen.addEventHandler(&player, nullptr, false, false);
        addState(&screen);
        setInitialState(&screen);
        return 0;
    }

private:
    State screen;
    VideoHandler player;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    SubtitledVideoGame* game = new SubtitledVideoGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
