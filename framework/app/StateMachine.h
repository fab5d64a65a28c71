#ifndef PARVOLIN_STATE_MACHINE_H
#define PARVOLIN_STATE_MACHINE_H

/// \file
/// StateMachine, the application games derive from.
/// \ingroup app

#include <Parvolin/Export.h>
#include <Parvolin/app/Application.h>

class HashTable;
class State;

/// \addtogroup app
/// @{

/// The application games derive from: the game is divided into states (a menu, a play
/// screen), and jumps lead from a state to another on a handler's result. Every frame and
/// input event goes to the current state; any nonzero answer is a jump code, looked up
/// among the current state's jumps: the old state exits, the new one is initialised and
/// receives the next event. An answer without a jump ends the application (the state
/// exits first). A jump to the current state itself changes nothing.
///
/// The machine owns its tables of jumps, not the states: the game keeps its states alive
/// while the machine runs.
class PARVOLIN_API StateMachine : public Application {
public:
    /// No states.
    StateMachine();
    /// Releases the jump tables, not the states.
    virtual ~StateMachine();

    /// Registers a state with no jumps; adding it again forgets its jumps. Null is ignored.
    void addState(State* state);
    /// From now on `code` from `from` leads to `to` (a later jump for the same code wins).
    /// Ignored for null states and for a `from` that was never added.
    void addJump(State* from, State* to, long code);
    /// The state that receives the events; initialised at once over the back buffer. Meant
    /// for the game's onInit, once the display is open.
    void setInitialState(State* state);

    /// \name Events
    /// Each goes to the current state (with no current state, the application shuts
    /// down); a nonzero answer is a jump code. They always answer 0.
    /// @{
    long onNextFrame(Surface* surface, Panel* panel) override;
    long onMinimize() override;
    long onRestore() override;
    long onKeyDown(unsigned long key, KeyList& keys) override;
    long onKeyUp(unsigned long key, KeyList& keys) override;
    long onStylusDown(tagPOINT point) override;
    long onStylusUp(tagPOINT point) override;
    long onStylusDblClk(tagPOINT point) override;
    long onStylusMove(tagPOINT point) override;
    /// @}

protected:
    /// The transition for `code` from the current state; returns the state to be current.
    State* getNextState(long code);

private:
    // Sends one event to the current state and follows its answer.
    template <typename Event> long forward(Event event);

    State* initialState;
    State* currentState;
    HashTable* jumpTables;
};

/// @}

#endif
