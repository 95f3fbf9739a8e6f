#include "office/office.h"

#include "engine_error.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <csignal>
#include <cstdlib>
#include <mutex>
#include <sys/wait.h>
#include <thread>

namespace tessaro {

namespace {

constexpr std::chrono::seconds kStartLimit(60);
constexpr std::chrono::seconds kQuitLimit(10);
// A lost bridge means soffice is on its way out; give the kernel this long to
// finish it so the reason reported is the right one.
constexpr std::chrono::seconds kDyingLimit(2);

Reference<css::uno::XComponentContext> localContext()
{
    static std::once_flag once;
    static Reference<css::uno::XComponentContext> context;
    std::call_once(once, [] {
        // The bridge may write to an office that has just quit or died; that
        // is a failed call to report, not a reason for this process to end.
        std::signal(SIGPIPE, SIG_IGN);
        setenv("URE_BOOTSTRAP", TESSARO_URE_BOOTSTRAP, 1);
        context = cppu::defaultBootstrap_InitialComponentContext();
    });
    return context;
}

}  // namespace

Office::Office(std::chrono::milliseconds callLimit)
{
    watchdog_ = std::make_unique<Watchdog>(callLimit, [this] { soffice_.process().kill(); });
    connect();
}

Office::~Office()
{
    desktop_.clear();
    context_.clear();
    // soffice_ kills whatever is left of the process group when it goes.
}

void Office::connect()
{
    Reference<css::bridge::XUnoUrlResolver> resolver = css::bridge::UnoUrlResolver::create(localContext());
    const rtl::OUString url =
        ou("uno:pipe,name=" + soffice_.pipeName() + ";urp;StarOffice.ComponentContext");
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    soffice_.start();
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (soffice_.process().poll(&status)) {
            if (!(WIFEXITED(status) && WEXITSTATUS(status) == Soffice::kProfileCreatedStatus))
                throw EngineError("LibreOffice 启动失败 (soffice.bin exited at start-up)");
            soffice_.start();
            continue;
        }
        try {
            Reference<css::uno::XComponentContext> remote(resolver->resolve(url), UNO_QUERY_THROW);
            desktop_ = css::frame::Desktop::create(remote);
            context_ = remote;
            return;
        } catch (const css::connection::NoConnectException&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    throw EngineError("LibreOffice 启动超时 (soffice.bin did not answer in time)");
}

void Office::bridgeLost()
{
    bridgeLost_ = true;
    // The pipe closes before a killed soffice is reaped.
    soffice_.process().waitFor(kDyingLimit, nullptr);
}

bool Office::alive()
{
    return watchdog_->fired() == Watchdog::Reason::None && !bridgeLost_ && !soffice_.process().poll(nullptr);
}

std::string Office::explain(const css::uno::Exception& error)
{
    switch (watchdog_->fired()) {
    case Watchdog::Reason::Timeout:
        return "LibreOffice 无响应，已终止 (no answer within " +
               std::to_string(watchdog_->limit().count() / 1000) + " s: " + watchdog_->lastStep() + ")";
    case Watchdog::Reason::PeerGone:
        return "连接已断开 (the client went away)";
    case Watchdog::Reason::None:
        break;
    }
    if (!alive())
        return "LibreOffice 意外退出 (soffice.bin stopped during: " + watchdog_->lastStep() + ")";
    return "LibreOffice 错误 (" + watchdog_->lastStep() + "): " + utf8(error.Message);
}

void Office::quit()
{
    if (desktop_.is() && alive()) {
        try {
            Watchdog::Scope guard(*watchdog_, "quit");
            desktop_->terminate();
        } catch (const css::uno::Exception&) {
            // The bridge goes down with soffice; whatever is left is killed below.
        }
    }
    desktop_.clear();
    context_.clear();
    if (!soffice_.process().waitFor(kQuitLimit, nullptr))
        soffice_.process().kill();
}

}  // namespace tessaro
