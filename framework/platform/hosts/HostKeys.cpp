#include "platform/hosts/HostKeys.h"

#include "platform/base/InputCommand.h"

#include <cstring>

namespace HostKeys {

int ofKeyboard(const char* name)
{
    static const struct {
        const char* name;
        int key;
    } keys[] = {{"Up", InputCommand::Up_},       {"Down", InputCommand::Down_},
                {"Left", InputCommand::Left_},   {"Right", InputCommand::Right_},
                {"Return", InputCommand::Start_}, {"Keypad Enter", InputCommand::Start_},
                {"Z", InputCommand::A_},         {"X", InputCommand::B_},
                {"C", InputCommand::C_}};
    if (!name)
        return InputCommand::noKeyName;
    for (const auto& entry : keys)
        if (std::strcmp(entry.name, name) == 0)
            return entry.key;
    return InputCommand::noKeyName;
}

int ofPadButton(PadButton button)
{
    switch (button) {
    case PadButton::DpadUp:
        return InputCommand::Up_;
    case PadButton::DpadDown:
        return InputCommand::Down_;
    case PadButton::DpadLeft:
        return InputCommand::Left_;
    case PadButton::DpadRight:
        return InputCommand::Right_;
    case PadButton::A:
        return InputCommand::A_;
    case PadButton::B:
        return InputCommand::B_;
    case PadButton::X:
        return InputCommand::C_;
    case PadButton::Start:
        return InputCommand::Start_;
    default:
        return InputCommand::noKeyName;
    }
}

} // namespace HostKeys
