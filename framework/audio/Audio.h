#ifndef PARVOLIN_AUDIO_H
#define PARVOLIN_AUDIO_H

/// \file
/// Audio, the mixer.
/// \ingroup audio

#include <Parvolin/Export.h>

class AudioMixer;
class Music;
class Sound;

/// \addtogroup audio
/// @{

/// The mixer: 32 channels of sounds and one of music, mixed into 16-bit stereo at
/// 44,100 Hz and written to the device's wave output in buffers of 20 ms, two at a time.
/// One per process: the application opens its own after the display and closes it at the
/// end (Application::getAudio); a program without an Application may open one itself.
///
/// Volumes run from 0 (silent) to 256 (as recorded, fullVolume); pans from -256 (left
/// only) through 0 (both sides at full) to 256 (right only). The mixing rule, exact to
/// the sample: for a channel with volume v and pan p the left gain is
/// (v x (p > 0 ? 256 - p : 256)) >> 8, the right gain (v x (p < 0 ? 256 + p : 256)) >> 8;
/// a mono sample s adds (s x gl) >> 8 to the left and (s x gr) >> 8 to the right, a
/// stereo sample its left and right that way. Music is one more channel with the music
/// volume and pan 0. The sum times the master volume, shifted right by 8, is saturated to
/// -32,768..32,767. One mono sound at volume 256, pan 0 and master 256 thus comes out as
/// it was recorded, on both sides.
///
/// Sounds and music are borrowed: they must outlive their playing (freeing a sound or
/// closing a music stops it). Results: 0, or ResultCode::NullParameter (no sound or
/// music), FileEmpty (a sound with nothing loaded), FileNotInitialized (a music that is
/// not open), InvalidOpacity (a volume outside 0..256), InvalidCoordinates (a pan outside
/// -256..256, a channel outside 0..31), OutOfMemory (every channel busy), AssertionError
/// (the mixer is not open), UnsupportedMode (open: the device has no sound output, or
/// another mixer has it).
class PARVOLIN_API Audio {
public:
    /// Channels for sounds, numbered 0 to 31.
    static constexpr long channelCount = 32;
    /// The volume that plays a sound as recorded.
    static constexpr unsigned long fullVolume = 256;
    /// The loop count that repeats for ever.
    static constexpr unsigned long forever = static_cast<unsigned long>(-1);

    /// A closed mixer.
    Audio();
    /// Closes the mixer.
    virtual ~Audio();
    Audio(const Audio&) = delete;             ///< Not copyable.
    Audio& operator=(const Audio&) = delete;  ///< Not copyable.

    /// Takes the device's sound output. 0, also when open already; UnsupportedMode.
    virtual long open();
    /// Stops everything and lets the device go: 0; AssertionError when not open.
    virtual long close();
    /// Whether the mixer is open.
    virtual bool isOpen() const;

    /// Plays `sound` on a free channel from the output's present position: its first
    /// sample follows everything already written to the device (at most two buffers,
    /// 40 ms). `loops` repeats after the first play (0: once; forever). The channel taken
    /// goes to `channel` when it is given.
    virtual long play(Sound* sound, unsigned long volume = fullVolume, long pan = 0, unsigned long loops = 0,
                      long* channel = nullptr);
    /// Stops a channel. A channel that plays nothing is stopped already: 0.
    virtual long stop(long channel);
    /// Stops every sound channel (not the music).
    virtual long stopAll();
    /// Changes the volume of a playing channel, from the next buffer on.
    virtual long setVolume(long channel, unsigned long volume);
    /// Changes the pan of a playing channel, from the next buffer on.
    virtual long setPan(long channel, long pan);
    /// Whether `channel` plays a sound; false for a channel out of range or a closed mixer.
    virtual bool isPlaying(long channel) const;
    /// The volume applied to the whole mix, 0..256 (256 at first).
    virtual long setMasterVolume(unsigned long volume);

    /// Plays `music` from its start in place of any music playing; `loops` as for play.
    virtual long playMusic(Music* music, unsigned long loops = 0);
    /// Stops the music.
    virtual long stopMusic();
    /// The music channel's volume, 0..256.
    virtual long setMusicVolume(unsigned long volume);
    /// Whether music plays.
    virtual bool isMusicPlaying() const;

    /// Holds every channel and the music where they are (the device stops), and goes on.
    virtual long pause();
    /// Goes on after pause.
    virtual long resume();

private:
    friend class Application;
    friend class AudioStreamAccess;
    // The application's own pause while it is deactivated, apart from the game's.
    void suspend(bool suspended);

    AudioMixer* mixer;
};

/// @}

#endif
