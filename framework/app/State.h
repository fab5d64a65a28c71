#ifndef PARVOLIN_STATE_H
#define PARVOLIN_STATE_H

/// \file
/// State, a screen of the game: an ordered list of handlers.
/// \ingroup app

#include <Parvolin/Export.h>
#include <Parvolin/app/EventHandler.h>

#include <cstdint>

/// \addtogroup app
/// @{

/// A screen of the game: an ordered list of up to 64 handlers, each optionally bound to a
/// panel, to which every event is forwarded in the order they were added. The first
/// nonzero answer ends the forwarding and becomes the state's answer (in a StateMachine,
/// a jump code).
///
/// The state does not own its handlers or their panels: the game keeps them alive while
/// the state can be used.
// Its own destructor is virtual; EventHandler has none, on purpose (see there).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PARVOLIN_API State : public EventHandler {
#pragma GCC diagnostic pop
public:
    /// The most handlers a state holds.
    static constexpr uint16_t maxHandlers = 64;

    /// No handlers.
    State();
    /// Releases the default panel, not the handlers.
    virtual ~State();
    State(const State&) = delete;             ///< Not copyable: a state's entries belong to it alone.
    State& operator=(const State&) = delete;  ///< Not copyable.

    /// Appends a handler. `panel` null: it draws through the default panel (the whole
    /// back buffer) and receives every stylus event. Otherwise it draws through `panel`,
    /// and stylus events reach it only strictly inside the panel (a point on its left or
    /// top edge is outside) unless `outsidePanel`, in panel coordinates when
    /// `relativeToPanel`. A null handler or a full state makes the call do nothing.
    void addEventHandler(EventHandler* handler, Panel* panel, bool relativeToPanel, bool outsidePanel);

    /// Creates the default panel over `surface` on the first call, then forwards; `panel`
    /// is not used.
    long onInit(Surface* surface, Panel* panel, Application* application) override;
    /// \name Events
    /// Each is forwarded to the handlers in order (the frame with each handler's panel);
    /// the first nonzero answer ends the forwarding and is the state's answer.
    /// @{
    long onExit() override;
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

private:
    struct Entry {
        EventHandler* handler;
        Panel* panel;
        bool relativeToPanel;
        bool outsidePanel;
    };

    // Visits the entries in order; the first nonzero answer ends the visit.
    template <typename Call>
    long forward(Call call);
    // The stylus forwarding shared by the four stylus events.
    long forwardStylus(tagPOINT point, long (EventHandler::*event)(tagPOINT));

    Panel* defaultPanel;
    Entry* entries;
    uint16_t entryCount;
};

/// @}

#endif
