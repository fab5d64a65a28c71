#ifndef PARVOLIN_WAVE_OUT_DEVICE_H
#define PARVOLIN_WAVE_OUT_DEVICE_H

// What the other system calls ask of the open wave output.
namespace WaveOutDevice {

// The open output notifies `event` and has buffers that will be done.
bool willSet(const void* event);

} // namespace WaveOutDevice

#endif
