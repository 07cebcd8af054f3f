#include "KeyExchange.h"

#include <cstdio>
#include <openssl/bn.h>

namespace {

struct BnDeleter
{
    void operator()(BIGNUM* bn) const { BN_clear_free(bn); }
};
struct BnCtxDeleter
{
    void operator()(BN_CTX* ctx) const { BN_CTX_free(ctx); }
};
using BnPtr = std::unique_ptr<BIGNUM, BnDeleter>;
using BnCtxPtr = std::unique_ptr<BN_CTX, BnCtxDeleter>;

std::array<uint8_t, KeyExchange::kPrimeBytes> LoadPrime()
{
    std::array<uint8_t, KeyExchange::kPrimeBytes> bytes{};
    BnPtr prime(BN_get_rfc3526_prime_1536(nullptr));
    if (prime)
        BN_bn2binpad(prime.get(), bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

// Writes bn big-endian without leading zeros; returns the byte count.
int WriteMinimal(const BIGNUM* bn, uint8_t* out)
{
    const int bytes = (BN_num_bits(bn) + 7) / 8;
    BN_bn2bin(bn, out);
    return bytes;
}

} // namespace

struct KeyExchange::KeyPair
{
    BnPtr prime{BN_new()};
    BnPtr generator{BN_new()};
    BnPtr privateExponent{BN_new()};
    BnPtr publicValue{BN_new()};
};

KeyExchange::KeyExchange() = default;
KeyExchange::~KeyExchange() = default;

const std::array<uint8_t, KeyExchange::kPrimeBytes>& KeyExchange::Prime()
{
    static const auto prime = LoadPrime();
    return prime;
}

bool KeyExchange::HasKeyPair() const
{
    return m_pair != nullptr;
}

int KeyExchange::PrivateExponentBits() const
{
    return m_pair ? BN_num_bits(m_pair->privateExponent.get()) : 0;
}

void KeyExchange::GenerateDHPublicKey(uint8_t* out, int* length)
{
    *length = 0;
    m_pair = std::make_unique<KeyPair>();
    static constexpr uint8_t kGenerator[4] = {0, 0, 0, 2};
    BnCtxPtr ctx(BN_CTX_new());
    KeyPair& pair = *m_pair;
    const bool ok =
        ctx && pair.prime && pair.generator && pair.privateExponent && pair.publicValue &&
        BN_bin2bn(Prime().data(), static_cast<int>(Prime().size()), pair.prime.get()) &&
        BN_bin2bn(kGenerator, sizeof kGenerator, pair.generator.get()) &&
        BN_priv_rand_ex(pair.privateExponent.get(), BN_num_bits(pair.prime.get()) - 1, BN_RAND_TOP_ONE,
                        BN_RAND_BOTTOM_ANY, 0, ctx.get()) &&
        BN_mod_exp_mont_consttime(pair.publicValue.get(), pair.generator.get(), pair.privateExponent.get(),
                                  pair.prime.get(), ctx.get(), nullptr);
    if (!ok) {
        m_pair.reset();
        std::fputs("GenerateDHPublicKey EXIT\n", stdout);
        return;
    }
    *length = WriteMinimal(pair.publicValue.get(), out);
    std::printf("GenerateDHPublicKey Success dhkey_len%d\n", *length);
}

void KeyExchange::GenerateDHSecreteKey(const uint8_t* peer, int peerLength, uint8_t* out, int* length)
{
    *length = 0;
    if (out && m_pair && peer && peerLength > 0) {
        BnCtxPtr ctx(BN_CTX_new());
        BnPtr peerValue(BN_bin2bn(peer, peerLength, nullptr));
        BnPtr limit(BN_dup(m_pair->prime.get()));
        BnPtr secret(BN_new());
        // A peer value outside 2 .. p-2 would force a trivial secret; treat it as a failed agreement.
        const bool inRange = peerValue && limit && BN_sub_word(limit.get(), 1) &&
                             BN_cmp(peerValue.get(), BN_value_one()) > 0 &&
                             BN_cmp(peerValue.get(), limit.get()) < 0;
        if (ctx && secret && inRange &&
            BN_mod_exp_mont_consttime(secret.get(), peerValue.get(), m_pair->privateExponent.get(),
                                      m_pair->prime.get(), ctx.get(), nullptr)) {
            *length = WriteMinimal(secret.get(), out);
            std::fputs("GenerateDHSecreteKey Success\n", stdout);
        }
    }
    m_pair.reset();
    std::fputs("GenerateDHSecreteKey EXIT\n", stdout);
}
