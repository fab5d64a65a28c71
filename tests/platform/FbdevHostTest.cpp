// The frame-buffer host in the test's own process, over plain files and FIFOs standing in
// for the frame buffer and the input event devices.
#include "platform/base/HostText.h"
#include "platform/base/VirtualKeys.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/hosts/ConsoleMode.h"
#include "platform/hosts/FbdevHost.h"
#include "platform/input/InputSchedule.h"
#include "platform/windows/Messages.h"
#include "support/DeviceScope.h"
#include "support/InputEvents.h"
#include "support/TempFolder.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/input.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

// Every variable the host reads, so that the machine's own do not leak in.
std::map<std::string, std::string> hostVariables(std::map<std::string, std::string> given)
{
    for (const char* name : {"PARVOLIN_VIDEO", "PARVOLIN_FBDEV", "PARVOLIN_FBDEV_MODE", "PARVOLIN_EVDEV",
                             "PARVOLIN_EVDEV_KIND", "PARVOLIN_SCALE", "DISPLAY", "WAYLAND_DISPLAY"})
        given.emplace(name, "");
    return given;
}

std::string contents(const std::string& path)
{
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

struct Refusal {
    const char* what;
    std::map<std::string, std::string> variables;  // "@" stands for the test's folder
    const char* said;                               // part of the reason, "@" the folder
};

class FbdevHostRefusal : public ::testing::TestWithParam<Refusal> {};

// A host that cannot serve says why, naming the path or the value, and leaves the frame
// buffer as it was; nothing is created.
TEST_P(FbdevHostRefusal, SaysWhyAndChangesNothing)
{
    TempFolder folder;
    folder.write(L"plain", "not a frame buffer");
    auto local = [&](std::string text) {
        for (size_t at; (at = text.find('@')) != std::string::npos;)
            text.replace(at, 1, folder.hostPath());
        return text;
    };
    std::map<std::string, std::string> variables;
    for (const auto& variable : GetParam().variables)
        variables[variable.first] = local(variable.second);
    ScopedEnvironment environment(hostVariables(variables));
    std::string why;
    EXPECT_EQ(nullptr, FbdevHost::create(why));
    EXPECT_NE(std::string::npos, why.find(local(GetParam().said))) << why;
    EXPECT_EQ("not a frame buffer", contents(folder.hostPath("plain")));
    EXPECT_NE(0, access(folder.hostPath("missing").c_str(), F_OK));
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FbdevHostRefusal,
    ::testing::Values(
        Refusal{"missing", {{"PARVOLIN_VIDEO", "fbdev"}, {"PARVOLIN_FBDEV", "@/missing"}}, "@/missing cannot be opened"},
        Refusal{"plain", {{"PARVOLIN_VIDEO", "fbdev"}, {"PARVOLIN_FBDEV", "@/plain"}}, "@/plain is not a frame buffer"},
        Refusal{"mode", {{"PARVOLIN_VIDEO", "fbdev"}, {"PARVOLIN_FBDEV", "@/plain"}, {"PARVOLIN_FBDEV_MODE", "64x48x8"}},
                "PARVOLIN_FBDEV_MODE \"64x48x8\""},
        Refusal{"kind",
                {{"PARVOLIN_VIDEO", "fbdev"},
                 {"PARVOLIN_FBDEV", "@/plain"},
                 {"PARVOLIN_FBDEV_MODE", "64x48x16"},
                 {"PARVOLIN_EVDEV_KIND", "@/plain:stylus"}},
                "PARVOLIN_EVDEV_KIND \"@/plain:stylus\""},
        Refusal{"desktop", {{"PARVOLIN_FBDEV", "@/plain"}, {"PARVOLIN_FBDEV_MODE", "64x48x16"}, {"DISPLAY", ":9"}},
                "there is a desktop"},
        Refusal{"other", {{"PARVOLIN_VIDEO", "sdl"}, {"PARVOLIN_FBDEV", "@/plain"}, {"PARVOLIN_FBDEV_MODE", "64x48x16"}},
                "only when PARVOLIN_VIDEO is not set"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.what); });

// With PARVOLIN_VIDEO unset and no desktop the host takes a frame buffer it can write.
TEST(FbdevHost, ServesWithoutBeingNamedWhereThereIsNoDesktop)
{
    TempFolder folder;
    folder.write(L"fb", "");
    ScopedEnvironment environment(hostVariables(
        {{"PARVOLIN_FBDEV", folder.hostPath("fb")}, {"PARVOLIN_FBDEV_MODE", "64x48x16+130"},
         {"PARVOLIN_EVDEV", folder.hostPath("fb")}, {"PARVOLIN_EVDEV_KIND", folder.hostPath("fb") + ":keys"}}));
    std::string why;
    EXPECT_NE(nullptr, FbdevHost::create(why)) << why;
    EXPECT_EQ(130u * 48, contents(folder.hostPath("fb")).size()) << "the file is sized to the mode";
}

// PARVOLIN_SCALE: a whole number from 1 to 8 applies, even where the glass does not fit
// (800 x 700 holds the 240 x 320 glass twice); anything else is reported, and the largest
// scale that fits is used.
TEST(FbdevHost, TakesTheScaleAskedForOrTheLargestThatFits)
{
    const struct {
        const char* asked;
        int scale;
        const char* said;  // a part of what stderr says; empty: nothing
    } cases[] = {
        {"", 2, ""},
        {"1", 1, ""},
        {"3", 3, "at PARVOLIN_SCALE 3 the glass (240x320) is larger than the screen"},
        {"9", 2,
         "PARVOLIN_SCALE \"9\" is not a whole number from 1 to 8; using the largest scale that fits the screen"},
        {"2x", 2, "PARVOLIN_SCALE \"2x\""},
    };
    TempFolder folder;
    folder.write(L"fb", "");
    ScopedDeviceProfile device("pocketpc2003");
    for (const auto& c : cases) {
        ScopedEnvironment environment(hostVariables(
            {{"PARVOLIN_VIDEO", "fbdev"}, {"PARVOLIN_FBDEV", folder.hostPath("fb")},
             {"PARVOLIN_FBDEV_MODE", "800x700x16"}, {"PARVOLIN_SCALE", c.asked},
             {"PARVOLIN_EVDEV", folder.hostPath("fb")}, {"PARVOLIN_EVDEV_KIND", folder.hostPath("fb") + ":keys"}}));
        std::string why;
        ::testing::internal::CaptureStderr();
        std::unique_ptr<Host> created = FbdevHost::create(why);
        if (created)
            created->deliverInput();  // the glass is placed with the first look at the input
        const std::string said = ::testing::internal::GetCapturedStderr();
        ASSERT_NE(nullptr, created) << why;
        EXPECT_EQ(c.scale, static_cast<FbdevHost&>(*created).placement().scale) << c.asked;
        if (*c.said)
            EXPECT_NE(std::string::npos, said.find(c.said)) << said;
        else
            EXPECT_EQ("", said);
    }
}

// Touch, a pad and a mouse, as files the host reads as they grow; the glass and the
// pointer on a 640 x 480 XRGB frame buffer.
TEST(FbdevHost, ShowsTheGlassAndTurnsEveryKindOfDeviceIntoTheDevicesInput)
{
    TempFolder folder;
    for (const char* name : {"fb", "touch", "pad", "mouse", "unknown"})
        folder.write(HostText::fromUtf8(name), "");
    auto path = [&](const char* name) { return folder.hostPath(name); };
    ScopedEnvironment environment(hostVariables(
        {{"PARVOLIN_VIDEO", "fbdev"},
         {"PARVOLIN_FBDEV", path("fb")},
         {"PARVOLIN_FBDEV_MODE", "640x480x32"},
         {"PARVOLIN_EVDEV",
          path("touch") + "," + path("pad") + "," + path("mouse") + "," + path("missing") + "," + path("unknown")},
         {"PARVOLIN_EVDEV_KIND", path("touch") + ":touch," + path("pad") + ":pad," + path("mouse") + ":mouse"}}));
    std::string why;
    ::testing::internal::CaptureStderr();
    std::unique_ptr<Host> created = FbdevHost::create(why);
    std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(nullptr, created) << why;
    EXPECT_NE(std::string::npos, said.find(path("missing") + " cannot be opened")) << said;
    EXPECT_NE(std::string::npos, said.find(path("unknown") + " does not answer as an input device")) << said;
    FbdevHost& host = static_cast<FbdevHost&>(*created);
    Hosts::install(&host);
    ScopedDeviceProfile device("pocketpc2003");
    InputSchedule::current().reset();
    {
        TestWindow window(L"Input");
        // The glass at (200, 80): screen (320, 240) is glass (120, 160).
        appendBytes(path("touch"), touchDown(320, 240) + touchMove(330, 240) + touchUp());
        appendBytes(path("pad"), eventBytes({{EV_ABS, ABS_HAT0Y, -1}, {EV_KEY, BTN_SOUTH, 1}}));  // no report yet
        appendBytes(path("mouse"), eventBytes({{EV_REL, REL_X, 5}, {EV_REL, REL_Y, -3}, {EV_SYN, SYN_REPORT, 0}}));
        EXPECT_TRUE(host.waitForInput(0)) << "files that grew have input";
        ::testing::internal::CaptureStderr();
        host.deliverInput();
        EXPECT_FALSE(host.waitForInput(1)) << "all read";
        std::vector<MSG> taken = takeMessages();
        ASSERT_EQ(3u, taken.size());
        EXPECT_EQ(WM_LBUTTONDOWN, taken[0].message);
        EXPECT_EQ(MAKELPARAM(120, 160), taken[0].lParam);
        EXPECT_EQ(WM_MOUSEMOVE, taken[1].message);
        EXPECT_EQ(MAKELPARAM(130, 160), taken[1].lParam);
        EXPECT_EQ(WM_LBUTTONUP, taken[2].message);

        // The pad's unit ends when its report comes.
        appendBytes(path("pad"), eventBytes({{EV_SYN, SYN_REPORT, 0}}));
        host.deliverInput();
        taken = takeMessages();
        ASSERT_EQ(2u, taken.size());
        EXPECT_EQ(WPARAM(VK_UP), taken[0].wParam);
        EXPECT_EQ(WPARAM(VK_APP1), taken[1].wParam);
        EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "the devices left out were listed once";

        EmulatedScreen& screen = *EmulatedScreen::current();
        std::memset(screen.memoryStart(), 0xFF, screen.memorySize());
        const uint16_t red = 0xF800;
        std::memcpy(screen.origin(), &red, 2);
        host.present(screen);
        const FrameBuffer& frameBuffer = host.frameBuffer();
        auto at = [&](uint32_t x, uint32_t y) {
            uint32_t value;
            std::memcpy(&value, frameBuffer.pixels() + y * frameBuffer.geometry().lineBytes + x * 4, 4);
            return value;
        };
        EXPECT_EQ(0xFF0000u, at(200, 80)) << "glass (0, 0)";
        EXPECT_EQ(0xFFFFFFu, at(439, 399)) << "glass (239, 319)";
        EXPECT_EQ(0u, at(199, 80)) << "black around";
        EXPECT_EQ(0u, at(440, 399));
        EXPECT_EQ(0u, at(200, 79));
        // The pointer moved from the glass's centre (320, 240) by (5, -3): its tip is
        // outlined in black, its body white.
        EXPECT_EQ(0u, at(325, 237));
        EXPECT_EQ(0xFFFFFFu, at(326, 239));
        EXPECT_EQ(0u, at(327, 239));
    }
    Hosts::install(nullptr);
    InputSchedule::current().reset();
}

// A device whose stream ends (a FIFO's writer closed it) is dropped with a line on stderr:
// its stylus is lifted and the game goes on.
TEST(FbdevHost, ADeviceThatGoesAwayIsDroppedAndItsStylusLifted)
{
    TempFolder folder;
    folder.write(L"fb", "");
    std::string fifo = folder.hostPath("touch");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    int writer = open(fifo.c_str(), O_RDWR);  // the writer is there before the host reads
    ASSERT_GE(writer, 0);
    ScopedEnvironment environment(hostVariables({{"PARVOLIN_VIDEO", "fbdev"},
                                                 {"PARVOLIN_FBDEV", folder.hostPath("fb")},
                                                 {"PARVOLIN_FBDEV_MODE", "240x320x16"},
                                                 {"PARVOLIN_EVDEV", fifo},
                                                 {"PARVOLIN_EVDEV_KIND", fifo + ":touch"}}));
    std::string why;
    std::unique_ptr<Host> host = FbdevHost::create(why);
    ASSERT_NE(nullptr, host) << why;
    Hosts::install(host.get());
    ScopedDeviceProfile device("pocketpc2003");
    InputSchedule::current().reset();
    {
        TestWindow window(L"Input");
        EXPECT_FALSE(host->waitForInput(10)) << "nothing came";
        std::string down = touchDown(10, 20);
        ASSERT_EQ(ssize_t(down.size()), write(writer, down.data(), down.size()));
        EXPECT_TRUE(host->waitForInput(10000));
        host->deliverInput();
        EXPECT_EQ(1u, takeMessages().size());
        close(writer);
        ::testing::internal::CaptureStderr();
        host->deliverInput();
        host->deliverInput();
        std::string said = ::testing::internal::GetCapturedStderr();
        std::vector<MSG> taken = takeMessages();
        ASSERT_EQ(1u, taken.size());
        EXPECT_EQ(WM_LBUTTONUP, taken[0].message);
        EXPECT_EQ(MAKELPARAM(10, 20), taken[0].lParam);
        EXPECT_NE(std::string::npos, said.find("the input device " + fifo + " went away")) << said;
        EXPECT_EQ(said.find("went away"), said.rfind("went away")) << "said once";
    }
    Hosts::install(nullptr);
    InputSchedule::current().reset();
}

struct Ending {
    const char* name;
    int signal;  // 0: the program returns (after leave()) or calls exit(3)
    bool leaves;
};

class ConsoleGuard : public ::testing::TestWithParam<Ending> {};

// However the program ends, the console is put back once, before the signal's own action:
// seen here on a pipe standing in for the terminal, in a child process.
TEST_P(ConsoleGuard, PutsTheConsoleBackHoweverTheProgramEnds)
{
    const Ending& ending = GetParam();
    int ends[2];
    ASSERT_EQ(0, pipe(ends));
    std::fflush(nullptr);  // what the parent has buffered is not the child's to write
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ends[0]);
        rlimit noCore = {0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        ConsoleMode::guard(ends[1], false, 0);
        if (ending.leaves)
            ConsoleMode::leave();
        if (ending.signal)
            raise(ending.signal);
        std::exit(ending.leaves ? 0 : 3);
    }
    close(ends[1]);
    std::string written;
    char buffer[64];
    for (ssize_t got; (got = read(ends[0], buffer, sizeof(buffer))) > 0;)
        written.append(buffer, static_cast<size_t>(got));
    close(ends[0]);
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_EQ("\033[?25h", written) << "the cursor shown again, once";
    if (!ending.signal)
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (ending.leaves ? 0 : 3));
    else if (ending.signal != SIGSEGV)
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == ending.signal);
    else  // by the signal, or by a sanitizer's handler that was there before
        EXPECT_FALSE(WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 3));
}

INSTANTIATE_TEST_SUITE_P(Endings, ConsoleGuard,
                         ::testing::Values(Ending{"returns", 0, true}, Ending{"exits", 0, false},
                                           Ending{"interrupted", SIGINT, false}, Ending{"terminated", SIGTERM, false},
                                           Ending{"hungUp", SIGHUP, false}, Ending{"crashes", SIGSEGV, false}),
                         [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

} // namespace
