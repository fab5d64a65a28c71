#include "AppHarness.h"

#include "app/HashTable.h"
#include "app/State.h"

#include <map>

namespace {

TEST(HashTable, NewestValueOfAKeyWinsAndKeysSharingABucketStayApart)
{
    HashTable table(7);
    EXPECT_EQ(128u, table.buckets());
    int a = 0, b = 0, c = 0;
    ASSERT_TRUE(table.insert(5, &a));
    ASSERT_TRUE(table.insert(133, &b));  // the same bucket as 5
    void* found = nullptr;
    ASSERT_TRUE(table.lookup(5, found));
    EXPECT_EQ(&a, found);
    ASSERT_TRUE(table.lookup(133, found));
    EXPECT_EQ(&b, found);
    EXPECT_FALSE(table.lookup(261, found));
    ASSERT_TRUE(table.insert(5, &c));
    ASSERT_TRUE(table.lookup(5, found));
    EXPECT_EQ(&c, found) << "the newest value";

    // Addresses are 64 bits here: keys equal in their low 32 bits are different keys.
    ASSERT_TRUE(table.insert(0x100000005ull, nullptr));
    ASSERT_TRUE(table.lookup(0x100000005ull, found));
    EXPECT_EQ(nullptr, found);
    ASSERT_TRUE(table.lookup(5, found));
    EXPECT_EQ(&c, found);

    int visited = 0;
    table.forEach([&](void*) { ++visited; });
    EXPECT_EQ(4, visited) << "older values stay behind newer ones";

    EXPECT_EQ(4096u, HashTable(13).buckets()) << "at most 2^12 buckets";
    EXPECT_EQ(1u, HashTable(0).buckets());
}

// A handler that logs under its state's name and answers what the test gives it for the
// frame with that number (counted over the whole run).
class JumpingHandler : public EventHandler {
public:
    JumpingHandler(const char* name, EventLog& log, std::map<int, long>& answers, int& frame)
        : name(name), log(log), answers(answers), frame(frame)
    {
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        log.push_back(name + " init");
        return 0;
    }
    long onExit() override
    {
        log.push_back(name + " exit");
        return 0;
    }
    long onNextFrame(Surface*, Panel*) override
    {
        int number = frame++;
        log.push_back(name + " frame " + std::to_string(number));
        auto found = answers.find(number);
        return found == answers.end() ? 0 : found->second;
    }
    long onStylusUp(tagPOINT point) override
    {
        log.push_back(pointText((name + " up").c_str(), point));
        return tapAnswer;
    }

    long tapAnswer = 0;

private:
    std::string name;
    EventLog& log;
    std::map<int, long>& answers;
    int& frame;
};

// Two states A and B, each with one handler, built in onInit as a game does.
class TwoStateGame : public StateMachine {
public:
    TwoStateGame() : handlerA("A", log, answers, frame), handlerB("B", log, answers, frame) {}

    long configure(Config* config) override
    {
        config->fps = 0;
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        a.addEventHandler(&handlerA, nullptr, false, false);
        b.addEventHandler(&handlerB, nullptr, false, false);
        if (build)
            build(*this);
        return 0;
    }

    // Frames that reach no state are frames all the same.
    long onNextFrame(Surface* surface, Panel* panel) override
    {
        ++ticks;
        return StateMachine::onNextFrame(surface, panel);
    }

    EventLog log;
    std::map<int, long> answers;
    int frame = 0;
    int ticks = 0;
    State a;
    State b;
    JumpingHandler handlerA;
    JumpingHandler handlerB;
    std::function<void(TwoStateGame&)> build;
};

void standardJumps(TwoStateGame& game)
{
    game.addState(&game.b);
    game.addState(&game.a);
    game.addJump(&game.a, &game.b, 11);
    game.addJump(&game.b, &game.a, 53);
    game.setInitialState(&game.a);
}

using StateMachine_ = AppHarness;

TEST_F(StateMachine_, JumpsExitTheOldStateAndInitialiseTheNewOne)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    game.build = standardJumps;
    game.answers = {{1, 11}, {3, 53}};
    frameLimit(5);
    EXPECT_EQ(0, game.run());
    EXPECT_EQ((EventLog{"A init", "A frame 0", "A frame 1", "A exit", "B init", "B frame 2", "B frame 3", "B exit",
                        "A init", "A frame 4"}),
              game.log)
        << "the machine's own exit does not reach the current state";
}

TEST_F(StateMachine_, UnregisteredCodeEndsTheApplicationAfterThatFrameIsFlipped)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    game.build = standardJumps;
    game.answers = {{2, 54}};
    EXPECT_EQ(0, game.run());
    EXPECT_EQ((EventLog{"A init", "A frame 0", "A frame 1", "A frame 2", "A exit"}), game.log);
    EXPECT_EQ(3u, host.presents) << "the last frame is flipped too";
}

TEST_F(StateMachine_, JumpToItselfIsSwallowed)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    game.build = [](TwoStateGame& g) {
        standardJumps(g);
        g.addJump(&g.a, &g.a, 7);
    };
    game.answers = {{0, 7}};
    frameLimit(2);
    EXPECT_EQ(0, game.run());
    EXPECT_EQ((EventLog{"A init", "A frame 0", "A frame 1"}), game.log);
}

TEST_F(StateMachine_, CodesEqualModulo128AreToldApart)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    game.build = [](TwoStateGame& g) {
        standardJumps(g);
        g.addJump(&g.a, &g.b, 5);
        g.addJump(&g.b, &g.a, 133);
    };
    game.answers = {{0, 5}, {1, 133}, {2, 133 + 128}};
    EXPECT_EQ(0, game.run());
    EXPECT_EQ((EventLog{"A init", "A frame 0", "A exit", "B init", "B frame 1", "B exit", "A init", "A frame 2",
                        "A exit"}),
              game.log)
        << "261 has no jump: the application ends";
}

TEST_F(StateMachine_, AddingAStateAgainDropsItsJumps)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    game.build = [](TwoStateGame& g) {
        standardJumps(g);
        g.addState(&g.a);
    };
    game.answers = {{0, 11}};
    EXPECT_EQ(0, game.run());
    EXPECT_EQ((EventLog{"A init", "A frame 0", "A exit"}), game.log);
}

TEST_F(StateMachine_, JumpsFromAStateNeverAddedAreIgnored)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    game.build = [](TwoStateGame& g) {
        g.addState(&g.b);
        g.addJump(&g.a, &g.b, 11);
        g.addJump(&g.b, nullptr, 12);
        g.addState(nullptr);
        g.setInitialState(&g.a);
    };
    game.answers = {{1, 11}};
    EXPECT_EQ(0, game.run());
    EXPECT_EQ((EventLog{"A init", "A frame 0", "A frame 1", "A exit"}), game.log)
        << "a state the machine does not know has no jumps: its answer ends the application";
}

TEST_F(StateMachine_, WithoutAnInitialStateTheFirstFrameShutsDown)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    EXPECT_EQ(0, game.run());
    EXPECT_EQ(1, game.ticks);
    EXPECT_TRUE(game.log.empty());
}

TEST_F(StateMachine_, InputGoesToTheCurrentStateAndItsAnswerJumps)
{
    TwoStateGame game;
    game.setAppInstance(someInstance());
    game.build = standardJumps;
    game.handlerA.tapAnswer = 11;
    script("1 down 20 30\n1 up 20 30\n2 up 40 50\n");
    frameLimit(3);
    EXPECT_EQ(0, game.run());
    EXPECT_EQ((EventLog{"A init", "A frame 0", "A up 20,30", "A exit", "B init", "B frame 1", "B up 40,50",
                        "B frame 2"}),
              game.log);
}

} // namespace
