// Writes each input as an archive file and reaches every member through "zip:": resolves,
// lists, opens, reads, seeks and tells. Whatever the archive holds, the answers are result
// codes, and reading and seeking agree with each other.
#include "FuzzFiles.h"

#include "files/File.h"
#include "files/FileSystemManager.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string archivePath;
std::wstring archiveUri;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "zip_fuzz: %s\n", what);
    std::abort();
}

// Every byte of an open member, in blocks of `step`; false on a read error.
bool readAll(File& file, unsigned long step, std::string& out)
{
    static char block[4096];
    out.clear();
    for (;;) {
        long got = file.read(block, step);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (static_cast<unsigned long>(got) > step)
            fail("read more than asked");
        out.append(block, static_cast<size_t>(got));
    }
}

void exerciseMember(File& root, File& member)
{
    File again;
    if (root.resolveFile(&again, member.getPath()) == 0 && !again.equals(&member) && !member.isRoot())
        fail("a member resolved by its own path is another file");
    File parent;
    member.getParent(&parent);
    if (member.open() != 0)
        return;
    std::string first;
    if (!readAll(member, 4096, first))
        return;
    // The end is where reading stopped; the start reads the same bytes again.
    if (member.seek(0, 2) != 0 || member.tell() != static_cast<long>(first.size()))
        fail("the end is not where reading stopped");
    std::string second;
    if (member.seek(0) != 0 || !readAll(member, 13, second) || second != first)
        fail("reading again gives other bytes");
    long middle = static_cast<long>(first.size() / 2);
    char byte;
    if (member.seek(middle, 0) != 0 || member.tell() != middle)
        fail("seek from the start went astray");
    if (!first.empty() && (member.read(&byte, 1) != 1 || byte != first[static_cast<size_t>(middle)]))
        fail("the byte after a seek is wrong");
    member.seek(-5, 1);
    member.seek(1 << 30, 1);
    member.seek(-(1L << 40), 2);
    if (member.tell() != 0)
        fail("seeking before the start did not stop at it");
    member.seek(7, 9);
    wchar_t line[65];
    member.readLine(line, 64);
    member.close();
}

void walk(File& root, File& folder, int depth)
{
    if (depth > 16 || folder.open() != 0)
        return;
    File child;
    for (int count = 0; count < 4096 && folder.getNextChild(&child) == 0; ++count) {
        if (child.isFolder())
            walk(root, child, depth + 1);
        else
            exerciseMember(root, child);
    }
    folder.close();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    archivePath = FuzzFiles::temporaryPath("zip-fuzz", ".zip");
    archiveUri = FuzzFiles::uri(L"zip:", archivePath);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzFiles::write(archivePath, data, size);
    FileSystemManager manager;
    File root;
    if (manager.resolveFile(&root, archiveUri.c_str()) != 0)
        return 0;
    if (!root.isRoot() || !root.isFolder())
        fail("an archive resolved to something other than its root");
    walk(root, root, 0);
    File top;
    if (root.getParent(&top) == 0)
        walk(root, top, 0);
    return 0;
}
