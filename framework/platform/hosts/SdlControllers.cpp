#include "platform/hosts/SdlControllers.h"
#include "platform/hosts/HostKeys.h"

#include <SDL2/SDL.h>

namespace {

int keyNameOfButton(uint8_t button)
{
    using HostKeys::PadButton;
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return HostKeys::ofPadButton(PadButton::DpadUp);
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return HostKeys::ofPadButton(PadButton::DpadDown);
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return HostKeys::ofPadButton(PadButton::DpadLeft);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return HostKeys::ofPadButton(PadButton::DpadRight);
    case SDL_CONTROLLER_BUTTON_A:
        return HostKeys::ofPadButton(PadButton::A);
    case SDL_CONTROLLER_BUTTON_B:
        return HostKeys::ofPadButton(PadButton::B);
    case SDL_CONTROLLER_BUTTON_X:
        return HostKeys::ofPadButton(PadButton::X);
    case SDL_CONTROLLER_BUTTON_START:
        return HostKeys::ofPadButton(PadButton::Start);
    default:
        return InputCommand::noKeyName;
    }
}
} // namespace

SdlControllers::SdlControllers()
{
    // Without the subsystem the window works on; it has no gamepads then.
    ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlControllers::~SdlControllers()
{
    for (Pad& pad : pads)
        if (pad.controller)
            SDL_GameControllerClose(pad.controller);
    if (ready)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

SdlControllers::Pad* SdlControllers::find(int32_t instance, bool make)
{
    for (Pad& pad : pads)
        if (pad.instance == instance)
            return &pad;
    if (!make || pads.size() >= maxControllers)
        return nullptr;
    pads.push_back({instance, nullptr, HeldKeys()});
    pads.back().keys.setRepeats(HeldKeys::padRepeatDelay, HeldKeys::padRepeatInterval);
    return &pads.back();
}

void SdlControllers::remove(int32_t instance, std::vector<InputCommand>& out)
{
    for (size_t i = 0; i < pads.size(); ++i)
        if (pads[i].instance == instance) {
            pads[i].keys.releaseAll(out);
            if (pads[i].controller)
                SDL_GameControllerClose(pads[i].controller);
            pads.erase(pads.begin() + static_cast<ptrdiff_t>(i));
            return;
        }
}

bool SdlControllers::handle(const SDL_Event& event, uint64_t now, std::vector<InputCommand>& out)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
        // `which` is the joystick's index here, and its instance in every later event.
        SDL_GameController* controller = ready ? SDL_GameControllerOpen(event.cdevice.which) : nullptr;
        if (!controller)
            return true;
        int32_t instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        Pad* pad = find(instance, true);
        if (pad && !pad->controller)
            pad->controller = controller;
        else
            SDL_GameControllerClose(controller);
        return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
        remove(event.cdevice.which, out);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (Pad* pad = find(event.cbutton.which, true))
            pad->keys.hold(keyNameOfButton(event.cbutton.button), HeldKeys::Button,
                           event.type == SDL_CONTROLLERBUTTONDOWN, now, out);
        return true;
    case SDL_CONTROLLERAXISMOTION: {
        Pad* pad = find(event.caxis.which, true);
        if (!pad)
            return true;
        int direction = HeldKeys::axisDirection(event.caxis.value, SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX);
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
            pad->keys.axis(InputCommand::Left_, InputCommand::Right_, HeldKeys::Stick, direction, now, out);
        else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
            pad->keys.axis(InputCommand::Up_, InputCommand::Down_, HeldKeys::Stick, direction, now, out);
        return true;
    }
    default:
        return false;
    }
}

void SdlControllers::repeatDue(uint64_t now, std::vector<InputCommand>& out)
{
    for (Pad& pad : pads)
        pad.keys.repeatDue(now, out);
}
