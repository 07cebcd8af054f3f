// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/SecretOptions.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A terminal that answers from a script and records the questions.
std::deque<SecretLine> g_answers;
std::vector<std::string> g_questions;

std::optional<SecretLine> ScriptedPrompt(std::string_view question)
{
    g_questions.emplace_back(question);
    if (g_answers.empty())
        return SecretLine{SecretLine::Nothing, {}, 0};
    SecretLine answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

std::optional<SecretLine> NoTerminal(std::string_view)
{
    return std::nullopt;
}

SecretLine Typed(const std::string& text)
{
    return {SecretLine::Line, text, 0};
}

class SecretOptionsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char name[] = "/tmp/quillane-secret-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder = name;
        g_answers.clear();
        g_questions.clear();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& bytes, mode_t mode = 0600)
    {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        ::chmod(path.c_str(), mode);
        return path.string();
    }

    // Resolves one secret given one way; the error, and the value in value.
    std::string Resolve(const std::string& name, const SecretSources& sources, std::string& value,
                        SecretPrompt prompt = NoTerminal)
    {
        std::map<std::string, std::string> values;
        const ResolvedSecrets resolved = ResolveSecrets({{name, sources}}, {name}, values, prompt);
        warnings = resolved.warnings;
        value = values.count(name) ? values[name] : "<none>";
        return resolved.error;
    }

    std::filesystem::path folder;
    std::vector<std::string> warnings;
};

TEST_F(SecretOptionsTest, FilesThatCannotGiveASecretAreErrorsNamingThem)
{
    const std::string dir = folder.string();
    const struct
    {
        std::string file;
        std::string error;
    } cases[] = {
        {dir, "--new-password-file: cannot read '" + dir + "': Is a directory"},
        {dir + "/missing",
         "--new-password-file: cannot read '" + dir + "/missing': No such file or directory"},
        {Write("empty", ""), "--new-password-file: '" + dir + "/empty' is empty"},
        {"/dev/zero", "--new-password-file: the first line of '/dev/zero' is too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string value;
        SecretSources sources;
        sources.file = c.file;
        EXPECT_EQ(Resolve("--new-password", sources, value), c.error);
        EXPECT_EQ(value, "<none>");
    }
}

TEST_F(SecretOptionsTest, AnEmptyNewPasswordIsRefusedFromEverySource)
{
    ::setenv("QUILLANE_TEST_EMPTY", "", 1);
    SecretSources argument, file, variable;
    argument.argument = "";
    file.file = Write("blank-line", "\r\nsecond\n");
    variable.variable = "QUILLANE_TEST_EMPTY";
    const std::pair<SecretSources, std::string> cases[] = {
        {argument, "--new-password: the new password from --new-password is empty"},
        {file, "--new-password: the new password from --new-password-file is empty"},
        {variable, "--new-password: the new password from --new-password-env is empty"},
    };
    for (const auto& [sources, error] : cases) {
        SCOPED_TRACE(error);
        std::string value;
        EXPECT_EQ(Resolve("--new-password", sources, value), error);
        // The current password may be empty: a camera may have none.
        EXPECT_EQ(Resolve("--password", sources, value), "");
        EXPECT_EQ(value, "");
    }
}

TEST_F(SecretOptionsTest, AFileOthersCanReadIsUsedWithAWarning)
{
    const std::pair<mode_t, size_t> cases[] = {{0600, 0}, {0400, 0}, {0640, 1}, {0604, 1}, {0644, 1}};
    for (const auto& [mode, warned] : cases) {
        SCOPED_TRACE(mode);
        SecretSources sources;
        sources.file = Write("secret", "S3cret\nnext line\n", mode);
        std::string value;
        EXPECT_EQ(Resolve("--password", sources, value), "");
        EXPECT_EQ(value, "S3cret");
        ASSERT_EQ(warnings.size(), warned);
        if (warned) {
            EXPECT_EQ(warnings[0], "--password-file: other users can read '" + *sources.file +
                                       "'; keep secrets in a file that only you can read (chmod go-r)");
        }
    }
}

TEST_F(SecretOptionsTest, ThePromptAsksForTheCurrentPasswordFirstAndTheNewOneTwice)
{
    const struct
    {
        const char* what;
        std::vector<SecretLine> answers;
        std::string error;
        std::string newPassword;
    } cases[] = {
        {"typed twice", {Typed("old"), Typed("N3w"), Typed("N3w")}, "", "N3w"},
        {"typed differently",
         {Typed("old"), Typed("N3w"), Typed("N3W")},
         "--new-password: the two new passwords typed differ",
         ""},
        {"end of input at the second",
         {Typed("old"), Typed("N3w")},
         "--new-password: nothing was typed for the new password",
         ""},
        {"end of input at once",
         {Typed("old")},
         "--new-password: nothing was typed for the new password",
         ""},
        {"empty twice",
         {Typed("old"), Typed(""), Typed("")},
         "--new-password: the new password from the prompt is empty",
         ""},
        {"nothing for the current one", {}, "--password: nothing was typed for the password", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_answers.assign(c.answers.begin(), c.answers.end());
        g_questions.clear();
        std::map<std::string, std::string> values;
        const ResolvedSecrets resolved =
            ResolveSecrets({{"--password", {}}, {"--new-password", {}}}, {"--password", "--new-password"},
                           values, ScriptedPrompt);
        EXPECT_EQ(resolved.error, c.error);
        EXPECT_EQ(values["--new-password"], c.newPassword);
        EXPECT_EQ(g_questions.front(), "Password: ");
    }
    EXPECT_EQ(g_questions, (std::vector<std::string>{"Password: "}));
    g_answers.assign({Typed("old"), Typed("N3w"), Typed("N3w")});
    g_questions.clear();
    std::map<std::string, std::string> values;
    ResolveSecrets({{"--password", {}}, {"--new-password", {}}}, {"--password", "--new-password"}, values,
                   ScriptedPrompt);
    EXPECT_EQ(g_questions,
              (std::vector<std::string>{"Password: ", "New password: ", "Retype new password: "}));
}

TEST_F(SecretOptionsTest, WithoutATerminalAnUngivenSecretIsLeftOut)
{
    std::string value;
    EXPECT_EQ(Resolve("--new-password", {}, value, NoTerminal), "");
    EXPECT_EQ(value, "<none>");
}

} // namespace
