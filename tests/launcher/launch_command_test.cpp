#include <gtest/gtest.h>

#include <set>
#include <string>

#include "launcher/launch_command.h"

namespace {

const std::set<std::string> kExistingFiles = {
    "C:\\Program Files\\App\\app.exe",
    "C:\\Tools\\tool.exe",
    "C:\\My Tools\\run.bat",
    "C:\\Tab\there.exe",
};

bool Exists(const char* name) { return kExistingFiles.count(name) != 0; }

struct CommandCase {
    const char* name;
    const char* path;
    const char* command;
};

class LaunchCommandTest : public testing::TestWithParam<CommandCase> {};

TEST_P(LaunchCommandTest, QuotesOnlyExistingFilesWithBlanks) {
    EXPECT_EQ(LaunchCommand(GetParam().path, Exists), GetParam().command);
}

const CommandCase kCases[] = {
    {"ExistingWithSpaces", "C:\\Program Files\\App\\app.exe", "\"C:\\Program Files\\App\\app.exe\""},
    {"ExistingBatchWithSpace", "C:\\My Tools\\run.bat", "\"C:\\My Tools\\run.bat\""},
    {"ExistingWithTab", "C:\\Tab\there.exe", "\"C:\\Tab\there.exe\""},
    {"ExistingWithoutBlank", "C:\\Tools\\tool.exe", "C:\\Tools\\tool.exe"},
    {"CommandLineWithArguments", "C:\\Tools\\tool.exe /quiet", "C:\\Tools\\tool.exe /quiet"},
    {"MissingWithSpaces", "C:\\Program Files\\Gone\\gone.exe", "C:\\Program Files\\Gone\\gone.exe"},
    {"AlreadyQuoted", "\"C:\\Program Files\\App\\app.exe\"", "\"C:\\Program Files\\App\\app.exe\""},
    {"AlreadyQuotedWithArgument", "\"C:\\Program Files\\App\\app.exe\" -x",
     "\"C:\\Program Files\\App\\app.exe\" -x"},
    {"BareName", "notepad.exe", "notepad.exe"},
    {"Empty", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Paths, LaunchCommandTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CommandCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(LaunchCommand, AsksAboutTheWholePathOnly) {
    std::set<std::string> asked;
    LaunchCommand("C:\\Program Files\\App\\app.exe", [&](const char* name) {
        asked.insert(name);
        return true;
    });
    EXPECT_EQ(asked, std::set<std::string>{"C:\\Program Files\\App\\app.exe"});
}

TEST(LaunchCommand, NoExistenceCheckMeansAsStored) {
    EXPECT_EQ(LaunchCommand("C:\\Program Files\\App\\app.exe", nullptr),
              "C:\\Program Files\\App\\app.exe");
}

TEST(LaunchCommand, NullPathGivesEmptyCommand) { EXPECT_EQ(LaunchCommand(nullptr, Exists), ""); }

struct EditorCase {
    const char* programPath;
    const char* command;
};

class EditorCommandTest : public testing::TestWithParam<EditorCase> {};

TEST_P(EditorCommandTest, QuotesTheProgramPath) {
    EXPECT_EQ(EditorCommand(GetParam().programPath), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EditorCommandTest,
    testing::Values(EditorCase{"C:\\Program Files\\Trellisbourne\\Trellisbourne.exe",
                               "\"C:\\Program Files\\Trellisbourne\\Trellisbourne.exe\""},
                    EditorCase{"C:\\T\\Trellisbourne.exe", "\"C:\\T\\Trellisbourne.exe\""},
                    EditorCase{"", ""}));

}  // namespace
