// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string_view>

// Field conversion rules named in a template line's fourth right-side item.
namespace FieldOpcode {
inline constexpr std::u16string_view kWord = u"TW2S";
inline constexpr std::u16string_view kByte = u"TB2S";
inline constexpr std::u16string_view kChars = u"TC2S";
inline constexpr std::u16string_view kDotted = u"TIP2S";
inline constexpr std::u16string_view kBits = u"Tb2S0";
inline constexpr std::u16string_view kBase64 = u"TS2BASE64";
inline constexpr std::u16string_view kCipherEncode = u"TS2CVEncode";
inline constexpr std::u16string_view kCipherDecode = u"TS2CVDecode";
inline constexpr std::u16string_view kOwnPublicKey = u"TGDHPKey";
inline constexpr std::u16string_view kSharedSecret = u"TSDHSKey";
inline constexpr std::u16string_view kPeerPublicKey = u"TGDHSKey";
} // namespace FieldOpcode

// Reply parsing modes of the decoder: the reply's opcode.
namespace ParseMode {
inline constexpr int kStoredSearchReply = 0xA1;
inline constexpr int kCapabilityList = 0xA5;
// Modes that decode the template's fields from byte 6 of the reply.
inline constexpr int kBodyModes[] = {0xA3, 0xA6, 0xA8, 0xAC, 0xAE, 0xAF, 0xB2, 0xB4};
} // namespace ParseMode
