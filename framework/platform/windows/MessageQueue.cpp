#include "platform/windows/MessageQueue.h"

#include "platform/system/SystemServices.h"
#include "platform/windows/WindowObjects.h"

#include <algorithm>

std::shared_ptr<MessageQueue> MessageQueue::forThisThread()
{
    thread_local std::shared_ptr<MessageQueue> queue = std::make_shared<MessageQueue>();
    return queue;
}

bool MessageQueue::post(const MSG& message)
{
    std::lock_guard<std::mutex> guard(lock);
    if (messages.size() >= capacity)
        return false;
    messages.push_back(message);
    return true;
}

void MessageQueue::postQuit(int exitCode)
{
    std::lock_guard<std::mutex> guard(lock);
    quitPosted = true;
    quitCode = exitCode;
}

bool MessageQueue::take(MSG& out, HWND window, UINT first, UINT last, bool remove)
{
    std::lock_guard<std::mutex> guard(lock);
    bool anyNumber = first == 0 && last == 0;
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        if (window && !WindowObjects::isWithin(it->hwnd, window))
            continue;
        if (!anyNumber && (it->message < first || it->message > last))
            continue;
        out = *it;
        if (remove)
            messages.erase(it);
        return true;
    }
    // WM_QUIT belongs to the thread, not to a window.
    if (!quitPosted || window || !messages.empty() || (!anyNumber && (WM_QUIT < first || WM_QUIT > last)))
        return false;
    out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0, GetTickCount(), {0, 0}};
    if (remove)
        quitPosted = false;
    return true;
}

bool MessageQueue::empty() const
{
    std::lock_guard<std::mutex> guard(lock);
    return messages.empty() && !quitPosted;
}

void MessageQueue::removeFor(HWND window)
{
    std::lock_guard<std::mutex> guard(lock);
    messages.erase(std::remove_if(messages.begin(), messages.end(), [&](const MSG& m) { return m.hwnd == window; }),
                   messages.end());
}
