// SPDX-License-Identifier: Apache-2.0
#pragma once

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
    "  local user. A file or standard input with nothing in it, or one that cannot be read, is an\n"
    "  error; a file that other users can read is used, with a warning. Without any, --password\n"
    "  and --new-password are asked for without echo when standard input is a terminal (the new\n"
    "  one twice). A new password is never empty. Wireless keys and the passphrase are printed\n"
    "  only with --show-keys.";

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

// The first line of a file descriptor, read a byte at a time so that nothing after it is taken.
struct SecretLine
{
    enum Outcome
    {
        Line,      // text holds the line without its line end (it may be empty)
        Nothing,   // the end came before a single byte
        TooLong,   // longer than any secret could be (an endless stream such as /dev/zero too)
        ReadError, // error holds errno
    };
    Outcome outcome = Nothing;
    std::string text;
    int error = 0;
};
SecretLine ReadSecretLine(int fd);

// Asks on the terminal without echo; nothing when standard input is no terminal.
using SecretPrompt = std::optional<SecretLine> (*)(std::string_view question);
std::optional<SecretLine> PromptWithoutEcho(std::string_view question);

struct ResolvedSecrets
{
    std::string error;                 // empty when every secret could be read
    std::vector<std::string> warnings; // one line each, for standard error
};

// Turns each secret's sources into its value. A secret given no way is asked for with prompt
// when it is one of prompted (a new password twice), else left out of values. Texts name
// options, files and variables but never a secret.
ResolvedSecrets ResolveSecrets(const std::map<std::string, SecretSources>& secrets,
                               const std::set<std::string>& prompted,
                               std::map<std::string, std::string>& values,
                               SecretPrompt prompt = PromptWithoutEcho);
