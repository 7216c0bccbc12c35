#include "framework/file_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

struct FilterCase {
    const char* filter;
    std::string expected;
};

class SystemFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(SystemFilter, EndsEveryPartAndTheList) {
    EXPECT_EQ(framework::SystemFilter(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SystemFilter,
    testing::Values(FilterCase{"Applications (*.exe)|*.exe|Batch files (*.bat)|*.bat|",
                               "Applications (*.exe)\0*.exe\0Batch files (*.bat)\0*.bat\0\0"s},
                    // A missing last bar still ends the last part.
                    FilterCase{"All|*.*", "All\0*.*\0\0"s}, FilterCase{"All|*.*|", "All\0*.*\0\0"s},
                    FilterCase{"", "\0\0"s}, FilterCase{nullptr, "\0\0"s}));

}  // namespace
