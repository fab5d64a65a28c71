#include "files/NameTable.h"

#include "files/PathSyntax.h"

#include <cwchar>
#include <new>
#include <random>

namespace {

// SipHash-1-3 over the characters, one 64-bit word each: a hash that names cannot be
// chosen to collide in without knowing the key.
struct SipState {
    uint64_t v0, v1, v2, v3;

    static uint64_t rotate(uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

    void round()
    {
        v0 += v1; v1 = rotate(v1, 13); v1 ^= v0; v0 = rotate(v0, 32);
        v2 += v3; v3 = rotate(v3, 16); v3 ^= v2;
        v0 += v3; v3 = rotate(v3, 21); v3 ^= v0;
        v2 += v1; v1 = rotate(v1, 17); v1 ^= v2; v2 = rotate(v2, 32);
    }

    void absorb(uint64_t word)
    {
        v3 ^= word;
        round();
        v0 ^= word;
    }
};

struct PlacementKey {
    uint64_t k0, k1;

    PlacementKey()
    {
        std::random_device source;
        k0 = (uint64_t{source()} << 32) ^ source();
        k1 = (uint64_t{source()} << 32) ^ source();
    }
};

const PlacementKey& placementKey()
{
    static const PlacementKey key;
    return key;
}

} // namespace

NameTable::NameTable() : buckets(initialBuckets), capacity(bucketCount), count(0)
{
    for (Node*& head : initialBuckets)
        head = nullptr;
}

NameTable::~NameTable()
{
    for (unsigned long i = 0; i < capacity; ++i) {
        Node* node = buckets[i];
        while (node) {
            Node* next = node->next;
            delete[] node->key;
            delete node;
            node = next;
        }
    }
    if (buckets != initialBuckets)
        delete[] buckets;
}

uint32_t NameTable::hash(const wchar_t* key)
{
    uint32_t h = 0;
    for (; *key; ++key)
        h = static_cast<uint32_t>(*key) - h * 1664117991u;
    return h;
}

uint64_t NameTable::placementOf(const wchar_t* key)
{
    const PlacementKey& k = placementKey();
    SipState s{k.k0 ^ 0x736f6d6570736575ull, k.k1 ^ 0x646f72616e646f6dull, k.k0 ^ 0x6c7967656e657261ull,
               k.k1 ^ 0x7465646279746573ull};
    uint64_t length = 0;
    for (; *key; ++key, ++length)
        s.absorb(static_cast<uint32_t>(*key));
    s.absorb(length << 56);
    s.v2 ^= 0xff;
    s.round();
    s.round();
    s.round();
    return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

NameTable::Node* NameTable::find(const wchar_t* key, uint64_t placement) const
{
    for (Node* node = buckets[placement % capacity]; node; node = node->next)
        if (node->placement == placement && std::wcscmp(node->key, key) == 0)
            return node;
    return nullptr;
}

void NameTable::grow()
{
    if (count <= capacity || capacity > (~0ul >> 2))
        return;
    unsigned long larger = capacity * 2 + 1;
    Node** chains = new (std::nothrow) Node*[larger];
    if (!chains)
        return;
    for (unsigned long i = 0; i < larger; ++i)
        chains[i] = nullptr;
    for (unsigned long i = 0; i < capacity; ++i) {
        for (Node* node = buckets[i]; node;) {
            Node* next = node->next;
            Node*& head = chains[node->placement % larger];
            node->next = head;
            head = node;
            node = next;
        }
    }
    if (buckets != initialBuckets)
        delete[] buckets;
    buckets = chains;
    capacity = larger;
}

bool NameTable::put(const wchar_t* key, void* value)
{
    uint64_t placement = placementOf(key);
    if (Node* existing = find(key, placement)) {
        existing->value = value;
        return true;
    }
    wchar_t* keyCopy = PathSyntax::copyText(key);
    Node* node = keyCopy ? new (std::nothrow) Node{keyCopy, value, placement, nullptr} : nullptr;
    if (!node) {
        delete[] keyCopy;
        return false;
    }
    Node*& head = buckets[placement % capacity];
    node->next = head;
    head = node;
    ++count;
    grow();
    return true;
}

void* NameTable::get(const wchar_t* key) const
{
    Node* node = find(key, placementOf(key));
    return node ? node->value : nullptr;
}
