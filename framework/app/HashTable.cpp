#include "app/HashTable.h"

#include <new>

HashTable::HashTable(uint16_t bits) : bucketArray(nullptr), bucketCount(0)
{
    uint32_t count = uint32_t(1) << (bits > largestBits ? largestBits : bits);
    bucketArray = new (std::nothrow) Node*[count]();
    if (bucketArray)
        bucketCount = count;
}

HashTable::~HashTable()
{
    for (uint32_t i = 0; i < bucketCount; ++i) {
        Node* node = bucketArray[i];
        while (node) {
            Node* next = node->next;
            delete node;
            node = next;
        }
    }
    delete[] bucketArray;
}

bool HashTable::insert(uint64_t key, void* value)
{
    if (!bucketCount)
        return false;
    Node*& head = bucketArray[key & (bucketCount - 1)];
    Node* node = new (std::nothrow) Node{value, key, head};
    if (!node)
        return false;
    head = node;
    return true;
}

bool HashTable::lookup(uint64_t key, void*& value) const
{
    if (!bucketCount)
        return false;
    for (const Node* node = bucketArray[key & (bucketCount - 1)]; node; node = node->next)
        if (node->key == key) {
            value = node->value;
            return true;
        }
    return false;
}
