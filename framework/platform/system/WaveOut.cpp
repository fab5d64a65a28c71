#include "platform/system/WaveOut.h"

#include "platform/base/HandleTable.h"
#include "platform/base/Host.h"
#include "platform/device/DeviceProfile.h"
#include "platform/system/Events.h"
#include "platform/system/SoundOutput.h"
#include "platform/system/WaveOutDevice.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint64_t outputRate = SoundOutput::framesPerSecond;
constexpr DWORD fullVolume = 0xFFFF;
constexpr DWORD knownOpenFlags = CALLBACK_TYPEMASK | WAVE_FORMAT_QUERY | WAVE_ALLOWSYNC;

// The open output: its queue of buffers and how far it has played them. It plays at its
// own rate, taking for each frame of the device's output the buffer frame that falls
// there (frame k of the output is buffer frame k x rate / 44,100).
class WaveOutObject : public HandleObject, public SoundProducer {
public:
    ~WaveOutObject() override;
    void render(int16_t* frames, size_t count) override;
    bool playing() const override { return !paused && head; }

    void notify(UINT message, DWORD_PTR parameter);
    void append(WAVEHDR* header);
    // The first queued buffer is done.
    void complete();
    // Every queued buffer is done; the position is 0 again.
    void reset();
    // Buffer frames played since the open or the last reset.
    uint64_t samplesPlayed() const { return played * format.nSamplesPerSec / outputRate; }
    uint64_t framesIn(const WAVEHDR* header) const { return header->dwBufferLength / format.nBlockAlign; }
    void sampleAt(const WAVEHDR* header, uint64_t frame, int16_t* out) const;

    HWAVEOUT self = nullptr;
    WAVEFORMATEX format = {};
    DWORD notification = CALLBACK_NULL;
    DWORD_PTR callback = 0;
    DWORD_PTR instance = 0;
    WAVEHDR* head = nullptr;
    WAVEHDR* tail = nullptr;
    uint64_t played = 0;              // output frames played from buffers
    uint64_t doneBufferFrames = 0;    // buffer frames in the buffers already done
    bool paused = false;
    bool rendering = false;
    bool closed = false;              // closed by a notification while rendering
};

struct DeviceState {
    WaveOutObject* open = nullptr;
    DWORD volume = 0xFFFFFFFF;
};

// Never destroyed: an output left open at exit may still be asked about then.
DeviceState& device()
{
    static DeviceState* state = new DeviceState();
    return *state;
}

bool hasSound() { return DeviceProfiles::current().sound.present; }

WaveOutObject* find(HWAVEOUT output)
{
    WaveOutObject* object = HandleTable::find<WaveOutObject>(output);
    return object && !object->closed ? object : nullptr;
}

bool goodHeader(const WAVEHDR* header, UINT headerBytes) { return header && headerBytes >= sizeof(WAVEHDR); }

bool goodFormat(const WAVEFORMATEX& format)
{
    if (format.wFormatTag != WAVE_FORMAT_PCM || (format.nChannels != 1 && format.nChannels != 2) ||
        (format.wBitsPerSample != 8 && format.wBitsPerSample != 16) || format.nSamplesPerSec < 8000 ||
        format.nSamplesPerSec > 48000)
        return false;
    const DWORD align = format.nChannels * format.wBitsPerSample / 8u;
    return format.nBlockAlign == align && format.nAvgBytesPerSec == format.nSamplesPerSec * align;
}

MMRESULT checkDevice(UINT id)
{
    if (id != 0 && id != WAVE_MAPPER)
        return MMSYSERR_BADDEVICEID;
    if (!hasSound())
        return id == WAVE_MAPPER ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID;
    return MMSYSERR_NOERROR;
}

int16_t scaled(int16_t sample, DWORD volume)
{
    return volume == fullVolume ? sample : static_cast<int16_t>((sample * static_cast<int32_t>(volume)) >> 16);
}

WaveOutObject::~WaveOutObject()
{
    SoundOutput::detach(this);
    if (device().open == this)
        device().open = nullptr;
}

void WaveOutObject::notify(UINT message, DWORD_PTR parameter)
{
    if (notification == CALLBACK_FUNCTION)
        reinterpret_cast<WAVEOUTPROC>(callback)(self, message, instance, parameter, 0);
    else if (notification == CALLBACK_EVENT)
        SetEvent(reinterpret_cast<HANDLE>(callback));
}

void WaveOutObject::append(WAVEHDR* header)
{
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    header->lpNext = nullptr;
    if (tail)
        tail->lpNext = header;
    else
        head = header;
    tail = header;
}

void WaveOutObject::complete()
{
    WAVEHDR* header = head;
    doneBufferFrames += framesIn(header);
    head = header->lpNext;
    if (!head)
        tail = nullptr;
    header->lpNext = nullptr;
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    notify(WOM_DONE, reinterpret_cast<DWORD_PTR>(header));
}

void WaveOutObject::reset()
{
    while (head && !closed)
        complete();
    played = 0;
    doneBufferFrames = 0;
}

void WaveOutObject::sampleAt(const WAVEHDR* header, uint64_t frame, int16_t* out) const
{
    const unsigned char* at = reinterpret_cast<const unsigned char*>(header->lpData) + frame * format.nBlockAlign;
    for (unsigned channel = 0; channel < 2; ++channel) {
        const unsigned index = format.nChannels == 2 ? channel : 0;
        if (format.wBitsPerSample == 8)
            out[channel] = static_cast<int16_t>((at[index] - 128) * 256);
        else
            out[channel] = static_cast<int16_t>(static_cast<uint16_t>(at[2 * index] | (at[2 * index + 1] << 8)));
    }
}

void WaveOutObject::render(int16_t* frames, size_t count)
{
    rendering = true;
    const uint64_t rate = format.nSamplesPerSec;
    size_t filled = 0;
    while (filled < count && !closed && !paused && head) {
        const uint64_t end = doneBufferFrames + framesIn(head);
        // The first output frame that falls past the buffer's end.
        const uint64_t endFrame = (end * outputRate + rate - 1) / rate;
        if (played < endFrame) {
            const size_t span = static_cast<size_t>(std::min<uint64_t>(count - filled, endFrame - played));
            for (size_t i = 0; i < span; ++i, ++played, ++filled) {
                const uint64_t source = rate == outputRate ? played : played * rate / outputRate;
                sampleAt(head, source - doneBufferFrames, frames + 2 * filled);
            }
        }
        // Done as soon as its last frame has been played.
        if (played >= endFrame)
            complete();
    }
    std::fill(frames + 2 * filled, frames + 2 * count, int16_t(0));
    const DWORD volume = device().volume;
    if (volume != 0xFFFFFFFF)
        for (size_t i = 0; i < count; ++i) {
            frames[2 * i] = scaled(frames[2 * i], volume & 0xFFFF);
            frames[2 * i + 1] = scaled(frames[2 * i + 1], volume >> 16);
        }
    rendering = false;
    // Closed by one of its notifications: it goes now that nothing of it is in use.
    if (closed)
        HandleTable::remove(self);
}

} // namespace

namespace WaveOutDevice {

bool willSet(const void* event)
{
    const WaveOutObject* open = device().open;
    return open && open->notification == CALLBACK_EVENT && reinterpret_cast<const void*>(open->callback) == event &&
           open->playing();
}

} // namespace WaveOutDevice

UINT waveOutGetNumDevs() { return hasSound() ? 1 : 0; }

MMRESULT waveOutGetDevCapsW(UINT id, WAVEOUTCAPSW* caps, UINT capsBytes)
{
    if (MMRESULT result = checkDevice(id))
        return result;
    if (!caps)
        return MMSYSERR_INVALPARAM;
    WAVEOUTCAPSW answer = {};
    answer.wMid = 0xFFFF;
    answer.wPid = 0xFFFF;
    answer.vDriverVersion = 0x0100;
    const wchar_t name[] = L"Parvolin Audio Output";
    std::memcpy(answer.szPname, name, sizeof name);
    const SoundReport& sound = DeviceProfiles::current().sound;
    answer.dwFormats = WAVE_FORMAT_1M08 | WAVE_FORMAT_1S08 | WAVE_FORMAT_1M16 | WAVE_FORMAT_1S16 | WAVE_FORMAT_2M08 |
                       WAVE_FORMAT_2S08 | WAVE_FORMAT_2M16 | WAVE_FORMAT_2S16 | WAVE_FORMAT_4M08 | WAVE_FORMAT_4S08 |
                       WAVE_FORMAT_4M16 | WAVE_FORMAT_4S16;
    answer.wChannels = sound.channels;
    answer.dwSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME | WAVECAPS_SAMPLEACCURATE;
    std::memcpy(caps, &answer, std::min<size_t>(capsBytes, sizeof answer));
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutOpen(HWAVEOUT* output, UINT id, const WAVEFORMATEX* format, DWORD_PTR callback, DWORD_PTR instance,
                     DWORD flags)
{
    // The host plays what the output gives out (and starts the recording with the run).
    Hosts::current();
    SoundOutput::catchUp();
    if (flags & ~knownOpenFlags)
        return MMSYSERR_INVALFLAG;
    if (MMRESULT result = checkDevice(id))
        return result;
    if (!format)
        return MMSYSERR_INVALPARAM;
    if (!goodFormat(*format))
        return WAVERR_BADFORMAT;
    const DWORD kind = flags & CALLBACK_TYPEMASK;
    if (kind == CALLBACK_WINDOW || kind == CALLBACK_THREAD)
        return MMSYSERR_NOTSUPPORTED;
    if (kind != CALLBACK_NULL && kind != CALLBACK_FUNCTION && kind != CALLBACK_EVENT)
        return MMSYSERR_INVALFLAG;
    if ((kind == CALLBACK_FUNCTION && !callback) ||
        (kind == CALLBACK_EVENT && !Events::isEvent(reinterpret_cast<const void*>(callback))))
        return MMSYSERR_INVALPARAM;
    if (flags & WAVE_FORMAT_QUERY)
        return MMSYSERR_NOERROR;
    if (!output)
        return MMSYSERR_INVALPARAM;
    if (device().open)
        return MMSYSERR_ALLOCATED;

    std::unique_ptr<WaveOutObject> object(new (std::nothrow) WaveOutObject());
    if (!object)
        return MMSYSERR_NOMEM;
    WaveOutObject* opened = object.get();
    opened->format = *format;
    opened->format.cbSize = 0;
    opened->notification = kind;
    opened->callback = callback;
    opened->instance = instance;
    opened->self = static_cast<HWAVEOUT>(HandleTable::add(std::move(object)));
    if (!opened->self)
        return MMSYSERR_NOMEM;
    device().open = opened;
    SoundOutput::attach(opened);
    *output = opened->self;
    opened->notify(WOM_OPEN, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT output, WAVEHDR* header, UINT headerBytes)
{
    SoundOutput::catchUp();
    if (!find(output))
        return MMSYSERR_INVALHANDLE;
    if (!goodHeader(header, headerBytes) || !header->lpData)
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT output, WAVEHDR* header, UINT headerBytes)
{
    SoundOutput::catchUp();
    if (!find(output))
        return MMSYSERR_INVALHANDLE;
    if (!goodHeader(header, headerBytes))
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT output, WAVEHDR* header, UINT headerBytes)
{
    SoundOutput::catchUp();
    WaveOutObject* object = find(output);
    if (!object)
        return MMSYSERR_INVALHANDLE;
    if (!goodHeader(header, headerBytes))
        return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & WHDR_PREPARED))
        return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    object->append(header);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT output)
{
    SoundOutput::catchUp();
    WaveOutObject* object = find(output);
    if (!object)
        return MMSYSERR_INVALHANDLE;
    object->reset();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPause(HWAVEOUT output)
{
    SoundOutput::catchUp();
    WaveOutObject* object = find(output);
    if (!object)
        return MMSYSERR_INVALHANDLE;
    object->paused = true;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT output)
{
    SoundOutput::catchUp();
    WaveOutObject* object = find(output);
    if (!object)
        return MMSYSERR_INVALHANDLE;
    object->paused = false;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetPosition(HWAVEOUT output, MMTIME* time, UINT timeBytes)
{
    SoundOutput::catchUp();
    WaveOutObject* object = find(output);
    if (!object)
        return MMSYSERR_INVALHANDLE;
    if (!time || timeBytes < sizeof(MMTIME))
        return MMSYSERR_INVALPARAM;
    const uint64_t samples = object->samplesPlayed();
    switch (time->wType) {
    case TIME_SAMPLES:
        time->u.sample = static_cast<DWORD>(samples);
        break;
    case TIME_MS:
        time->u.ms = static_cast<DWORD>(samples * 1000 / object->format.nSamplesPerSec);
        break;
    default:
        time->wType = TIME_BYTES;
        time->u.cb = static_cast<DWORD>(samples * object->format.nBlockAlign);
        break;
    }
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetVolume(HWAVEOUT output, DWORD* volume)
{
    if (output && !find(output))
        return MMSYSERR_INVALHANDLE;
    if (!volume)
        return MMSYSERR_INVALPARAM;
    *volume = device().volume;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(HWAVEOUT output, DWORD volume)
{
    SoundOutput::catchUp();
    if (output && !find(output))
        return MMSYSERR_INVALHANDLE;
    device().volume = volume;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT output)
{
    SoundOutput::catchUp();
    WaveOutObject* object = find(output);
    if (!object)
        return MMSYSERR_INVALHANDLE;
    if (object->head)
        return WAVERR_STILLPLAYING;
    SoundOutput::detach(object);
    device().open = nullptr;
    object->notify(WOM_CLOSE, 0);
    if (object->rendering)
        object->closed = true;
    else
        HandleTable::remove(output);
    return MMSYSERR_NOERROR;
}
