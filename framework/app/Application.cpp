#include "app/Application.h"

#include "app/Fps.h"
#include "audio/Audio.h"
#include "core/ResultCodes.h"
#include "display/Display.h"
#include "platform/windows/Messages.h"
#include "platform/system/Modules.h"
#include "platform/base/ProcCast.h"
#include "platform/system/Resources.h"
#include "platform/libraries/ShellHelper.h"
#include "platform/system/SystemServices.h"
#include "text/Panel.h"

#include <cstdlib>
#include <cwchar>
#include <new>

namespace {
constexpr UINT privateMinimizeMessage = WM_USER + 1;
constexpr WPARAM autoRepeatKeyCode = 0x84;  // VK_F21, which the device sends without a key press
constexpr UINT classStyle = CS_HREDRAW | CS_VREDRAW;
constexpr DWORD fullScreenHide = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;
constexpr DWORD fullScreenShow = SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON;
constexpr DWORD inputWaitMilliseconds = 250;
constexpr DWORD wakeOnAnyInput = 0x7F;
constexpr const wchar_t* classSuffix = L" WndCls";

// Copies as much of `text` as fits in `capacity` characters, terminator included.
void copyCut(wchar_t* target, size_t capacity, const wchar_t* text)
{
    size_t length = std::wcslen(text);
    if (length >= capacity)
        length = capacity - 1;
    std::wmemcpy(target, text, length);
    target[length] = 0;
}
} // namespace

Application* Application::currentApplication = nullptr;

Application::Application()
    : backBuffer(nullptr), panel(nullptr), shFullScreen(nullptr), shSipPreference(nullptr), shellLibrary(nullptr),
      window(nullptr), instance(nullptr), active(true), pauseFrames(0), quitRequested(false),
      minimizeRequested(false), lastError{}, windowClassName{}, display(nullptr), fps(nullptr), audio(nullptr)
{
    shellLibrary = LoadLibraryW(ShellHelperNames::library);
    if (shellLibrary) {
        shFullScreen = GetProcAddressW(shellLibrary, ShellHelperNames::fullScreen);
        shSipPreference = GetProcAddressW(shellLibrary, ShellHelperNames::sipPreference);
    }
}

Application::~Application()
{
    delete audio;
    delete fps;
    delete display;
    delete panel;
    if (shellLibrary)
        FreeLibrary(shellLibrary);
    // The window procedure must not reach an application that is gone.
    if (currentApplication == this)
        currentApplication = nullptr;
}

long Application::run()
{
    if (configure(&config) != 0) {
        setError(L"Error during configuration.");
        return ResultCode::GenericFailure;
    }
    if (!config.appName)
        config.appName = L"Parvolin";
    // A title too long for the class name is cut so that the suffix still fits.
    size_t suffixLength = std::wcslen(classSuffix);
    copyCut(windowClassName, textCapacity - suffixLength, config.appName);
    std::wcscat(windowClassName, classSuffix);

    // A second run makes its own display and pacer; those of the first go.
    delete display;
    delete fps;
    display = new (std::nothrow) Display();
    fps = new (std::nothrow) Fps();
    if (!display || !fps) {
        setError(L"Out of memory.");
        return ResultCode::GenericFailure;
    }
    if (!instance) {
        setError(L"Invalid configuration.");
        return ResultCode::GenericFailure;
    }
    // One instance of a game at a time: the first is brought forward instead.
    if (HWND other = FindWindowW(windowClassName, config.appName)) {
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(other) | 1));
        return 0;
    }
    long created = createMainWindow();
    if (created < 0)
        return created;
    openDisplay();
    // Sound after the display; a device without it leaves the mixer closed.
    delete audio;
    audio = new (std::nothrow) Audio();
    if (audio)
        audio->open();

    quitRequested = false;
    if (onInit(display->getBackBuffer(), panel, this) < 0)
        quitRequested = true;
    fps->start(config.fps);
    while (!quitRequested) {
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else if (mainLoop() < 0) {
            quitRequested = true;
        }
    }

    onExit();
    if (audio && audio->isOpen())
        audio->close();
    closeDisplay();
    destroyMainWindow();
    return 0;
}

long Application::shutdown()
{
    quitRequested = true;
    return 0;
}

long Application::minimize()
{
    minimizeRequested = true;
    return 0;
}

long Application::pause(unsigned long frames)
{
    if (frames == 0)
        return ResultCode::GenericFailure;
    pauseFrames = static_cast<uint32_t>(frames);
    return 0;
}

long Application::setError(const wchar_t* text)
{
    if (!text) {
        copyCut(lastError, textCapacity, L"Invalid error code description.");
        return ResultCode::GenericFailure;
    }
    copyCut(lastError, textCapacity, text);
    return 0;
}

wchar_t* Application::getLastError() { return lastError; }

HINSTANCE Application::getAppInstance() { return instance; }

void Application::setAppInstance(HINSTANCE newInstance) { instance = newInstance; }

Surface* Application::getBackBuffer() { return display ? display->getBackBuffer() : nullptr; }

long Application::flip() { return display ? display->flip() : ResultCode::GenericFailure; }

Fps* Application::getFps() { return fps; }

Audio* Application::getAudio() { return audio; }

long Application::createMainWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.style = config.doubleClicks ? classStyle | CS_DBLCLKS : classStyle;
    windowClass.lpfnWndProc = msgRouter;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCE(static_cast<unsigned>(config.iconId) & 0xFFFF));
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassW(&windowClass)) {
        setError(L"Could not register main window class.");
        return ResultCode::GenericFailure;
    }
    window = CreateWindowExW(WS_EX_TOPMOST, windowClassName, config.appName, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (!window) {
        UnregisterClassW(windowClassName, instance);
        setError(L"Could not create main window.");
        return ResultCode::GenericFailure;
    }
    SetFocus(window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    taskBar(window, 1);
    return 0;
}

long Application::destroyMainWindow()
{
    taskBar(window, 0);
    if (window) {
        DestroyWindow(window);
        window = nullptr;
        // So that the application, or another one, can run again in this process.
        UnregisterClassW(windowClassName, instance);
    }
    return 0;
}

long Application::openDisplay()
{
    if (display->openDisplay(window, &config) != 0) {
        setError(L"Could not open display.");
        // The device is left as it was found: the task bar comes back before the end.
        taskBar(window, 0);
        std::exit(-1);
    }
    backBuffer = display->getBackBuffer();
    panel = new (std::nothrow) Panel(backBuffer);
    return 0;
}

long Application::closeDisplay()
{
    display->closeDisplay();
    delete panel;
    panel = nullptr;
    return 0;
}

long Application::taskBar(HWND target, int fullScreen)
{
    HWND bar = FindWindowW(L"HHTaskbar", nullptr);
    if (!bar)
        bar = FindWindowW(L"Tray", nullptr);
    SHFullScreenFunction shellFullScreen = fromFarProc<SHFullScreenFunction>(shFullScreen);
    if (fullScreen) {
        if (shSipPreference)
            fromFarProc<SHSipPreferenceFunction>(shSipPreference)(target, SIP_DOWN);
        if (shellFullScreen)
            shellFullScreen(target, fullScreenHide);
        if (bar)
            ShowWindow(bar, SW_HIDE);
        MoveWindow(target, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), TRUE);
    } else {
        if (bar)
            ShowWindow(bar, SW_SHOW);
        if (shellFullScreen)
            shellFullScreen(target, fullScreenShow);
    }
    return 0;
}

LRESULT Application::msgRouter(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE && lParam) {
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        currentApplication = static_cast<Application*>(create->lpCreateParams);
    }
    if (currentApplication)
        return currentApplication->windowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

tagPOINT Application::stylusPoint(LPARAM lParam)
{
    tagPOINT point = {static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))),
                      static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
    display->deviceToLogical(&point);
    return point;
}

LRESULT Application::windowProc(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (!active) {
                taskBar(window, 1);
                display->resumeDisplay();
                if (audio)
                    audio->suspend(false);
                active = true;
                onRestore();
                fps->restart();
            }
        } else if (!config.stayInForeground) {
            minimize();
        } else if (!quitRequested && active) {
            SetForegroundWindow(window);
        }
        return 0;
    case WM_KEYDOWN: {
        if (lParam & KF_PREVIOUSLY_DOWN)
            return 0;
        KeyList keys = {};
        display->getKeyList(&keys);
        if (wParam != autoRepeatKeyCode)
            onKeyDown(wParam, keys);
        return 0;
    }
    case WM_KEYUP: {
        KeyList keys = {};
        display->getKeyList(&keys);
        onKeyUp(wParam, keys);
        return 0;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE)
            break;
        quitRequested = true;
        return 0;
    case WM_MOUSEMOVE:
        if (!active)
            break;
        onStylusMove(stylusPoint(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        onStylusDown(stylusPoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        onStylusUp(stylusPoint(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        onStylusDblClk(stylusPoint(lParam));
        return 0;
    case privateMinimizeMessage:
        if (active) {
            onMinimize();
            active = false;
            taskBar(window, 0);
            ShowWindow(window, SW_MINIMIZE);
            display->suspendDisplay();
            // Silent while away, unless the game goes on in the background.
            if (audio && !config.runInBackground)
                audio->suspend(true);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(target, message, wParam, lParam);
}

long Application::mainLoop()
{
    if (minimizeRequested) {
        PostMessageW(window, privateMinimizeMessage, 0, 0);
        minimizeRequested = false;
    }
    bool producing = active || config.runInBackground;
    if (producing) {
        if (pauseFrames > 0) {
            --pauseFrames;
        } else {
            long result = onNextFrame(backBuffer, panel);
            if (result < 0)
                return result;
        }
    }
    if (active)
        display->flip();
    if (producing)
        fps->wait();
    else
        MsgWaitForMultipleObjectsEx(0, nullptr, inputWaitMilliseconds, wakeOnAnyInput, 0);
    Sleep(0);
    return 0;
}
