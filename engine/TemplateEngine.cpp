// SPDX-License-Identifier: Apache-2.0
#include "engine/TemplateEngine.h"

#include "engine/DecimalText.h"
#include "platform/AnsiCodePage.h"
#include "platform/RegularFile.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kError = u"ERROR";

std::u16string Cut(std::u16string_view text, size_t width)
{
    return std::u16string(text.substr(0, width - 1));
}

} // namespace

TemplateEngine::TemplateEngine()
{
    ResetFields();
}

bool TemplateEngine::LoadTemplateFile(const std::filesystem::path& folder, std::string_view name)
{
    // Only a regular file: a named pipe or a device in the template folder would otherwise hold
    // the thread that loads it (the window's, when a camera is picked; an operation's worker) for
    // as long as nobody writes to it.
    const std::optional<std::string> bytes =
        ReadRegularFileStart(folder / std::filesystem::path(std::string(name)), kMaxTemplateBytes);
    if (!bytes)
        return false;
    LoadTemplateText(*bytes);
    return true;
}

void TemplateEngine::LoadTemplateText(std::string_view ansiText)
{
    ansiText = ansiText.substr(0, kMaxTemplateBytes);
    // The text is a C string: a NUL byte in the file ends it.
    ansiText = ansiText.substr(0, ansiText.find('\0'));
    const std::u16string wide = AnsiToUtf16(ansiText);
    std::copy(wide.begin(), wide.end(), m_text.begin());
    m_text[wide.size()] = u'\0';
}

void TemplateEngine::ClearFields()
{
    for (FieldEntry& entry : m_fields.entries) {
        entry.name.clear();
        entry.value.clear();
        entry.kind = FieldKind::Free;
    }
    m_fields.count = 0;
}

void TemplateEngine::ResetFields()
{
    m_fields.entries.fill(FieldEntry{});
    m_fields.count = 0;
}

void TemplateEngine::AddFieldEntry(const FieldEntry& entry)
{
    for (FieldEntry& slot : m_fields.entries) {
        if (slot.kind == FieldKind::Free) {
            slot = entry;
            return;
        }
    }
}

int TemplateEngine::CountFields()
{
    const auto& entries = m_fields.entries;
    const auto free = std::find_if(entries.begin(), entries.end(),
                                   [](const FieldEntry& e) { return e.kind == FieldKind::Free; });
    m_fields.count = static_cast<int32_t>(free - entries.begin());
    return m_fields.count;
}

std::u16string TemplateEngine::GetField(std::u16string_view name) const
{
    if (name.empty())
        return std::u16string(kError);
    for (int32_t i = 0; i < m_fields.count; ++i) {
        if (m_fields.entries[i].name == name)
            return m_fields.entries[i].value;
    }
    return std::u16string(kError);
}

int TemplateEngine::SetFieldText(std::u16string_view name, std::u16string_view text)
{
    if (name.empty())
        return 0;
    for (int32_t i = 0; i < m_fields.count; ++i) {
        FieldEntry& entry = m_fields.entries[i];
        if (entry.name == name) {
            entry.value = Cut(text, FieldWidths::kValue);
            entry.kind = FieldKind::Program;
            return -1;
        }
    }
    if (m_fields.count >= PacketTemplate::kMaxFields)
        return 0;
    // An appended entry serves lookups only: no length and no opcode, so it never reaches the wire.
    FieldEntry& slot = m_fields.entries[m_fields.count++];
    slot = FieldEntry{};
    slot.name = Cut(name, FieldWidths::kName);
    slot.value = Cut(text, FieldWidths::kValue);
    slot.kind = FieldKind::Program;
    return -1;
}

int TemplateEngine::SetFieldInt(std::u16string_view name, int32_t value)
{
    return SetFieldText(name, IntToText(value));
}

void TemplateEngine::DumpFields(std::u16string_view separator)
{
    std::fill_n(m_text.begin(), kDumpCapacity, u'\0');
    std::u16string dump;
    for (int32_t i = 0; i < m_fields.count; ++i) {
        const FieldEntry& entry = m_fields.entries[i];
        if (entry.name.empty())
            continue;
        dump += entry.name;
        if (entry.name.front() != u'[') {
            dump += u'=';
            dump += entry.value;
        }
        dump += separator;
    }
    const size_t kept = std::min(dump.size(), kDumpCapacity);
    std::copy_n(dump.begin(), kept, m_text.begin());
}

std::u16string TemplateEngine::DumpText() const
{
    const auto end = std::find(m_text.begin(), m_text.begin() + kDumpCapacity, u'\0');
    return std::u16string(m_text.begin(), end);
}

std::span<const uint8_t> TemplateEngine::EncodedBody() const
{
    return std::span<const uint8_t>(m_packet).subspan(kHeaderSlot, static_cast<size_t>(m_encodedLength));
}

void TemplateEngine::LoadReply(std::span<const uint8_t> reply)
{
    const size_t n = std::min(reply.size(), m_packet.size());
    m_packet.fill(0);
    m_text.fill(0);
    std::copy_n(reply.begin(), n, m_packet.begin());
    std::copy_n(reply.begin(), n, m_text.begin());
}
