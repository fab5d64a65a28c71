#ifndef PARVOLIN_WAVE_OUT_H
#define PARVOLIN_WAVE_OUT_H

#include "platform/base/PlatformTypes.h"

#include <cstdint>

// The handheld system's wave-output calls. The device has one output (device 0), which
// one program opens at a time, when its profile gives it sound at all: a device without
// sound reports no devices. The output plays the buffers written to it, one after the
// other, in the clock of the run (see SoundOutput.h); a buffer is done when it has been
// played, not when it was taken. Every misuse is answered with the system's own codes.

struct HWAVEOUT__;
typedef HWAVEOUT__* HWAVEOUT;
typedef UINT MMRESULT;
typedef uintptr_t DWORD_PTR;
typedef char* LPSTR;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;
constexpr MMRESULT WAVERR_SYNC = 35;

constexpr UINT WAVE_MAPPER = static_cast<UINT>(-1);

constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

constexpr DWORD WHDR_DONE = 0x01;
constexpr DWORD WHDR_PREPARED = 0x02;
constexpr DWORD WHDR_BEGINLOOP = 0x04;
constexpr DWORD WHDR_ENDLOOP = 0x08;
constexpr DWORD WHDR_INQUEUE = 0x10;

struct WAVEHDR {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};

// waveOutOpen's flags: the kind of notification, and a query that opens nothing.
constexpr DWORD CALLBACK_TYPEMASK = 0x00070000;
constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_WINDOW = 0x00010000;
constexpr DWORD CALLBACK_THREAD = 0x00020000;
constexpr DWORD CALLBACK_FUNCTION = 0x00030000;
constexpr DWORD CALLBACK_EVENT = 0x00050000;
constexpr DWORD WAVE_FORMAT_QUERY = 0x0001;
constexpr DWORD WAVE_ALLOWSYNC = 0x0002;

// The notifications: to a CALLBACK_FUNCTION as its message (WOM_DONE with the buffer as
// the first parameter); a CALLBACK_EVENT is set for each.
constexpr UINT WOM_OPEN = 0x3BB;
constexpr UINT WOM_CLOSE = 0x3BC;
constexpr UINT WOM_DONE = 0x3BD;

typedef void (*WAVEOUTPROC)(HWAVEOUT output, UINT message, DWORD_PTR instance, DWORD_PTR parameter1,
                            DWORD_PTR parameter2);

constexpr UINT TIME_MS = 0x0001;
constexpr UINT TIME_SAMPLES = 0x0002;
constexpr UINT TIME_BYTES = 0x0004;

struct MMTIME {
    UINT wType;
    union {
        DWORD ms;
        DWORD sample;
        DWORD cb;
        DWORD ticks;
    } u;
};

constexpr UINT MAXPNAMELEN = 32;

// The formats of the caps: mono/stereo, 8/16-bit at 11,025, 22,050 and 44,100 Hz.
constexpr DWORD WAVE_FORMAT_1M08 = 0x0001;
constexpr DWORD WAVE_FORMAT_1S08 = 0x0002;
constexpr DWORD WAVE_FORMAT_1M16 = 0x0004;
constexpr DWORD WAVE_FORMAT_1S16 = 0x0008;
constexpr DWORD WAVE_FORMAT_2M08 = 0x0010;
constexpr DWORD WAVE_FORMAT_2S08 = 0x0020;
constexpr DWORD WAVE_FORMAT_2M16 = 0x0040;
constexpr DWORD WAVE_FORMAT_2S16 = 0x0080;
constexpr DWORD WAVE_FORMAT_4M08 = 0x0100;
constexpr DWORD WAVE_FORMAT_4S08 = 0x0200;
constexpr DWORD WAVE_FORMAT_4M16 = 0x0400;
constexpr DWORD WAVE_FORMAT_4S16 = 0x0800;

constexpr DWORD WAVECAPS_VOLUME = 0x0004;
constexpr DWORD WAVECAPS_LRVOLUME = 0x0008;
constexpr DWORD WAVECAPS_SAMPLEACCURATE = 0x0020;

struct WAVEOUTCAPSW {
    WORD wMid;
    WORD wPid;
    UINT vDriverVersion;
    WCHAR szPname[MAXPNAMELEN];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
    DWORD dwSupport;
};

// The system's texts are wide: its headers name the wide forms without their W.
typedef WAVEOUTCAPSW WAVEOUTCAPS;

// 1 when the device has sound, else 0.
UINT waveOutGetNumDevs();
// Device 0 or WAVE_MAPPER; the caps are copied up to `capsBytes`.
MMRESULT waveOutGetDevCapsW(UINT device, WAVEOUTCAPSW* caps, UINT capsBytes);
inline MMRESULT waveOutGetDevCaps(UINT device, WAVEOUTCAPS* caps, UINT capsBytes)
{
    return waveOutGetDevCapsW(device, caps, capsBytes);
}
// PCM of 8 or 16 bits, 1 or 2 channels, 8,000 to 48,000 Hz, with the block alignment and
// byte rate those give (else WAVERR_BADFORMAT). With WAVE_FORMAT_QUERY nothing opens and
// `output` may be null. A second open while the device is open: MMSYSERR_ALLOCATED.
// CALLBACK_WINDOW and CALLBACK_THREAD are not offered (MMSYSERR_NOTSUPPORTED).
MMRESULT waveOutOpen(HWAVEOUT* output, UINT device, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT output, WAVEHDR* header, UINT headerBytes);
// WAVERR_STILLPLAYING while the buffer is queued.
MMRESULT waveOutUnprepareHeader(HWAVEOUT output, WAVEHDR* header, UINT headerBytes);
// WAVERR_UNPREPARED for a buffer not prepared, WAVERR_STILLPLAYING for one already queued.
MMRESULT waveOutWrite(HWAVEOUT output, WAVEHDR* header, UINT headerBytes);
// Every queued buffer is marked done (and notified), the position goes back to 0.
MMRESULT waveOutReset(HWAVEOUT output);
MMRESULT waveOutPause(HWAVEOUT output);
MMRESULT waveOutRestart(HWAVEOUT output);
// The samples played since the open (or the last reset); a type other than the three
// offered comes back as TIME_BYTES.
MMRESULT waveOutGetPosition(HWAVEOUT output, MMTIME* time, UINT timeBytes);
// The volume: left in the low word, right in the high word, 0xFFFF as recorded. A null
// handle is the device's own volume, kept across opens.
MMRESULT waveOutGetVolume(HWAVEOUT output, DWORD* volume);
MMRESULT waveOutSetVolume(HWAVEOUT output, DWORD volume);
// WAVERR_STILLPLAYING while buffers are queued.
MMRESULT waveOutClose(HWAVEOUT output);

#endif
