// SPDX-License-Identifier: Apache-2.0
#include "engine/CredentialCipher.h"

#include <array>

namespace {

constexpr std::array<uint8_t, 8> kFirstTable = {0x5A, 0x13, 0xC4, 0x7E, 0x02, 0x9B, 0xE8, 0x61};
// Bytes 9 to 16 of the RFC 3526 1536-bit prime.
constexpr std::array<uint8_t, 8> kSecondTable = {0xC9, 0x0F, 0xDA, 0xA2, 0x21, 0x68, 0xC2, 0x34};

uint8_t CipherByte(uint8_t b, size_t k)
{
    const uint8_t x = b ^ kFirstTable[k];
    uint8_t y = x;
    if (x & 0x01)
        y ^= kSecondTable[k] & 0x0F;
    if (x & 0x10)
        y ^= kSecondTable[k] & 0xF0;
    return y;
}

} // namespace

void CredentialCipher(const uint8_t* in, size_t n, uint8_t* out)
{
    for (size_t i = 0; i < n; ++i)
        out[i] = in[i];
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < n; ++i)
            out[i] = CipherByte(out[i], i % 8);
    }
}
