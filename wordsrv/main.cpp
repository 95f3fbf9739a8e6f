// wordsrv: the class behind "Word.Application" on machines without Word.
// COM starts it (LocalServer32, with -Embedding) once per CoCreateInstance;
// it serves one Application and forwards the document work to the engine
// named on its command line.
#include "transport/call_channel.h"
#include "object_model/class_factory.h"
#include "process/lifetime.h"

#include <windows.h>
#include <shellapi.h>
#include <winsock2.h>

#include <memory>
#include <string>

using namespace wordsrv;

namespace {

// A server nobody asks for an object within this time has been started in vain.
constexpr UINT kUnusedLimitMs = 60000;
// Long enough for a reply on its way out, short beside the engine's own end.
constexpr DWORD kQuitReplyMs = 300;

struct Arguments {
    std::wstring engine;
    bool embedding = false;
};

Arguments parseArguments()
{
    Arguments parsed;
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    for (int i = 1; argv && i < count; ++i) {
        const std::wstring arg = argv.get()[i];
        if (arg == L"-Embedding" || arg == L"/Embedding")
            parsed.embedding = true;
        else if (arg == L"--engine" && i + 1 < count)
            parsed.engine = argv.get()[++i];
    }
    return parsed;
}

class Winsock {
public:
    Winsock()
    {
        WSADATA data;
        ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~Winsock()
    {
        if (ok_)
            WSACleanup();
    }
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

class ClassRegistration {
public:
    explicit ClassRegistration(IClassFactory* factory)
    {
        ok_ = SUCCEEDED(CoRegisterClassObject(CLSID_TessaroWord, factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie_));
    }
    ~ClassRegistration()
    {
        if (ok_)
            CoRevokeClassObject(cookie_);
    }
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;
    bool ok() const { return ok_; }

private:
    DWORD cookie_ = 0;
    bool ok_ = false;
};

// Runs until Quit, the last object (unless a document was left open for the
// user), the client's end, or nobody asking for an object in time; answers
// the call channel between messages.
void serve(const Word& word, CallChannel& channel)
{
    const UINT_PTR timer = SetTimer(nullptr, 0, kUnusedLimitMs, nullptr);
    const HANDLE requested = channel.requested();
    const auto ended = [&](const MSG& msg) {
        if (msg.message == WM_QUIT || msg.hwnd != nullptr)
            return msg.message == WM_QUIT;
        return msg.message == lifetime::kClientGone ||
               (msg.message == lifetime::kLastObjectGone && !word.leftOpen()) ||
               (msg.message == WM_TIMER && msg.wParam == timer && !lifetime::everUsed());
    };
    for (bool running = true; running && !word.hasQuit();) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(requested ? 1 : 0, &requested, INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (requested && woke == WAIT_OBJECT_0) {
            channel.answer();
            continue;
        }
        MSG msg;
        while (running && !word.hasQuit() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (ended(msg))
                running = false;
            else
                DispatchMessageW(&msg);
        }
    }
    KillTimer(nullptr, timer);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const Arguments args = parseArguments();
    if (!args.embedding || args.engine.empty())
        return 2;
    lifetime::setMainThread(GetCurrentThreadId());
    MSG queue;
    PeekMessageW(&queue, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the thread's queue, before anyone posts
    // COM is never uninitialised: CoUninitialize waits for the calls of
    // clients still connected, which under Wine can be forever. The process
    // ends right after and takes the apartment with it.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    Winsock winsock;
    if (!winsock.ok())
        return 1;
    CallChannel channel;
    const auto word = std::make_shared<Word>(args.engine);
    const lifetime::ClientWatch watch;
    {
        const ComPtr<IClassFactory> factory = newClassFactory(word);
        const ClassRegistration registration(factory.get());
        if (!registration.ok())
            return 1;
        serve(*word, channel);
    }
    // COM's own thread sends the reply to Quit after the call has returned
    // here; a process that ended at once could cut it off, and the client
    // would be told the call failed.
    if (word->hasQuit())
        Sleep(kQuitReplyMs);
    word->quit();
    return 0;
}
