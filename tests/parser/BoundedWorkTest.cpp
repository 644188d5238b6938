#include "ParseHelpers.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>

namespace {

std::string Nested(
    int depth, const std::string& open, const std::string& inner, const std::string& close)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open;
    text += inner;
    for (int i = 0; i < depth; ++i)
        text += close;
    return text;
}

// Runs the work on a thread whose stack is exactly 8 MB.
void OnEightMegabyteStack(const std::function<void()>& work)
{
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 8u * 1024u * 1024u);
    pthread_t thread;
    auto call = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, call, const_cast<std::function<void()>*>(&work)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

} // namespace

// Trial parses remember how they ended, so nested parentheses (complete,
// empty or never closed, as while typing) cost work linear in their depth
// instead of doubling with each level.
TEST(BoundedWork, NestedParenthesesCostLinearWork)
{
    const struct {
        std::string text;
        bool done;
    } cases[] = {
        {"int x = " + Nested(60, "( ", "1", " )") + " ;", true},
        {"int x = " + Nested(100, "( ", "a + 1", " ) * 2") + " ;", true},
        {"int x = " + Nested(20, "( ", "", " )") + " ;", false},
        {"int x = " + Nested(20, "( ", "", "") + " ;", false},
        {"int x = " + Nested(60, "( ", "", "") + " ;", false},
        {"int x = " + Nested(40, "~ ", "a", "") + " ;", true},
        {"int x = " + Nested(60, "sizeof ( ", "int", " )") + " ;", true},
        {"int x = " + Nested(100, "f ( ", "", " )") + " ;", true},
        {"void f ( int a = " + Nested(40, "( ", "1", " )") +
                " , int b = " + Nested(40, "( ", "", "") + " ) ;",
            false},
    };
    for (const auto& c : cases) {
        auto p = ParseSingle(c.text, DECLARATION2);
        EXPECT_FALSE(p->aborted) << c.text;
        EXPECT_EQ(p->unit.done, c.done) << c.text;
        if (c.done) {
            EXPECT_EQ(p->unit.kind, UNIT_VARIABLE) << c.text;
        }
        EXPECT_LT(p->work, 40 * static_cast<int64_t>(p->unit.tokenIndices.size())) << c.text;
    }
    // Through the driver: both tries end, the next unit is read as usual.
    auto whole = ParseText("int x = " + Nested(20, "( ", "", " )") + " ;\nint y ;");
    ASSERT_EQ(whole->units.size(), 2u);
    EXPECT_FALSE(whole->At(0).done);
    EXPECT_EQ(whole->At(1).kind, UNIT_VARIABLE);
}

// The template arguments of a qualifier, nested, closed by > or >> or never
// closed, are read in work linear in their depth.
TEST(BoundedWork, NestedQualifierArgumentsCostLinearWork)
{
    const struct {
        std::string text;
        bool done;
    } cases[] = {
        {"void A " + Nested(60, "< B ", "", "> ") + ":: f ( ) ;", true},
        {"void A " + Nested(30, "< B < C ", "", ">> ") + ":: f ( ) ;", true},
        {"void A " + Nested(60, "< B ", "", "") + ":: f ( ) ;", false},
    };
    for (const auto& c : cases) {
        auto p = ParseSingle(c.text, DECLARATION2);
        EXPECT_FALSE(p->aborted) << c.text;
        EXPECT_EQ(p->unit.done, c.done) << c.text;
        if (c.done) {
            EXPECT_EQ(p->unit.kind, UNIT_FUNCTION) << c.text;
        }
        EXPECT_LT(p->work, 40 * static_cast<int64_t>(p->unit.tokenIndices.size())) << c.text;
    }
}

// The work limit still ends a parse that would go on too long.
TEST(BoundedWork, WorkLimitEndsTheParse)
{
    ParseLimits limits;
    limits.baseWork = 20;
    limits.workPerToken = 0;
    const std::string text = "int x = " + Nested(30, "( ", "1", " )") + " ;";
    auto p = ParseSingle(text, DECLARATION2, false, limits);
    EXPECT_TRUE(p->aborted);
    EXPECT_FALSE(p->unit.done);
    EXPECT_LE(p->work, 21);
}

TEST(BoundedWork, LongFlatExpressionIsLinear)
{
    std::string expression = "1";
    for (int i = 0; i < 5000; ++i)
        expression += " + a";
    auto p = ParseSingle("int x = " + expression + " ;", DECLARATION2);
    EXPECT_FALSE(p->aborted);
    EXPECT_FALSE(p->error);
    EXPECT_EQ(p->unit.kind, UNIT_VARIABLE);
    EXPECT_LT(p->work, 10 * static_cast<int64_t>(p->unit.tokenIndices.size()));
}

TEST(BoundedWork, DeepNestingStopsAtTheStackLimitNotAtTheEndOfTheStack)
{
    // Neither form costs exponential work, only depth.
    const std::string templates = Nested(20000, "A < ", "int", " > ") + " x ;";
    auto t = ParseSingle(templates, DECLARATION2);
    EXPECT_TRUE(t->aborted);
    EXPECT_FALSE(t->unit.done);

    const std::string casts = "int x = " + Nested(20000, "( int ) ", "y", "") + " ;";
    auto c = ParseSingle(casts, DECLARATION2);
    EXPECT_TRUE(c->aborted);
}

TEST(BoundedWork, DeepNestingWithinTheLimitSucceeds)
{
    auto t = ParseSingle(Nested(200, "A < ", "int", " > ") + " x ;", DECLARATION2);
    EXPECT_FALSE(t->aborted);
    EXPECT_FALSE(t->error);
    EXPECT_EQ(t->unit.kind, UNIT_VARIABLE);
}

TEST(BoundedWork, StopRequestEndsALongParse)
{
    std::atomic<bool> stop {true};
    ParseLimits limits;
    limits.stopRequest = &stop;
    std::string expression = "1";
    for (int i = 0; i < 2000; ++i)
        expression += " + a";
    auto p = ParseSingle("int x = " + expression + " ;", DECLARATION2, false, limits);
    EXPECT_TRUE(p->aborted);
    EXPECT_LE(p->work, 1024);
}

TEST(BoundedWork, WholePipelineSurvivesPathologicalNestingOnAnEightMegabyteStack)
{
    std::string text = "void f ( ) " + Nested(50000, "{ ", "x ;", " } ") + "\n";
    text += Nested(20000, "extern \"C\" ", "int y ;", "") + "\n";
    text += Nested(20000, "A < ", "int", " > ") + " z ;\n";
    text += "int w = " + Nested(60, "( ", "", " )") + " ;\n";
    text += "void g ( ) { " + Nested(30000, "if ( a ) ", "b ;", "") + " }\n";
    text += "int last ;";
    bool finished = false;
    OnEightMegabyteStack([&]() {
        auto p = ParseText(text);
        ASSERT_EQ(p->units.size(), 6u);
        EXPECT_EQ(p->At(0).kind, UNIT_FUNCTION);
        EXPECT_EQ(p->At(1).kind, UNIT_EXTERN);
        EXPECT_FALSE(p->At(2).done);
        EXPECT_FALSE(p->At(3).done);
        EXPECT_EQ(p->At(4).children.at(0).kind, UNIT_IF);
        EXPECT_EQ(p->At(5).kind, UNIT_VARIABLE);
        p.reset(); // destroying the tree must not run out of stack either
        finished = true;
    });
    EXPECT_TRUE(finished);
}
