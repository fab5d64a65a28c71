#include "app/StateMachine.h"

#include "app/HashTable.h"
#include "app/State.h"

#include <new>

namespace {
constexpr uint16_t stateTableBits = 8;
constexpr uint16_t jumpTableBits = 7;

uint64_t keyOf(const State* state) { return reinterpret_cast<uintptr_t>(state); }
// The code's bits as they are: -1 and 0xFFFFFFFF are different codes here.
uint64_t keyOf(long code) { return static_cast<uint64_t>(code); }
} // namespace

StateMachine::StateMachine()
    : initialState(nullptr), currentState(nullptr), jumpTables(new (std::nothrow) HashTable(stateTableBits))
{
}

StateMachine::~StateMachine()
{
    if (jumpTables)
        jumpTables->forEach([](void* table) { delete static_cast<HashTable*>(table); });
    delete jumpTables;
}

void StateMachine::addState(State* state)
{
    if (!state || !jumpTables)
        return;
    // Without memory for its jumps the state is still known, with none.
    HashTable* jumps = new (std::nothrow) HashTable(jumpTableBits);
    if (jumps && !jumps->buckets()) {
        delete jumps;
        jumps = nullptr;
    }
    if (!jumpTables->insert(keyOf(state), jumps))
        delete jumps;
}

void StateMachine::addJump(State* from, State* to, long code)
{
    void* jumps = nullptr;
    if (!from || !to || !jumpTables || !jumpTables->lookup(keyOf(from), jumps) || !jumps)
        return;
    static_cast<HashTable*>(jumps)->insert(keyOf(code), to);
}

void StateMachine::setInitialState(State* state)
{
    initialState = state;
    currentState = state;
    if (state)
        state->onInit(getBackBuffer(), nullptr, this);
}

State* StateMachine::getNextState(long code)
{
    // A state the machine does not know, or one left without jumps, has no jump for any
    // code: its answers end the application like any code without a jump.
    void* jumps = nullptr;
    void* target = nullptr;
    if (!jumpTables || !jumpTables->lookup(keyOf(currentState), jumps) || !jumps ||
        !static_cast<HashTable*>(jumps)->lookup(keyOf(code), target)) {
        currentState->onExit();
        shutdown();
        return currentState;
    }
    State* next = static_cast<State*>(target);
    if (next == currentState)
        return currentState;
    currentState->onExit();
    next->onInit(getBackBuffer(), nullptr, this);
    return next;
}

template <typename Event> long StateMachine::forward(Event event)
{
    if (!currentState) {
        shutdown();
        return 0;
    }
    if (long result = event(*currentState))
        currentState = getNextState(result);
    return 0;
}

long StateMachine::onNextFrame(Surface* surface, Panel* panel)
{
    return forward([&](State& state) { return state.onNextFrame(surface, panel); });
}

long StateMachine::onMinimize()
{
    return forward([](State& state) { return state.onMinimize(); });
}

long StateMachine::onRestore()
{
    return forward([](State& state) { return state.onRestore(); });
}

long StateMachine::onKeyDown(unsigned long key, KeyList& keys)
{
    return forward([&](State& state) { return state.onKeyDown(key, keys); });
}

long StateMachine::onKeyUp(unsigned long key, KeyList& keys)
{
    return forward([&](State& state) { return state.onKeyUp(key, keys); });
}

long StateMachine::onStylusDown(tagPOINT point)
{
    return forward([&](State& state) { return state.onStylusDown(point); });
}

long StateMachine::onStylusUp(tagPOINT point)
{
    return forward([&](State& state) { return state.onStylusUp(point); });
}

long StateMachine::onStylusDblClk(tagPOINT point)
{
    return forward([&](State& state) { return state.onStylusDblClk(point); });
}

long StateMachine::onStylusMove(tagPOINT point)
{
    return forward([&](State& state) { return state.onStylusMove(point); });
}
