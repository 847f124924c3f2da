// `kelvorn info`: identity, programs and parameters as a host reads them.
#include <gtest/gtest.h>

#include "KelvornRun.h"

TEST(Info, ShowsIdentityProgramsAndParametersOfTheChosenProgram) {
    const auto run = runKelvorn({"info", "--plugin", fakeModule("Gain"), "--program", "Unity"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* line : {"Effect name:    Fake Gain\n", "VST version:    2400\n",
                             "Unique ID:      'FakG' (1180789575)\n", "Audio:          2 in, 2 out\n",
                             "Programs (2):\n   0   Double\n * 1   Unity\n",
                             "Parameters (1) in program 1 \"Unity\":\n",
                             "   0   Gain              0.25      4*value       x\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
}

TEST(Info, LoadsKelvornBuiltBesideTheCommandByDefault) {
    const auto run = runKelvorn({"info", "--program", "Echo"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* line : {"Effect name:    QOV - Kelvorn\n", "Vendor:         QOV Technologies\n",
                             "Product:        QOV - Kelvorn\n", "Vendor version: 1000\n", "VST version:    2400\n",
                             " * 3   Echo\n", "   4   Talking to Myself\n", "   15  Extra 11\n",
                             "Parameters (9) in program 3 \"Echo\":\n",
                             "   2   W1Delay           0.560594  840.8843      ms\n",
                             "   5   W2Enable          1         On            \n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    EXPECT_NE(run.out.find("Unique ID:      'QOVl' (1364153964)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Audio:          2 in, 2 out\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Programs (16):"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Parameters (9)"), std::string::npos) << run.out;
}
