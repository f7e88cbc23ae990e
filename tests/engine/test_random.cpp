#include "engine/RuntimeRandom.h"

#include <gtest/gtest.h>

namespace {

TEST(RuntimeRandom, KnownValuesFromTheStartState)
{
    RuntimeRandom rnd;
    const double expected[] = {0.7055475, 0.533424, 0.5795186, 0.2895625, 0.301948};
    for (double e : expected)
        EXPECT_NEAR(rnd.next(), e, 5e-7);
}

TEST(RuntimeRandom, KnownValuesAfterRestartAndMix)
{
    RuntimeRandom rnd;
    rnd.next(); // the restart must not depend on earlier draws
    rnd.restart(-1.0f);
    rnd.mix(1.0);
    const double expected[] = {0.3335753, 0.06816387, 0.5938293, 0.7660395, 0.1892894};
    for (double e : expected)
        EXPECT_NEAR(rnd.next(), e, 5e-8);
}

TEST(RuntimeRandom, MixingKeepsTheOuterBitsAndRestartDependsOnTheValueAlone)
{
    RuntimeRandom a;
    RuntimeRandom b;
    b.next();
    b.next();
    a.restart(-10.0f);
    b.restart(-10.0f);
    EXPECT_EQ(a.state(), b.state());

    const uint32_t before = a.state();
    a.mix(123456.0);
    EXPECT_EQ(a.state() & 0xFF0000FFu, before & 0xFF0000FFu);
    RuntimeRandom c;
    c.restart(-10.0f);
    c.mix(123457.0);
    EXPECT_NE(a.state(), c.state()) << "neighbouring game numbers seed differently";
}

} // namespace
