#include "config/config_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/errors.h"
#include "platform/platform.h"
#include "tests/message_log.h"

namespace fs = std::filesystem;

namespace {

struct Fields {
    std::string path;
    int32_t nCmdShow;
    uint16_t Delay;
    uint8_t WorkWeekEnable;
    uint16_t WorkWeek;
    uint8_t DOWEnable;
    uint16_t DOW;
    uint8_t DOMEnable;
    uint16_t DOM;
    bool operator==(const Fields& o) const {
        return path == o.path && nCmdShow == o.nCmdShow && Delay == o.Delay &&
               WorkWeekEnable == o.WorkWeekEnable && WorkWeek == o.WorkWeek &&
               DOWEnable == o.DOWEnable && DOW == o.DOW && DOMEnable == o.DOMEnable && DOM == o.DOM;
    }
};

void PrintTo(const Fields& f, std::ostream* os) {
    *os << "{\"" << f.path << "\" show " << f.nCmdShow << " delay " << f.Delay << " ww "
        << int(f.WorkWeekEnable) << "/" << f.WorkWeek << " dow " << int(f.DOWEnable) << "/" << f.DOW
        << " dom " << int(f.DOMEnable) << "/" << f.DOM << "}";
}

std::vector<Fields> Records(const CAppList& list) {
    std::vector<Fields> out;
    for (uint32_t i = 0; i < list.Count(); ++i) {
        const SAppData& r = *list.Item(i);
        out.push_back({r.path.get(), r.nCmdShow, r.Delay, r.WorkWeekEnable, r.WorkWeek, r.DOWEnable,
                       r.DOW, r.DOMEnable, r.DOM});
    }
    return out;
}

std::vector<Fields> Read(const std::string& text) {
    CAppList list;
    ReadConfigText(list, text.c_str());
    return Records(list);
}

std::string Syntax(int line) { return "\nSyntax Error at line " + std::to_string(line) + "\n"; }

std::string DataFile(const char* name) {
    const char* dir = std::getenv("TRELLIS_TEST_DATA");
    std::string path = std::string(dir ? dir : "tests/data") + "/" + name;
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') path = "Z:" + path;  // Wine's drive for the Unix root
#endif
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

const Fields kZero{"", 0, 0, 0, 0, 0, 0, 0, 0};

Fields With(std::string path, void (*edit)(Fields&) = nullptr) {
    Fields f = kZero;
    f.path = std::move(path);
    if (edit) edit(f);
    return f;
}

struct QuirkCase {
    const char* name;
    std::string text;
    std::vector<Fields> records;
    std::vector<std::string> reports;  // texts of the ParsingError boxes, in order
};

const std::vector<QuirkCase>& QuirkCases() {
    static const std::vector<QuirkCase> cases = {
        {"LfOnlyLineEnds", "[a]\nDelay=5\n", {With("a", [](Fields& f) { f.Delay = 5; })}, {}},
        {"TabsVanishEvenInPaths", "[C:\\a\tb.exe]\r\n\tDelay=\t7\r\n",
         {With("C:\\ab.exe", [](Fields& f) { f.Delay = 7; })}, {}},
        {"BlanksAfterEqualsAreSkipped", "[a]\nnCmdShow=   3\n",
         {With("a", [](Fields& f) { f.nCmdShow = 3; })}, {}},
        {"LeadingBlankMakesALineUnknown", "[a]\n nCmdShow=3\n", {With("a")}, {Syntax(2)}},
        {"BlankBeforeEqualsMakesALineUnknown", "[a]\nDelay =3\n", {With("a")}, {Syntax(2)}},
        {"SixteenBitFieldsKeepTheLowBits", "[a]\nDelay=70000\nDOM=-1\nWorkWeek=65536\n",
         {With("a", [](Fields& f) { f.Delay = 4464, f.DOM = 65535, f.WorkWeek = 0; })}, {}},
        {"ThirtyTwoBitShowCommandWraps", "[a]\nnCmdShow=-2147483649\n[b]\nnCmdShow=+12x\n",
         {With("a", [](Fields& f) { f.nCmdShow = 2147483647; }),
          With("b", [](Fields& f) { f.nCmdShow = 12; })},
         {}},
        {"ValueWithoutDigitsIsZero", "[a]\nDOW=9\nDOW=x\n", {With("a")}, {}},
        {"FlagsLookOnlyAtTheFirstCharacter",
         "[a]\nDOWEnable=10\nDOMEnable=2\nWorkWeekEnable=\n[b]\nworkweekenable=1\n",
         {With("a", [](Fields& f) { f.DOWEnable = 1; }),
          With("b", [](Fields& f) { f.WorkWeekEnable = 1; })},
         {}},
        {"KeywordsInAnyCase", "[a]\nDELAY=9\ndom=4\n",
         {With("a", [](Fields& f) { f.Delay = 9, f.DOM = 4; })}, {}},
        {"CommentsAndEmptyLinesCountInLineNumbers", "// x\n\n[a]\n\n//\nbogus\n", {With("a")},
         {Syntax(6)}},
        {"KeysApplyToTheLatestSectionWhateverItsPath", "[a]\n[a]\nDelay=3\n",
         {With("a"), With("a", [](Fields& f) { f.Delay = 3; })}, {}},
        {"RepeatedKeyLastWins", "[a]\nDelay=1\nDelay=2\n", {With("a", [](Fields& f) { f.Delay = 2; })},
         {}},
        {"MissingClosingBracketLosesTheLastCharacter", "[C:\\app.exe\n", {With("C:\\app.ex")}, {}},
        {"PathKeepsItsBlanks", "[ a b ]\n", {With(" a b ")}, {}},
        {"KeysBeforeTheFirstSectionAreIgnored", "Delay=5\nDOM=3\n[a]\n", {With("a")}, {}},
        {"LoneBracketGivesAnEmptyPath", "[\nDelay=1\n[]\nDelay=2\n",
         {With("", [](Fields& f) { f.Delay = 1; }), With("", [](Fields& f) { f.Delay = 2; })}, {}},
        {"NoFinalLineFeed", "[a]\nDelay=5", {With("a", [](Fields& f) { f.Delay = 5; })}, {}},
        {"OnlyCarriageReturnsAndTabs", "\r\r\t\r\t\t\r", {}, {}},
        {"EmptyText", "", {}, {}},
        {"SeveralUnknownLinesReportedInOrder", "[a]\nx\nDelay=4\n\n\n\n\n\ny\n",
         {With("a", [](Fields& f) { f.Delay = 4; })}, {Syntax(2), Syntax(9)}},
        {"HighBytesAreKept", "[C:\\\xe9t\xe9.exe]\n", {With("C:\\\xe9t\xe9.exe")}, {}},
    };
    return cases;
}

class ConfigQuirks : public testing::TestWithParam<QuirkCase> {};

TEST_P(ConfigQuirks, ReadsAsDocumented) {
    TakeShownMessages();
    const QuirkCase& c = GetParam();
    EXPECT_EQ(Read(c.text), c.records);
    std::vector<std::string> reports;
    for (const ShownMessage& m : TakeShownMessages()) {
        EXPECT_EQ(m.caption, "ParsingError");
        reports.push_back(m.text);
    }
    EXPECT_EQ(reports, c.reports);
}

INSTANTIATE_TEST_SUITE_P(Table, ConfigQuirks, testing::ValuesIn(QuirkCases()),
                         [](const testing::TestParamInfo<QuirkCase>& info) { return info.param.name; });

TEST(ConfigText, HugeLineIsReadWhole) {
    std::string path(1 << 20, 'p');
    EXPECT_EQ(Read("[" + path + "]\nDelay=1"),
              (std::vector<Fields>{With(path, [](Fields& f) { f.Delay = 1; })}));
}

TEST(ConfigText, SectionsPastTheLimitAreDroppedWithTheirKeys) {
    std::string text;
    for (uint32_t i = 0; i < CAppList::kMaxCount + 2; ++i)
        text += "[p" + std::to_string(i) + "]\nDelay=" + std::to_string(i % 60000) + "\n";
    CAppList list;
    ReadConfigText(list, text.c_str());
    ASSERT_EQ(list.Count(), CAppList::kMaxCount);
    EXPECT_STREQ(list.Last()->path.get(), "p65534");
    EXPECT_EQ(list.Last()->Delay, 65534 % 60000);
}

TEST(ConfigText, WritesTheBannerAndTenLinesARecord) {
    CAppList list;
    ReadConfigText(list, DataFile("sample.ini").c_str());
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_EQ(WriteConfigText(list), DataFile("sample.ini"));
    EXPECT_EQ(WriteConfigText(CAppList()), DataFile("empty.ini"));
    EXPECT_EQ(DataFile("empty.ini").size(), 266u);
}

TEST(ConfigText, FlagsAreWrittenAsOneDigit) {
    CAppList list;
    auto record = std::make_unique<SAppData>();
    record->path.reset(HeapCopy("x"));
    record->DOWEnable = 7;
    list.Append(std::move(record));
    std::string text = WriteConfigText(list);
    EXPECT_NE(text.find("\r\nDOWEnable=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nDOMEnable=0\r\n"), std::string::npos);
}

// The store on disk: on the host the file is trellisbourne.ini in the current
// directory, so each test runs in a directory of its own; under Wine it is in
// the prefix's Windows directory, cleared around each test.
class ConfigFileTest : public testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        dir_ = fs::temp_directory_path() /
               ("trellis-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        old_ = fs::current_path();
        fs::current_path(dir_);
#endif
        name_ = ConfigFileName();
        Clear();
        TakeShownMessages();
    }
    void TearDown() override {
        FreeAppList();
        Clear();
#ifndef _WIN32
        fs::current_path(old_);
        fs::remove_all(dir_);
#endif
    }
    void Clear() {
        std::error_code ec;
        fs::remove_all(name_, ec);
        fs::remove_all(platform::TemporaryNameFor(name_.c_str()), ec);
    }
    void WriteFile(const std::string& content) {
        std::ofstream(name_, std::ios::binary) << content;
    }
    std::string FileContent() {
        std::ifstream in(name_, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    std::string name_;
    fs::path dir_, old_;
};

TEST_F(ConfigFileTest, NameIsInTheWindowsDirectory) {
    std::string dir = platform::WindowsDirectory();
#ifdef _WIN32
    EXPECT_FALSE(dir.empty());
    EXPECT_EQ(name_, dir + "\\trellisbourne.ini");
#else
    EXPECT_EQ(name_, "trellisbourne.ini");
#endif
}

TEST_F(ConfigFileTest, MissingFileGivesAnEmptyListSilently) {
    LoadConfig();
    ASSERT_NE(AppList, nullptr);
    EXPECT_EQ(AppList->Count(), 0u);
    EXPECT_TRUE(TakeShownMessages().empty());
}

TEST_F(ConfigFileTest, SaveThenLoadGivesEqualRecordsAndTheExactBytes) {
    const std::string sample = DataFile("sample.ini");
    WriteFile(sample);
    LoadConfig();
    std::vector<Fields> loaded = Records(*AppList);
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded[1], (Fields{"C:\\Tools\\backup.bat nightly", 7, 65535, 0, 1, 1, 6, 1, 31}));
    fs::remove(name_);
    SaveConfig();
    EXPECT_EQ(FileContent(), sample);
    LoadConfig();
    EXPECT_EQ(Records(*AppList), loaded);
    EXPECT_FALSE(fs::exists(platform::TemporaryNameFor(name_.c_str())));
}

TEST_F(ConfigFileTest, EmptyListSavesTheBannerOnly) {
    LoadConfig();
    SaveConfig();
    EXPECT_EQ(FileContent(), DataFile("empty.ini"));
}

TEST_F(ConfigFileTest, NulBytesDoNotHideTheRecordsAfterThem) {
    WriteFile(std::string("[a]\nDelay=1\n\0\0[b]\nDe\0lay=2\n", 26));
    LoadConfig();
    EXPECT_EQ(Records(*AppList), (std::vector<Fields>{With("a", [](Fields& f) { f.Delay = 1; }),
                                                      With("b", [](Fields& f) { f.Delay = 2; })}));
}

TEST_F(ConfigFileTest, LoadReplacesAnEarlierList) {
    WriteFile("[a]\n");
    LoadConfig();
    LoadConfig();
    EXPECT_EQ(AppList->Count(), 1u);
    FreeAppList();
    EXPECT_EQ(AppList, nullptr);
}

TEST_F(ConfigFileTest, FailedSaveRaisesFileErrorAndKeepsTheOldFile) {
    const std::string old = "[keep me]\r\nDelay=9\r\n";
    WriteFile(old);
    LoadConfig();
    AppList->Item(0)->Delay = 1;
    // A directory where the temporary file must go makes the write fail.
    fs::create_directory(platform::TemporaryNameFor(name_.c_str()));
    try {
        SaveConfig();
        FAIL() << "SaveConfig succeeded";
    } catch (CFileError& error) {
        EXPECT_EQ(error.code, 0);
        EXPECT_EQ(std::string(error.fileName), name_);
        EXPECT_EQ(error.Text(), "Unable to open : " + name_);
    }
    EXPECT_EQ(FileContent(), old);
    EXPECT_EQ(AppList->Item(0)->Delay, 1);
}

TEST_F(ConfigFileTest, SaveFailsWhenTheFileCannotBeReplaced) {
    fs::create_directory(name_);  // a directory cannot be replaced by the new file
    LoadConfig();
    EXPECT_THROW(SaveConfig(), CFileError);
    EXPECT_TRUE(fs::is_directory(name_));
    EXPECT_FALSE(fs::exists(platform::TemporaryNameFor(name_.c_str())));
}

}  // namespace
