// SPDX-License-Identifier: Apache-2.0
#include "engine/KeyExchange.h"

#include "engine/CryptoLibrary.h"

#include <atomic>
#include <cstdio>

namespace {

std::atomic<std::FILE*>& DiagnosticStream()
{
    static std::atomic<std::FILE*> stream{stdout};
    return stream;
}

void Diagnostic(const char* line)
{
    if (std::FILE* stream = DiagnosticStream().load())
        std::fputs(line, stream);
}

// Only what the library made is ever released, so it is loaded by then.
struct BnDeleter
{
    void operator()(BIGNUM* bn) const { LoadCryptoLibrary()->BN_clear_free(bn); }
};
struct BnCtxDeleter
{
    void operator()(BN_CTX* ctx) const { LoadCryptoLibrary()->BN_CTX_free(ctx); }
};
using BnPtr = std::unique_ptr<BIGNUM, BnDeleter>;
using BnCtxPtr = std::unique_ptr<BN_CTX, BnCtxDeleter>;

std::array<uint8_t, KeyExchange::kPrimeBytes> LoadPrime()
{
    std::array<uint8_t, KeyExchange::kPrimeBytes> bytes{};
    const CryptoLibrary* crypto = LoadCryptoLibrary();
    if (!crypto)
        return bytes;
    BnPtr prime(crypto->BN_get_rfc3526_prime_1536(nullptr));
    if (prime)
        crypto->BN_bn2binpad(prime.get(), bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

// Writes bn big-endian without leading zeros; returns the byte count.
int WriteMinimal(const CryptoLibrary& crypto, const BIGNUM* bn, uint8_t* out)
{
    const int bytes = (crypto.BN_num_bits(bn) + 7) / 8;
    crypto.BN_bn2bin(bn, out);
    return bytes;
}

} // namespace

struct KeyExchange::KeyPair
{
    explicit KeyPair(const CryptoLibrary& crypto)
        : prime(crypto.BN_new()), generator(crypto.BN_new()), privateExponent(crypto.BN_new()),
          publicValue(crypto.BN_new())
    {
    }

    BnPtr prime;
    BnPtr generator;
    BnPtr privateExponent;
    BnPtr publicValue;
};

KeyExchange::KeyExchange() = default;
KeyExchange::~KeyExchange() = default;

const std::array<uint8_t, KeyExchange::kPrimeBytes>& KeyExchange::Prime()
{
    static const auto prime = LoadPrime();
    return prime;
}

void KeyExchange::SetDiagnosticStream(std::FILE* stream)
{
    DiagnosticStream().store(stream);
}

bool KeyExchange::HasKeyPair() const
{
    return m_pair != nullptr;
}

int KeyExchange::PrivateExponentBits() const
{
    return m_pair ? LoadCryptoLibrary()->BN_num_bits(m_pair->privateExponent.get()) : 0;
}

void KeyExchange::GenerateDHPublicKey(uint8_t* out, int* length)
{
    *length = 0;
    m_pair.reset();
    const CryptoLibrary* crypto = LoadCryptoLibrary();
    if (!crypto) {
        Diagnostic("GenerateDHPublicKey EXIT\n");
        return;
    }
    m_pair = std::make_unique<KeyPair>(*crypto);
    static constexpr uint8_t kGenerator[4] = {0, 0, 0, 2};
    BnCtxPtr ctx(crypto->BN_CTX_new());
    KeyPair& pair = *m_pair;
    const bool ok =
        ctx && pair.prime && pair.generator && pair.privateExponent && pair.publicValue &&
        crypto->BN_bin2bn(Prime().data(), static_cast<int>(Prime().size()), pair.prime.get()) &&
        crypto->BN_bin2bn(kGenerator, sizeof kGenerator, pair.generator.get()) &&
        crypto->BN_priv_rand_ex(pair.privateExponent.get(), crypto->BN_num_bits(pair.prime.get()) - 1,
                                BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ANY, 0, ctx.get()) &&
        crypto->BN_mod_exp_mont_consttime(pair.publicValue.get(), pair.generator.get(),
                                          pair.privateExponent.get(), pair.prime.get(), ctx.get(), nullptr);
    if (!ok) {
        m_pair.reset();
        Diagnostic("GenerateDHPublicKey EXIT\n");
        return;
    }
    *length = WriteMinimal(*crypto, pair.publicValue.get(), out);
    char line[64];
    std::snprintf(line, sizeof line, "GenerateDHPublicKey Success dhkey_len%d\n", *length);
    Diagnostic(line);
}

void KeyExchange::GenerateDHSecreteKey(const uint8_t* peer, int peerLength, uint8_t* out, int* length)
{
    *length = 0;
    if (out && m_pair && peer && peerLength > 0) {
        // A pair exists, so the library is loaded.
        const CryptoLibrary& crypto = *LoadCryptoLibrary();
        BnCtxPtr ctx(crypto.BN_CTX_new());
        BnPtr peerValue(crypto.BN_bin2bn(peer, peerLength, nullptr));
        BnPtr limit(crypto.BN_dup(m_pair->prime.get()));
        BnPtr secret(crypto.BN_new());
        // A peer value outside 2 .. p-2 would force a trivial secret; treat it as a failed agreement.
        const bool inRange = peerValue && limit && crypto.BN_sub_word(limit.get(), 1) &&
                             crypto.BN_cmp(peerValue.get(), crypto.BN_value_one()) > 0 &&
                             crypto.BN_cmp(peerValue.get(), limit.get()) < 0;
        if (ctx && secret && inRange &&
            crypto.BN_mod_exp_mont_consttime(secret.get(), peerValue.get(), m_pair->privateExponent.get(),
                                             m_pair->prime.get(), ctx.get(), nullptr)) {
            *length = WriteMinimal(crypto, secret.get(), out);
            Diagnostic("GenerateDHSecreteKey Success\n");
        }
    }
    m_pair.reset();
    Diagnostic("GenerateDHSecreteKey EXIT\n");
}
