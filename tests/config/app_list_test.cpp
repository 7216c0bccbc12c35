#include "config/app_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::unique_ptr<SAppData> Record(const std::string& path) {
    auto record = std::make_unique<SAppData>();
    record->path.reset(HeapCopy(path.c_str()));
    return record;
}

std::vector<std::string> Paths(const CAppList& list) {
    std::vector<std::string> paths;
    for (uint32_t i = 0; i < list.Count(); ++i) paths.emplace_back(list.Item(i)->path.get());
    return paths;
}

TEST(AppList, GrowsByTenFromElevenKeepingAppendOrder) {
    CAppList list;
    EXPECT_EQ(list.Capacity(), 11u);
    std::vector<std::string> expected;
    for (int i = 0; i < 12; ++i) {
        expected.push_back("app" + std::to_string(i));
        list.Append(Record(expected.back()));
    }
    EXPECT_EQ(list.Capacity(), 21u);
    EXPECT_EQ(Paths(list), expected);
    for (int i = 12; i < 22; ++i) list.Append(Record("more"));
    EXPECT_EQ(list.Capacity(), 31u);
}

TEST(AppList, RemoveMovesLaterRecordsDownAndHandsTheRecordBack) {
    CAppList list;
    for (const char* p : {"a", "b", "c"}) list.Append(Record(p));
    auto removed = list.Remove(0);
    ASSERT_TRUE(removed);
    EXPECT_STREQ(removed->path.get(), "a");
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(list.Remove(2), nullptr);
    EXPECT_EQ(list.Remove(UINT32_MAX), nullptr);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(list.Item(2), nullptr);
}

TEST(AppList, WalkThatAdvancesOnlyOnKeepVisitsEachRecordOnce) {
    CAppList list;
    for (int i = 0; i < 30; ++i) list.Append(Record(std::to_string(i)));
    std::vector<std::string> visited;
    for (uint32_t i = 0; i < list.Count();) {
        std::string path = list.Item(i)->path.get();
        visited.push_back(path);
        if (std::stoi(path) % 3 == 0)
            ++i;
        else
            list.Remove(i);
    }
    EXPECT_EQ(visited.size(), 30u);
    EXPECT_EQ(list.Count(), 10u);
    EXPECT_STREQ(list.Last()->path.get(), "27");
}

TEST(AppList, RefusesRecordsBeyond65535) {
    CAppList list;
    for (uint32_t i = 0; i < CAppList::kMaxCount; ++i) ASSERT_NE(list.Append(Record("x")), nullptr);
    EXPECT_TRUE(list.Full());
    EXPECT_EQ(list.Append(Record("surplus")), nullptr);
    EXPECT_EQ(list.Count(), 65535u);
    EXPECT_STREQ(list.Last()->path.get(), "x");
    list.Remove(0);
    EXPECT_NE(list.Append(Record("fits again")), nullptr);
}

}  // namespace
