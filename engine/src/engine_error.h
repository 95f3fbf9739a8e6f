#pragma once
#include <stdexcept>
#include <string>

namespace tessaro {

// A failure whose message can be shown to the user as it is: it says what
// went wrong and names the file involved.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tessaro
