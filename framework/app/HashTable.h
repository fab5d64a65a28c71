#ifndef PARVOLIN_HASH_TABLE_H
#define PARVOLIN_HASH_TABLE_H

#include <cstdint>

// A small chained hash table from keys to pointers: 2^bits buckets (bits above 12 are
// taken as 12), the bucket being the key's low bits. A new value goes to the head of its
// bucket's chain and earlier values of the same key stay behind it, so the newest wins.
// Keys are 64 bits wide, so that addresses of this platform and every `long` result are
// told apart. The table does not own what its values point to.
class HashTable {
public:
    static constexpr uint16_t largestBits = 12;

    // `buckets()` is 0 when the bucket array cannot be allocated; the table then holds
    // nothing and every insert fails.
    explicit HashTable(uint16_t bits);
    ~HashTable();
    HashTable(const HashTable&) = delete;
    HashTable& operator=(const HashTable&) = delete;

    // False when out of memory.
    bool insert(uint64_t key, void* value);
    // The newest value of the key; false when there is none.
    bool lookup(uint64_t key, void*& value) const;
    // Calls `visit` with every value, newest of each chain first (keys repeat).
    template <typename Visit> void forEach(Visit visit) const
    {
        for (uint32_t i = 0; i < bucketCount; ++i)
            for (const Node* node = bucketArray[i]; node; node = node->next)
                visit(node->value);
    }

    uint32_t buckets() const { return bucketCount; }

private:
    struct Node {
        void* value;
        uint64_t key;
        Node* next;
    };

    Node** bucketArray;
    uint32_t bucketCount;
};

#endif
