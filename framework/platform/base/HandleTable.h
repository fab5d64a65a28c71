#ifndef PARVOLIN_HANDLE_TABLE_H
#define PARVOLIN_HANDLE_TABLE_H

#include <cstdint>
#include <memory>

// Every object the device layer hands out by handle (open files, find listings, mappings,
// device contexts, bitmaps, loaded modules) lives here. A handle is only a number: a stale,
// closed or foreign handle, or one of the wrong kind, is found to be invalid instead of
// being followed. Numbers are never reused, so a handle closed twice stays invalid.
class HandleObject {
public:
    virtual ~HandleObject();
};

namespace HandleTable {

// Takes ownership; returns the new handle value, or null when the object is null.
void* add(std::unique_ptr<HandleObject> object);

HandleObject* lookUp(const void* handle);

// The object behind `handle` when it is of kind T, else null.
template <class T> T* find(const void* handle) { return dynamic_cast<T*>(lookUp(handle)); }

// Destroys the object; false when the handle is not in the table.
bool remove(const void* handle);

} // namespace HandleTable

#endif
