// obractl.exe run as a child process on the test program's own register.
#include <gtest/gtest.h>

#include "FirmwareTestSupport.h"
#include "firmware/FirmwareState.h"

namespace {

class ObraCtl : public testing::Test {
protected:
    static void SetUpTestSuite() { UseTestInstance(); }
    void SetUp() override { ASSERT_TRUE(CFirmwareState().Reset()); }

    // Opened only for the look, so between runs no process holds the block.
    static FirmwareSharedState Snapshot()
    {
        FirmwareSharedState snapshot = {};
        EXPECT_TRUE(CFirmwareState().Snapshot(snapshot));
        return snapshot;
    }
};

}  // namespace

TEST_F(ObraCtl, ArgumentErrorsExitWithUsage)
{
    for (const char* line : { "", "bogus", "set", "set 256", "set 0x1G", "set -1", "set 0x",
                              "wlan maybe", "switch 1", "journal 0", "delay 60001",
                              "delay 10ms", "key enter", "status now" }) {
        SCOPED_TRACE(line);
        const CtlResult result = RunCtl(line);
        EXPECT_EQ(2u, result.exitCode);
        EXPECT_NE(std::string::npos, result.output.find("usage: obractl"));
    }
    EXPECT_EQ(FIRMWARE_DEFAULT_STATUS, Snapshot().status);
}

// Each command changes only its own bits, and the register outlives the
// processes that used it.
TEST_F(ObraCtl, CommandsChangeTheRegister)
{
    const struct {
        const char* arguments;
        BYTE status;
    } steps[] = {
        { "set 0x1D", 0x1D },    { "set 12", 0x0C },      { "switch on", 0x1C },
        { "wlan absent", 0x18 }, { "bt absent", 0x10 },   { "wlan on", 0x11 },
        { "bt present", 0x19 },  { "bt on", 0x1B },       { "switch off", 0x0B },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.arguments);
        EXPECT_EQ(0u, RunCtl(step.arguments).exitCode);
        EXPECT_EQ(step.status, Snapshot().status);
    }
    EXPECT_EQ(0u, RunCtl("unanswered on").exitCode);
    EXPECT_EQ(0u, RunCtl("delay 300").exitCode);
    EXPECT_EQ(1, Snapshot().unanswered);
    EXPECT_EQ(300u, Snapshot().delayMs);
    EXPECT_EQ(0u, RunCtl("reset").exitCode);
    const FirmwareSharedState reset = Snapshot();
    EXPECT_TRUE(reset.status == 0x1F && !reset.unanswered && reset.delayMs == 0);
}

TEST_F(ObraCtl, StatusAndJournalPrintTheRegister)
{
    RunCtl("set 0x1D");
    const std::string status = RunCtl("status").output;
    EXPECT_NE(std::string::npos, status.find("status 0x1D"));
    EXPECT_NE(std::string::npos, status.find("bit 0  Wireless LAN enabled   1"));
    EXPECT_NE(std::string::npos, status.find("bit 1  Bluetooth enabled      0"));

    BYTE value = 0;
    const BYTE input[2] = { RADIO_STATUS_REGISTER, 0x1F };
    CallObra(EVAL_READ, input, 1, &value, 1);
    CallObra(EVAL_WRITE, input, 2, NULL, 0);
    const std::string journal = RunCtl("journal 2").output;
    EXPECT_LT(journal.find("0xB0 read"), journal.find("0xB1 write"));
    EXPECT_NE(std::string::npos, journal.find("BB 1F"));
}
