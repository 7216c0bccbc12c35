#include "config/grabber.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/heap_text.h"

namespace {

std::vector<std::string> SplitToVector(const CGrabber& grabber, const std::string& text) {
    char** lines = grabber.Split(text.c_str());
    std::vector<std::string> out;
    for (char** line = lines; *line; ++line) out.emplace_back(*line);
    FreeSplit(lines);
    return out;
}

std::string StripToString(const CGrabber& grabber, const std::string& text) {
    HeapText stripped(grabber.Strip(HeapCopy(text.c_str())));
    return stripped.get();
}

struct SegmentCase {
    const char* text;
    const char* set;
    std::size_t segments;
    std::size_t kept;
};

TEST(SegmentWalk, CountsSegmentsAndKeptBytes) {
    const SegmentCase cases[] = {
        {"", "\n", 0, 1},          {"x", "\n", 1, 1},        {"x\ny", "\n", 2, 2},
        {"x\ny\n", "\n", 2, 3},    {"\nx", "\n", 2, 1},      {"x\n\n", "\n", 2, 2},
        {"\n\n\n", "\n", 3, 1},    {"a\tb\rc", "\t\r", 3, 3}, {"abc", "", 1, 3},
        {"odd", "dummy", 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
        EXPECT_EQ(CountSegments(c.text, c.set), c.segments);
        EXPECT_EQ(CountKeptChars(c.text, c.set), c.kept);
    }
}

TEST(Grabber, StripRemovesEveryMemberWherever) {
    CGrabber grabber;
    grabber.SetStripChars("\t\r");
    const std::pair<std::string, std::string> cases[] = {
        {"a\tb\r\nc", "ab\nc"},
        {"", ""},
        {"\t\r\t\r", ""},
        {"\r\nline\r\n", "\nline\n"},
        {"\t\tx", "x"},
        {"plain", "plain"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(StripToString(grabber, in), out) << in;
}

TEST(Grabber, SplitFollowsTheSegmentRules) {
    CGrabber grabber;
    grabber.SetSeparators("\n");
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"x\ny", {"x", "y"}},
        {"x\ny\n", {"x", "y"}},
        {"\nx", {"", "x"}},
        {"x\n\n", {"x", ""}},
        {"", {}},
        {"\n", {""}},
        {"a\n\nb", {"a", "", "b"}},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(SplitToVector(grabber, in), out) << in;
}

TEST(Grabber, SplitLeavesItsInputAlone) {
    CGrabber grabber;
    grabber.SetSeparators("\n");
    std::string text = "a\nb";
    SplitToVector(grabber, text);
    EXPECT_EQ(text, "a\nb");
}

TEST(Grabber, NewGrabberUsesDummyForBothSets) {
    CGrabber grabber;
    EXPECT_EQ(SplitToVector(grabber, "odd"), (std::vector<std::string>{"o", ""}));
    EXPECT_EQ(StripToString(grabber, "yummy"), "");
}

TEST(Grabber, SetsCanBeReplacedAgain) {
    CGrabber grabber;
    grabber.SetSeparators(",");
    grabber.SetSeparators(";");
    EXPECT_EQ(SplitToVector(grabber, "a,b;c"), (std::vector<std::string>{"a,b", "c"}));
    grabber.SetStripChars("x");
    grabber.SetStripChars("yy");
    EXPECT_EQ(StripToString(grabber, "xyxy"), "xx");
}

}  // namespace
