// SPDX-License-Identifier: Apache-2.0
#include "engine/TemplateEngine.h"
#include "platform/Utf8.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

// The shipped templates are the cameras' side of the contract: every field the operations use
// must be there, and the fields must fill the fixed packet sizes.
namespace {

struct TemplateCase
{
    const char* file;
    int bodyBytes; // sum of the field lengths
    std::vector<std::u16string> fields;
};

void PrintTo(const TemplateCase& c, std::ostream* out)
{
    *out << c.file;
}

const std::vector<std::u16string> kWirelessFields = {u"ESSID",
                                                     u"WEPKey1",
                                                     u"WEPKey2",
                                                     u"WEPKey3",
                                                     u"WEPKey4",
                                                     u"WEPKey",
                                                     u"WirelessEnable",
                                                     u"WirlessCh",
                                                     u"Encryption_Mode_bit0",
                                                     u"KeyLen_Auth_bit0",
                                                     u"DKey_&_Format_bit0",
                                                     u"TXRate_bit0"};

std::vector<std::u16string> With(std::vector<std::u16string> fields, const std::vector<std::u16string>& more)
{
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

const TemplateCase kCases[] = {
    {"Discovery_temp",
     312,
     {u"CameraName", u"CameraIP", u"Gateway", u"SubNetMask", u"PriDNS", u"SecDNS", u"DHCP", u"Webport",
      u"Reserved", u"DNSSpec", u"ProdType", u"ProdHWSpec", u"Model"}},
    {"Verification_temp", 20, {u"Power"}},
    {"GetWLan_temp", 252,
     With(kWirelessFields, {u"ChannelRange", u"WireMode", u"Encryption", u"Authentication", u"WEPKeyLen",
                            u"WEPKeyFormat", u"WEPdefaultKey", u"TXRate"})},
    {"SetBasic_temp",
     89,
     {u"CameraName", u"CameraIP", u"Webport", u"SubNetMask", u"Gateway", u"Reserved", u"DNSSpec", u"PriDNS",
      u"SecDNS", u"DHCP"}},
    {"ChangeIDPWD_temp", 128, {u"EncryptedID", u"EncryptedPassword"}},
    {"Reset_temp", 0, {}},
    {"SetWLan_temp", 238, kWirelessFields},
    {"QueryWPS_temp", 196, {u"WPS_PBC", u"WPS_PIN"}},
    {"InitWPS_temp", 204, {u"Mode", u"PINCODE"}},
    {"PollWPSInf_temp", 196, {}},
    {"SendWPS_temp", 196, {}},
    {"PollWPSStatus_temp", 16, {}},
};

const std::vector<std::u16string> kOpcodes = {u"TW2S",     u"TB2S",      u"TC2S",        u"TIP2S",
                                              u"Tb2S0",    u"TS2BASE64", u"TS2CVEncode", u"TS2CVDecode",
                                              u"TGDHPKey", u"TSDHSKey",  u"TGDHSKey"};

class TemplateCatalogueTest : public ::testing::TestWithParam<TemplateCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(engine->LoadTemplateFile(QUILLANE_TEMPLATE_DIR, GetParam().file));
        engine->ClearFields();
        engine->ResetFields();
        engine->ParseTemplate(u"\r\n");
    }

    const FieldEntry* Find(std::u16string_view name) const
    {
        const PacketTemplate& table = engine->Fields();
        for (int32_t i = 0; i < table.count; ++i)
            if (table.entries[i].name == name)
                return &table.entries[i];
        return nullptr;
    }

    std::unique_ptr<TemplateEngine> engine = std::make_unique<TemplateEngine>();
};

TEST_P(TemplateCatalogueTest, NamedFieldsArePresentAndFillThePacket)
{
    int total = 0;
    for (int32_t i = 0; i < engine->Fields().count; ++i)
        total += engine->Fields().entries[i].length;
    EXPECT_EQ(total, GetParam().bodyBytes);
    for (const std::u16string& name : GetParam().fields) {
        const FieldEntry* field = Find(name);
        ASSERT_NE(field, nullptr) << ToUtf8(name);
        EXPECT_GT(field->length, 0) << ToUtf8(name);
        EXPECT_NE(std::find(kOpcodes.begin(), kOpcodes.end(), field->opcode), kOpcodes.end()) << ToUtf8(name);
        if (field->opcode == u"TC2S") {
            EXPECT_LE(field->textLimit, field->length) << ToUtf8(name);
        }
    }
}

// The parser carries right-side items over from the line before when one is missing, so
// every field line must give all four.
TEST_P(TemplateCatalogueTest, EveryLineEndsInCrLfAndGivesFourRightItems)
{
    std::ifstream file(std::string(QUILLANE_TEMPLATE_DIR) + "/" + GetParam().file, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == '/' || line[0] == '[' || eq == std::string::npos)
            continue;
        EXPECT_EQ(std::count(line.begin() + static_cast<long>(eq), line.end(), ';'), 3) << line;
        EXPECT_EQ(line.find(";;"), std::string::npos) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, TemplateCatalogueTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.file); });

struct Placement
{
    const char* file;
    const char16_t* field;
    int offset;
    int length;
    const char16_t* opcode;
};

// Offsets inside the body: the list reads model, name and address at fixed record offsets
// (body + 22), and the key fields carry the 192-byte Diffie-Hellman values.
TEST(TemplatePlacementTest, FieldsSitWhereTheProgramReadsThem)
{
    const Placement placements[] = {
        {"Discovery_temp", u"Model", 128, 76, u"TC2S"},
        {"Discovery_temp", u"CameraName", 204, 64, u"TC2S"},
        {"Discovery_temp", u"CameraIP", 268, 4, u"TIP2S"},
        {"Discovery_temp", u"ProdHWSpec", 16, 4, u"Tb2S0"},
        {"GetWLan_temp", u"ChannelRange", 212, 4, u"Tb2S0"},
        {"GetWLan_temp", u"TXRate_bit0", 211, 1, u"Tb2S0"},
        {"InitWPS_temp", u"PCPublicKey", 12, 192, u"TGDHPKey"},
        {"SendWPS_temp", u"SharedSecret", 4, 192, u"TSDHSKey"},
        {"PollWPSInf_temp", u"CameraPublicKey", 4, 192, u"TGDHSKey"},
        {"ChangeIDPWD_temp", u"EncryptedPassword", 64, 64, u"TS2CVEncode"},
    };
    auto engine = std::make_unique<TemplateEngine>();
    for (const Placement& p : placements) {
        ASSERT_TRUE(engine->LoadTemplateFile(QUILLANE_TEMPLATE_DIR, p.file));
        engine->ClearFields();
        engine->ResetFields();
        engine->ParseTemplate(u"\r\n");
        int offset = 0;
        const FieldEntry* found = nullptr;
        for (int32_t i = 0; i < engine->Fields().count && !found; ++i) {
            const FieldEntry& entry = engine->Fields().entries[i];
            if (entry.name == p.field)
                found = &entry;
            else
                offset += entry.length;
        }
        ASSERT_NE(found, nullptr) << p.file << " " << ToUtf8(p.field);
        EXPECT_EQ(offset, p.offset) << ToUtf8(p.field);
        EXPECT_EQ(found->length, p.length) << ToUtf8(p.field);
        EXPECT_EQ(found->opcode, p.opcode) << ToUtf8(p.field);
    }
}

} // namespace
