// SPDX-License-Identifier: Apache-2.0
#include "device/TemplateCameraRecord.h"

#include "platform/AnsiCodePage.h"

#include <algorithm>
#include <cstring>

using namespace DeviceProtocol;

namespace {

std::u16string TextAt(const uint8_t* p, size_t max)
{
    const size_t n = strnlen(reinterpret_cast<const char*>(p), max);
    return AnsiToUtf16(std::string_view(reinterpret_cast<const char*>(p), n));
}

} // namespace

TemplateCameraRecord TemplateCameraRecord::FromReply(std::span<const uint8_t> reply, int32_t adapterEntry)
{
    TemplateCameraRecord record;
    std::copy_n(reply.begin(), std::min(reply.size(), kSearchReplyMax), record.bytes.begin());
    PutLe32(&record.bytes[kRecordAdapterEntry], static_cast<uint32_t>(adapterEntry));
    return record;
}

MacBytes TemplateCameraRecord::Mac() const
{
    MacBytes mac;
    std::copy_n(&bytes[kMacOffset], mac.size(), mac.begin());
    return mac;
}

Ipv4Bytes TemplateCameraRecord::Ip() const
{
    Ipv4Bytes ip;
    std::copy_n(&bytes[kRecordIp], ip.size(), ip.begin());
    return ip;
}

std::u16string TemplateCameraRecord::Model() const
{
    return TextAt(&bytes[kRecordModel], kRecordModelMax);
}

std::u16string TemplateCameraRecord::Name() const
{
    return TextAt(&bytes[kRecordName], kRecordNameMax);
}

int32_t TemplateCameraRecord::AdapterEntry() const
{
    return static_cast<int32_t>(GetLe32(&bytes[kRecordAdapterEntry]));
}

std::span<const uint8_t> TemplateCameraRecord::Body() const
{
    return std::span<const uint8_t>(bytes).subspan(kHeaderSize, kSearchBodySize);
}
