#ifndef PARVOLIN_MESSAGE_QUEUE_H
#define PARVOLIN_MESSAGE_QUEUE_H

#include "platform/windows/Messages.h"

#include <deque>
#include <memory>
#include <mutex>

// The posted messages of one thread, oldest first, and its quit request. A window keeps
// the queue of the thread that made it, so that a message posted to it from anywhere
// lands there.
class MessageQueue {
public:
    // As many as the device lets wait in one queue; posting more is refused.
    static constexpr size_t capacity = 10000;

    static std::shared_ptr<MessageQueue> forThisThread();

    // False when the queue is full.
    bool post(const MSG& message);
    void postQuit(int exitCode);
    // The oldest posted message for `window` (null: any) in [first, last] (0, 0: any);
    // then, when no posted message is left at all, WM_QUIT if it was asked for.
    bool take(MSG& out, HWND window, UINT first, UINT last, bool remove);
    bool empty() const;
    // A destroyed window's messages go with it.
    void removeFor(HWND window);

private:
    mutable std::mutex lock;
    std::deque<MSG> messages;
    bool quitPosted = false;
    int quitCode = 0;
};

#endif
