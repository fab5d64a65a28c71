#ifndef PARVOLIN_FILE_INTERNAL_H
#define PARVOLIN_FILE_INTERNAL_H

class FileSystem;

// One file or folder of one file system, behind a File. Objects handed out by the
// operations that return a FileInternal* belong to the caller.
class FileInternal {
public:
    virtual ~FileInternal();

    virtual FileSystem* getFileSystem() = 0;
    virtual bool exists() = 0;
    virtual bool isHidden() = 0;
    virtual bool isReadable() = 0;
    virtual bool isWriteable() = 0;
    virtual bool isSystemFile() = 0;
    virtual bool isFolder() = 0;
    virtual bool isFile() = 0;
    virtual bool isRoot() = 0;
    virtual bool isOpen() = 0;
    virtual bool equals(FileInternal* other) = 0;
    virtual const wchar_t* getName() = 0;
    virtual const wchar_t* getPath() = 0;
    virtual FileInternal* getParent() = 0;
    virtual unsigned long getSize() = 0;
    virtual const wchar_t* getScheme() = 0;
    virtual long open(unsigned char mode) = 0;
    virtual long open() = 0;
    // Bytes read, 0 at the end, -1 on error.
    virtual long read(void* buffer, unsigned long count) = 0;
    virtual long write(const wchar_t* text) = 0;
    virtual long write(const void* buffer, unsigned long count) = 0;
    virtual long seek(long position) = 0;
    virtual long seek(long offset, unsigned char origin) = 0;
    virtual long tell() = 0;
    // Null at the end of the listing (error 0) or on failure (the code in error).
    virtual FileInternal* getNextChild(unsigned char* error) = 0;
    virtual long close() = 0;
    virtual long createFile(unsigned char mode) = 0;
    virtual long createFile() = 0;
    virtual long createFolder() = 0;
    virtual long deleteFile() = 0;
    virtual long deleteFolder() = 0;
    virtual long deleteAny();
    virtual FileInternal* getChild(const wchar_t* name);
    virtual FileInternal* resolveFile(const wchar_t* path) = 0;

protected:
    // For getNextChild: stores `code` in the error byte (when there is one), gives null.
    static FileInternal* noChild(unsigned char* error, long code);
};

#endif
