#include "platform/base/HandleTable.h"

#include <unordered_map>

HandleObject::~HandleObject() {}

namespace {
// Multiples of four from 0x100 on, like the device's own handles; never 0 and never the
// all-ones invalid-handle value.
constexpr uintptr_t firstHandle = 0x100;
constexpr uintptr_t handleStep = 4;

struct Table {
    std::unordered_map<uintptr_t, std::unique_ptr<HandleObject>> objects;
    uintptr_t next = firstHandle;
};

Table& table()
{
    static Table instance;
    return instance;
}
} // namespace

namespace HandleTable {

void* add(std::unique_ptr<HandleObject> object)
{
    if (!object)
        return nullptr;
    Table& t = table();
    uintptr_t value = t.next;
    t.next += handleStep;
    t.objects.emplace(value, std::move(object));
    return reinterpret_cast<void*>(value);
}

HandleObject* lookUp(const void* handle)
{
    Table& t = table();
    auto found = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    return found == t.objects.end() ? nullptr : found->second.get();
}

bool remove(const void* handle)
{
    Table& t = table();
    auto found = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (found == t.objects.end())
        return false;
    // Detach first, so that a destructor that closes other handles finds a table in order.
    std::unique_ptr<HandleObject> object = std::move(found->second);
    t.objects.erase(found);
    return true;
}

} // namespace HandleTable
