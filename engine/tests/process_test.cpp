// The engine binary as the Word automation server runs it: started with a
// port and a token, connecting back, and leaving no process behind whatever
// happens to it, to soffice or to the client.
#include "fixtures.h"
#include "protocol/frame_io.h"
#include "processes/detached_process.h"
#include "office/office_windows.h"
#include "processes.h"
#include "protocol/session.h"
#include "office/viewer.h"
#include "x_display.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <csignal>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;

const std::string kToken = "00112233445566778899aabbccddeeff";

bool gone(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        if (!std::getline(stat, line) || line.find(") Z") != std::string::npos)
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// Plays the Word automation server: listens, starts the engine, serves as its peer.
class Peer {
public:
    explicit Peer(const std::vector<std::string>& env = {})
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(listener_, 1) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen");
        const std::string port = std::to_string(ntohs(address.sin_port));
        engine_ = fork();
        if (engine_ == 0) {
            setenv("TESSARO_ENGINE_PORT", port.c_str(), 1);
            setenv("TESSARO_ENGINE_TOKEN", kToken.c_str(), 1);
            for (const auto& assignment : env)
                putenv(const_cast<char*>(assignment.c_str()));
            execl(TESSARO_ENGINE_BINARY, TESSARO_ENGINE_BINARY, "serve", nullptr);
            _exit(127);
        }
    }

    ~Peer()
    {
        hangUp();
        if (listener_ >= 0)
            ::close(listener_);
        if (engine_ > 0 && !reaped_) {
            ::kill(engine_, SIGKILL);
            waitpid(engine_, nullptr, 0);
        }
    }

    // Accepts the engine and checks its greeting; returns soffice's pid once it is ready.
    pid_t accept()
    {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 10000) != 1)
            throw std::runtime_error("the engine did not connect");
        connection_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        const Fields hello = receive();
        EXPECT_EQ(hello, (Fields{"hello", kToken, "1"}));
        EXPECT_EQ(receive(), Fields{"ready"});
        const auto children = childrenOf(engine_);
        return children.size() == 1 ? children[0] : -1;
    }

    void send(const Fields& request) { writeFrame(connection_, request); }
    Fields receive(std::chrono::milliseconds limit = 60s)
    {
        pollfd p{connection_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(limit.count())) != 1)
            throw std::runtime_error("no reply in time");
        Fields reply;
        if (!readFrame(connection_, reply))
            reply = {"(closed)"};
        return reply;
    }
    Fields call(const Fields& request)
    {
        send(request);
        return receive();
    }
    void hangUp()
    {
        if (connection_ >= 0)
            ::close(connection_);
        connection_ = -1;
    }
    // The engine's exit status, or -1 if it is still running after `limit`.
    int exitStatus(std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (waitpid(engine_, &status, WNOHANG) == engine_) {
                reaped_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }
    pid_t pid() const { return engine_; }
    bool connected() const
    {
        pollfd p{listener_, POLLIN, 0};
        return ::poll(&p, 1, 0) == 1;
    }

private:
    int listener_ = -1;
    int connection_ = -1;
    pid_t engine_ = -1;
    bool reaped_ = false;
};

class EngineProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<TempDir>("tessaro-process-test");
        Session session(std::chrono::seconds(120));
        writeDocument(session.office(), {"长", 40, true, 30, false, true, false, ""}, dir_->file("long.docx"));
        writeDocument(session.office(), {"短", 2, false, 0, false, false, false, ""}, dir_->file("short.odt"));
    }
    static void TearDownTestSuite() { dir_.reset(); }
    static std::string path(const std::string& name) { return dir_->file(name); }
    static std::unique_ptr<TempDir> dir_;
};

std::unique_ptr<TempDir> EngineProcess::dir_;

TEST_F(EngineProcess, AnswersEachRequestAndQuitsWithoutLeavingAProcess)
{
    Peer peer;
    const pid_t soffice = peer.accept();
    ASSERT_GT(soffice, 0);
    EXPECT_EQ(peer.call({"open", path("short.odt"), "1"}), (Fields{"ok", "1"}));
    EXPECT_EQ(peer.call({"page_count", "1"}), (Fields{"ok", "2"}));
    const Fields text = peer.call({"text", "1"});
    ASSERT_EQ(text.size(), 2u);
    EXPECT_LT(text[1].find("短 第1节"), text[1].find("短 第2节"));
    EXPECT_NE(text[1].find("短 第2节"), std::string::npos);
    EXPECT_EQ(peer.call({"full_name", "1"}), (Fields{"ok", path("short.odt")}));
    EXPECT_EQ(peer.call({"add"}), (Fields{"ok", "2"}));
    EXPECT_EQ(peer.call({"show", "2"})[0], "error") << "a document without a file cannot be shown";
    EXPECT_EQ(peer.call({"show", "1"}), (Fields{"ok", "0"})) << "nothing to show it on without a display";
    EXPECT_EQ(peer.call({"end_key", "2"}), Fields{"ok"});
    EXPECT_EQ(peer.call({"insert_file", "2", path("short.odt")}), Fields{"ok"});
    EXPECT_EQ(peer.call({"save_as", "2", path("copy.docx")}), Fields{"ok"});
    const Fields split = peer.call({"split", path("copy.docx"), dir_->path()});
    EXPECT_EQ(split, (Fields{"ok", path("copy_1.docx"), path("copy_2.docx")}));

    const Fields missing = peer.call({"open", path("missing.doc"), "1"});
    ASSERT_EQ(missing.size(), 2u);
    EXPECT_EQ(missing[0], "error");
    EXPECT_NE(missing[1].find(path("missing.doc")), std::string::npos);
    EXPECT_EQ(peer.call({"frobnicate"})[0], "error");
    EXPECT_EQ(peer.call({"page_count"})[0], "error");
    EXPECT_EQ(peer.call({"page_count", "x"})[0], "error");
    EXPECT_EQ(peer.call({"page_count", "99"})[0], "error");

    EXPECT_EQ(peer.call({"quit"}), Fields{"ok"});
    EXPECT_EQ(peer.exitStatus(20s), 0);
    EXPECT_TRUE(gone(soffice, 5s));
}

TEST_F(EngineProcess, RefusesToStartWithoutAValidToken)
{
    Peer peer({"TESSARO_ENGINE_TOKEN=not-a-token"});
    EXPECT_EQ(peer.exitStatus(10s), 1);
    EXPECT_FALSE(peer.connected());
}

TEST_F(EngineProcess, AClientGoneMidOperationEndsEngineAndSoffice)
{
    Peer peer;
    const pid_t soffice = peer.accept();
    peer.send({"split", path("long.docx"), dir_->path()});
    std::this_thread::sleep_for(500ms);
    peer.hangUp();
    EXPECT_NE(peer.exitStatus(20s), -1);
    EXPECT_TRUE(gone(soffice, 5s));
}

TEST_F(EngineProcess, AKilledSofficeBecomesAnErrorReply)
{
    Peer peer;
    const pid_t soffice = peer.accept();
    peer.send({"split", path("long.docx"), dir_->path()});
    std::this_thread::sleep_for(500ms);
    ::kill(soffice, SIGKILL);
    const Fields reply = peer.receive();
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[0], "error");
    EXPECT_NE(reply[1].find("LibreOffice"), std::string::npos) << reply[1];
    EXPECT_EQ(reply[2], "ended") << "the server learns this is the engine's last reply";
    EXPECT_EQ(peer.exitStatus(20s), 1);
}

TEST_F(EngineProcess, AFrozenSofficeTimesOutIntoAnError)
{
    Peer peer({"TESSARO_ENGINE_CALL_TIMEOUT=2"});
    const pid_t soffice = peer.accept();
    EXPECT_EQ(peer.call({"open", path("short.odt"), "1"}), (Fields{"ok", "1"}));
    ::kill(soffice, SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    const Fields reply = peer.call({"page_count", "1"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[0], "error");
    EXPECT_NE(reply[1].find("无响应"), std::string::npos) << reply[1];
    EXPECT_EQ(reply[2], "ended");
    EXPECT_EQ(peer.exitStatus(20s), 1);
    EXPECT_TRUE(gone(soffice, 5s));
}

TEST_F(EngineProcess, AKilledEngineTakesSofficeWithIt)
{
    Peer peer;
    const pid_t soffice = peer.accept();
    ASSERT_GT(soffice, 0);
    ::kill(peer.pid(), SIGKILL);
    peer.exitStatus(5s);
    EXPECT_TRUE(gone(soffice, 5s));
}

// Closes the viewer a test opened, as the user would; one that does not go
// is killed, so that no test leaves a LibreOffice behind.
struct ViewerClosed {
    ~ViewerClosed()
    {
        if (!Viewer::close())
            for (const pid_t pid : Viewer::processes())
                ::kill(pid, SIGKILL);
    }
};

// True once the viewer is the only soffice on its profile: the one that
// handed it a document has ended.
bool onlyViewer(pid_t viewer)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (Viewer::processes() != std::vector<pid_t>{viewer}) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

// A document left open for the user is the user's: its window and soffice
// stay when the engine ends, whether it quits or is killed, and a second
// document opens in the same soffice.
TEST_F(EngineProcess, ShowsDocumentsInAViewerThatOutlivesTheEngine)
{
    XDisplay display;
    if (!display.running())
        GTEST_SKIP() << "no Xvfb to show a window on";
    TempDir config("tessaro-config");
    ScopedVariable configHome("XDG_CONFIG_HOME", config.path());
    ViewerClosed closed;
    // The headless rendering these tests choose would draw the viewer nowhere;
    // left empty, LibreOffice picks its own: X for the viewer, none for the
    // engine's headless soffice.
    const std::vector<std::string> onDisplay{"SAL_USE_VCLPLUGIN="};

    pid_t viewer = -1;
    int windows = 0;
    {
        Peer peer(onDisplay);
        ASSERT_GT(peer.accept(), 0);
        ASSERT_EQ(peer.call({"open", path("short.odt"), "0"}), (Fields{"ok", "1"}));
        // A new profile and a first start: slow on a loaded machine.
        peer.send({"show", "1"});
        EXPECT_EQ(peer.receive(150s), (Fields{"ok", "1"}));
        windows = officeWindows();
        EXPECT_GT(windows, 0) << "the window is up when show answers";
        const auto viewers = Viewer::processes();
        ASSERT_EQ(viewers.size(), 1u);
        viewer = viewers[0];
        EXPECT_EQ(peer.call({"quit"}), Fields{"ok"});
        EXPECT_EQ(peer.exitStatus(20s), 0);
    }
    EXPECT_FALSE(ended(viewer)) << "the engine's quit took the user's window";
    EXPECT_GE(officeWindows(), windows);

    {
        Peer peer(onDisplay);
        ASSERT_GT(peer.accept(), 0);
        ASSERT_EQ(peer.call({"open", path("long.docx"), "0"}), (Fields{"ok", "1"}));
        EXPECT_EQ(peer.call({"show", "1"}), (Fields{"ok", "1"}));
        EXPECT_TRUE(onlyViewer(viewer)) << "a second viewer was started";
        EXPECT_GT(officeWindows(), windows);
        windows = officeWindows();
        ::kill(peer.pid(), SIGKILL);
        peer.exitStatus(5s);
    }
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(ended(viewer)) << "a killed engine took the user's window";
    EXPECT_GE(officeWindows(), windows);

    EXPECT_TRUE(Viewer::close());
    EXPECT_TRUE(ended(viewer));
}

}  // namespace
}  // namespace tessaro::test
