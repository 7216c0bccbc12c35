// Message boxes recorded instead of shown, for the tests to read.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    bool operator==(const ShownMessage& o) const { return text == o.text && caption == o.caption; }
};

inline std::vector<ShownMessage>& ShownMessages() {
    static std::vector<ShownMessage> log;
    return log;
}

// Takes and clears what was shown so far.
inline std::vector<ShownMessage> TakeShownMessages() {
    std::vector<ShownMessage> taken;
    taken.swap(ShownMessages());
    return taken;
}

inline void PrintTo(const ShownMessage& m, std::ostream* os) {
    *os << "[" << m.caption << "] \"" << m.text << "\"";
}

class MessageLogEnvironment : public testing::Environment {
public:
    void SetUp() override {
        platform::SetMessageSink([](const std::string& text, const std::string& caption) {
            ShownMessages().push_back({text, caption});
        });
    }
    void TearDown() override { platform::SetMessageSink(nullptr); }
};
