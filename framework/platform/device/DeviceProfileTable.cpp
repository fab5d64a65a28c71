#include "platform/device/DeviceProfileTable.h"

#include "platform/base/LastError.h"
#include "platform/base/VirtualKeys.h"

namespace {

// The OS timer of the handhelds' XScale processors.
constexpr LONGLONG xscaleTimerFrequency = 3686400;

const DeviceKeys pocketPcKeys = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_RETURN, VK_APP1, VK_APP2, VK_APP3};
const DeviceKeys smartphoneKeys = {VK_TUP, VK_TDOWN, VK_TLEFT, VK_TRIGHT, VK_TACTION, VK_TSOFT1, VK_TSOFT2, VK_TBACK};

FrameBufferLayout rows565(DWORD width, DWORD height)
{
    return {width, height, 2, static_cast<LONG>(2 * width), 16, kfDirect565, 0};
}

GapiReport gapi(const FrameBufferLayout& layout, DWORD format)
{
    return {true, layout.width, layout.height, layout.xPitch, layout.yPitch, static_cast<LONG>(layout.bitsPerPixel),
            format};
}

RawFrameBufferReport rawFrameBuffer(const FrameBufferLayout& layout, WORD format)
{
    return {true,
            format,
            static_cast<WORD>(layout.bitsPerPixel),
            layout.xPitch,
            layout.yPitch,
            static_cast<LONG>(layout.width),
            static_cast<LONG>(layout.height)};
}

DirectDrawReport directDraw(const FrameBufferLayout& layout)
{
    return {true, layout.width, layout.height, layout.xPitch, layout.yPitch, layout.bitsPerPixel};
}

// A Pocket PC of the given system version with a plain row-major screen: the Game API
// reports the frame buffer as it is; the raw query and DirectDraw are absent.
DeviceProfile pocketPc(const char* name, const char* description, DWORD major, DWORD minor, DWORD build,
                       const FrameBufferLayout& layout)
{
    DeviceProfile profile = {};
    profile.name = name;
    profile.description = description;
    profile.osMajor = major;
    profile.osMinor = minor;
    profile.osBuild = build;
    profile.platformType = L"PocketPC";
    profile.oemInfo = L"Parvolin Emulated Pocket PC";
    profile.screenWidth = layout.width;
    profile.screenHeight = layout.height;
    profile.frameBuffer = layout;
    profile.gapi = gapi(layout, kfDirect | layout.format);
    profile.keys = pocketPcKeys;
    profile.shellHelper = true;
    profile.performanceFrequency = xscaleTimerFrequency;
    profile.taskBarClass = L"HHTaskbar";
    profile.sound = {true, 44100, 2, 16};
    return profile;
}

DeviceProfile smartphone(const char* name, const char* description, DWORD major, DWORD minor, DWORD build,
                         const FrameBufferLayout& layout)
{
    DeviceProfile profile = pocketPc(name, description, major, minor, build, layout);
    profile.platformType = L"Smartphone";
    profile.oemInfo = L"Parvolin Emulated Smartphone";
    profile.keys = smartphoneKeys;
    profile.taskBarClass = L"Tray";
    profile.rawFrameBuffer = rawFrameBuffer(layout, FORMAT_565);
    return profile;
}

std::vector<DeviceProfile> buildTable()
{
    std::vector<DeviceProfile> table;

    table.push_back(pocketPc("pocketpc2002", "Pocket PC 2002, 240x320 RGB565, Game API only", 3, 0, 11171,
                             rows565(240, 320)));

    DeviceProfile ppc2003 =
        pocketPc("pocketpc2003", "Pocket PC 2003, 240x320 RGB565, raw frame buffer", 4, 20, 1081, rows565(240, 320));
    ppc2003.rawFrameBuffer = rawFrameBuffer(ppc2003.frameBuffer, FORMAT_565);
    table.push_back(ppc2003);

    // Its frame buffer is stored rotated, at a fixed address, and its Game API reports a
    // plain portrait layout that is not true.
    DeviceProfile ipaq = pocketPc("ipaq-h3800", "Compaq iPAQ H3800, rotated frame buffer, wrong Game API report", 3,
                                  0, 11171, {240, 320, -640, 2, 16, kfDirect565, 0xAC0755A0});
    ipaq.oemInfo = L"Compaq iPAQ H3800";
    ipaq.gapi = gapi(rows565(240, 320), kfDirect | kfDirect565);
    table.push_back(ipaq);

    // High-resolution screens: the Game API offers its low-resolution emulation.
    DeviceProfile vga = pocketPc("pocketpc2005-vga", "Windows Mobile 5 Pocket PC, 480x640 RGB565, DirectDraw", 5, 1,
                                 1700, rows565(480, 640));
    vga.gapi = gapi(rows565(240, 320), kfDirect | kfDirect565);
    vga.rawFrameBuffer = rawFrameBuffer(vga.frameBuffer, FORMAT_565);
    vga.directDraw = directDraw(vga.frameBuffer);
    table.push_back(vga);

    DeviceProfile square = pocketPc("pocketpc2005-square", "Windows Mobile 5 Pocket PC, 480x480 RGB565, DirectDraw",
                                    5, 1, 1700, rows565(480, 480));
    square.gapi = gapi(rows565(240, 240), kfDirect | kfDirect565);
    square.rawFrameBuffer = rawFrameBuffer(square.frameBuffer, FORMAT_565);
    square.directDraw = directDraw(square.frameBuffer);
    table.push_back(square);

    // Refuses the platform-type query to unprivileged programs, and has no sound output.
    DeviceProfile sp2003 = smartphone("smartphone2003",
                                      "Smartphone 2003, 176x220 RGB565, platform query refused, no sound", 4, 21, 1088,
                                      rows565(176, 220));
    sp2003.sound = {};
    sp2003.platformType = nullptr;
    sp2003.platformTypeError = ERROR_ACCESS_DENIED;
    table.push_back(sp2003);

    DeviceProfile sp2005 = smartphone("smartphone2005", "Windows Mobile 5 Smartphone, 240x320 RGB565, DirectDraw", 5,
                                      1, 1700, rows565(240, 320));
    sp2005.directDraw = directDraw(sp2005.frameBuffer);
    table.push_back(sp2005);

    FrameBufferLayout rows555 = rows565(240, 320);
    rows555.format = kfDirect555;
    DeviceProfile ppc555 =
        pocketPc("pocketpc2003-rgb555", "Pocket PC 2003, 240x320 RGB555, raw frame buffer", 4, 20, 1081, rows555);
    ppc555.rawFrameBuffer = rawFrameBuffer(rows555, FORMAT_555);
    table.push_back(ppc555);

    DeviceProfile noCounter = pocketPc("pocketpc2002-nocounter", "Pocket PC 2002 without a performance counter", 3, 0,
                                       11171, rows565(240, 320));
    noCounter.performanceFrequency = 0;
    table.push_back(noCounter);

    FrameBufferLayout rows888 = {240, 320, 3, 720, 24, 0, 0};
    DeviceProfile deep = pocketPc("pocketpc2003-24bit", "Pocket PC 2003 with an unsupported 24-bit frame buffer", 4,
                                  20, 1081, rows888);
    deep.gapi = gapi(rows888, kfDirect | kfDirect888);
    deep.rawFrameBuffer = rawFrameBuffer(rows888, FORMAT_OTHER);
    table.push_back(deep);

    return table;
}
} // namespace

const std::vector<DeviceProfile>& knownDeviceProfiles()
{
    static const std::vector<DeviceProfile> table = buildTable();
    return table;
}
