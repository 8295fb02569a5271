#pragma once

#include <string>
#include <vector>

#include "app/Notifier.h"

namespace pelmar::test {

// Collects the messages the core shows while a test runs.
class MessageLog {
  public:
    MessageLog() {
        notifier.showMessage = [this](const std::string& text) { messages.push_back(text); };
    }
    ~MessageLog() { notifier.showMessage = nullptr; }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::string> messages;
};

}  // namespace pelmar::test
