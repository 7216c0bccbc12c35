// Shared by both platform implementations: hands a message to the test sink.
#pragma once

#include "platform/platform.h"

namespace platform {

// True when a sink is installed and took the message.
bool DeliverToSink(const char* text, const char* caption);

}  // namespace platform
