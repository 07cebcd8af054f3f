// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>

// Copies n bytes from in to out and enciphers them there. The same routine serves both
// directions. It is not one-to-one, and cameras depend on exactly this mapping.
void CredentialCipher(const uint8_t* in, size_t n, uint8_t* out);
