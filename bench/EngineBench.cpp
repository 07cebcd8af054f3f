// SPDX-License-Identifier: Apache-2.0
// Engine figures: a whole template round (parse, encode, decode) of the largest catalogue
// template, and a key exchange beside a bare modular exponentiation of the same size.
#include "engine/KeyExchange.h"
#include "engine/TemplateEngine.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <openssl/bn.h>
#include <unistd.h>

namespace {

std::filesystem::path LargestTemplate()
{
    std::filesystem::path largest;
    std::uintmax_t size = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUILLANE_TEMPLATE_DIR)) {
        if (entry.is_regular_file() && entry.file_size() > size) {
            size = entry.file_size();
            largest = entry.path();
        }
    }
    return largest;
}

void TemplateRound(benchmark::State& state)
{
    const std::filesystem::path path = LargestTemplate();
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto engine = std::make_unique<TemplateEngine>();
    for (auto _ : state) {
        engine->LoadTemplateText(text);
        engine->ClearFields();
        engine->ResetFields();
        engine->ParseTemplate(u"\r\n");
        engine->EncodeRequest();
        engine->DecodeReply(0xA3);
        benchmark::DoNotOptimize(engine->GetField(u"ESSID"));
    }
    state.SetLabel(path.filename().string() + ", " + std::to_string(engine->Fields().count) + " fields, " +
                   std::to_string(engine->EncodedLength()) + " bytes");
}
BENCHMARK(TemplateRound);

// The diagnostic lines of the key exchange would flood the report.
class SilencedStdout
{
public:
    SilencedStdout() : m_saved(dup(STDOUT_FILENO))
    {
        std::fflush(stdout);
        // Without /dev/null the lines still go to the terminal; the figures stay right.
        if (!std::freopen("/dev/null", "w", stdout))
            std::perror("engine bench: /dev/null");
    }
    ~SilencedStdout()
    {
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
    }

private:
    int m_saved;
};

void KeyGenerationAndAgreement(benchmark::State& state)
{
    KeyExchange wizard, camera;
    uint8_t wizardKey[512], cameraKey[512], secret[256];
    int wizardLength = 0, cameraLength = 0, secretLength = 0;
    SilencedStdout silence;
    for (auto _ : state) {
        wizard.GenerateDHPublicKey(wizardKey, &wizardLength);
        state.PauseTiming();
        camera.GenerateDHPublicKey(cameraKey, &cameraLength);
        state.ResumeTiming();
        wizard.GenerateDHSecreteKey(cameraKey, cameraLength, secret, &secretLength);
        benchmark::DoNotOptimize(secretLength);
    }
}
BENCHMARK(KeyGenerationAndAgreement)->Unit(benchmark::kMicrosecond);

// The floor: one 1535-bit exponent, modulo the same 1536-bit prime.
void BareModularExponentiation(benchmark::State& state)
{
    BN_CTX* ctx = BN_CTX_new();
    BIGNUM* prime = BN_bin2bn(KeyExchange::Prime().data(), KeyExchange::kPrimeBytes, nullptr);
    BIGNUM* base = BN_new();
    BIGNUM* exponent = BN_new();
    BIGNUM* result = BN_new();
    BN_set_word(base, 2);
    BN_rand(exponent, KeyExchange::kPrivateExponentBits, BN_RAND_TOP_ONE, BN_RAND_BOTTOM_ANY);
    for (auto _ : state)
        BN_mod_exp_mont_consttime(result, base, exponent, prime, ctx, nullptr);
    BN_free(result);
    BN_free(exponent);
    BN_free(base);
    BN_free(prime);
    BN_CTX_free(ctx);
}
BENCHMARK(BareModularExponentiation)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
