#include "app/State.h"
#include "support/SurfacePixels.h"
#include "text/Panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every call it receives and answers with a chosen result.
class Recorder : public EventHandler {
public:
    explicit Recorder(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}

    long onInit(Surface* surface, Panel* panel, Application*) override
    {
        seenSurface = surface;
        seenPanel = panel;
        return note("init");
    }
    long onExit() override { return note("exit"); }
    long onNextFrame(Surface*, Panel* panel) override
    {
        seenPanel = panel;
        return note("frame");
    }
    long onMinimize() override { return note("minimize"); }
    long onRestore() override { return note("restore"); }
    long onKeyDown(unsigned long key, KeyList& keys) override
    {
        seenKey = key;
        seenKeys = &keys;
        return note("keydown");
    }
    long onKeyUp(unsigned long, KeyList&) override { return note("keyup"); }
    long onStylusDown(tagPOINT point) override { return stylus("down", point); }
    long onStylusUp(tagPOINT point) override { return stylus("up", point); }
    long onStylusDblClk(tagPOINT point) override { return stylus("dblclk", point); }
    long onStylusMove(tagPOINT point) override { return stylus("move", point); }

    long answer = 0;
    Surface* seenSurface = nullptr;
    Panel* seenPanel = nullptr;
    unsigned long seenKey = 0;
    KeyList* seenKeys = nullptr;

private:
    long note(const char* what)
    {
        log.push_back(name + " " + what);
        return answer;
    }
    long stylus(const char* what, tagPOINT point)
    {
        log.push_back(name + " " + what + " " + std::to_string(point.x) + "," + std::to_string(point.y));
        return answer;
    }
    std::vector<std::string>& log;
    std::string name;
};

using Log = std::vector<std::string>;

} // namespace

TEST(EventHandler, DefaultsDoNothingAndAnswerZero)
{
    EventHandler handler;
    KeyList keys{};
    EXPECT_EQ(0, handler.onInit(nullptr, nullptr, nullptr));
    EXPECT_EQ(0, handler.onNextFrame(nullptr, nullptr));
    EXPECT_EQ(0, handler.onKeyDown(1, keys));
    EXPECT_EQ(0, handler.onStylusMove(tagPOINT{1, 2}));
    State empty;
    EXPECT_EQ(0, empty.onExit());
    EXPECT_EQ(0, empty.onStylusDown(tagPOINT{1, 1}));
}

TEST(State, ForwardsInOrderUntilTheFirstNonzeroAnswer)
{
    Log log;
    Recorder a(log, "A");
    Recorder b(log, "B");
    State state;
    state.addEventHandler(&a, nullptr, false, false);
    state.addEventHandler(&b, nullptr, false, false);
    EXPECT_EQ(0, state.onNextFrame(nullptr, nullptr));
    EXPECT_EQ((Log{"A frame", "B frame"}), log);

    log.clear();
    a.answer = 7;
    EXPECT_EQ(7, state.onNextFrame(nullptr, nullptr));
    EXPECT_EQ(7, state.onExit());
    EXPECT_EQ(7, state.onMinimize());
    EXPECT_EQ((Log{"A frame", "A exit", "A minimize"}), log);

    log.clear();
    a.answer = 0;
    b.answer = -3;
    KeyList keys{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(-3, state.onKeyDown(42, keys));
    EXPECT_EQ(-3, state.onKeyUp(42, keys));
    EXPECT_EQ(-3, state.onRestore());
    EXPECT_EQ((Log{"A keydown", "B keydown", "A keyup", "B keyup", "A restore", "B restore"}), log);
    EXPECT_EQ(42u, b.seenKey);
    EXPECT_EQ(&keys, a.seenKeys);
    EXPECT_EQ(&keys, b.seenKeys);
}

TEST(State, HoldsAtMost64HandlersAndIgnoresNull)
{
    Log log;
    std::vector<Recorder> handlers;
    handlers.reserve(65);
    State state;
    for (int i = 0; i < 65; ++i) {
        handlers.emplace_back(log, std::to_string(i));
        state.addEventHandler(&handlers.back(), nullptr, false, false);
    }
    state.addEventHandler(nullptr, nullptr, false, false);
    state.onExit();
    ASSERT_EQ(64u, log.size());
    EXPECT_EQ("63 exit", log.back());
}

TEST(State, HandlersWithoutPanelDrawThroughTheDefaultPanel)
{
    Log log;
    Recorder free(log, "free");
    Recorder bound(log, "bound");
    Owned<Surface> back;
    SurfacePixels::make(back, 240, 320, 0);
    Panel root(&back);
    Panel area(&root, tagRECT{10, 10, 50, 50});
    Panel passed(&back);
    State state;
    state.addEventHandler(&free, nullptr, false, false);
    state.addEventHandler(&bound, &area, false, false);

    EXPECT_EQ(0, state.onInit(&back, &passed, nullptr));
    Panel* defaultPanel = free.seenPanel;
    ASSERT_NE(nullptr, defaultPanel);
    EXPECT_NE(&passed, defaultPanel);
    EXPECT_EQ(&back, defaultPanel->getBackSurface(nullptr));
    EXPECT_EQ(240u, defaultPanel->getWidth());
    EXPECT_EQ(&area, bound.seenPanel);
    EXPECT_EQ(&back, free.seenSurface);

    // Later initialisations and frames keep the same default panel.
    Owned<Surface> other;
    SurfacePixels::make(other, 8, 8, 0);
    state.onInit(&other, &passed, nullptr);
    EXPECT_EQ(defaultPanel, free.seenPanel);
    state.onNextFrame(&other, &passed);
    EXPECT_EQ(defaultPanel, free.seenPanel);
    EXPECT_EQ(&back, defaultPanel->getBackSurface(nullptr));
}

TEST(State, StylusReachesPanelHandlersStrictlyInsideTheirPanel)
{
    Log log;
    Recorder absolute(log, "abs");
    Recorder relative(log, "rel");
    Recorder anywhere(log, "any");
    Recorder anywhereRelative(log, "anyrel");
    Recorder unbound(log, "free");
    Owned<Surface> back;
    SurfacePixels::make(back, 240, 320, 0);
    Panel root(&back);
    Panel area(&root, tagRECT{10, 10, 50, 50});
    State state;
    state.addEventHandler(&absolute, &area, false, false);
    state.addEventHandler(&relative, &area, true, false);
    state.addEventHandler(&anywhere, &area, false, true);
    state.addEventHandler(&anywhereRelative, &area, true, true);
    state.addEventHandler(&unbound, nullptr, true, false);

    state.onStylusDown(tagPOINT{10, 20}); // on the left edge: outside
    EXPECT_EQ((Log{"any down 10,20", "anyrel down 0,10", "free down 10,20"}), log);
    log.clear();
    state.onStylusUp(tagPOINT{11, 20});
    EXPECT_EQ((Log{"abs up 11,20", "rel up 1,10", "any up 11,20", "anyrel up 1,10", "free up 11,20"}), log);
    log.clear();
    state.onStylusMove(tagPOINT{5, 5});
    EXPECT_EQ((Log{"any move 5,5", "anyrel move -5,-5", "free move 5,5"}), log);
    log.clear();
    state.onStylusDblClk(tagPOINT{49, 49});
    EXPECT_EQ(5u, log.size());
    log.clear();
    state.onStylusDblClk(tagPOINT{50, 49}); // right edge: outside
    EXPECT_EQ(3u, log.size());

    // A skipped entry counts as 0; the next answering handler decides.
    log.clear();
    absolute.answer = 9;
    anywhere.answer = 4;
    EXPECT_EQ(4, state.onStylusDown(tagPOINT{0, 0}));
    EXPECT_EQ(9, state.onStylusDown(tagPOINT{20, 20}));
}
