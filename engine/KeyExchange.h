// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

// Diffie-Hellman over the RFC 3526 1536-bit group (generator 2). One key pair lives from
// GenerateDHPublicKey until the next GenerateDHSecreteKey; a pair is never reused.
// Diagnostic lines go to standard output, unless the program sends them elsewhere.
class KeyExchange
{
public:
    static constexpr size_t kPrimeBytes = 192;
    static constexpr int kPrivateExponentBits = 1535;

    KeyExchange();
    ~KeyExchange();
    KeyExchange(const KeyExchange&) = delete;
    KeyExchange& operator=(const KeyExchange&) = delete;

    // Writes the public value big-endian without leading zeros into out (512 bytes);
    // length is the byte count, or 0 on failure.
    void GenerateDHPublicKey(uint8_t* out, int* length);

    // Agrees a secret with the current pair; out receives it big-endian without leading zeros.
    // length is 0 without a pair, without out, or when the agreement fails. Always releases the pair.
    void GenerateDHSecreteKey(const uint8_t* peer, int peerLength, uint8_t* out, int* length);

    bool HasKeyPair() const;
    // Bits of the current pair's private exponent, 0 without a pair.
    int PrivateExponentBits() const;

    // The group prime, most significant byte first.
    static const std::array<uint8_t, kPrimeBytes>& Prime();

    // Where every key exchange of the process writes its diagnostic lines; nullptr drops them.
    // A program whose standard output others read (quillane-cli) keeps them out of it.
    static void SetDiagnosticStream(std::FILE* stream);

private:
    struct KeyPair;
    std::unique_ptr<KeyPair> m_pair;
};
