#ifndef PARVOLIN_FILE_H
#define PARVOLIN_FILE_H

#include <Parvolin/Export.h>

class FileInternal;

// The mode bits of File::open(mode) and File::createFile(mode).
namespace FileMode {
enum : unsigned char {
    Read = 0x01,
    Write = 0x02,
    AtEnd = 0x04,     // the position starts at the end
    Truncate = 0x08,  // open: empty an existing file
    Create = 0x10,    // open: create the file (and missing folders) when it is missing;
                      // createFile: go on when the path exists
    Replace = 0x20,   // createFile: create missing folders, replace an existing file
    Hidden = 0x40,    // attribute of a new file
    ReadOnly = 0x80,  // attribute of a new file
};
}

// A file or folder, on the device's storage or inside an archive, bound by a
// FileSystemManager or by another File's getParent, getChild, getNextChild or
// resolveFile. Unbound, every operation says so (ResultCode::FileNotInitialized, or
// false, null, 0, -1).
// read and write return byte counts, -1 on failure; the rest return result codes.
class PARVOLIN_API File {
public:
    File();
    virtual ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool exists();
    bool isHidden();
    bool isReadable();
    bool isWriteable();
    bool isSystemFile();
    bool isFolder();
    bool isFile();
    bool isRoot();
    bool isOpen();
    bool equals(File* other);
    const wchar_t* getName();
    const wchar_t* getPath();
    const wchar_t* getScheme();
    unsigned long getSize();
    long tell();
    // Whether the last read or readLine reached the end; nothing else changes it.
    bool eof();

    long open();
    long open(unsigned char mode);
    long close();
    long createFile();
    long createFile(unsigned char mode);
    long createFolder();
    long deleteFile();
    long deleteFolder();
    long deleteAny();
    // Origins: 0 from the start, 1 from the current position, 2 from the end.
    long seek(long offset, unsigned char origin);
    long seek(long position);

    long read(void* buffer, unsigned long count);
    // Reads one line byte by byte, each byte one character; carriage returns are skipped
    // and the line feed is consumed, not stored. At most `max` characters, then a
    // terminator: the buffer holds max + 1 characters. A limit of 0 reads nothing and
    // stores the terminator alone.
    // Returns the characters stored, -1 on a read error.
    long readLine(wchar_t* buffer, unsigned long max);
    long write(const void* buffer, unsigned long count);
    // The low byte of every character; a null text writes "NULL".
    long write(const wchar_t* text);

    // Each binds the target to the file found; the target keeps its binding on failure.
    long getParent(File* parent);
    long getChild(File* child, const wchar_t* name);
    long resolveFile(File* target, const wchar_t* path);
    long getNextChild(File* child);

protected:
    // Destroys the current internal file and takes the new one (may be null).
    void setInternalFile(FileInternal* internal);
    FileInternal* getInternalFile();

private:
    friend class FileSystemManager;

    // Binds `target` to `found`, or gives `missing` when nothing was found.
    static long bind(File* target, FileInternal* found, long missing);

    FileInternal* internal;
    bool endReached;
};

#endif
