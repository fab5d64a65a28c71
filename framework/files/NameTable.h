#ifndef PARVOLIN_NAME_TABLE_H
#define PARVOLIN_NAME_TABLE_H

#include <cstdint>

// A chained hash table from texts to pointers. It owns its keys and nodes, never the
// values. Keys are compared exactly, character by character.
//
// Archive names come from outside: anyone can write thousands of names that share one
// value of hash(), which would make every chain one list. So the chains are placed by a
// keyed hash whose key is drawn once per process, and the table doubles its chains as it
// fills: finding and storing stay near constant time whatever the names.
class NameTable {
public:
    // The chains a new table starts with.
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
        uint64_t placement;
        Node* next;
    };

    // The keyed hash that chooses a key's chain.
    static uint64_t placementOf(const wchar_t* key);
    Node* find(const wchar_t* key, uint64_t placement) const;
    // Doubles the chains when there are more nodes than chains; keeps them when out of
    // memory (the table stays right, only slower).
    void grow();

    Node* initialBuckets[bucketCount];
    Node** buckets;
    unsigned long capacity;
    unsigned long count;
};

#endif
