#ifndef PARVOLIN_FILE_H
#define PARVOLIN_FILE_H

/// \file
/// File, a file or folder on the device's storage or inside an archive.
/// \ingroup files

#include <Parvolin/Export.h>

class FileInternal;

/// \addtogroup files
/// @{

/// The mode bits of File::open(mode) and File::createFile(mode).
namespace FileMode {
/// The bits, combined with |.
enum : unsigned char {
    Read = 0x01,      ///< Open for reading.
    Write = 0x02,     ///< Open for writing.
    AtEnd = 0x04,     ///< The position starts at the end.
    Truncate = 0x08,  ///< open: empty an existing file.
    Create = 0x10,    ///< open: create the file (and missing folders) when it is missing;
                      ///< createFile: go on when the path exists.
    Replace = 0x20,   ///< createFile: create missing folders, replace an existing file.
    Hidden = 0x40,    ///< Attribute of a new file.
    ReadOnly = 0x80,  ///< Attribute of a new file.
};
} // namespace FileMode

/// A file or folder, on the device's storage or inside an archive, bound by a
/// FileSystemManager or by another File's getParent, getChild, getNextChild or
/// resolveFile. Unbound, every operation says so (ResultCode::FileNotInitialized, or
/// false, null, 0, -1). A File is not opened by binding it: open it before reading,
/// writing or listing, and close it after.
///
/// read and write return byte counts, -1 on failure; the rest return result codes.
/// Files inside an archive are read-only: creating, writing and deleting there answer
/// the *NotAllowed codes (ResultCode::FileCreationNotAllowed and its siblings).
class PARVOLIN_API File {
public:
    /// An unbound File.
    File();
    /// Closes and releases the binding.
    virtual ~File();
    File(const File&) = delete;             ///< Not copyable: bind another File instead.
    File& operator=(const File&) = delete;  ///< Not copyable.

    /// \name Questions
    /// Each answers false, null or 0 for an unbound File.
    /// @{
    bool exists();        ///< Something exists at the path.
    bool isHidden();      ///< It has the hidden attribute.
    bool isReadable();    ///< It can be read.
    bool isWriteable();   ///< It can be written (never inside an archive).
    bool isSystemFile();  ///< It has the system attribute.
    bool isFolder();      ///< It is a folder.
    bool isFile();        ///< It is a file.
    bool isRoot();        ///< It is the root folder of its file system.
    bool isOpen();        ///< It is open.
    bool equals(File* other);  ///< Both are bound to the same file of the same file system.
    const wchar_t* getName();  ///< The last part of the path; owned by the File.
    const wchar_t* getPath();  ///< The path within its file system; owned by the File.
    const wchar_t* getScheme();  ///< "file" or "zip"; owned by the File.
    unsigned long getSize();   ///< Bytes in the file; 0 for a folder or a missing file.
    long tell();               ///< The position in bytes; -1 when unbound.
    /// @}
    /// Whether the last read or readLine reached the end; nothing else changes it.
    bool eof();

    /// Opens a file for reading and writing (archive members: for reading), or a folder
    /// for listing with getNextChild. 0 when already open; ResultCode::FileOpenError.
    long open();
    /// Opens with FileMode bits (FileMode::Read to read a file that may be read-only).
    /// ResultCode::FileOpenError, ParentOpenError (missing folders that cannot be created).
    long open(unsigned char mode);
    /// Closes the file or the listing. 0.
    long close();
    /// Creates an empty file at the path; 0 when a file is there already.
    /// ResultCode::FileCreateError, FolderCreationNotAllowed (a folder is there).
    long createFile();
    /// The same with FileMode bits (Create, Replace, Hidden, ReadOnly).
    long createFile(unsigned char mode);
    /// Creates the folder and the missing ones above it; 0 when it exists.
    /// ResultCode::FolderCreateError, ParentOpenError.
    long createFolder();
    /// Deletes the file. ResultCode::FileDoesNotExist, FolderDeletionNotAllowed (a
    /// folder), FileDeleteError.
    long deleteFile();
    /// Deletes the folder and everything in it. ResultCode::FolderDoesNotExist,
    /// FileDeletionNotAllowed (a file), FolderDeleteError (something in it could not be
    /// deleted; what could is gone).
    long deleteFolder();
    /// deleteFile or deleteFolder, whichever fits.
    long deleteAny();
    /// Moves the position by `offset` bytes from an origin: 0 the start, 1 the current
    /// position, 2 the end. ResultCode::UnknownSeekMethod, FileNotSeekable (a folder),
    /// SeekError.
    long seek(long offset, unsigned char origin);
    /// Moves to byte `position` from the start.
    long seek(long position);

    /// Reads up to `count` bytes into `buffer`: the bytes read (fewer at the end), -1 on
    /// failure.
    long read(void* buffer, unsigned long count);
    /// Reads one line byte by byte, each byte one character; carriage returns are skipped
    /// and the line feed is consumed, not stored. At most `max` characters, then a
    /// terminator: the buffer holds max + 1 characters. A limit of 0 reads nothing and
    /// stores the terminator alone.
    /// Returns the characters stored, -1 on a read error.
    long readLine(wchar_t* buffer, unsigned long max);
    /// Writes `count` bytes: the bytes written, -1 on failure.
    long write(const void* buffer, unsigned long count);
    /// Writes the low byte of every character; a null text writes "NULL".
    long write(const wchar_t* text);

    /// Binds `parent` to this file's folder. Each of these four binds the target to the
    /// file found and keeps the target's binding on failure: ResultCode::NullParameter,
    /// ParentOpenError (the root has no parent).
    long getParent(File* parent);
    /// Binds `child` to the entry `name` of this folder; ResultCode::NoMoreChildren when
    /// there is none.
    long getChild(File* child, const wchar_t* name);
    /// Binds `target` to `path` taken from this file: how the members of an archive
    /// bound by "zip:" are reached. ResultCode::ResolveError when nothing is found.
    long resolveFile(File* target, const wchar_t* path);
    /// Binds `child` to the next entry of this folder, opened with open(), in the order
    /// the file system lists them; ResultCode::NoMoreChildren after the last,
    /// FolderNotOpened, GetChildNotAllowed (not a folder).
    long getNextChild(File* child);

protected:
    /// Destroys the current internal file and takes the new one (may be null).
    void setInternalFile(FileInternal* internal);
    /// The internal file, or null when unbound.
    FileInternal* getInternalFile();

private:
    friend class FileSystemManager;

    // Binds `target` to `found`, or gives `missing` when nothing was found.
    static long bind(File* target, FileInternal* found, long missing);

    FileInternal* internal;
    bool endReached;
};

/// @}

#endif
