// SPDX-License-Identifier: Apache-2.0
#include "engine/CredentialCipher.h"
#include "engine/KeyExchange.h"
#include "engine/SecretTransform.h"
#include "tests/unit/EngineFixture.h"

#include <array>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

using ByteVector = std::vector<uint8_t>;

ByteVector Transformed(ByteVector bytes)
{
    SecretTransform(bytes.data(), bytes.size());
    return bytes;
}

TEST(SecretTransformTest, KnownVectors)
{
    EXPECT_EQ(Transformed({0x00}), (ByteVector{0x00}));
    EXPECT_EQ(Transformed({0x00, 0x00}), (ByteVector{0xAA, 0x00}));
    EXPECT_EQ(Transformed({0x00, 0x00, 0x00}), (ByteVector{0xFF, 0xAA, 0x00}));
    EXPECT_EQ(Transformed({0x01, 0x02, 0x03, 0x04}), (ByteVector{0x04, 0xFA, 0xAD, 0x04}));
    EXPECT_EQ(Transformed({}), ByteVector{});
}

TEST(SecretTransformTest, InverseRestoresEveryLength)
{
    for (size_t n = 0; n <= 300; ++n) {
        ByteVector original(n);
        for (size_t i = 0; i < n; ++i)
            original[i] = static_cast<uint8_t>(i * 131 + n);
        ByteVector bytes = Transformed(original);
        SecretTransformInverse(bytes.data(), bytes.size());
        ASSERT_EQ(bytes, original) << "length " << n;
    }
}

ByteVector Ciphered(const ByteVector& in)
{
    ByteVector out(in.size());
    CredentialCipher(in.data(), in.size(), out.data());
    return out;
}

TEST(CredentialCipherTest, KnownVectorsAndCyclicTables)
{
    EXPECT_EQ(Ciphered({0x00, 0x00}), (ByteVector{0xC0, 0x00}));
    EXPECT_EQ(Ciphered({0x01}), (ByteVector{0xC8}));
    // Byte 8 is handled like byte 0.
    ByteVector in(17, 0x00);
    in[8] = in[16] = 0x01;
    const ByteVector out = Ciphered(in);
    EXPECT_EQ(out[8], 0xC8);
    EXPECT_EQ(out[16], 0xC8);
    EXPECT_EQ(out[0], 0xC0);
}

TEST(CredentialCipherTest, IsNotOneToOneAndCamerasRelyOnIt)
{
    // Where the second table's low nibble is odd, the nibble flip clears the very bit it tests.
    std::set<uint8_t> outputs;
    for (int b = 0; b < 256; ++b)
        outputs.insert(Ciphered({static_cast<uint8_t>(b)})[0]);
    EXPECT_LT(outputs.size(), 256u);
}

TEST(CredentialCipherTest, OutputMayBeTheInput)
{
    ByteVector bytes = {'s', 'e', 'c', 'r', 'e', 't', '1', '2', '3'};
    const ByteVector expected = Ciphered(bytes);
    CredentialCipher(bytes.data(), bytes.size(), bytes.data());
    EXPECT_EQ(bytes, expected);
}

TEST(KeyExchangeTest, PrimeIsTheRfc3526Group)
{
    const auto& prime = KeyExchange::Prime();
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(prime[i], 0xFF);
    const std::array<uint8_t, 8> next = {0xC9, 0x0F, 0xDA, 0xA2, 0x21, 0x68, 0xC2, 0x34};
    EXPECT_TRUE(std::equal(next.begin(), next.end(), prime.begin() + 8));
    EXPECT_EQ(prime[191], 0xFF);
}

TEST(KeyExchangeTest, KeysHaveTheGroupSizeAndTwoPartiesAgree)
{
    for (int round = 0; round < 20; ++round) {
        KeyExchange wizard, camera;
        std::array<uint8_t, 512> wizardPublic{}, cameraPublic{};
        int wizardLength = 0, cameraLength = 0;
        wizard.GenerateDHPublicKey(wizardPublic.data(), &wizardLength);
        camera.GenerateDHPublicKey(cameraPublic.data(), &cameraLength);
        ASSERT_GE(wizardLength, 150);
        ASSERT_LE(wizardLength, 192);
        EXPECT_EQ(wizard.PrivateExponentBits(), KeyExchange::kPrivateExponentBits);
        EXPECT_EQ(camera.PrivateExponentBits(), KeyExchange::kPrivateExponentBits);
        EXPECT_NE(wizardPublic[0], 0) << "no leading zero byte";

        std::array<uint8_t, 256> wizardSecret{}, cameraSecret{};
        int wizardSecretLength = 0, cameraSecretLength = 0;
        wizard.GenerateDHSecreteKey(cameraPublic.data(), cameraLength, wizardSecret.data(),
                                    &wizardSecretLength);
        camera.GenerateDHSecreteKey(wizardPublic.data(), wizardLength, cameraSecret.data(),
                                    &cameraSecretLength);
        ASSERT_GT(wizardSecretLength, 0);
        EXPECT_EQ(wizardSecretLength, cameraSecretLength);
        EXPECT_EQ(wizardSecret, cameraSecret);
        EXPECT_FALSE(wizard.HasKeyPair());
    }
}

TEST(KeyExchangeTest, DiagnosticLinesGoToStandardOutput)
{
    KeyExchange dh;
    std::array<uint8_t, 512> key{};
    int length = 0;
    ::testing::internal::CaptureStdout();
    dh.GenerateDHPublicKey(key.data(), &length);
    std::array<uint8_t, 256> secret{};
    int secretLength = 0;
    dh.GenerateDHSecreteKey(key.data(), length, secret.data(), &secretLength);
    dh.GenerateDHSecreteKey(key.data(), length, secret.data(), &secretLength);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "GenerateDHPublicKey Success dhkey_len" + std::to_string(length) +
                  "\nGenerateDHSecreteKey Success\nGenerateDHSecreteKey EXIT\nGenerateDHSecreteKey EXIT\n");
    EXPECT_EQ(secretLength, 0) << "the second agreement finds no key pair";
}

TEST(KeyExchangeTest, TrivialPeerValuesAreRefused)
{
    const auto& prime = KeyExchange::Prime();
    ByteVector primeMinusOne(prime.begin(), prime.end());
    primeMinusOne.back() -= 1;
    const std::vector<ByteVector> peers = {
        {0x00}, {0x01}, primeMinusOne, ByteVector(prime.begin(), prime.end())};
    for (const ByteVector& peer : peers) {
        KeyExchange dh;
        std::array<uint8_t, 512> key{};
        int length = 0;
        dh.GenerateDHPublicKey(key.data(), &length);
        std::array<uint8_t, 256> secret{};
        int secretLength = -1;
        dh.GenerateDHSecreteKey(peer.data(), static_cast<int>(peer.size()), secret.data(), &secretLength);
        EXPECT_EQ(secretLength, 0);
        EXPECT_FALSE(dh.HasKeyPair());
    }
}

// The wizard's side of a key exchange driven by template opcodes, against a camera's.
class KeyExchangeFlowTest : public EngineTest
{
protected:
    // The camera answers our public value with its own, transformed, and keeps its secret.
    ByteVector CameraAnswers(const ByteVector& ourPublic, size_t fieldLength)
    {
        std::array<uint8_t, 512> cameraPublic{};
        int cameraLength = 0;
        m_camera.GenerateDHPublicKey(cameraPublic.data(), &cameraLength);
        std::array<uint8_t, 256> secret{};
        int secretLength = 0;
        m_camera.GenerateDHSecreteKey(ourPublic.data(), static_cast<int>(ourPublic.size()), secret.data(),
                                      &secretLength);
        m_cameraSecret.assign(secret.begin(), secret.begin() + secretLength);
        ByteVector field(fieldLength, 0);
        // The value is a big-endian number filling the field.
        std::copy_n(cameraPublic.begin(), cameraLength, field.end() - cameraLength);
        SecretTransform(field.data(), field.size());
        return field;
    }

    KeyExchange m_camera;
    ByteVector m_cameraSecret;
};

TEST_F(KeyExchangeFlowTest, PublicValueAgreementAndTransformedSecret)
{
    ::testing::internal::CaptureStdout();
    Load("Key;192;x;y=a;0;0;TGDHPKey\r\n");
    const ByteVector ourPublic = Encode();
    ASSERT_EQ(ourPublic.size(), 192u);
    const auto& slot = m_engine->Keys().ownPublicKey;
    EXPECT_TRUE(std::equal(ourPublic.begin(), ourPublic.end(), slot.begin()));

    Load("Peer;192;x;y=a;0;0;TGDHSKey\r\n");
    LoadReplyBody(CameraAnswers(ourPublic, 192));
    m_engine->DecodeReply(0xB4);
    EXPECT_EQ(Field("Peer"), "0") << "the field's text is not changed";
    const auto& secret = m_engine->Keys().sharedSecret;
    ASSERT_FALSE(m_cameraSecret.empty());
    EXPECT_TRUE(std::equal(m_cameraSecret.begin(), m_cameraSecret.end(), secret.begin()));

    // A second answer without a new key pair leaves the secret as it was.
    const auto before = m_engine->Keys().sharedSecret;
    LoadReplyBody(ByteVector(192, 0x5C));
    m_engine->DecodeReply(0xB4);
    EXPECT_EQ(m_engine->Keys().sharedSecret, before);

    Load("Secret;192;x;y=a;0;0;TSDHSKey\r\n");
    ByteVector sent = Encode();
    SecretTransformInverse(sent.data(), sent.size());
    EXPECT_TRUE(std::equal(m_cameraSecret.begin(), m_cameraSecret.end(), sent.begin()));
    // Each send transforms the stored secret again.
    ByteVector again = Encode();
    SecretTransformInverse(again.data(), again.size());
    SecretTransformInverse(again.data(), again.size());
    EXPECT_TRUE(std::equal(m_cameraSecret.begin(), m_cameraSecret.end(), again.begin()));
    ::testing::internal::GetCapturedStdout();
}

TEST_F(KeyExchangeFlowTest, PublicValueAlwaysFillsItsField)
{
    Load("Key;192;x;y=a;0;0;TGDHPKey\r\n");
    // About one key pair in 256 has a 191-byte public value; the encoder then takes another.
    bool replacedShortKey = false;
    for (int tries = 0; tries < 6000 && !replacedShortKey; ++tries) {
        ::testing::internal::CaptureStdout();
        const ByteVector wire = Encode();
        const std::string diagnostics = ::testing::internal::GetCapturedStdout();
        ASSERT_NE(wire[0], 0) << "a public value must fill the 192-byte field";
        ASSERT_TRUE(std::equal(wire.begin(), wire.end(), m_engine->Keys().ownPublicKey.begin()));
        replacedShortKey = diagnostics.find("dhkey_len191") != std::string::npos;
        if (replacedShortKey) {
            EXPECT_TRUE(diagnostics.ends_with("GenerateDHPublicKey Success dhkey_len192\n")) << diagnostics;
        }
    }
    EXPECT_TRUE(replacedShortKey) << "no 191-byte public value came up";
}

} // namespace
