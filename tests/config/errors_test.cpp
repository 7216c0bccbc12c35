#include "config/errors.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/message_log.h"

namespace {

TEST(ParsingError, TextDependsOnTheCode) {
    const std::pair<uint16_t, const char*> cases[] = {
        {0, "Wrong number of arguments"}, {51, "Wrong number of arguments"},
        {100, "Wrong number if arguments"}, {52, "Unknown command"},
        {1, "Command Error"}, {49, "Command Error"}, {53, "Command Error"},
        {101, "Command Error"}, {65535, "Command Error"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(CParsingError(code, 7).Text(), text) << code;
}

TEST(ParsingError, SyntaxErrorNamesTheLineInSignedDecimal) {
    EXPECT_EQ(CParsingError(50, 7).Text(), "\nSyntax Error at line 7\n");
    EXPECT_EQ(CParsingError(50, -12, 3).Text(), "\nSyntax Error at line -12\n");
    EXPECT_EQ(CParsingError(50, INT32_MAX).Text(), "\nSyntax Error at line 2147483647\n");
    EXPECT_EQ(CParsingError(50).Text(), "\nSyntax Error at line 0\n");
}

TEST(ParsingError, ConstructorFormsFillTheirFields) {
    CParsingError extraOnly(52, CParsingError::ExtraOnly{}, 9);
    EXPECT_EQ(extraOnly.line, 0);
    EXPECT_EQ(extraOnly.extra, 9);
    CParsingError all(50, 4, 5);
    EXPECT_EQ(all.line, 4);
    EXPECT_EQ(all.extra, 5);
}

TEST(FileError, TextNamesTheFileForCodeZero) {
    EXPECT_EQ(CFileError(0, "C:\\WINDOWS\\trellisbourne.ini").Text(),
              "Unable to open : C:\\WINDOWS\\trellisbourne.ini");
    for (uint16_t code : {1, 2, 3, 7, 65535}) EXPECT_EQ(CFileError(code, "x").Text(), "Unable to read");
}

TEST(FileError, ALongFileNameIsReportedWhole) {
    std::string name = "C:\\" + std::string(5000, 'd') + "\\trellisbourne.ini";
    EXPECT_EQ(CFileError(0, name.c_str()).Text(), "Unable to open : " + name);
}

TEST(ErrorReports, ShowPutsUpOneBoxWithTheKindAsCaption) {
    TakeShownMessages();
    CFileError(0, "f.ini").Show();
    CParsingError(50, 3).Show();
    CFileError(2, "f.ini").Show();
    EXPECT_EQ(TakeShownMessages(), (std::vector<ShownMessage>{
                                       {"Unable to open : f.ini", "FileError"},
                                       {"\nSyntax Error at line 3\n", "ParsingError"},
                                       {"Unable to read", "FileError"},
                                   }));
}

TEST(ErrorReports, RaisedByValueCaughtByReference) {
    const char* name = "x.ini";
    try {
        throw CFileError(0, name);
    } catch (CFileError& error) {
        EXPECT_EQ(error.code, 0);
        EXPECT_EQ(error.fileName, name);
    }
}

}  // namespace
