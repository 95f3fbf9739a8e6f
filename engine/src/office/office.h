#pragma once
#include "office/soffice.h"
#include "office/uno_util.h"
#include "processes/watchdog.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <chrono>
#include <memory>
#include <string>

namespace tessaro {

// One soffice of our own with the UNO connection to it and the watchdog that
// bounds each call. Destruction ends soffice on every path.
class Office {
public:
    explicit Office(std::chrono::milliseconds callLimit);
    ~Office();
    Office(const Office&) = delete;
    Office& operator=(const Office&) = delete;

    const Reference<css::uno::XComponentContext>& context() const { return context_; }
    const Reference<css::frame::XDesktop2>& desktop() const { return desktop_; }
    Watchdog& watchdog() { return *watchdog_; }
    pid_t pid() const { return soffice_.process().pid(); }

    // False once soffice died or was killed by the watchdog; nothing more can be done then.
    bool alive();
    // A call found the connection to soffice gone: soffice is dead or dying.
    void bridgeLost();
    // The user-facing reason for a failed UNO call, taking a killed or dead soffice into account.
    std::string explain(const css::uno::Exception& error);
    // Asks soffice to terminate, then makes sure it has.
    void quit();

private:
    void connect();

    mutable Soffice soffice_;
    // Set when a call found the bridge to soffice gone: the process may not be
    // reaped yet, but nothing more can be asked of it.
    bool bridgeLost_ = false;
    std::unique_ptr<Watchdog> watchdog_;
    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XDesktop2> desktop_;
};

}  // namespace tessaro
