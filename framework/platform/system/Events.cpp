#include "platform/system/Events.h"

#include "platform/base/HandleTable.h"
#include "platform/system/SoundOutput.h"
#include "platform/system/WaveOutDevice.h"

#include <memory>
#include <new>

namespace {

class EventObject : public HandleObject {
public:
    bool manualReset = false;
    bool signalled = false;
};

constexpr DWORD waitPiece = 1;

EventObject* findEvent(HANDLE handle)
{
    EventObject* event = HandleTable::find<EventObject>(handle);
    if (!event)
        SetLastError(ERROR_INVALID_HANDLE);
    return event;
}

// Takes the signal when it is there; an auto-reset event is cleared by taking it.
bool take(EventObject* event)
{
    if (!event->signalled)
        return false;
    if (!event->manualReset)
        event->signalled = false;
    return true;
}
} // namespace

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR name)
{
    if (name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::unique_ptr<EventObject> event(new (std::nothrow) EventObject());
    if (!event) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    event->manualReset = manualReset != 0;
    event->signalled = initialState != 0;
    return HandleTable::add(std::move(event));
}

BOOL SetEvent(HANDLE handle)
{
    EventObject* event = findEvent(handle);
    if (!event)
        return FALSE;
    event->signalled = true;
    return TRUE;
}

BOOL ResetEvent(HANDLE handle)
{
    EventObject* event = findEvent(handle);
    if (!event)
        return FALSE;
    event->signalled = false;
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    SoundOutput::catchUp();
    DWORD waited = 0;
    for (;;) {
        // Looked up each time: a notification may have closed it.
        EventObject* event = findEvent(handle);
        if (!event)
            return WAIT_FAILED;
        if (take(event))
            return WAIT_OBJECT_0;
        if (milliseconds != INFINITE && waited >= milliseconds)
            return WAIT_TIMEOUT;
        if (milliseconds == INFINITE && !WaveOutDevice::willSet(handle)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return WAIT_FAILED;
        }
        // The device's work falls due with time: the wave output sets the event from here.
        SoundOutput::sleep(waitPiece);
        ++waited;
    }
}

namespace Events {
bool isEvent(const void* handle) { return HandleTable::find<EventObject>(handle) != nullptr; }
} // namespace Events
