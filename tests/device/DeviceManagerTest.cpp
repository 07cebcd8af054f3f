// SPDX-License-Identifier: Apache-2.0
#include "device/CDeviceManager.h"
#include "device/DeviceProtocol.h"
#include "engine/TemplateEngine.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <system_error>

using namespace DeviceProtocol;

namespace {

// A search reply laid out by hand at the shipped Discovery template's body offsets.
std::vector<uint8_t> MadeUpReply(bool wireless)
{
    std::vector<uint8_t> reply(kSearchReplyMax, 0);
    PutLe16(&reply[kMagicOffset], kReplyMagic);
    PutLe16(&reply[kSequenceOffset], 7);
    PutLe16(&reply[kOpcodeOffset], Opcode::kSearch);
    const uint8_t mac[] = {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F};
    std::memcpy(&reply[kMacOffset], mac, sizeof mac);
    PutLe16(&reply[kBodyLengthOffset], kSearchBodySize);
    uint8_t* body = &reply[kHeaderSize];
    std::memcpy(body + 0, "QC220W-EU", 9); // ProdType
    body[16] = wireless ? 0x01 : 0x00;     // ProdHWSpec: flag 32 is bit 0 of byte 0
    body[19] = 0x80;                       // ... and flag 1 is bit 7 of byte 3
    PutLe16(body + 20, 8080);              // Webport
    body[22] = 1;                          // DHCP
    body[23] = 2;                          // DNSSpec
    body[24] = 7;                          // Reserved
    const uint8_t addresses[] = {255, 255, 0, 0, 198, 19, 0, 1, 198, 19, 0, 2, 198, 19, 0, 3};
    std::memcpy(body + 25, addresses, sizeof addresses); // mask, gateway, dns1, dns2
    std::memcpy(body + 128, "QC-220W", 7);               // Model
    std::memcpy(body + 204, "Back door", 9);             // CameraName
    const uint8_t ip[] = {198, 19, 3, 4};
    std::memcpy(body + 268, ip, sizeof ip); // CameraIP
    return reply;
}

std::unique_ptr<CDeviceManager> ManagerWith(const std::vector<std::vector<uint8_t>>& replies)
{
    auto manager = std::make_unique<CDeviceManager>();
    manager->SetTemplateFolder(QUILLANE_TEMPLATE_DIR);
    std::vector<TemplateCameraRecord> records;
    int32_t entry = 0;
    for (const auto& reply : replies)
        records.push_back(TemplateCameraRecord::FromReply(reply, entry++));
    manager->SetCameras(records);
    return manager;
}

std::string Narrow(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

TEST(TemplateCameraRecordTest, KeepsAtMost334BytesAndTheAdapterEntryBehindThem)
{
    std::vector<uint8_t> reply = MadeUpReply(false);
    reply.resize(400, 0xAB);
    const TemplateCameraRecord record = TemplateCameraRecord::FromReply(reply, 5);
    EXPECT_EQ(record.AdapterEntry(), 5);
    EXPECT_TRUE(std::equal(record.bytes.begin(), record.bytes.begin() + kSearchReplyMax, reply.begin()));
    EXPECT_EQ(Narrow(FormatAddress(record.Ip())), "198.19.3.4");
    EXPECT_EQ(Narrow(record.Model()), "QC-220W");
    EXPECT_EQ(Narrow(record.Name()), "Back door");

    const TemplateCameraRecord shortRecord = TemplateCameraRecord::FromReply(std::span(reply).first(30), 1);
    EXPECT_TRUE(std::all_of(shortRecord.bytes.begin() + 30, shortRecord.bytes.begin() + kSearchReplyMax,
                            [](uint8_t b) { return b == 0; }));
}

TEST(TemplateCameraRecordTest, TextsWithoutTerminatorEndAtTheNextField)
{
    std::vector<uint8_t> reply(kSearchReplyMax, 'M');
    std::fill(reply.begin() + kRecordName, reply.begin() + kRecordIp, 'N');
    const TemplateCameraRecord record = TemplateCameraRecord::FromReply(reply, 0);
    EXPECT_EQ(record.Model(), std::u16string(kRecordModelMax, u'M'));
    EXPECT_EQ(record.Name(), std::u16string(kRecordNameMax, u'N'));
}

TEST(DeviceManagerTest, AccessorsReadTheEntryNamedByCurrentIndex)
{
    auto manager = ManagerWith({MadeUpReply(false), MadeUpReply(true)});
    manager->currentIndex = 1;
    EXPECT_EQ(Narrow(manager->GetModel()), "QC-220W");
    EXPECT_EQ(Narrow(manager->GetName()), "Back door");
    EXPECT_EQ(Narrow(manager->GetIpText()), "198.19.3.4");
    EXPECT_EQ(Narrow(manager->GetMacText()), "0a.1b.2c.3d.4e.5f");
    EXPECT_EQ(manager->GetMaskText(), u"");
    EXPECT_EQ(manager->GetAdapterEntry(), 1);

    std::array<uint8_t, CDeviceManager::kLastReplySize> copy;
    manager->CopyLastReply(copy);
    EXPECT_EQ(GetLe32(&copy[kRecordAdapterEntry]), 1u);
    EXPECT_EQ(GetLe16(&copy[kMagicOffset]), kReplyMagic);

    for (int32_t index : {-1, 2, 100}) {
        manager->currentIndex = index;
        EXPECT_EQ(manager->GetModel(), u"") << index;
        EXPECT_EQ(manager->GetMacText(), u"") << index;
        EXPECT_EQ(manager->GetAdapterEntry(), -1) << index;
    }
    manager->currentIndex = -1;
    manager->Engine().PacketBuffer()[0] = 0x42;
    manager->CopyLastReply(copy);
    EXPECT_EQ(copy[0], 0x42);
}

TEST(DeviceManagerTest, SelectCameraFillsCameraInfoFromTheStoredReply)
{
    auto manager = ManagerWith({MadeUpReply(false), MadeUpReply(true)});
    CameraInfo info;
    EXPECT_EQ(manager->SelectCamera(1, u"198.19.3.4", 80, info), -1);
    EXPECT_EQ(manager->currentIndex, 1);
    EXPECT_EQ(Narrow(info.model), "QC-220W");
    EXPECT_EQ(Narrow(info.name), "Back door");
    EXPECT_EQ(Narrow(info.ip), "198.19.3.4");
    EXPECT_EQ(Narrow(info.ipCopy), "198.19.3.4");
    EXPECT_EQ(Narrow(info.macText), "0a.1b.2c.3d.4e.5f");
    EXPECT_EQ(Narrow(info.mask), "255.255.0.0");
    EXPECT_EQ(Narrow(info.gateway), "198.19.0.1");
    EXPECT_EQ(Narrow(info.dns1), "198.19.0.2");
    EXPECT_EQ(Narrow(info.dns2), "198.19.0.3");
    EXPECT_EQ(info.webPort, 8080);
    EXPECT_EQ(info.dhcp, 1);
    EXPECT_EQ(info.dnsSpec, 2);
    EXPECT_EQ(info.reserved, 7);
    EXPECT_EQ(Narrow(info.prodType), "QC220W-EU");
    EXPECT_EQ(Narrow(info.prodHwSpec), "10000000000000000000000000000001");
    EXPECT_EQ(info.hasWireless, 1);
    EXPECT_EQ(info.adapterEntry, 1);

    EXPECT_EQ(manager->DecodeDiscovery(0, info), -1);
    EXPECT_EQ(info.hasWireless, 0);
}

TEST(DeviceManagerTest, DecodeWithoutTemplateReadsErrorTextsAndZeros)
{
    auto manager = ManagerWith({MadeUpReply(true)});
    manager->SetTemplateFolder("/nonexistent-quillane-templates");
    CameraInfo info;
    EXPECT_EQ(manager->DecodeDiscovery(0, info), -1);
    EXPECT_EQ(Narrow(info.name), "ERROR");
    EXPECT_EQ(info.webPort, 0);
    EXPECT_EQ(info.hasWireless, 0);
    EXPECT_EQ(Narrow(info.macText), "0a.1b.2c.3d.4e.5f");
}

TEST(DeviceManagerTest, DecodeOfAnEntryNotInTheListChangesNothing)
{
    auto manager = ManagerWith({MadeUpReply(true)});
    CameraInfo info;
    info.name = u"kept";
    EXPECT_EQ(manager->DecodeDiscovery(1, info), 0);
    EXPECT_EQ(manager->DecodeDiscovery(-1, info), 0);
    EXPECT_EQ(info.name, u"kept");
}

TEST(DeviceManagerTest, SearchWhoseThreadCannotStartIsOverAtOnceWithNothingFound)
{
    auto manager = ManagerWith({MadeUpReply(true)});
    manager->SetThreadStarter([](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    });
    manager->StartSearch();
    EXPECT_TRUE(manager->SearchFinished());
    EXPECT_EQ(manager->CameraCount(), 0);
    EXPECT_EQ(manager->FoundCount(), 0);
}

TEST(DeviceManagerTest, SearchWithoutAdaptersEndsWithAnEmptyList)
{
    auto manager = ManagerWith({MadeUpReply(true)});
    manager->SetAdapterSource([] { return std::vector<AdapterAddress>{}; });
    manager->StartSearch();
    while (!manager->SearchFinished())
        std::this_thread::yield();
    EXPECT_EQ(manager->CameraCount(), 0);
    EXPECT_TRUE(manager->Adapters().empty());
}

TEST(DeviceManagerTest, AdapterTableKeepsAtMostEightEntries)
{
    auto manager = std::make_unique<CDeviceManager>();
    manager->SetAdapterSource([] { return std::vector<AdapterAddress>(11); });
    EXPECT_EQ(manager->RefreshAdapters(), 8);
}

// "veth3" for an interface without address, "eth1=198.18.0.1" for one with.
std::vector<AdapterAddress> Interfaces(const std::vector<std::string>& entries)
{
    std::vector<AdapterAddress> list;
    for (const std::string& entry : entries) {
        AdapterAddress a;
        const size_t eq = entry.find('=');
        a.interfaceName = entry.substr(0, eq);
        const std::string ip = eq == std::string::npos ? "0.0.0.0" : entry.substr(eq + 1);
        a.ipText = std::u16string(ip.begin(), ip.end());
        a.ip = ParseAddress(a.ipText);
        a.adapterOrdinal = static_cast<int32_t>(list.size());
        list.push_back(a);
    }
    return list;
}

std::string Names(const std::vector<AdapterAddress>& list)
{
    std::string names;
    for (const AdapterAddress& a : list)
        names += (names.empty() ? "" : " ") + a.interfaceName;
    return names;
}

TEST(DeviceManagerTest, InterfacesWithoutAddressNeverCrowdOutAddresses)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> listed;
        const char* entries;
        const char* leftOut;
    };
    const Case cases[] = {
        {"eight links without address before the card",
         {"v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "eth0=198.18.0.1"},
         "v1 v2 v3 v4 v5 v6 v7 eth0",
         ""},
        {"room left: kept in their place", {"v1", "eth0=198.18.0.1", "v2"}, "v1 eth0 v2", ""},
        {"more than eight addresses",
         {"v1", "a1=198.18.1.1", "a2=198.18.1.2", "a3=198.18.1.3", "a4=198.18.1.4", "a5=198.18.1.5",
          "a6=198.18.1.6", "a7=198.18.1.7", "a8=198.18.1.8", "a9=198.18.1.9", "a10=198.18.1.10"},
         "a1 a2 a3 a4 a5 a6 a7 a8",
         "a9 a10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto manager = std::make_unique<CDeviceManager>();
        manager->SetAdapterSource([&] { return Interfaces(c.listed); });
        manager->RefreshAdapters();
        EXPECT_EQ(Names(manager->Adapters()), c.entries);
        EXPECT_EQ(Names(manager->LeftOutAdapters()), c.leftOut);
    }
}

} // namespace
