// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "engine/FieldEntry.h"
#include "engine/KeyArea.h"
#include "engine/KeyExchange.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The template protocol engine: one field table with its text and packet buffers and the
// key-exchange state. A device manager owns one; it takes no lock (one operation at a time).
// Operations that report success return -1, as the device operations do.
class TemplateEngine
{
public:
    static constexpr size_t kTextBufferSize = 10000;
    static constexpr size_t kPacketBufferSize = 10000;
    static constexpr size_t kHeaderSlot = 6;
    static constexpr size_t kMaxTemplateBytes = 9999;
    static constexpr size_t kMaxFieldLength = 259;
    static constexpr size_t kDumpCapacity = 2048;

    TemplateEngine();

    // Reads folder/name (no extension) into the text buffer as UTF-16. False when it is no regular
    // file or cannot be read; the buffer and the field table are then untouched.
    bool LoadTemplateFile(const std::filesystem::path& folder, std::string_view name);
    // Loads text directly, with the same 9,999-byte cut; for tools and tests.
    void LoadTemplateText(std::string_view ansiText);

    void ClearFields();
    void ResetFields();
    int ParseTemplate(std::u16string_view separator);
    void AddFieldEntry(const FieldEntry& entry);
    int CountFields();
    // The value of the first field of that name; "ERROR" when there is none.
    std::u16string GetField(std::u16string_view name) const;
    int SetFieldText(std::u16string_view name, std::u16string_view text);
    int SetFieldInt(std::u16string_view name, int32_t value);
    // Writes the table as text into the text buffer (at most 2,048 characters); DumpText() reads it.
    void DumpFields(std::u16string_view separator);
    std::u16string DumpText() const;

    // Codecs.
    int EncodeRequest();
    int DecodeReply(int mode);
    // The encoded body: PacketBuffer bytes 6 .. 6+EncodedLength.
    std::span<const uint8_t> EncodedBody() const;

    // Places reply bytes (from the status word on) into the packet buffer and their widened copy
    // into the text buffer; everything past them reads as zero.
    void LoadReply(std::span<const uint8_t> reply);

    std::array<char16_t, kTextBufferSize>& TextBuffer() { return m_text; }
    const std::array<char16_t, kTextBufferSize>& TextBuffer() const { return m_text; }
    std::array<uint8_t, kPacketBufferSize>& PacketBuffer() { return m_packet; }
    const std::array<uint8_t, kPacketBufferSize>& PacketBuffer() const { return m_packet; }
    int32_t EncodedLength() const { return m_encodedLength; }
    PacketTemplate& Fields() { return m_fields; }
    const PacketTemplate& Fields() const { return m_fields; }
    KeyArea& Keys() { return m_keys; }
    KeyExchange& Dh() { return m_dh; }

private:
    void EncodeField(const FieldEntry& field, char16_t* scratch);
    void DecodeField(FieldEntry& field, const char16_t* scratch);
    void DecodeFields(size_t start);
    void BuildCapabilityList();

    std::array<char16_t, kTextBufferSize> m_text{};
    std::array<uint8_t, kPacketBufferSize> m_packet{};
    int32_t m_encodedLength = 0;
    PacketTemplate m_fields;
    KeyArea m_keys;
    KeyExchange m_dh;
};
