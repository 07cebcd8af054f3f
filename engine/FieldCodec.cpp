// SPDX-License-Identifier: Apache-2.0
#include "engine/Base64.h"
#include "engine/CredentialCipher.h"
#include "engine/DecimalText.h"
#include "engine/Opcodes.h"
#include "engine/SecretTransform.h"
#include "engine/TemplateEngine.h"
#include "platform/AnsiCodePage.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kScratch = 260;
constexpr size_t kKeyBuffer = 512;
constexpr int kKeyTries = 16;

size_t FieldLength(const FieldEntry& field)
{
    return static_cast<size_t>(std::clamp<int32_t>(field.length, 0, TemplateEngine::kMaxFieldLength));
}

// Wire text is Windows-1252, one byte per character.
std::string WireBytes(std::u16string_view value)
{
    return Utf16ToAnsi(value);
}

std::u16string TextFromBytes(const char16_t* units, size_t n)
{
    std::u16string out;
    for (size_t i = 0; i < n && units[i] != 0; ++i)
        out.push_back(AnsiCharToUtf16(static_cast<uint8_t>(units[i])));
    return out;
}

void PutBytes(std::string_view bytes, size_t length, char16_t* scratch)
{
    for (size_t i = 0; i < std::min(length, bytes.size()); ++i)
        scratch[i] = static_cast<uint8_t>(bytes[i]);
}

void EncodeInteger(std::u16string_view value, size_t length, char16_t* scratch)
{
    const auto number = static_cast<uint32_t>(DecimalTextToInt(value));
    for (size_t i = 0; i < std::min<size_t>(length, 4); ++i)
        scratch[i] = (number >> (8 * i)) & 0xFF;
}

void EncodeDotted(std::u16string_view value, size_t length, char16_t* scratch)
{
    size_t pos = 0;
    for (size_t i = 0; i < length && !value.empty() && pos <= value.size(); ++i) {
        const size_t dot = std::min(value.find(u'.', pos), value.size());
        scratch[i] = static_cast<uint8_t>(DecimalTextToInt(value.substr(pos, dot - pos)));
        pos = dot + 1;
    }
}

void EncodeBits(std::u16string_view value, size_t length, char16_t* scratch)
{
    for (size_t b = 0; b < length; ++b) {
        uint8_t byte = 0;
        for (size_t bit = 0; bit < 8; ++bit) {
            const size_t at = 8 * (length - 1 - b) + bit;
            if (at < value.size() && value[at] == u'1')
                byte |= 0x80 >> bit;
        }
        scratch[b] = byte;
    }
}

std::u16string DecodeBits(const char16_t* scratch, size_t length)
{
    std::u16string out;
    for (size_t b = length; b-- > 0;) {
        for (int bit = 7; bit >= 0; --bit)
            out.push_back((scratch[b] >> bit) & 1 ? u'1' : u'0');
    }
    return out;
}

std::u16string DecodeDotted(const char16_t* scratch, size_t length)
{
    std::u16string out = IntToText(static_cast<uint8_t>(scratch[0]));
    for (size_t i = 1; i < length; ++i)
        out += u'.' + IntToText(static_cast<uint8_t>(scratch[i]));
    return out;
}

std::u16string DecodeInteger(const char16_t* scratch)
{
    uint32_t number = 0;
    for (size_t i = 0; i < 4; ++i)
        number |= static_cast<uint32_t>(static_cast<uint8_t>(scratch[i])) << (8 * i);
    return IntToText(static_cast<int32_t>(number));
}

std::u16string CutValue(std::u16string text)
{
    if (text.size() >= FieldWidths::kValue)
        text.resize(FieldWidths::kValue - 1);
    return text;
}

} // namespace

int TemplateEngine::EncodeRequest()
{
    m_text.fill(0);
    m_packet.fill(0);
    size_t pos = kHeaderSlot;
    for (int32_t i = 0; i < m_fields.count; ++i) {
        char16_t scratch[kScratch] = {};
        EncodeField(m_fields.entries[i], scratch);
        // Fields that would run past the packet buffer are cut there.
        const size_t length = std::min(FieldLength(m_fields.entries[i]), m_text.size() - pos);
        std::copy_n(scratch, length, m_text.begin() + static_cast<ptrdiff_t>(pos));
        pos += length;
    }
    m_encodedLength = static_cast<int32_t>(pos - kHeaderSlot);
    for (size_t i = 0; i < pos; ++i)
        m_packet[i] = static_cast<uint8_t>(m_text[i] & 0xFF);
    return 0;
}

void TemplateEngine::EncodeField(const FieldEntry& field, char16_t* scratch)
{
    const size_t length = FieldLength(field);
    const std::u16string_view op = field.opcode;
    if (op == FieldOpcode::kWord || op == FieldOpcode::kByte) {
        EncodeInteger(field.value, length, scratch);
    } else if (op == FieldOpcode::kChars) {
        PutBytes(WireBytes(field.value), length, scratch);
    } else if (op == FieldOpcode::kDotted) {
        EncodeDotted(field.value, length, scratch);
    } else if (op == FieldOpcode::kBits) {
        EncodeBits(field.value, length, scratch);
    } else if (op == FieldOpcode::kBase64) {
        PutBytes(Base64Encode(WireBytes(field.value)), length, scratch);
    } else if (op == FieldOpcode::kCipherEncode) {
        std::string bytes = WireBytes(field.value);
        bytes.resize(length, '\0');
        CredentialCipher(reinterpret_cast<const uint8_t*>(bytes.data()), length,
                         reinterpret_cast<uint8_t*>(bytes.data()));
        PutBytes(bytes, length, scratch);
    } else if (op == FieldOpcode::kOwnPublicKey) {
        uint8_t key[kKeyBuffer] = {};
        int produced = 0;
        // A value with a leading zero byte would go out left-aligned and read as another number:
        // take a fresh pair until the value fills the field (one in 256 needs a second try).
        const int fullWidth = static_cast<int>(std::min(length, KeyExchange::kPrimeBytes));
        int tries = 0;
        do {
            m_dh.GenerateDHPublicKey(key, &produced);
        } while (produced > 0 && produced < fullWidth && ++tries < kKeyTries);
        m_keys.ownPublicKey.fill(0);
        std::copy_n(key, std::min<size_t>(static_cast<size_t>(produced), KeyArea::kSlotSize),
                    m_keys.ownPublicKey.begin());
        std::copy_n(key, length, scratch);
    } else if (op == FieldOpcode::kSharedSecret) {
        const size_t n = std::min(length, KeyArea::kSlotSize);
        SecretTransform(m_keys.sharedSecret.data(), n);
        std::copy_n(m_keys.sharedSecret.begin(), n, scratch);
    }
}

int TemplateEngine::DecodeReply(int mode)
{
    if (mode == ParseMode::kCapabilityList) {
        BuildCapabilityList();
    } else if (mode == ParseMode::kStoredSearchReply) {
        DecodeFields(0);
    } else if (std::ranges::find(ParseMode::kBodyModes, mode) != std::end(ParseMode::kBodyModes)) {
        DecodeFields(kHeaderSlot);
    }
    return 0;
}

void TemplateEngine::DecodeFields(size_t pos)
{
    for (int32_t i = 0; i < m_fields.count; ++i) {
        FieldEntry& field = m_fields.entries[i];
        const size_t length = FieldLength(field);
        // Bytes past the buffer read as zero.
        char16_t scratch[kScratch] = {};
        if (pos < m_text.size())
            std::copy_n(m_text.begin() + static_cast<ptrdiff_t>(pos), std::min(length, m_text.size() - pos),
                        scratch);
        pos += length;
        DecodeField(field, scratch);
    }
}

void TemplateEngine::DecodeField(FieldEntry& field, const char16_t* scratch)
{
    const size_t length = FieldLength(field);
    const std::u16string_view op = field.opcode;
    if (op == FieldOpcode::kWord || op == FieldOpcode::kByte) {
        field.value = DecodeInteger(scratch);
    } else if (op == FieldOpcode::kChars) {
        const size_t limit =
            static_cast<size_t>(std::clamp<int32_t>(field.textLimit, 0, static_cast<int32_t>(length)));
        field.value = TextFromBytes(scratch, limit);
    } else if (op == FieldOpcode::kDotted) {
        field.value = CutValue(DecodeDotted(scratch, length));
    } else if (op == FieldOpcode::kBits) {
        field.value = CutValue(DecodeBits(scratch, length));
    } else if (op == FieldOpcode::kBase64) {
        const std::u16string text(scratch, std::find(scratch, scratch + length, u'\0'));
        const std::u16string bytes = Base64Decode(text);
        field.value = bytes == u"ERROR" ? bytes : CutValue(TextFromBytes(bytes.data(), bytes.size()));
    } else if (op == FieldOpcode::kCipherDecode) {
        uint8_t bytes[kScratch] = {};
        for (size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<uint8_t>(scratch[i]);
        CredentialCipher(bytes, length, bytes);
        char16_t units[kScratch] = {};
        std::copy_n(bytes, length, units);
        field.value = CutValue(TextFromBytes(units, length));
    } else if (op == FieldOpcode::kPeerPublicKey) {
        uint8_t peer[kScratch] = {};
        for (size_t i = 0; i < length; ++i)
            peer[i] = static_cast<uint8_t>(scratch[i]);
        SecretTransformInverse(peer, length);
        int produced = 0;
        m_dh.GenerateDHSecreteKey(peer, static_cast<int>(length), m_keys.secretScratch.data(), &produced);
        if (produced > 0) {
            m_keys.sharedSecret.fill(0);
            std::copy_n(m_keys.secretScratch.begin(), produced, m_keys.sharedSecret.begin());
        }
    }
}

void TemplateEngine::BuildCapabilityList()
{
    ClearFields();
    auto word = [this](size_t at) { return static_cast<uint16_t>(m_packet[at] | (m_packet[at + 1] << 8)); };
    const int32_t n = std::min<int32_t>(word(4) / 2, PacketTemplate::kMaxFields);
    for (int32_t i = 0; i < n; ++i) {
        FieldEntry& entry = m_fields.entries[i];
        // Generated entries serve lookups only.
        entry = FieldEntry{};
        char name[24];
        std::snprintf(name, sizeof name, "OPCode%02d", i + 1);
        entry.name = std::u16string(name, name + std::strlen(name));
        entry.value = IntToText(word(6 + 2 * static_cast<size_t>(i)));
        entry.kind = FieldKind::Template;
    }
    m_fields.count = n;
}
