#include "x_display.h"

#include <cstdlib>
#include <poll.h>
#include <unistd.h>

namespace tessaro::test {

ScopedVariable::ScopedVariable(const std::string& name, const std::string& value) : name_(name)
{
    if (const char* old = std::getenv(name.c_str()))
        previous_ = old;
    setenv(name.c_str(), value.c_str(), 1);
}

ScopedVariable::~ScopedVariable()
{
    if (previous_)
        setenv(name_.c_str(), previous_->c_str(), 1);
    else
        unsetenv(name_.c_str());
}

XDisplay::XDisplay()
{
    int report[2];
    if (::pipe(report) != 0)
        return;
    // Xvfb picks a free display number itself and writes it to the descriptor.
    try {
        server_ = std::make_unique<ChildProcess>(
            "/usr/bin/Xvfb", std::vector<std::string>{"-displayfd", std::to_string(report[1]), "-screen", "0",
                                                      "1280x1024x24", "-nolisten", "tcp"});
    } catch (const std::exception&) {
    }
    ::close(report[1]);
    std::string number;
    pollfd p{report[0], POLLIN, 0};
    char c = 0;
    while (server_ && ::poll(&p, 1, 20000) == 1 && ::read(report[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(report[0]);
    if (number.empty())
        server_.reset();
    else
        display_ = std::make_unique<ScopedVariable>("DISPLAY", ":" + number);
}

}  // namespace tessaro::test
