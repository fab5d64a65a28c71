#ifndef PARVOLIN_NAME_TABLE_H
#define PARVOLIN_NAME_TABLE_H

#include <cstdint>

// A chained hash table from texts to pointers. It owns its keys and nodes, never the
// values. Keys are compared exactly, character by character.
class NameTable {
public:
    static constexpr unsigned long bucketCount = 101;

    NameTable();
    ~NameTable();
    NameTable(const NameTable&) = delete;
    NameTable& operator=(const NameTable&) = delete;

    // h = c - h * 1664117991 for each character, wrapping at 2^32 as on the 32-bit device.
    static uint32_t hash(const wchar_t* key);

    // Replaces the value of an equal key, or puts a new node at the front of its chain.
    // False when out of memory (nothing changes).
    bool put(const wchar_t* key, void* value);
    // Null when the key is not there.
    void* get(const wchar_t* key) const;

private:
    struct Node {
        wchar_t* key;
        void* value;
        Node* next;
    };

    Node* find(const wchar_t* key) const;

    Node* buckets[bucketCount];
};

#endif
