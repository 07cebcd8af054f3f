// SPDX-License-Identifier: Apache-2.0
#include "device/WpsOperations.h"
#include "device/WpsPin.h"
#include "engine/TemplateEngine.h"
#include "tests/net/OperationsFixture.h"

using namespace std::chrono_literals;

namespace {

class WpsTest : public OperationsFixture
{
protected:
    // Polls as the WPS page's timer would, without the second between ticks; the count of
    // "ask again" answers, or -1 when the poll ended otherwise than with success.
    int PollUntilDone(int (*poll)(OperationContext&))
    {
        for (int asked = 0; asked < 20; ++asked) {
            const int result = poll(*context);
            if (result == OperationResult::kSuccess)
                return asked;
            if (result != OperationResult::kAskAgain) {
                ADD_FAILURE() << "poll gave " << result << ", detail " << context->errorDetail;
                return -1;
            }
        }
        return -1;
    }

    void Start(WpsValues& wps)
    {
        ASSERT_EQ(QueryWPS(*context, wps), OperationResult::kSuccess) << context->errorDetail;
        ASSERT_EQ(InitWPS(*context, wps), OperationResult::kSuccess) << context->errorDetail;
    }
};

TEST_F(WpsTest, WholeJoinInEitherModeWithPendingPollsAndTheKeyExchangeCheckedByTheCamera)
{
    StartCameras({{"wpsssid=Joined-AP", {"--wps-pending", "2"}}});
    for (const int32_t mode : {WpsMode::kPushButton, WpsMode::kPin}) {
        SCOPED_TRACE(mode);
        WpsValues wps;
        wps.mode = mode;
        wps.pin = GenerateWpsPin();
        Start(wps);
        EXPECT_EQ(wps.pbcSupported, 1);
        EXPECT_EQ(wps.pinSupported, 1);

        EXPECT_EQ(PollUntilDone(PollWPSInf), 2);
        ASSERT_EQ(SendWPS(*context), OperationResult::kSuccess) << context->errorDetail;
        EXPECT_EQ(PollUntilDone(PollWPSStatus), 2);

        const std::string state = State();
        EXPECT_EQ(CameraValue(state, "phase"), "joined");
        EXPECT_EQ(CameraValue(state, "mode"), std::to_string(mode));
        EXPECT_EQ(CameraValue(state, "pin"), std::string(wps.pin.begin(), wps.pin.end()));
        EXPECT_EQ(CameraValue(state, "sendsAccepted"), "1");
        EXPECT_EQ(CameraValue(state, "essid"), "Joined-AP");
        EXPECT_EQ(CameraValue(state, "enable"), "1");
    }
}

TEST_F(WpsTest, CameraRefusesASecretThatDoesNotMatchItsOwn)
{
    StartCameras({{}});
    WpsValues wps;
    wps.pin = GenerateWpsPin();
    Start(wps);
    ASSERT_EQ(PollUntilDone(PollWPSInf), 0);
    manager->Engine().Keys().sharedSecret[5] ^= 0x01;

    EXPECT_EQ(SendWPS(*context), OperationResult::kFailed);
    EXPECT_EQ(context->errorDetail, 6);
    EXPECT_EQ(CameraValue(State(), "sendsRejected"), "1");
}

TEST_F(WpsTest, CameraWithoutPushButtonFailsWith1501)
{
    StartCameras({{"wpspbc=0", {}}});
    WpsValues wps;

    EXPECT_EQ(QueryWPS(*context, wps), OperationResult::kFailed);
    EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoPushButton);
    EXPECT_EQ(wps.pbcSupported, 0);
}

TEST_F(WpsTest, QueryClearsTheKeySlotsAndPassesRefusalsOn)
{
    StartCameras({{"", {"--status", "3"}}});
    WpsValues wps;
    manager->Engine().Keys().sharedSecret.fill(0x5A);

    EXPECT_EQ(QueryWPS(*context, wps), OperationResult::kRefusedOther);
    EXPECT_EQ(manager->Engine().Keys().sharedSecret, KeyArea{}.sharedSecret);
}

TEST_F(WpsTest, UnansweredAndOutOfOrderSteps)
{
    StartCameras({{}}, 100ms);
    WpsValues wps;
    wps.pin = u"12345670";
    // Steps out of order: the camera's own failure status becomes the detail.
    EXPECT_EQ(PollWPSStatus(*context), OperationResult::kFailed);
    EXPECT_EQ(context->errorDetail, 5);
    EXPECT_EQ(SendWPS(*context), OperationResult::kFailed);
    EXPECT_EQ(context->errorDetail, 5);

    // Nobody answers: the polls ask again, the other steps fail.
    wizard.camera.macText = u"02.00.00.00.70.99";
    EXPECT_EQ(PollWPSInf(*context), OperationResult::kAskAgain);
    EXPECT_EQ(context->errorDetail, 0);
    EXPECT_EQ(PollWPSStatus(*context), OperationResult::kAskAgain);
    EXPECT_EQ(InitWPS(*context, wps), 3);
    EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer);
    EXPECT_EQ(QueryWPS(*context, wps), OperationResult::kFailed);
    EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer);
    EXPECT_EQ(CounterValue(State(), "otherTargets"), 4);
}

// A doubled step reaches the camera twice and the second answer can come first: the camera
// answers the repeat as it did the step instead of calling it out of order.
TEST_F(WpsTest, DuplicatedStepsStillJoin)
{
    StartCameras({{"", {"--duplicate-requests", "--wps-pending", "1"}}});
    WpsValues wps;
    wps.mode = WpsMode::kPushButton;
    wps.pin = GenerateWpsPin();
    Start(wps);
    EXPECT_EQ(PollUntilDone(PollWPSInf), 1);
    ASSERT_EQ(SendWPS(*context), OperationResult::kSuccess) << context->errorDetail;
    EXPECT_EQ(PollUntilDone(PollWPSStatus), 1);

    const std::string state = State();
    EXPECT_EQ(CameraValue(state, "phase"), "joined");
    EXPECT_EQ(CameraValue(state, "sendsAccepted"), "1");
    EXPECT_EQ(CameraValue(state, "sendsRejected"), "0");
    EXPECT_GE(CounterValue(state, "wpsRepeats"), 5);
}

// Another camera's answer to the same sequence number ends the tries, but it is the chosen
// camera's silence that fails the step.
TEST_F(WpsTest, StepAnsweredOnlyByAnotherCameraFailsAsUnanswered)
{
    StartCameras({{"", {"--stray", "other-mac", "--drop-rate", "1"}}});
    WpsValues wps;
    wps.mode = WpsMode::kPushButton;
    wps.pin = u"12345670";
    EXPECT_EQ(InitWPS(*context, wps), 3);
    EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer);
    EXPECT_EQ(SendWPS(*context), 3);
    EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer);
}

} // namespace
