// SPDX-License-Identifier: Apache-2.0
#include "device/DeviceOperations.h"
#include "device/DeviceProtocol.h"
#include "device/LoginSequence.h"
#include "device/OperationTable.h"
#include "engine/CredentialCipher.h"
#include "platform/Utf8.h"
#include "tests/net/OperationsFixture.h"

#include <fstream>
#include <stop_token>
#include <thread>

using namespace std::chrono_literals;

namespace {

std::string Narrow(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

class OperationsTest : public OperationsFixture
{
};

TEST_F(OperationsTest, LoginReadsOpcodesAndWirelessSettingsTheCameraHolds)
{
    StartCameras({{"opcodes=0xA2:0xA3:0xA8:0xB2,essid=Attic,channel=11,wlanenable=1,wepkey2=k2k2k,"
                   "wepkey=passphrase99,encbits=00010001,authbits=00010010,keybits=00110001,"
                   "ratebits=10000001,enccaps=00000011,authcaps=00100111,keylencaps=00000001,"
                   "keyformatcaps=00000010,defkeycaps=00001100,channelrange=00000000000000000001111111111111",
                   {}}});

    ASSERT_EQ(Login(*context), OperationResult::kSuccess);

    EXPECT_EQ(context->errorDetail, 0);
    EXPECT_EQ(wizard.supportedOpcodes[0], 0xA2);
    EXPECT_EQ(wizard.supportedOpcodes[3], 0xB2);
    EXPECT_EQ(wizard.supportedOpcodes[4], 0);
    EXPECT_TRUE(wizard.WpsCapable());
    const WirelessSettings& w = wizard.wireless;
    EXPECT_EQ(Narrow(w.ssid), "Attic");
    EXPECT_EQ(w.channel, 11);
    EXPECT_EQ(Narrow(w.wirelessEnable), "1");
    EXPECT_EQ(Narrow(w.wepKeys[1]), "k2k2k");
    EXPECT_EQ(Narrow(w.passphrase), "passphrase99");
    EXPECT_EQ(std::make_pair(w.encryption, w.adHoc), std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(w.wepKeyLength, w.authentication), std::make_pair(1, 2));
    EXPECT_EQ(std::make_pair(w.wepDefaultKey, w.wepKeyFormat), std::make_pair(3, 1));
    EXPECT_EQ(w.txRate, 0x81);
    EXPECT_EQ(Narrow(w.encryptionCaps), "00000011");
    EXPECT_EQ(Narrow(w.authenticationCaps), "00100111");
    EXPECT_EQ(Narrow(w.wepKeyLengthCaps), "00000001");
    EXPECT_EQ(Narrow(w.wepKeyFormatCaps), "00000010");
    EXPECT_EQ(Narrow(w.wepDefaultKeyCaps), "00001100");
    EXPECT_EQ(Narrow(w.channelRange), "00000000000000000001111111111111");
}

TEST_F(OperationsTest, LoginSkipsTheWirelessReadForACameraWithoutIt)
{
    StartCameras({{"opcodes=0xA3:0xA5", {}}});

    ASSERT_EQ(Login(*context), OperationResult::kSuccess);
    EXPECT_EQ(RequestCount(State(), DeviceProtocol::Opcode::kGetWLan), 0);
}

// A 48-character ID is 64 Base64 characters: the field is full, with no terminator.
TEST_F(OperationsTest, CredentialsFillingTheirFieldExactlyAreAccepted)
{
    const std::string id(48, 'i');
    StartCameras({{"user=" + id + ",password=" + std::string(47, 'p'), {}}});
    wizard.adminId = std::u16string(48, u'i');
    wizard.adminPassword = std::u16string(47, u'p');

    EXPECT_EQ(Verification(*context), OperationResult::kSuccess);
    // A longer ID is cut to its first 64 Base64 characters, which carry its first 48 characters.
    wizard.adminId = std::u16string(48, u'i') + u"jk";
    EXPECT_EQ(Verification(*context), OperationResult::kSuccess);
    wizard.adminPassword = std::u16string(47, u'q');
    EXPECT_EQ(Verification(*context), OperationResult::kRefused);
}

TEST_F(OperationsTest, OpcodeListLongerThanTheTableFillsItsSixtyFourSlots)
{
    std::string list = "opcodes=1";
    for (int opcode = 2; opcode <= 70; ++opcode)
        list += ":" + std::to_string(opcode);
    StartCameras({{list, {}}});
    wizard.supportedOpcodes.fill(-5);

    ASSERT_EQ(QueryOpcodes(*context), OperationResult::kSuccess);
    EXPECT_EQ(wizard.supportedOpcodes.front(), 1);
    EXPECT_EQ(wizard.supportedOpcodes.back(), 64);
}

TEST_F(OperationsTest, SetBasicLeavesExactlyTheSentNetworkSettings)
{
    StartCameras({{}});
    CameraInfo& c = wizard.camera;
    c.name = u"Garden gate";
    c.ip = u"198.19.9.77";
    c.webPort = 8081;
    c.mask = u"255.255.254.0";
    c.gateway = u"198.19.8.1";
    c.reserved = 3;
    c.dnsSpec = 1;
    c.dns1 = u"198.18.5.5";
    c.dns2 = u"198.18.6.6";
    c.dhcp = 0;

    ASSERT_EQ(SetBasic(*context), OperationResult::kSuccess);

    const std::string state = State();
    const std::vector<std::pair<std::string, std::string>> expected = {{"name", "Garden gate"},
                                                                       {"ip", "198.19.9.77"},
                                                                       {"mask", "255.255.254.0"},
                                                                       {"gateway", "198.19.8.1"},
                                                                       {"dns1", "198.18.5.5"},
                                                                       {"dns2", "198.18.6.6"},
                                                                       {"dhcp", "0"},
                                                                       {"webPort", "8081"},
                                                                       {"reserved", "3"},
                                                                       {"dnsSpec", "1"}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(CameraValue(state, key), value) << key;
    EXPECT_TRUE(waits.empty());
}

TEST_F(OperationsTest, SetWLanLeavesExactlyTheSentWirelessSettings)
{
    StartCameras({{}});
    WirelessSettings& w = wizard.wireless;
    w.ssid = u"Upstairs 5";
    w.wepKeys = {u"abcde", u"0123456789", u"ABCDEFABCDEFABCDEFABCDEF01", u"x"};
    w.passphrase = u"a long passphrase with spaces";
    w.wirelessEnable = u"1";
    w.channel = 13;
    w.encryption = 4;
    w.adHoc = 1;
    w.wepKeyLength = 1;
    w.authentication = 5;
    w.wepDefaultKey = 2;
    w.wepKeyFormat = 1;
    w.txRate = 0xA5;

    ASSERT_EQ(SetWLan(*context), OperationResult::kSuccess);

    const std::string state = State();
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"essid", "Upstairs 5"},
        {"wepKey", "a long passphrase with spaces"},
        {"enable", "1"},
        {"channel", "13"},
        {"encryptionModeBits", "01000001"},
        {"keyLenAuthBits", "00010101"},
        {"keyFormatBits", "00100001"},
        {"txRateBits", "10100101"}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(CameraValue(state, key), value) << key;
    EXPECT_NE(state.find("\"wepKeys\": [\"abcde\", \"0123456789\", \"ABCDEFABCDEFABCDEFABCDEF01\", \"x\"]"),
              std::string::npos)
        << state;
}

TEST_F(OperationsTest, ChangeIDPWDStoresTheEncipheredFormAndLaterLoginsUseTheNewPassword)
{
    StartCameras({{}});
    wizard.newPassword = u"N3w-secret";

    ASSERT_EQ(ChangeIDPWD(*context), OperationResult::kSuccess);

    const std::string state = State();
    EXPECT_EQ(CameraValue(state, "passwordCipher"), CipherHex("N3w-secret"));
    EXPECT_EQ(CameraValue(state, "userCipher"), CipherHex("admin"));
    EXPECT_EQ(Verification(*context), OperationResult::kRefused);
    wizard.adminPassword = u"N3w-secret";
    EXPECT_EQ(Verification(*context), OperationResult::kSuccess);
}

// A password change reported as failed is checked by signing in with the new password, so the
// result says what the camera holds.
TEST_F(OperationsTest, FailedPasswordChangeReportsWhatTheCameraHolds)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> faults;
        const char* oldPassword;
        int result;
        bool confirmed;
        const char* signInWith; // the password later operations use
        bool changedOnCamera;
    };
    const Case cases[] = {
        {"answer lost after the change", {"--drop-answers", "0xA4"}, "admin", -1, true, "N3w", true},
        {"the duplicate's refusal came first", {"--duplicate-requests"}, "admin", -1, true, "N3w", true},
        {"old password wrong", {}, "wrong", 18, false, "wrong", false},
        {"nothing answers", {"--drop-rate", "1"}, "admin", 30, false, "admin", true},
    };
    std::vector<std::pair<std::string, std::vector<std::string>>> cameras;
    for (const Case& c : cases)
        cameras.push_back({"", c.faults});
    StartCameras(cameras);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        const int host = static_cast<int>(i) + 1;
        Aim(host);
        wizard.adminPassword = FromUtf8(c.oldPassword);
        wizard.newPassword = u"N3w";

        const PasswordChange change = ChangePasswordConfirmed(*context);

        EXPECT_EQ(change.result, c.result);
        EXPECT_EQ(change.confirmedBySignIn, c.confirmed);
        EXPECT_EQ(ToUtf8(wizard.adminPassword), c.signInWith);
        if (c.result == OperationResult::kFailed) {
            EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer);
        }
        EXPECT_EQ(CameraValue(State(host), "passwordCipher"), c.changedOnCamera ? CipherHex("N3w") : "");
    }
}

TEST_F(OperationsTest, ResetRestartsTheCamera)
{
    StartCameras({{"", {"--restart-time", "200"}}}, 150ms);

    ASSERT_EQ(Reset(*context), OperationResult::kSuccess);
    EXPECT_EQ(CameraValue(State(), "resets"), "1");
    // Unanswered while it restarts, answering again afterwards.
    EXPECT_EQ(Verification(*context), OperationResult::kSuccess);
    EXPECT_GT(CounterValue(State(), "restarting"), 0);
}

// Every request has its fixed length, its body length in the header, zero filler and the check word.
TEST_F(OperationsTest, EveryRequestIsFramedAsTheCameraExpects)
{
    StartCameras({{"opcodes=0xA2:0xA3:0xA4:0xA5:0xA8:0xA9:0xAA", {}}});
    wizard.newPassword = u"admin";
    using Op = int (*)(OperationContext&);
    for (Op op : {Verification, QueryOpcodes, GetWLan, SetBasic, SetWLan, ChangeIDPWD, Reset})
        ASSERT_EQ(op(*context), OperationResult::kSuccess);

    const std::string state = State();
    for (const OperationSpec& row :
         {Operations::kVerification, Operations::kQueryOpcodes, Operations::kGetWLan, Operations::kSetBasic,
          Operations::kSetWLan, Operations::kChangeIDPWD, Operations::kReset}) {
        const std::string lengths = state.substr(state.find("\"requestLengths\""));
        const std::string key =
            "\"" + std::to_string(row.opcode) + "\": " + std::to_string(row.requestLength);
        EXPECT_NE(lengths.substr(0, lengths.find('}')).find(key), std::string::npos) << row.name;
    }
    EXPECT_EQ(CounterValue(state, "fillerNotZero"), 0);
    EXPECT_EQ(CounterValue(state, "badCheckWord"), 0);
}

struct StatusCase
{
    const char* name;
    std::vector<std::string> faults;
    const char* settings;
    int setBasic;
    int verification;
    int32_t detail;
};

TEST_F(OperationsTest, CameraStatusesBecomeErrorNumbersWithTheCamerasDetail)
{
    const std::vector<StatusCase> cases = {
        {"refused", {"--status", "2", "--detail", "9"}, "", 18, 18, 0},
        {"refused otherwise", {"--status", "3", "--detail", "9"}, "", 29, 29, 0},
        {"failure with detail", {"--status", "7", "--detail", "1234"}, "", 30, 18, 1234},
        {"power off", {}, "power=0", -1, 18, 0},
        {"empty bodies", {"--empty-reads"}, "power=0", -1, -1, 0},
    };
    std::vector<std::pair<std::string, std::vector<std::string>>> cameras;
    for (const StatusCase& c : cases)
        cameras.emplace_back(c.settings, c.faults);
    StartCameras(cameras);

    for (size_t i = 0; i < cases.size(); ++i) {
        const StatusCase& c = cases[i];
        Aim(static_cast<int>(i) + 1);
        EXPECT_EQ(SetBasic(*context), c.setBasic) << c.name;
        EXPECT_EQ(context->errorDetail, c.setBasic == 30 ? c.detail : 0) << c.name;
        EXPECT_EQ(Verification(*context), c.verification) << c.name;
        EXPECT_EQ(context->errorDetail, c.detail) << c.name;
    }
    // A refused write changes nothing.
    EXPECT_EQ(CameraValue(State(1), "ip"), "198.19.9.21");
}

TEST_F(OperationsTest, NoAnswerFailsWith1500AfterEachOperationsTries)
{
    StartCameras({{}}, 100ms);
    wizard.camera.macText = u"02.00.00.00.70.99";
    using Op = int (*)(OperationContext&);
    const std::vector<std::tuple<const char*, Op, int>> cases = {
        {"Verification", Verification, 3}, {"GetWLan", GetWLan, 3},         {"SetBasic", SetBasic, 3},
        {"SetWLan", SetWLan, 3},           {"ChangeIDPWD", ChangeIDPWD, 1}, {"Reset", Reset, 1},
    };
    int sent = 0;
    for (const auto& [name, op, tries] : cases) {
        EXPECT_EQ(op(*context), OperationResult::kFailed) << name;
        EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer) << name;
        sent += tries;
        EXPECT_EQ(CounterValue(State(), "otherTargets"), sent) << name;
    }
}

TEST_F(OperationsTest, MissingTemplateSendsNothing)
{
    StartCameras({{}});
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "quillane-no-templates";
    std::filesystem::create_directories(empty);
    manager->SetTemplateFolder(empty);

    EXPECT_EQ(SetBasic(*context), OperationResult::kTemplateMissing);
    EXPECT_EQ(Verification(*context), OperationResult::kTemplateMissing);
    EXPECT_EQ(CounterValue(State(), "datagrams"), 0);
    std::filesystem::remove_all(empty);
}

TEST_F(OperationsTest, FieldsTooLongForTheRequestAreRefusedWithoutSending)
{
    StartCameras({{}});
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillane-long-template";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "SetBasic_temp") << "CameraName;64;t;a=n;63;x;TC2S\r\nMore;26;t;a=n;25;y;TC2S\r\n";
    manager->SetTemplateFolder(folder);

    testing::internal::CaptureStderr();
    EXPECT_EQ(SetBasic(*context), OperationResult::kTooLong);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("SetBasic"), std::string::npos) << err;
    EXPECT_EQ(CounterValue(State(), "datagrams"), 0);
    std::filesystem::remove_all(folder);
}

TEST_F(OperationsTest, WritesWaitAsLongAsTheCameraAsks)
{
    StartCameras({{"", {"--write-action", "0", "--write-wait", "900"}},
                  {"", {"--write-action", "1", "--write-wait", "250"}},
                  {"", {"--write-action", "2", "--write-wait", "400"}},
                  {"", {"--write-action", "2", "--write-wait", "500000"}}});
    const std::vector<std::vector<std::chrono::milliseconds>> expected = {{}, {250ms}, {400ms}, {120000ms}};
    for (size_t i = 0; i < expected.size(); ++i) {
        Aim(static_cast<int>(i) + 1);
        waits.clear();
        ASSERT_EQ(SetBasic(*context), OperationResult::kSuccess) << i;
        EXPECT_EQ(waits, expected[i]) << i;
    }
    // A read never waits, whatever the camera reports.
    waits.clear();
    ASSERT_EQ(GetWLan(*context), OperationResult::kSuccess);
    EXPECT_TRUE(waits.empty());
}

TEST_F(OperationsTest, RealWaitBlocksTheCaller)
{
    StartCameras({{"", {"--write-action", "2", "--write-wait", "200"}}});
    context->sleep = [](std::chrono::milliseconds wait) { std::this_thread::sleep_for(wait); };
    const auto start = std::chrono::steady_clock::now();

    ASSERT_EQ(Reset(*context), OperationResult::kSuccess);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
}

// A stop from another thread ends an operation at its next wait, whether the camera is silent
// or asked for two minutes after a write: nothing more is sent, and nothing is reported as done.
TEST_F(OperationsTest, StopEndsAnOperationWithinItsNextWait)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> simulator;
        int (*operation)(OperationContext&);
        int opcode;
    };
    const Case cases[] = {
        {"silent camera", {"--drop-rate", "1"}, Verification, 0xA3},
        {"asked to wait", {"--write-action", "2", "--write-wait", "120000"}, SetBasic, 0xA2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A lab of its own per case; the last one's names would clash.
        context.reset();
        manager.reset();
        lab.reset();
        lab = std::make_unique<NetLab>();
        states.clear();
        // Tries of a minute: only the stop can end them early.
        StartCameras({{"", c.simulator}}, 60s);
        context->sleep = nullptr;
        std::stop_source stop;
        context->stop = stop.get_token();
        int result = 0;
        std::thread worker([&] { result = c.operation(*context); });
        const auto giveUp = std::chrono::steady_clock::now() + 5s;
        while (RequestCount(State(), c.opcode) < 1 && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(20ms);
        std::this_thread::sleep_for(300ms);
        const auto stopped = std::chrono::steady_clock::now();
        stop.request_stop();
        worker.join();

        EXPECT_LT(std::chrono::steady_clock::now() - stopped, 500ms);
        EXPECT_EQ(result, OperationResult::kStopped);
        EXPECT_EQ(RequestCount(State(), c.opcode), 1);
    }
}

// Lost requests and lost answers: three tries get most writes through, and a write reported
// as done is always on the camera.
TEST_F(OperationsTest, LossyLinkNeverReportsAWriteThatDidNotArrive)
{
    StartCameras({{"", {"--drop-rate", "0.3", "--request-drop-rate", "0.3", "--seed", "7"}}}, 100ms);
    constexpr int kRuns = 40;
    int succeeded = 0;
    for (int run = 0; run < kRuns; ++run) {
        const std::string name = "run-" + std::to_string(run);
        wizard.camera.name = std::u16string(name.begin(), name.end());
        const int result = SetBasic(*context);
        if (result == OperationResult::kSuccess) {
            ++succeeded;
            EXPECT_EQ(CameraValue(State(), "name"), name) << run;
        } else {
            EXPECT_EQ(result, OperationResult::kFailed) << run;
            EXPECT_EQ(context->errorDetail, OperationResult::kDetailNoAnswer) << run;
        }
    }
    EXPECT_GE(succeeded, kRuns * 7 / 10);
    EXPECT_GT(CounterValue(State(), "requestsDropped"), 0);
    EXPECT_GT(CounterValue(State(), "dropped"), 0);
}

} // namespace
