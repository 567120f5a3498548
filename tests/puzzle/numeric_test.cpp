#include "puzzle/numeric.h"
#include "puzzle/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using puzzle::RuntimeError;

namespace {

struct Nearest {
    double value;
    int expected;
};

TEST(Conversion, GoesToNearestWithHalvesToEven)
{
    const Nearest cases[] = {
        {0.4, 0},   {0.5, 0},       {1.5, 2},   {2.5, 2},       {-0.5, 0},        {-1.5, -2},         {-2.5, -2},
        {59.5, 60}, {3599.5, 3600}, {21.5, 22}, {2799.9, 2800}, {32767.4, 32767}, {-32768.5, -32768},
    };
    for (const Nearest &c : cases) {
        EXPECT_EQ(puzzle::toInt16(c.value), c.expected) << c.value;
        EXPECT_EQ(puzzle::toInt32(c.value), c.expected) << c.value;
    }
    EXPECT_EQ(puzzle::toInt32(2147483647.4), 2147483647);
    EXPECT_EQ(puzzle::toInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
}

TEST(Conversion, OutOfRangeIsAnOverflowError)
{
    for (double v : {32767.5, 32768.0, -32768.6, -40000.0, 1e300}) {
        try {
            puzzle::toInt16(v);
            ADD_FAILURE() << v << " converted";
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.code(), RuntimeError::Code::Overflow) << v;
        }
    }
    EXPECT_THROW(puzzle::toInt32(2147483647.5), RuntimeError);
    EXPECT_THROW(puzzle::toInt32(-2147483649.0), RuntimeError);
    EXPECT_THROW(puzzle::toInt16(std::int32_t{32768}), RuntimeError);
    EXPECT_THROW(puzzle::toInt16(std::int32_t{-32769}), RuntimeError);
    EXPECT_EQ(puzzle::toInt16(std::int32_t{-32768}), -32768);
    EXPECT_THROW(puzzle::toInt16(std::nan("")), RuntimeError);
}

TEST(IntegerArithmetic, SumsAreTestedAndNeverWrap)
{
    EXPECT_EQ(puzzle::add16(32766, 1), 32767);
    EXPECT_THROW(puzzle::add16(32767, 1), RuntimeError);
    EXPECT_THROW(puzzle::sub16(-32768, 1), RuntimeError);
    EXPECT_EQ(puzzle::sub16(8, 0), 8);
    EXPECT_THROW(puzzle::add32(std::numeric_limits<std::int32_t>::max(), 1), RuntimeError);
    EXPECT_THROW(puzzle::sub32(std::numeric_limits<std::int32_t>::min(), 1), RuntimeError);
}

TEST(IntegerArithmetic, DivisionTruncatesAndRemainderKeepsTheDividendsSign)
{
    EXPECT_EQ(puzzle::div32(-65, 60), -1);
    EXPECT_EQ(puzzle::rem32(-65, 60), -5);
    EXPECT_EQ(puzzle::rem32(65, -60), 5);
    EXPECT_EQ(puzzle::div32(7, 2), 3);
    EXPECT_THROW(puzzle::div32(1, 0), RuntimeError);
    EXPECT_THROW(puzzle::rem32(1, 0), RuntimeError);
    EXPECT_THROW(puzzle::div32(std::numeric_limits<std::int32_t>::min(), -1), RuntimeError);
    EXPECT_EQ(puzzle::rem32(std::numeric_limits<std::int32_t>::min(), -1), 0);
}

TEST(FloatStatus, InvalidAndInfiniteResultsRaise)
{
    EXPECT_EQ(puzzle::checkedFloat(1.5), 1.5);
    EXPECT_THROW(puzzle::checkedFloat(std::numeric_limits<double>::infinity()), RuntimeError);
    EXPECT_THROW(puzzle::checkedFloat(std::nanf("")), RuntimeError);
    EXPECT_THROW(puzzle::checkedFloat(std::numeric_limits<float>::max() * 2.0f), RuntimeError);
}

TEST(NumberText, LeadsWithABlankUnlessNegative)
{
    EXPECT_EQ(puzzle::numberText(0), " 0");
    EXPECT_EQ(puzzle::numberText(59), " 59");
    EXPECT_EQ(puzzle::numberText(-1), "-1");
    EXPECT_EQ(puzzle::numberText(-32768), "-32768");
}

} // namespace
