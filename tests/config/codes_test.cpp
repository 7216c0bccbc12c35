#include "config/codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/message_log.h"

namespace {

struct Calls {
    std::vector<std::string> log;
};

template <int Tag>
int32_t Record(void* context, char* line) {
    static_cast<Calls*>(context)->log.push_back(std::to_string(Tag) + ":" + line);
    return 7;
}

class CodesTest : public testing::Test {
protected:
    void SetUp() override { TakeShownMessages(); }

    int32_t Run(const std::string& text, int32_t number) {
        std::string line = text;
        return codes.Execute(&line[0], number);
    }

    Calls calls;
    CCodes codes{&calls};
};

TEST_F(CodesTest, AddCodeNumbersEntriesAndRefusesThe301st) {
    static const char* const kKeyword = "k";
    for (int i = 0; i < CCodes::kCapacity; ++i) ASSERT_EQ(codes.AddCode(kKeyword, Record<0>), i);
    EXPECT_EQ(codes.AddCode(kKeyword, Record<1>), -1);
    EXPECT_EQ(codes.Count(), CCodes::kCapacity);
    Run("kx", 1);
    EXPECT_EQ(calls.log, std::vector<std::string>{"0:kx"});
}

TEST_F(CodesTest, MatchesKeywordPrefixesWithoutRegardToLetterCase) {
    codes.AddCode("Delay=", Record<1>);
    codes.AddCode("WorkWeekEnable=", Record<2>);
    codes.AddCode("WorkWeek=", Record<3>);
    codes.AddCode("[", Record<4>);
    struct {
        const char* line;
        const char* call;
    } const cases[] = {
        {"DELAY=5", "1:DELAY=5"},
        {"delay=", "1:delay="},
        {"WorkWeekEnable=1", "2:WorkWeekEnable=1"},
        {"WorkWeek=1", "3:WorkWeek=1"},
        {"workweek=2", "3:workweek=2"},
        {"[a b]", "4:[a b]"},
    };
    for (const auto& c : cases) {
        calls.log.clear();
        EXPECT_EQ(Run(c.line, 1), 1) << c.line;
        EXPECT_EQ(calls.log, std::vector<std::string>{c.call}) << c.line;
    }
    EXPECT_TRUE(TakeShownMessages().empty());
}

TEST_F(CodesTest, FirstAddedKeywordWins) {
    codes.AddCode("WorkWeek", Record<1>);
    codes.AddCode("WorkWeekEnable=", Record<2>);
    Run("WorkWeekEnable=1", 1);
    EXPECT_EQ(calls.log, std::vector<std::string>{"1:WorkWeekEnable=1"});
}

TEST_F(CodesTest, UnrecognisedLinesAreReportedWithTheirNumber) {
    codes.AddCode("Delay=", Record<1>);
    // Shorter than the keyword, a leading blank, a blank before '=', the
    // non-letter bytes compared exactly.
    const std::pair<const char*, int32_t> cases[] = {
        {"Dela", 4}, {" Delay=5", 9}, {"Delay =5", 12}, {"Delay-5", -3}, {"\xc4" "elay=", 2}};
    for (const auto& [line, number] : cases) {
        EXPECT_EQ(Run(line, number), 0) << line;
        EXPECT_EQ(TakeShownMessages(),
                  (std::vector<ShownMessage>{
                      {"\nSyntax Error at line " + std::to_string(number) + "\n", "ParsingError"}}))
            << line;
    }
    EXPECT_TRUE(calls.log.empty());
}

TEST_F(CodesTest, EmptyLineNeitherCallsNorReports) {
    codes.AddCode("", Record<1>);  // an empty keyword would match any non-empty line
    EXPECT_EQ(Run("", 3), 1);
    EXPECT_TRUE(calls.log.empty());
    EXPECT_EQ(Run("anything", 4), 1);
    EXPECT_EQ(calls.log, std::vector<std::string>{"1:anything"});
    EXPECT_TRUE(TakeShownMessages().empty());
}

TEST_F(CodesTest, EmptyTableReportsEveryNonEmptyLine) {
    EXPECT_EQ(Run("x", 1), 0);
    EXPECT_EQ(TakeShownMessages().size(), 1u);
}

}  // namespace
