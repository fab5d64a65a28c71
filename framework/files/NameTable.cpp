#include "files/NameTable.h"

#include "files/PathSyntax.h"

#include <cwchar>
#include <new>

NameTable::NameTable()
{
    for (Node*& head : buckets)
        head = nullptr;
}

NameTable::~NameTable()
{
    for (Node* node : buckets) {
        while (node) {
            Node* next = node->next;
            delete[] node->key;
            delete node;
            node = next;
        }
    }
}

uint32_t NameTable::hash(const wchar_t* key)
{
    uint32_t h = 0;
    for (; *key; ++key)
        h = static_cast<uint32_t>(*key) - h * 1664117991u;
    return h;
}

NameTable::Node* NameTable::find(const wchar_t* key) const
{
    for (Node* node = buckets[hash(key) % bucketCount]; node; node = node->next)
        if (std::wcscmp(node->key, key) == 0)
            return node;
    return nullptr;
}

bool NameTable::put(const wchar_t* key, void* value)
{
    if (Node* existing = find(key)) {
        existing->value = value;
        return true;
    }
    wchar_t* keyCopy = PathSyntax::copyText(key);
    Node* node = keyCopy ? new (std::nothrow) Node{keyCopy, value, nullptr} : nullptr;
    if (!node) {
        delete[] keyCopy;
        return false;
    }
    Node*& head = buckets[hash(key) % bucketCount];
    node->next = head;
    head = node;
    return true;
}

void* NameTable::get(const wchar_t* key) const
{
    Node* node = find(key);
    return node ? node->value : nullptr;
}
