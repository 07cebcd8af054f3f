// SPDX-License-Identifier: Apache-2.0
#include "engine/SecretTransform.h"

namespace {

void XorAll(uint8_t* b, size_t n, uint8_t mask)
{
    for (size_t i = 0; i < n; ++i)
        b[i] ^= mask;
}

void Chain(uint8_t* b, size_t n)
{
    for (size_t i = 0; i + 1 < n; ++i)
        b[i] ^= b[i + 1];
}

void Unchain(uint8_t* b, size_t n)
{
    for (size_t i = n; i-- > 1;)
        b[i - 1] ^= b[i];
}

} // namespace

void SecretTransform(uint8_t* bytes, size_t n)
{
    XorAll(bytes, n, 0xFF);
    Chain(bytes, n);
    XorAll(bytes, n, 0xAA);
    Chain(bytes, n);
    XorAll(bytes, n, 0x55);
    Chain(bytes, n);
}

void SecretTransformInverse(uint8_t* bytes, size_t n)
{
    Unchain(bytes, n);
    XorAll(bytes, n, 0x55);
    Unchain(bytes, n);
    XorAll(bytes, n, 0xAA);
    Unchain(bytes, n);
    XorAll(bytes, n, 0xFF);
}
