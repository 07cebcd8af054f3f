// SPDX-License-Identifier: Apache-2.0
#include "device/WirelessFields.h"

#include "engine/BitsText.h"
#include "engine/DecimalText.h"
#include "engine/TemplateEngine.h"

namespace {

using B = WirelessFieldBinding;

// clang-format off
constexpr WirelessFieldBinding kBindings[] = {
    {u"ESSID",                B::Text,    [](WirelessSettings& w) -> auto& { return w.ssid; }},
    {u"WEPKey1",              B::Text,    [](WirelessSettings& w) -> auto& { return w.wepKeys[0]; }},
    {u"WEPKey2",              B::Text,    [](WirelessSettings& w) -> auto& { return w.wepKeys[1]; }},
    {u"WEPKey3",              B::Text,    [](WirelessSettings& w) -> auto& { return w.wepKeys[2]; }},
    {u"WEPKey4",              B::Text,    [](WirelessSettings& w) -> auto& { return w.wepKeys[3]; }},
    {u"WEPKey",               B::Text,    [](WirelessSettings& w) -> auto& { return w.passphrase; }},
    {u"WirelessEnable",       B::Text,    [](WirelessSettings& w) -> auto& { return w.wirelessEnable; }},
    {u"WirlessCh",            B::Number,  [](WirelessSettings& w) -> auto& { return w.channelText; },
                                          [](WirelessSettings& w) -> auto& { return w.channel; }},
    {u"Encryption_Mode_bit0", B::BitPair, [](WirelessSettings& w) -> auto& { return w.encryptionModeBits; },
                                          [](WirelessSettings& w) -> auto& { return w.encryption; },
                                          [](WirelessSettings& w) -> auto& { return w.adHoc; }},
    {u"KeyLen_Auth_bit0",     B::BitPair, [](WirelessSettings& w) -> auto& { return w.keyLengthAuthBits; },
                                          [](WirelessSettings& w) -> auto& { return w.wepKeyLength; },
                                          [](WirelessSettings& w) -> auto& { return w.authentication; }},
    {u"DKey_&_Format_bit0",   B::BitPair, [](WirelessSettings& w) -> auto& { return w.defaultKeyFormatBits; },
                                          [](WirelessSettings& w) -> auto& { return w.wepDefaultKey; },
                                          [](WirelessSettings& w) -> auto& { return w.wepKeyFormat; }},
    {u"TXRate_bit0",          B::Bits8,   [](WirelessSettings& w) -> auto& { return w.txRateBits; },
                                          [](WirelessSettings& w) -> auto& { return w.txRate; }},
    {u"ChannelRange",         B::Text,    [](WirelessSettings& w) -> auto& { return w.channelRange; },    nullptr, nullptr, false},
    {u"WireMode",             B::Text,    [](WirelessSettings& w) -> auto& { return w.wireMode; },        nullptr, nullptr, false},
    {u"Encryption",           B::Text,    [](WirelessSettings& w) -> auto& { return w.encryptionCaps; },  nullptr, nullptr, false},
    {u"Authentication",       B::Text,    [](WirelessSettings& w) -> auto& { return w.authenticationCaps; }, nullptr, nullptr, false},
    {u"WEPKeyLen",            B::Text,    [](WirelessSettings& w) -> auto& { return w.wepKeyLengthCaps; }, nullptr, nullptr, false},
    {u"WEPKeyFormat",         B::Text,    [](WirelessSettings& w) -> auto& { return w.wepKeyFormatCaps; }, nullptr, nullptr, false},
    {u"WEPdefaultKey",        B::Text,    [](WirelessSettings& w) -> auto& { return w.wepDefaultKeyCaps; }, nullptr, nullptr, false},
    {u"TXRate",               B::Text,    [](WirelessSettings& w) -> auto& { return w.txRateText; },      nullptr, nullptr, false},
};
// clang-format on

// Two 4-bit values from an 8-character bit text: characters 1-4, then 5-8.
std::pair<int32_t, int32_t> SplitBits(std::u16string_view text)
{
    return {BitsTextToInt(text.substr(0, std::min<size_t>(4, text.size())), 4),
            BitsTextToInt(text.size() > 4 ? text.substr(4) : std::u16string_view(), 4)};
}

} // namespace

std::span<const WirelessFieldBinding> WirelessFieldBindings()
{
    return kBindings;
}

void ReadWirelessFields(const TemplateEngine& engine, WirelessSettings& w)
{
    for (const B& b : kBindings) {
        const std::u16string& text = b.text(w) = engine.GetField(b.field);
        switch (b.kind) {
        case B::Text:
            break;
        case B::Number:
            b.first(w) = DecimalTextToInt(text);
            break;
        case B::BitPair:
            std::tie(b.first(w), b.second(w)) = SplitBits(text);
            break;
        case B::Bits8:
            b.first(w) = BitsTextToInt(text, 8);
            break;
        }
    }
}

void WriteWirelessFields(TemplateEngine& engine, const WirelessSettings& settings)
{
    // The accessors hand out references; nothing below writes through them.
    auto& w = const_cast<WirelessSettings&>(settings);
    for (const B& b : kBindings) {
        if (!b.written)
            continue;
        switch (b.kind) {
        case B::Text:
            engine.SetFieldText(b.field, b.text(w));
            break;
        case B::Number:
            engine.SetFieldInt(b.field, b.first(w));
            break;
        case B::BitPair:
            engine.SetFieldText(b.field, BitsText4(b.first(w)) + BitsText4(b.second(w)));
            break;
        case B::Bits8:
            engine.SetFieldText(b.field, BitsText4(b.first(w) >> 4) + BitsText4(b.first(w)));
            break;
        }
    }
}
