// SPDX-License-Identifier: Apache-2.0
#include "engine/CryptoLibrary.h"

#include <cstdio>
#include <dlfcn.h>
#include <optional>

namespace {

// Every OpenSSL 3 release keeps this name.
constexpr const char* kLibraryName = "libcrypto.so.3";

template <typename Function> bool Resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        std::fprintf(stderr, "%s lacks %s\n", kLibraryName, name);
    return function != nullptr;
}

std::optional<CryptoLibrary> Load()
{
    void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", kLibraryName, dlerror());
        return std::nullopt;
    }
    // Kept loaded for the rest of the program: its functions may be called until the end.
    CryptoLibrary crypto{};
    const bool complete =
        Resolve(library, "BN_new", crypto.BN_new) && Resolve(library, "BN_dup", crypto.BN_dup) &&
        Resolve(library, "BN_clear_free", crypto.BN_clear_free) &&
        Resolve(library, "BN_CTX_new", crypto.BN_CTX_new) &&
        Resolve(library, "BN_CTX_free", crypto.BN_CTX_free) &&
        Resolve(library, "BN_bin2bn", crypto.BN_bin2bn) && Resolve(library, "BN_bn2bin", crypto.BN_bn2bin) &&
        Resolve(library, "BN_bn2binpad", crypto.BN_bn2binpad) &&
        Resolve(library, "BN_num_bits", crypto.BN_num_bits) && Resolve(library, "BN_cmp", crypto.BN_cmp) &&
        Resolve(library, "BN_sub_word", crypto.BN_sub_word) &&
        Resolve(library, "BN_value_one", crypto.BN_value_one) &&
        Resolve(library, "BN_priv_rand_ex", crypto.BN_priv_rand_ex) &&
        Resolve(library, "BN_mod_exp_mont_consttime", crypto.BN_mod_exp_mont_consttime) &&
        Resolve(library, "BN_get_rfc3526_prime_1536", crypto.BN_get_rfc3526_prime_1536);
    if (!complete)
        return std::nullopt;
    return crypto;
}

} // namespace

const CryptoLibrary* LoadCryptoLibrary()
{
    static const std::optional<CryptoLibrary> loaded = Load();
    return loaded ? &*loaded : nullptr;
}
