// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <openssl/bn.h>

// OpenSSL's big-number functions that the key exchange uses, from libcrypto loaded when the first
// exchange needs it. Linked in, libcrypto would be loaded and relocated at every start, before
// the wizard's window can show (about a millisecond), for an exchange that only signing in makes.
// The members carry OpenSSL's names and types.
struct CryptoLibrary
{
    decltype(&::BN_new) BN_new;
    decltype(&::BN_dup) BN_dup;
    decltype(&::BN_clear_free) BN_clear_free;
    decltype(&::BN_CTX_new) BN_CTX_new;
    decltype(&::BN_CTX_free) BN_CTX_free;
    decltype(&::BN_bin2bn) BN_bin2bn;
    decltype(&::BN_bn2bin) BN_bn2bin;
    decltype(&::BN_bn2binpad) BN_bn2binpad;
    decltype(&::BN_num_bits) BN_num_bits;
    decltype(&::BN_cmp) BN_cmp;
    decltype(&::BN_sub_word) BN_sub_word;
    decltype(&::BN_value_one) BN_value_one;
    decltype(&::BN_priv_rand_ex) BN_priv_rand_ex;
    decltype(&::BN_mod_exp_mont_consttime) BN_mod_exp_mont_consttime;
    decltype(&::BN_get_rfc3526_prime_1536) BN_get_rfc3526_prime_1536;
};

// Loads libcrypto on the first call, from any thread; nullptr (said once on standard error) when
// it cannot be loaded or lacks one of the functions.
const CryptoLibrary* LoadCryptoLibrary();
