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

TEST(Step, OperandsAreExactlyThoseThatMakeTheValue)
{
    constexpr std::int32_t nLargestOperand = 1500;
    for (std::int32_t a : SampleValues())
    {
        for (std::int32_t v = 0; v <= 40; ++v)
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
