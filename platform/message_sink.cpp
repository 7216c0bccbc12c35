#include "platform/message_sink.h"

namespace platform {

namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}
}  // namespace

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

bool DeliverToSink(const char* text, const char* caption) {
    if (!Sink()) return false;
    Sink()(text, caption);
    return true;
}

}  // namespace platform
