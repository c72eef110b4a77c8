#include "catalogue/brastel.h"
#include <QStringList>

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>

namespace {

struct Rec {
    int32_t a;
    int32_t b;
};

// Allocation failure injection: fail the n-th call from now on (1-based).
int g_failIn = 0;
void *failingCalloc(size_t n, size_t s)
{
    if (g_failIn > 0 && --g_failIn == 0)
        return nullptr;
    return std::calloc(n, s);
}

class DynaArrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldReport = TDynaArray::reportOutOfMemory;
        TDynaArray::reportOutOfMemory = [this](const QString &t) { messages << t; };
    }
    void TearDown() override
    {
        TDynaArray::reportOutOfMemory = oldReport;
        TDynaArray::callocFn = &std::calloc;
        g_failIn = 0;
    }
    std::function<void(const QString &)> oldReport;
    QStringList messages;
};

void fill(TDynaArray &arr, Rec *&bound, int n)
{
    for (int i = 0; i < n; ++i) {
        ASSERT_NE(arr.Add(), nullptr);
        bound->a = i;
        bound->b = -i;
    }
}

} // namespace

TEST_F(DynaArrayTest, CreateLeavesBoundVariableAlone)
{
    Rec *bound = reinterpret_cast<Rec *>(0x1234);
    TDynaArray arr(sizeof(Rec), &bound);
    EXPECT_EQ(bound, reinterpret_cast<Rec *>(0x1234));
    EXPECT_EQ(arr.count, 0u);
    EXPECT_EQ(arr.aobjnr, -1);
    EXPECT_EQ(arr.poi, nullptr);
    EXPECT_EQ(arr.amemsize, 0u);
    EXPECT_EQ(arr.buffersize, 100u);
    EXPECT_EQ(arr.size, sizeof(Rec));
}

TEST_F(DynaArrayTest, BlockGrowsAndShrinksInStepsOfHundred)
{
    Rec *bound = nullptr;
    TDynaArray arr(sizeof(Rec), &bound);
    fill(arr, bound, 100);
    EXPECT_EQ(arr.amemsize, 100 * sizeof(Rec));
    void *before = arr.poi;
    ASSERT_NE(arr.Add(), nullptr); // the 101st element moves the storage
    EXPECT_NE(arr.poi, before);
    EXPECT_EQ(arr.amemsize, 200 * sizeof(Rec));
    EXPECT_EQ(static_cast<void *>(bound), arr.At(100));
    for (uint32_t i = 0; i < 100; ++i)
        ASSERT_EQ(static_cast<Rec *>(arr.At(i))->a, int(i));
    EXPECT_EQ(bound->a, 0); // new element is zero-filled
    bound->a = 100;
    arr.Delete(0);          // back to 100: shrinks
    EXPECT_EQ(arr.amemsize, 100 * sizeof(Rec));
    EXPECT_EQ(static_cast<Rec *>(arr.At(0))->a, 1);
    EXPECT_EQ(static_cast<Rec *>(arr.At(99))->a, 100);
    while (arr.count > 1)
        arr.Delete(0);
    EXPECT_EQ(arr.amemsize, 100 * sizeof(Rec));
    arr.Delete(0); // the only element: storage released
    EXPECT_EQ(arr.poi, nullptr);
    EXPECT_EQ(arr.amemsize, 0u);
    ASSERT_NE(arr.Add(), nullptr);
    EXPECT_EQ(bound->a, 0);
    EXPECT_EQ(arr.amemsize, 100 * sizeof(Rec));
}

TEST_F(DynaArrayTest, ReusedSlotIsZeroFilled)
{
    Rec *bound = nullptr;
    TDynaArray arr(sizeof(Rec), &bound);
    fill(arr, bound, 3);
    arr.Delete(0); // slot 2 still holds a copy of the former last element
    ASSERT_NE(arr.Add(), nullptr);
    EXPECT_EQ(bound->a, 0);
    EXPECT_EQ(bound->b, 0);
    EXPECT_EQ(static_cast<Rec *>(arr.At(1))->a, 2);
}

TEST_F(DynaArrayTest, CursorAndBoundPointerAfterEachCall)
{
    Rec *bound = nullptr;
    TDynaArray arr(sizeof(Rec), &bound);

    arr.First(); // empty: nothing changes
    EXPECT_EQ(arr.aobjnr, -1);
    EXPECT_FALSE(arr.WhileNext());
    EXPECT_FALSE(arr.Next());

    fill(arr, bound, 3);
    EXPECT_EQ(arr.aobjnr, 2);
    EXPECT_EQ(arr.GetObject(1), arr.At(1));
    EXPECT_EQ(static_cast<void *>(bound), arr.At(1));
    EXPECT_EQ(arr.aobjnr, 1);

    // First/WhileNext idiom
    int seen = 0;
    arr.First();
    while (arr.WhileNext()) {
        EXPECT_EQ(bound->a, seen);
        EXPECT_EQ(arr.aobjnr, seen + 1);
        ++seen;
    }
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(arr.aobjnr, 3);
    EXPECT_EQ(static_cast<void *>(bound), arr.At(2));

    // Next from a cleared cursor reaches element 0, stops at the last
    arr.Delete(5); // out of range: nothing happens, bound keeps its value
    EXPECT_EQ(static_cast<void *>(bound), arr.At(2));
    arr.Delete(-1);
    arr.Delete(int32_t(arr.count));
    EXPECT_EQ(arr.count, 3u);
    arr.Delete(2);
    EXPECT_EQ(bound, nullptr);
    EXPECT_EQ(arr.aobjnr, -1);
    EXPECT_TRUE(arr.Next());
    EXPECT_EQ(arr.aobjnr, 0);
    EXPECT_TRUE(arr.Next());
    EXPECT_FALSE(arr.Next());
    EXPECT_EQ(arr.aobjnr, 1);

    arr.Clear();
    EXPECT_EQ(bound, nullptr);
    EXPECT_EQ(arr.count, 0u);
    EXPECT_EQ(arr.poi, nullptr);
}

TEST_F(DynaArrayTest, InsertRangeAndPlacement)
{
    Rec *bound = nullptr;
    TDynaArray arr(sizeof(Rec), &bound);
    fill(arr, bound, 2);
    EXPECT_EQ(arr.Insert(-1), nullptr);
    EXPECT_EQ(arr.Insert(3), nullptr);
    EXPECT_EQ(arr.count, 2u);
    EXPECT_EQ(static_cast<void *>(bound), arr.At(1));
    ASSERT_NE(arr.Insert(2), nullptr); // at count: appends
    EXPECT_EQ(arr.aobjnr, 2);
    bound->a = 77;
    ASSERT_NE(arr.Insert(0), nullptr);
    EXPECT_EQ(bound->a, 0);
    EXPECT_EQ(static_cast<Rec *>(arr.At(1))->a, 0);
    EXPECT_EQ(static_cast<Rec *>(arr.At(2))->a, 1);
    EXPECT_EQ(static_cast<Rec *>(arr.At(3))->a, 77);
}

TEST_F(DynaArrayTest, ChangeSwapsAndLeavesCursorOnSecond)
{
    Rec *bound = nullptr;
    TDynaArray arr(sizeof(Rec), &bound);
    fill(arr, bound, 3);
    arr.Change(0, 2);
    EXPECT_EQ(arr.aobjnr, 2);
    EXPECT_EQ(bound->a, 0);
    EXPECT_EQ(static_cast<Rec *>(arr.At(0))->a, 2);
    arr.Change(0, 3); // out of range: nothing
    EXPECT_EQ(arr.aobjnr, 2);
    EXPECT_EQ(static_cast<Rec *>(arr.At(0))->a, 2);
    arr.Change(1, 1);
    EXPECT_EQ(arr.aobjnr, 1);
    EXPECT_EQ(bound->a, 1);
}

TEST_F(DynaArrayTest, AllocationFailureLeavesArrayUnchangedAndReports)
{
    Rec *bound = nullptr;
    TDynaArray arr(sizeof(Rec), &bound);
    TDynaArray::callocFn = failingCalloc;

    g_failIn = 1; // first block
    EXPECT_EQ(arr.Add(), nullptr);
    EXPECT_EQ(arr.count, 0u);
    EXPECT_EQ(arr.poi, nullptr);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString("Error 1 while trying to allocate %1 bytes of RAM. Not enough memory.")
                               .arg(100 * sizeof(Rec)));

    fill(arr, bound, 100);
    Rec *last = bound;
    g_failIn = 1; // growing
    EXPECT_EQ(arr.Add(), nullptr);
    EXPECT_EQ(arr.count, 100u);
    EXPECT_EQ(bound, last); // the bound pointer was not moved
    EXPECT_EQ(arr.amemsize, 100 * sizeof(Rec));
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].startsWith("Error 2 while trying to allocate 1600 bytes"));
    ASSERT_NE(arr.Insert(0), nullptr); // the next attempt succeeds

    // now 101 elements; deleting one must shrink: fail it
    ASSERT_EQ(arr.count, 101u);
    g_failIn = 1;
    EXPECT_FALSE(arr.Delete(0));
    EXPECT_EQ(arr.count, 101u);
    EXPECT_EQ(arr.amemsize, 200 * sizeof(Rec));
    EXPECT_TRUE(messages.last().startsWith("Error 3 while trying to allocate 800 bytes"));
    EXPECT_TRUE(arr.Delete(0));
    EXPECT_EQ(arr.count, 100u);
}

TEST_F(DynaArrayTest, AddManyEndsAsThatManyAddsInOneGrowth)
{
    // Slots of deleted elements inside the block hold their old bytes.
    Rec *bound = nullptr, *boundOne = nullptr;
    TDynaArray many(sizeof(Rec), &bound), one(sizeof(Rec), &boundOne);
    fill(many, bound, 150);
    fill(one, boundOne, 150);
    while (many.count > 90) {
        many.Delete(0);
        one.Delete(0);
    }
    TDynaArray::callocFn = failingCalloc;
    g_failIn = 2; // one block, the second would fail
    ASSERT_NE(many.AddMany(20), nullptr);
    EXPECT_EQ(g_failIn, 1);
    g_failIn = 0;
    for (int i = 0; i < 20; ++i)
        ASSERT_NE(one.Add(), nullptr);
    EXPECT_EQ(many.count, 110u);
    EXPECT_EQ(many.amemsize, one.amemsize);
    EXPECT_EQ(many.amemsize, 200 * sizeof(Rec));
    EXPECT_EQ(many.aobjnr, 109);
    EXPECT_EQ(static_cast<void *>(bound), many.At(109));
    EXPECT_EQ(std::memcmp(many.poi, one.poi, many.amemsize), 0);
    // Within the block: the old slots are zero as well.
    many.Delete(0);
    one.Delete(0);
    ASSERT_NE(many.AddMany(5), nullptr);
    for (int i = 0; i < 5; ++i)
        ASSERT_NE(one.Add(), nullptr);
    EXPECT_EQ(std::memcmp(many.poi, one.poi, many.amemsize), 0);

    // No memory: nothing changes.
    const uint32_t count = many.count;
    g_failIn = 1;
    EXPECT_EQ(many.AddMany(1000), nullptr);
    EXPECT_EQ(many.count, count);
    EXPECT_EQ(many.amemsize, 200 * sizeof(Rec));
    EXPECT_TRUE(messages.last().startsWith("Error 2 while trying to allocate 9600 bytes"));
    EXPECT_EQ(many.AddMany(0), nullptr);
    EXPECT_EQ(many.count, count);
}
