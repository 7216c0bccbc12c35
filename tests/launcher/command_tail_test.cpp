#include <gtest/gtest.h>

#include <string>

#include "launcher/command_tail.h"

namespace {

struct TailCase {
    const char* name;
    const char* line;
    const char* tail;
};

class CommandTailTest : public testing::TestWithParam<TailCase> {};

TEST_P(CommandTailTest, SkipsTheProgramName) {
    EXPECT_EQ(std::string(CommandTail(GetParam().line)), GetParam().tail);
}

TEST_P(CommandTailTest, PointsIntoTheCommandLine) {
    const char* line = GetParam().line;
    const char* tail = CommandTail(line);
    std::string whole(line);
    EXPECT_GE(tail, line);
    EXPECT_LE(tail, line + whole.size());
}

const TailCase kCases[] = {
    {"Empty", "", ""},
    {"OnlyBlanks", " \t ", ""},
    {"BareName", "Trellisbourne.exe", ""},
    {"BareNameTrailingBlanks", "Trellisbourne.exe \t  ", ""},
    {"QuotedName", "\"C:\\Apps\\Trellisbourne.exe\"", ""},
    {"QuotedNameTrailingBlanks", "\"C:\\Apps\\Trellisbourne.exe\"  \t", ""},
    {"LeadingBlanks", " \t Trellisbourne.exe x", "x"},
    {"OneCharacterArgument", "Trellisbourne.exe x", "x"},
    {"ArgumentAfterTab", "Trellisbourne.exe\tx", "x"},
    {"ArgumentKeepsItsOwnBlanks", "Trellisbourne.exe  /run now ", "/run now "},
    {"QuotedNameWithSpaces", "\"C:\\Program Files\\Trellisbourne.exe\" x", "x"},
    {"QuotedNameWithSpacesNoArgument", "\"C:\\Program Files\\Trellisbourne.exe\"", ""},
    {"ArgumentRightAfterClosingQuote", "\"C:\\T.exe\"x", "x"},
    {"QuotedNameEndsAtTab", "\"C:\\Odd\tName.exe\"", "Name.exe\""},
    {"QuotedNameEndsAtTabArgumentFollows", "\"C:\\Odd\tName.exe\" x", "Name.exe\" x"},
    {"UnclosedQuoteRunsToTheEnd", "\"C:\\Program Files\\Trellisbourne.exe x", ""},
    {"EmptyQuotedName", "\"\" x", "x"},
    {"UnquotedNameWithQuoteInside", "C:\\a\"b c\" x", "c\" x"},
    {"QuotedArgument", "T.exe \"a b\"", "\"a b\""},
};

INSTANTIATE_TEST_SUITE_P(Lines, CommandTailTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TailCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CommandTail, NullLineGivesEmptyTail) { EXPECT_STREQ(CommandTail(nullptr), ""); }

}  // namespace
