// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>

// The reversible byte transform that hides public values and secrets on the wire; in place.
void SecretTransform(uint8_t* bytes, size_t n);
void SecretTransformInverse(uint8_t* bytes, size_t n);
