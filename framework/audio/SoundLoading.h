#ifndef PARVOLIN_SOUND_LOADING_H
#define PARVOLIN_SOUND_LOADING_H

class File;
class FileSystemManager;
class SoundInput;

// What loading a sound and opening music share.
namespace SoundLoading {

// Every frame of the input, converted to 44,100 Hz, into a new array (the caller's, to be
// deleted with delete[]): 0 or a result code (FileEmpty for no frames).
long decodeWhole(SoundInput& input, short*& samples, unsigned long& frames, unsigned long& channels);

// Resolves `path` into `file` with `manager` and opens it for reading: 0, the resolving
// codes, or FileOpenError.
long openPath(FileSystemManager& manager, File& file, const wchar_t* path);

} // namespace SoundLoading

#endif
