// The application's mixer: open while it runs, silent while the game is away (deactivated
// and minimised), playing again when it comes back; pause(frames) does not stop it.
#include "AppHarness.h"

#include "audio/Audio.h"
#include "audio/Sound.h"
#include "core/ResultCodes.h"
#include "platform/system/SystemServices.h"
#include "testdata/SoundFiles.h"

#include <algorithm>
#include <vector>

namespace {

class Speaker : public CountingHost {
public:
    void playSound(const int16_t* frames, size_t count) override { samples.insert(samples.end(), frames, frames + 2 * count); }
    // Whether anything but silence was given out since `from` (a sample index).
    bool heardSince(size_t from) const
    {
        return std::any_of(samples.begin() + static_cast<long>(std::min(from, samples.size())), samples.end(),
                           [](int16_t s) { return s != 0; });
    }
    std::vector<int16_t> samples;
};

class ApplicationSound : public AppHarness {};

TEST_F(ApplicationSound, TheMixerIsSilentWhileTheGameIsAway)
{
    Speaker speaker;
    clock.setStep(1000000);
    EventLog log;
    ProbeApplication app(log);
    app.setAppInstance(someInstance());
    app.configurer = [](Config* config) { config->fps = 32; };
    Sound tone;
    const std::string bytes = SoundFiles::wave16(std::vector<int16_t>(100, 1000));
    ASSERT_EQ(ResultCode::Ok, tone.load(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    bool awaySilent = false;
    size_t mark = 0;
    app.frame = [&](int frame) {
        if (frame == 0) {
            EXPECT_TRUE(app.getAudio()->isOpen());
            EXPECT_EQ(ResultCode::Ok, app.getAudio()->play(&tone, 256, 0, Audio::forever));
            app.pause(1);  // the game's own pause: the sound goes on
        }
        return 0L;
    };
    app.restored = [&] { mark = speaker.samples.size(); };
    app.keyUp = [&] {
        EXPECT_TRUE(speaker.heardSince(0)) << "heard before going away";
        const size_t away = speaker.samples.size();
        clock.advanceMilliseconds(500);
        GetTickCount();
        awaySilent = !speaker.heardSince(away) && speaker.samples.size() > away;
    };
    script("3 deactivate\n5 keyup a\n6 activate\n12 close\n");
    EXPECT_EQ(0, app.run());
    EXPECT_TRUE(awaySilent);
    EXPECT_TRUE(speaker.heardSince(mark)) << "heard again once back";
    EXPECT_FALSE(app.getAudio()->isOpen()) << "closed at the end";
}

} // namespace
