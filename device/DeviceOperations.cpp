#include "DeviceOperations.h"

#include "BitsText.h"
#include "CDeviceManager.h"
#include "DecimalText.h"
#include "OperationSteps.h"
#include "TemplateEngine.h"
#include "WizardState.h"

namespace {

using Operations::kChangeIDPWD;
using Operations::kGetWLan;
using Operations::kQueryOpcodes;
using Operations::kReset;
using Operations::kSetBasic;
using Operations::kSetWLan;
using Operations::kVerification;

TemplateEngine& Engine(OperationContext& context)
{
    return context.manager.Engine();
}

std::u16string Field(OperationContext& context, std::u16string_view name)
{
    return Engine(context).GetField(name);
}

int ReadOpcodes(OperationContext& context)
{
    auto& slots = context.state.supportedOpcodes;
    slots.fill(0);
    const PacketTemplate& table = Engine(context).Fields();
    const auto n = std::min<size_t>(static_cast<size_t>(table.count), slots.size());
    for (size_t i = 0; i < n; ++i)
        slots[i] = DecimalTextToInt(table.entries[i].value);
    return OperationResult::kSuccess;
}

// Two 4-bit values from an 8-character bit text: characters 1-4, then 5-8.
std::pair<int32_t, int32_t> SplitBits(const std::u16string& bits)
{
    const std::u16string_view text(bits);
    return {BitsTextToInt(text.substr(0, std::min<size_t>(4, text.size())), 4),
            BitsTextToInt(text.size() > 4 ? text.substr(4) : std::u16string_view(), 4)};
}

int ReadWireless(OperationContext& context)
{
    Engine(context).DumpFields(u"\r\n");
    WirelessSettings& w = context.state.wireless;
    w.ssid = Field(context, u"ESSID");
    for (size_t i = 0; i < w.wepKeys.size(); ++i)
        w.wepKeys[i] = Field(context, u"WEPKey" + std::u16string(1, static_cast<char16_t>(u'1' + i)));
    w.passphrase = Field(context, u"WEPKey");
    w.wirelessEnable = Field(context, u"WirelessEnable");
    w.channelText = Field(context, u"WirlessCh");
    w.channel = DecimalTextToInt(w.channelText);
    w.encryptionModeBits = Field(context, u"Encryption_Mode_bit0");
    std::tie(w.encryption, w.adHoc) = SplitBits(w.encryptionModeBits);
    w.keyLengthAuthBits = Field(context, u"KeyLen_Auth_bit0");
    std::tie(w.wepKeyLength, w.authentication) = SplitBits(w.keyLengthAuthBits);
    w.defaultKeyFormatBits = Field(context, u"DKey_&_Format_bit0");
    std::tie(w.wepDefaultKey, w.wepKeyFormat) = SplitBits(w.defaultKeyFormatBits);
    w.txRateBits = Field(context, u"TXRate_bit0");
    w.txRate = BitsTextToInt(w.txRateBits, 8);
    w.channelRange = Field(context, u"ChannelRange");
    w.wireMode = Field(context, u"WireMode");
    w.encryptionCaps = Field(context, u"Encryption");
    w.authenticationCaps = Field(context, u"Authentication");
    w.wepKeyLengthCaps = Field(context, u"WEPKeyLen");
    w.wepKeyFormatCaps = Field(context, u"WEPKeyFormat");
    w.wepDefaultKeyCaps = Field(context, u"WEPdefaultKey");
    w.txRateText = Field(context, u"TXRate");
    return OperationResult::kSuccess;
}

void SetNetworkFields(OperationContext& context)
{
    const CameraInfo& camera = context.state.camera;
    TemplateEngine& engine = Engine(context);
    engine.SetFieldText(u"CameraName", camera.name);
    engine.SetFieldText(u"CameraIP", camera.ip);
    engine.SetFieldInt(u"Webport", camera.webPort);
    engine.SetFieldText(u"SubNetMask", camera.mask);
    engine.SetFieldText(u"Gateway", camera.gateway);
    engine.SetFieldInt(u"Reserved", camera.reserved);
    engine.SetFieldInt(u"DNSSpec", camera.dnsSpec);
    engine.SetFieldText(u"PriDNS", camera.dns1);
    engine.SetFieldText(u"SecDNS", camera.dns2);
    engine.SetFieldInt(u"DHCP", camera.dhcp);
}

void SetCredentialFields(OperationContext& context)
{
    // The current ID is sent: the camera keeps its ID and takes the new password.
    Engine(context).SetFieldText(u"EncryptedID", context.state.adminId);
    Engine(context).SetFieldText(u"EncryptedPassword", context.state.newPassword);
}

std::u16string BitsText8(int32_t high, int32_t low)
{
    return BitsText4(high) + BitsText4(low);
}

void SetWirelessFields(OperationContext& context)
{
    const WirelessSettings& w = context.state.wireless;
    TemplateEngine& engine = Engine(context);
    engine.SetFieldText(u"ESSID", w.ssid);
    for (size_t i = 0; i < w.wepKeys.size(); ++i)
        engine.SetFieldText(u"WEPKey" + std::u16string(1, static_cast<char16_t>(u'1' + i)), w.wepKeys[i]);
    engine.SetFieldText(u"WEPKey", w.passphrase);
    engine.SetFieldText(u"WirelessEnable", w.wirelessEnable);
    engine.SetFieldInt(u"WirlessCh", w.channel);
    engine.SetFieldText(u"Encryption_Mode_bit0", BitsText8(w.encryption, w.adHoc));
    engine.SetFieldText(u"KeyLen_Auth_bit0", BitsText8(w.wepKeyLength, w.authentication));
    engine.SetFieldText(u"DKey_&_Format_bit0", BitsText8(w.wepDefaultKey, w.wepKeyFormat));
    engine.SetFieldText(u"TXRate_bit0", BitsText8(w.txRate >> 4, w.txRate));
}

} // namespace

int Verification(OperationContext& context)
{
    // A camera that answers with a body must report its power state as on.
    const auto checkPower = [](OperationContext& c) {
        return DecimalTextToInt(Field(c, u"Power")) == 1 ? OperationResult::kSuccess
                                                         : OperationResult::kRefused;
    };
    return RunOperation(context, kVerification, {}, checkPower, true);
}

int QueryOpcodes(OperationContext& context)
{
    return RunOperation(context, kQueryOpcodes, {}, ReadOpcodes);
}

int GetWLan(OperationContext& context)
{
    return RunOperation(context, kGetWLan, {}, ReadWireless);
}

int SetBasic(OperationContext& context)
{
    return RunOperation(context, kSetBasic, SetNetworkFields);
}

int ChangeIDPWD(OperationContext& context)
{
    return RunOperation(context, kChangeIDPWD, SetCredentialFields);
}

int SetWLan(OperationContext& context)
{
    return RunOperation(context, kSetWLan, SetWirelessFields);
}

int Reset(OperationContext& context)
{
    return RunOperation(context, kReset);
}
