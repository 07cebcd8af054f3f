// SPDX-License-Identifier: Apache-2.0
#include "device/AdapterTable.h"
#include "device/CameraInfo.h"
#include "device/DeviceProtocol.h"
#include "tests/net/NetFixture.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string>

namespace {

std::string Narrow(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

std::vector<std::string> Macs(const CDeviceManager& manager)
{
    std::vector<std::string> macs;
    for (const TemplateCameraRecord& record : manager.Cameras())
        macs.push_back(Narrow(FormatMac(record.Mac())));
    return macs;
}

// Requests one search pass sends on one adapter.
const int kSends = 1 + DeviceTimeouts{}.searchRepeats;

class SearchTest : public NetFixture
{
};

// pc: eth0 with two addresses and eth1 on link A, eth2 without address on link B. One camera
// host on link A plays a camera in the pc's subnet and one in another subnet.
TEST_F(SearchTest, TwoAdaptersOnOneLinkListEachCameraOnceWithTheAdapterThatHeardItFirst)
{
    lab->AddLink("lanA");
    lab->AddLink("lanB");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24", "198.18.0.2/24"});
    lab->AddPcAdapter("lanA", "eth1", {"198.18.0.3/24"});
    lab->AddPcAdapter("lanB", "eth2", {});
    lab->AddCameraHost("cam", "lanA", "198.19.7.1/24");
    const auto state =
        lab->StartSimulator("cam", {"--camera", "mac=02:00:00:00:10:01,ip=198.18.0.50,name=Hall", "--camera",
                                    "mac=02:00:00:00:10:02,ip=198.19.7.7,name=Yard"});
    lab->EnterPc();
    auto manager = NewManager();

    ASSERT_EQ(manager->RefreshAdapters(), 4);
    const std::vector<AdapterAddress> adapters = manager->Adapters();
    const std::vector<std::pair<std::string, int>> expected = {
        {"198.18.0.1", 0}, {"198.18.0.2", 0}, {"198.18.0.3", 1}, {"0.0.0.0", 2}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Narrow(adapters[i].ipText), expected[i].first) << i;
        EXPECT_EQ(adapters[i].adapterOrdinal, expected[i].second) << i;
    }
    EXPECT_EQ(adapters[0].interfaceName, "eth0");
    EXPECT_EQ(adapters[3].interfaceName, "eth2");
    EXPECT_NE(adapters[0].mac, MacBytes{});

    SearchAndWait(*manager);

    EXPECT_EQ(Macs(*manager), (std::vector<std::string>{"02.00.00.00.10.01", "02.00.00.00.10.02"}));
    EXPECT_EQ(manager->FoundCount(), 2);
    for (const TemplateCameraRecord& record : manager->Cameras())
        EXPECT_EQ(record.AdapterEntry(), 0);
    // eth0 once (not per address), eth1 once, eth2 (no address) never; each with its repeats.
    EXPECT_EQ(RequestCount(NetLab::ReadState(state), DeviceProtocol::Opcode::kSearch), 2 * kSends);

    manager->currentIndex = 1;
    EXPECT_EQ(Narrow(manager->GetName()), "Yard");
    EXPECT_EQ(Narrow(manager->GetIpText()), "198.19.7.7");
    EXPECT_EQ(Narrow(manager->GetModel()), "QC-100");
    EXPECT_EQ(Narrow(manager->GetMacText()), "02.00.00.00.10.02");
    EXPECT_EQ(manager->GetAdapterEntry(), 0);
}

TEST_F(SearchTest, SecondAdapterIsRecordedForCamerasOnlyItHears)
{
    lab->AddLink("lanA");
    lab->AddLink("lanB");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddPcAdapter("lanB", "eth1", {"198.18.1.1/24"});
    lab->AddCameraHost("camb", "lanB", "198.18.1.9/24");
    lab->StartSimulator("camb", {"--camera", "mac=02:00:00:00:20:01"});
    lab->EnterPc();
    auto manager = NewManager();

    SearchAndWait(*manager);

    ASSERT_EQ(manager->CameraCount(), 1);
    EXPECT_EQ(manager->Cameras()[0].AdapterEntry(), 1);
}

// An adapter whose socket cannot be bound (gone since the table was read) is reported, but the
// adapters searched beside it still list their cameras.
TEST_F(SearchTest, AdapterThatCannotBeSearchedDoesNotHideTheOthers)
{
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
    lab->StartSimulator("cam", {"--camera", "mac=02:00:00:00:21:01"});
    lab->EnterPc();
    auto manager = NewManager();
    manager->SetAdapterSource([] {
        AdapterAddress gone;
        gone.interfaceName = "gone0";
        gone.ipText = u"198.18.99.1";
        gone.ip = {198, 18, 99, 1};
        std::vector<AdapterAddress> listed = ListAdapterAddresses();
        for (AdapterAddress& adapter : listed)
            ++adapter.adapterOrdinal;
        listed.insert(listed.begin(), gone);
        return listed;
    });

    SearchAndWait(*manager);

    ASSERT_EQ(manager->CameraCount(), 1);
    EXPECT_EQ(manager->Cameras()[0].AdapterEntry(), 1);
    EXPECT_EQ(manager->lastError(), 12);
    const std::vector<AdapterSearchFigures> figures = manager->SearchFigures();
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].requestsSent, 0);
    EXPECT_EQ(figures[1].repliesAccepted, 1);
}

// The pc's own firewall refuses some of the search requests (a refused send fails with EPERM).
// The planned repeats still go out, and what the camera received is what the figures say.
struct RefusedSendCase
{
    const char* name;
    const char* outputRules; // nftables rules of the pc's output chain
    int arrived;             // requests the simulator received
    int cameras;
    int32_t lastError;
};

const RefusedSendCase kRefusedSends[] = {
    // 50 bytes a request: the quota lets one request match, not two.
    {"the first request is rejected", "udp dport 62976 quota until 75 bytes reject", kSends - 1, 3, 15},
    {"the first repeat is dropped",
     "udp dport 62976 quota until 75 bytes accept; udp dport 62976 quota until 75 bytes drop", kSends - 1, 3,
     15},
    {"every request is rejected", "udp dport 62976 reject", 0, 0, 14},
};

void PrintTo(const RefusedSendCase& c, std::ostream* out)
{
    *out << c.name;
}

class RefusedSendTest : public NetFixture, public ::testing::WithParamInterface<RefusedSendCase>
{
};

TEST_P(RefusedSendTest, RequestsTheFirewallRefusesDoNotStopTheOthers)
{
    const RefusedSendCase& c = GetParam();
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
    const auto state = lab->StartSimulator("cam", {"--camera", "mac=02:00:00:00:22:01", "--count", "3"});
    if (!lab->PcFirewall(std::string("table inet filter {\n chain output {\n  type filter hook output "
                                     "priority filter; policy accept;\n  ") +
                         c.outputRules + "\n }\n}\n"))
        GTEST_SKIP() << "nftables do not work in this namespace";
    lab->EnterPc();
    auto manager = NewManager();

    SearchAndWait(*manager);

    EXPECT_EQ(RequestCount(NetLab::ReadState(state), DeviceProtocol::Opcode::kSearch), c.arrived);
    EXPECT_EQ(manager->CameraCount(), c.cameras);
    EXPECT_EQ(manager->lastError(), c.lastError);
    const std::vector<AdapterSearchFigures> figures = manager->SearchFigures();
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].requestsSent, c.arrived);
    EXPECT_EQ(figures[0].sendsFailed, kSends - c.arrived);
    EXPECT_EQ(figures[0].systemError, EPERM);
    EXPECT_EQ(figures[0].NothingSent(), c.arrived == 0);
}

INSTANTIATE_TEST_SUITE_P(Firewalls, RefusedSendTest, ::testing::ValuesIn(kRefusedSends),
                         [](const ::testing::TestParamInfo<RefusedSendCase>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

TEST_F(SearchTest, SearchThatHearsNothingEndsWithAnEmptyList)
{
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->EnterPc();
    auto manager = NewManager();

    SearchAndWait(*manager);

    EXPECT_EQ(manager->CameraCount(), 0);
    EXPECT_EQ(manager->FoundCount(), 0);
    EXPECT_EQ(manager->lastError(), 15);
}

TEST_F(SearchTest, StrayDuplicateAndOversizedDatagramsNeitherAddNorCorruptCameras)
{
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
    const auto state = lab->StartSimulator(
        "cam", {"--camera", "mac=02:00:00:00:30:01,name=Gate", "--count", "3", "--stray",
                "wrong-magic,old-seq,other-opcode,bad-code,short", "--duplicate", "--oversize", "66"});
    lab->EnterPc();
    auto manager = NewManager();

    SearchAndWait(*manager);

    EXPECT_EQ(Macs(*manager),
              (std::vector<std::string>{"02.00.00.00.30.01", "02.00.00.00.30.02", "02.00.00.00.30.03"}));
    EXPECT_EQ(manager->FoundCount(), 3);
    EXPECT_EQ(CounterValue(NetLab::ReadState(state), "strays"), 5 * kSends);
    for (const TemplateCameraRecord& record : manager->Cameras()) {
        // The 66 bytes past 334 were cut: the adapter entry behind the reply is intact.
        EXPECT_EQ(record.AdapterEntry(), 0);
        // Every kept record is a real answer, not one of the strays that came before it.
        using namespace DeviceProtocol;
        EXPECT_EQ(GetLe16(&record.bytes[kMagicOffset]), kReplyMagic);
        EXPECT_EQ(GetLe16(&record.bytes[kSequenceOffset]), 1);
        EXPECT_EQ(GetLe16(&record.bytes[kOpcodeOffset]), Opcode::kSearch);
        EXPECT_EQ(GetLe16(&record.bytes[kStatusOffset]), 0);
        EXPECT_EQ(Narrow(record.Model()), "QC-100");
    }
}

// Repeats carry the first request's sequence number, so every answer counts and each camera is
// listed once; a lost request no longer loses the cameras behind it.
TEST_F(SearchTest, SearchRepeatsItsRequestWithTheSameSequenceNumber)
{
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
    const auto state = lab->StartSimulator(
        "cam", {"--camera", "mac=02:00:00:00:31:01", "--count", "5", "--request-drop-rate", "0.5"});
    lab->EnterPc();
    auto manager = NewManager();

    SearchAndWait(*manager);

    const std::string seen = NetLab::ReadState(state);
    EXPECT_GT(CounterValue(seen, "requestsDropped"), 0);
    EXPECT_EQ(CounterValue(seen, "requestsDropped") + RequestCount(seen, DeviceProtocol::Opcode::kSearch),
              kSends);
    EXPECT_NE(seen.find("\"lastSequence\": 1,"), std::string::npos);
    EXPECT_EQ(manager->CameraCount(), 5);
    EXPECT_EQ(manager->FoundCount(), 5);
}

// One stray now and then restarts the quiet period for ever; the pass ends at its limit anyway.
TEST_F(SearchTest, TrickleOfStraysCannotKeepASearchRunning)
{
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
    lab->StartSimulator("cam", {"--camera", "mac=02:00:00:00:32:01", "--stray-flood", "150"});
    lab->EnterPc();
    DeviceTimeouts timeouts = ShortTimeouts();
    timeouts.searchPassLimit = std::chrono::milliseconds(1500);
    CDeviceManager manager(timeouts);

    const auto start = std::chrono::steady_clock::now();
    SearchAndWait(manager);
    const auto took = std::chrono::steady_clock::now() - start;

    EXPECT_GE(took, std::chrono::milliseconds(1500));
    EXPECT_LT(took, std::chrono::milliseconds(4000));
    EXPECT_EQ(manager.CameraCount(), 1);
}

TEST_F(SearchTest, DiscoveryDecodeGivesBackTheCameraAsTheSimulatorPlaysIt)
{
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
    lab->StartSimulator("cam", {"--camera",
                                "mac=0a:1b:2c:3d:4e:5f,model=QC-220W,name=Back door,ip=198.19.3.4,"
                                "mask=255.255.0.0,gateway=198.19.0.1,dns1=198.19.0.2,dns2=198.19.0.3,"
                                "dhcp=1,webport=8080,reserved=7,dnsspec=2,prodtype=QC220W-EU,wireless=1",
                                "--camera", "mac=02:00:00:00:40:02,model=QC-100,wireless=0"});
    lab->EnterPc();
    auto manager = NewManager();
    SearchAndWait(*manager);
    ASSERT_EQ(manager->CameraCount(), 2);

    CameraInfo info;
    EXPECT_EQ(manager->SelectCamera(0, u"198.19.3.4", 80, info), -1);

    EXPECT_EQ(Narrow(info.model), "QC-220W");
    EXPECT_EQ(Narrow(info.name), "Back door");
    EXPECT_EQ(Narrow(info.macText), "0a.1b.2c.3d.4e.5f");
    EXPECT_EQ(Narrow(info.ip), "198.19.3.4");
    EXPECT_EQ(Narrow(info.ipCopy), "198.19.3.4");
    EXPECT_EQ(Narrow(info.mask), "255.255.0.0");
    EXPECT_EQ(Narrow(info.gateway), "198.19.0.1");
    EXPECT_EQ(Narrow(info.dns1), "198.19.0.2");
    EXPECT_EQ(Narrow(info.dns2), "198.19.0.3");
    EXPECT_EQ(info.dhcp, 1);
    EXPECT_EQ(info.webPort, 8080);
    EXPECT_EQ(info.reserved, 7);
    EXPECT_EQ(info.dnsSpec, 2);
    EXPECT_EQ(Narrow(info.prodType), "QC220W-EU");
    EXPECT_EQ(info.hasWireless, 1);
    EXPECT_EQ(info.adapterEntry, 0);

    EXPECT_EQ(manager->SelectCamera(1, u"198.18.0.100", 80, info), -1);
    EXPECT_EQ(Narrow(info.model), "QC-100");
    EXPECT_EQ(info.hasWireless, 0);
}

} // namespace
