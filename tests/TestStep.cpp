#include "Step.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace
{
// Small values, and values around the edges of products and of 32 bits.
std::vector<std::int32_t> SampleValues()
{
    std::vector<std::int32_t> values;
    for (std::int32_t v = 0; v <= 30; ++v)
        values.push_back(v);
    for (std::int32_t v :
         {100, 255, 46340, 46341, 65535, 65536, 65537, 1073741824, 2147483646, 2147483647})
        values.push_back(v);
    return values;
}

bool SomeStepMakes(std::int32_t a, std::int32_t b, std::int32_t v)
{
    for (int nOperator = 0; nOperator < OpCount; ++nOperator)
    {
        std::int32_t r = 0;
        if ((ApplyStep(nOperator, a, b, r) && r == v) || (ApplyStep(nOperator, b, a, r) && r == v))
            return true;
    }
    return false;
}
} // namespace

TEST(Step, StepValuesAreTheAcceptedStepsInEitherOrder)
{
    const std::vector<std::int32_t> values = SampleValues();
    for (std::int32_t a : values)
    {
        for (std::int32_t b : values)
        {
            std::set<std::int32_t> expected;
            for (int nOperator = 0; nOperator < OpCount; ++nOperator)
            {
                std::int32_t r = 0;
                if (ApplyStep(nOperator, a, b, r))
                    expected.insert(r);
                if (ApplyStep(nOperator, b, a, r))
                    expected.insert(r);
            }
            std::int32_t anResults[4];
            const int n = StepValues(a, b, anResults);
            EXPECT_EQ(std::set<std::int32_t>(anResults, anResults + n), expected)
                << a << " and " << b;
        }
    }
}

TEST(Step, ExactQuotientAgreesWithTheDivideInstruction)
{
    // Divisors on both sides of the magic numbers' table and up to 32 bits, dividends around
    // their first multiples and at the end of the range.
    for (std::uint32_t d : {1u, 2u, 3u, 7u, 1000u, 1023u, 1024u, 1025u, 4096u, 46341u, 65536u,
                            1073741824u, 2147483647u})
    {
        std::vector<std::uint64_t> dividends = {0, 1, 2147483647};
        for (std::uint64_t k : {1u, 2u, 3u, 1000u})
        {
            const std::uint64_t nMultiple = k * d;
            dividends.insert(dividends.end(), {nMultiple - 1, nMultiple, nMultiple + 1});
        }
        for (std::uint64_t n : dividends)
        {
            if (n > 2147483647u)
                continue;
            const auto nHigh = static_cast<std::uint32_t>(n);
            std::uint32_t q = 0;
            const bool bExact = ExactQuotient(nHigh, d, q);
            EXPECT_EQ(bExact, nHigh % d == 0) << nHigh << " / " << d;
            if (bExact)
            {
                EXPECT_EQ(q, nHigh / d) << nHigh << " / " << d;
            }
        }
    }
    // A divisor of 0 is the step 0 / n: 0, exact unless n is 0 too.
    std::uint32_t q = 1;
    EXPECT_TRUE(ExactQuotient(7, 0, q));
    EXPECT_EQ(q, 0u);
    EXPECT_FALSE(ExactQuotient(0, 0, q));
}

TEST(Step, OperandsAreExactlyThoseThatMakeTheValue)
{
    constexpr std::int32_t nLargestOperand = 1500;
    std::vector<std::int32_t> targets;
    for (std::int32_t v = 0; v <= 40; ++v)
        targets.push_back(v);
    // Values above the operand, which only some products and quotients reach.
    for (std::int32_t v : {100, 255, 1024, 1500, 4096})
        targets.push_back(v);
    for (std::int32_t a : SampleValues())
    {
        for (std::int32_t v : targets)
        {
            std::set<std::int32_t> expected;
            for (std::int32_t b = 0; b <= nLargestOperand; ++b)
            {
                if (SomeStepMakes(a, b, v))
                    expected.insert(b);
            }
            std::set<std::int32_t> taken;
            const bool bListed = ForEachOperand(a, v,
                                                [&](std::int32_t b)
                                                {
                                                    EXPECT_TRUE(SomeStepMakes(a, b, v)) << b;
                                                    if (b <= nLargestOperand)
                                                        taken.insert(b);
                                                });
            if (!bListed)
                EXPECT_EQ(expected.size(), nLargestOperand + 1u) << a << " makes " << v;
            else
                EXPECT_EQ(taken, expected) << a << " makes " << v;
        }
    }
}
