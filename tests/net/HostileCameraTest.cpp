// SPDX-License-Identifier: Apache-2.0
#include "device/DeviceOperations.h"
#include "tests/net/OperationsFixture.h"

using namespace std::chrono_literals;

namespace {

class HostileCameraTest : public OperationsFixture
{
};

// Length fields that lie in either direction: what is read comes from the bytes that arrived,
// and a write's wait is only taken from a well-formed answer.
TEST_F(HostileCameraTest, LyingLengthFieldsAreNotBelieved)
{
    StartCameras({{"essid=Attic", {"--lie-length", "65535", "--write-action", "2", "--write-wait", "700"}},
                  {"essid=Cellar", {"--lie-length", "0"}}});
    ASSERT_EQ(GetWLan(*context), OperationResult::kSuccess);
    EXPECT_EQ(wizard.wireless.ssid, u"Attic");
    EXPECT_EQ(SetBasic(*context), OperationResult::kSuccess);
    EXPECT_TRUE(waits.empty());

    // A body said to be empty is not read, however many bytes came with it.
    Aim(2);
    EXPECT_EQ(Verification(*context), OperationResult::kSuccess);
    wizard.wireless.ssid = u"as before";
    EXPECT_EQ(GetWLan(*context), OperationResult::kSuccess);
    EXPECT_EQ(wizard.wireless.ssid, u"as before");
}

// An answer that comes after its try gave up reaches a closed socket: every try of the operation
// fails honestly, and the write it reports has happened all the same.
TEST_F(HostileCameraTest, AnswersAfterTheTimeOutFailHonestly)
{
    StartCameras({{"", {"--late-reply", "600"}}}, 400ms);
    EXPECT_EQ(Reset(*context), OperationResult::kFailed);
    EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer);
    EXPECT_EQ(CameraValue(State(), "resets"), "1");
    EXPECT_EQ(QueryOpcodes(*context), OperationResult::kFailed);
    EXPECT_EQ(RequestCount(State(), 0xA5), 3);

    DeviceTimeouts patient = manager->Timeouts();
    patient.receive = 1500ms;
    manager->SetTimeouts(patient);
    ASSERT_EQ(QueryOpcodes(*context), OperationResult::kSuccess);
    EXPECT_EQ(wizard.supportedOpcodes[0], 0xA1);
}

} // namespace
