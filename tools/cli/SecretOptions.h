// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Passwords, passphrases and keys given other than as an argument, which every local user can
// read in the process list. Beside a secret option NAME VALUE a command accepts NAME-file FILE
// (the file's first line), NAME-env VARIABLE and NAME-stdin (the first line of standard input).

inline constexpr std::string_view kSecretOptionsHelp =
    "Secrets:\n"
    "  Each of --password, --new-password, --passphrase and --wep-key1 to --wep-key4 may instead\n"
    "  be read from a file (NAME-file FILE, its first line), an environment variable (NAME-env\n"
    "  VARIABLE) or standard input (NAME-stdin, its first line); an argument is visible to every\n"
    "  local user. Without any, --password and --new-password are asked for without echo when\n"
    "  standard input is a terminal. Wireless keys and the passphrase are printed only with\n"
    "  --show-keys.";

// The secret options of the program.
bool IsSecretOption(std::string_view name);

// The ways one secret was given on the command line.
struct SecretSources
{
    std::optional<std::string> argument;
    std::optional<std::string> file;
    std::optional<std::string> variable;
    bool standardInput = false;
};

// Records arg when it is a source option (NAME-file, NAME-env, NAME-stdin) of one of the
// secrets; next is the argument after it, taken when the source needs a value. Returns whether
// arg was such an option; error is set when its value is missing.
bool TakeSecretSource(std::string_view arg, const std::optional<std::string>& next,
                      std::map<std::string, SecretSources>& secrets, bool& tookNext, std::string& error);

// Asks on the terminal without echo; nothing when standard input is no terminal.
using SecretPrompt = std::optional<std::string> (*)(std::string_view question);
std::optional<std::string> PromptWithoutEcho(std::string_view question);

// Turns each secret's sources into its value. A secret given no way is asked for with prompt
// when it is one of prompted, else left out of values. Returns "" or an error text that names
// options, files and variables but never a secret.
std::string ResolveSecrets(const std::map<std::string, SecretSources>& secrets,
                           const std::set<std::string>& prompted, std::map<std::string, std::string>& values,
                           SecretPrompt prompt = PromptWithoutEcho);

// The first line of a stream without its line end; nothing when it is longer than any secret
// could be (an endless stream such as /dev/zero ends there too).
std::optional<std::string> ReadSecretLine(std::istream& in);
