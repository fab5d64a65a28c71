#include "app/State.h"

#include "text/Panel.h"

#include <new>

State::State() : defaultPanel(nullptr), entries(new (std::nothrow) Entry[maxHandlers]), entryCount(0) {}

// The default panel was made by this state, so it goes with it.
State::~State()
{
    delete defaultPanel;
    delete[] entries;
}

void State::addEventHandler(EventHandler* handler, Panel* panel, bool relativeToPanel, bool outsidePanel)
{
    if (!handler || !entries || entryCount >= maxHandlers)
        return;
    entries[entryCount++] = Entry{handler, panel, relativeToPanel, outsidePanel};
}

template <typename Call>
long State::forward(Call call)
{
    for (uint16_t i = 0; i < entryCount; ++i) {
        if (long result = call(entries[i]))
            return result;
    }
    return 0;
}

long State::onInit(Surface* surface, Panel*, Application* application)
{
    if (!defaultPanel)
        defaultPanel = new (std::nothrow) Panel(surface);
    return forward([&](Entry& e) { return e.handler->onInit(surface, e.panel ? e.panel : defaultPanel, application); });
}

long State::onNextFrame(Surface* surface, Panel*)
{
    return forward([&](Entry& e) { return e.handler->onNextFrame(surface, e.panel ? e.panel : defaultPanel); });
}

long State::onExit()
{
    return forward([](Entry& e) { return e.handler->onExit(); });
}

long State::onMinimize()
{
    return forward([](Entry& e) { return e.handler->onMinimize(); });
}

long State::onRestore()
{
    return forward([](Entry& e) { return e.handler->onRestore(); });
}

long State::onKeyDown(unsigned long key, KeyList& keys)
{
    return forward([&](Entry& e) { return e.handler->onKeyDown(key, keys); });
}

long State::onKeyUp(unsigned long key, KeyList& keys)
{
    return forward([&](Entry& e) { return e.handler->onKeyUp(key, keys); });
}

long State::forwardStylus(tagPOINT point, long (EventHandler::*event)(tagPOINT))
{
    return forward([&](Entry& e) -> long {
        if (!e.panel)
            return (e.handler->*event)(point);
        tagRECT r;
        e.panel->getBackSurface(&r);
        // Strictly inside: a point on the left or top edge is outside.
        bool inside = r.left < point.x && point.x < r.right && r.top < point.y && point.y < r.bottom;
        if (!inside && !e.outsidePanel)
            return 0;
        if (!e.relativeToPanel)
            return (e.handler->*event)(point);
        // 32-bit wrapping, as the device's points are 32-bit.
        tagPOINT relative{static_cast<int32_t>(static_cast<uint32_t>(point.x) - static_cast<uint32_t>(r.left)),
                          static_cast<int32_t>(static_cast<uint32_t>(point.y) - static_cast<uint32_t>(r.top))};
        return (e.handler->*event)(relative);
    });
}

long State::onStylusDown(tagPOINT point) { return forwardStylus(point, &EventHandler::onStylusDown); }

long State::onStylusUp(tagPOINT point) { return forwardStylus(point, &EventHandler::onStylusUp); }

long State::onStylusDblClk(tagPOINT point) { return forwardStylus(point, &EventHandler::onStylusDblClk); }

long State::onStylusMove(tagPOINT point) { return forwardStylus(point, &EventHandler::onStylusMove); }
