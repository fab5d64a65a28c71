// Input scripts (PARVOLIN_SCRIPT text) of every shape: each command, numbers near their
// limits, long lines, frames near 2^32, every kind of line end. A script that parses is
// recorded as the device's recorder writes it and read back: the same commands again.
#include "FuzzFiles.h"

#include "platform/input/InputRecorder.h"
#include "platform/input/InputScript.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string recordingPath;

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "script_fuzz: %s: %s\n", what, detail.c_str());
    std::abort();
}

bool same(const InputCommand& a, const InputCommand& b)
{
    return a.kind == b.kind && a.frame == b.frame && a.x == b.x && a.y == b.y && a.keyName == b.keyName &&
           a.key == b.key && a.path == b.path;
}

void expectSame(const std::vector<InputCommand>& first, const std::vector<InputCommand>& again, const char* how)
{
    if (first.size() != again.size())
        fail(how, "another number of commands");
    for (size_t i = 0; i < first.size(); ++i)
        if (!same(first[i], again[i]))
            fail(how, InputScript::format(first[i]) + " came back as " + InputScript::format(again[i]));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    recordingPath = FuzzFiles::temporaryPath("script-fuzz", ".script");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<InputCommand> commands;
    std::string error;
    if (!InputScript::parse(text, commands, error)) {
        if (error.empty() || !commands.empty())
            fail("a refusal without a reason, or with commands kept", error);
        return 0;
    }
    // Each command's line parses to the same command.
    std::string written;
    for (const InputCommand& command : commands)
        written += InputScript::format(command) + "\n";
    std::vector<InputCommand> again;
    if (!InputScript::parse(written, again, error))
        fail("a formatted script does not parse", error);
    expectSame(commands, again, "formatted and parsed");

    // Recorded through the device's recorder and loaded as a script file.
    InputRecorder recorder;
    if (!recorder.open(recordingPath, "fuzz", error))
        fail("the recording cannot be written", error);
    for (const InputCommand& command : commands)
        recorder.write(command.frame, command);
    recorder.close();
    std::vector<InputCommand> loaded;
    if (!InputScript::load(recordingPath, loaded, error))
        fail("a recording does not load", error);
    expectSame(commands, loaded, "recorded and loaded");
    return 0;
}
