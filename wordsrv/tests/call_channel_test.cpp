// The call channel in one process: objects marshaled as COM marshals them
// for another process, unmarshaled by wordproxy.dll (registered with the
// server) in a thread of their own, and called as the program calls Word.
// A server that dies under its client is the robustness tests' part.
#include "transport/call_channel.h"
#include "transport/call_wire.h"
#include "object_model/dispatch.h"
#include "word_client.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>

namespace wordsrv::test {
namespace {

enum : DISPID { Echo = 1, Child, Label, LabelOf, Fail };
constexpr Member kMembers[] = {
    {L"Echo", Echo, {L"Value", L"Count"}},
    {L"Child", Child, {L"Label"}},
    {L"Label", Label},
    {L"LabelOf", LabelOf, {L"Other"}},
    {L"Fail", Fail},
};

std::atomic<int> liveLabels{0};

class Labelled final : public DispatchObject {
public:
    explicit Labelled(std::wstring label) : DispatchObject(kMembers), label_(std::move(label)) { ++liveLabels; }
    ~Labelled() override { --liveLabels; }

private:
    void invoke(Call& call) override
    {
        switch (call.member) {
        case Echo:
            call.result = Variant::of(call.args.text(0, L"Value") + L"|" + std::to_wstring(call.args.number(1, -1)));
            break;
        case Child:
            call.result = objectResult<Labelled>(call.args.text(0, L"Label"));
            break;
        case Label:
            call.result = Variant::of(label_);
            break;
        case LabelOf:
            call.result = Variant::of(Dispatch(ComPtr<IDispatch>::Share(call.args.object(0, L"Other"))).text(L"Label"));
            break;
        case Fail:
            throw WordError{L"文档有密码保护 (password-protected)"};
        }
    }

    std::wstring label_;
};

// Answers the channel, as the server's loop does, until `done` or five seconds.
void pumpUntil(CallChannel& channel, const std::function<bool()>& done)
{
    const DWORD end = GetTickCount() + 5000;
    const HANDLE requested = channel.requested();
    while (!done() && static_cast<int>(end - GetTickCount()) > 0)
        if (WaitForSingleObject(requested, 50) == WAIT_OBJECT_0)
            channel.answer();
}

// Runs `client` in a thread of its own, in the multithreaded apartment.
void runClient(CallChannel& channel, std::function<void()> client)
{
    struct Job {
        std::function<void()> client;
        std::exception_ptr failure;
    } job{std::move(client), nullptr};
    const HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* data) -> DWORD {
            auto* job = static_cast<Job*>(data);
            CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            try {
                job->client();
            } catch (...) {
                job->failure = std::current_exception();
            }
            CoUninitialize();
            return 0;
        },
        &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    pumpUntil(channel, [&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
    ASSERT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "the client did not finish";
    CloseHandle(thread);
    if (job.failure)
        std::rethrow_exception(job.failure);
}

// An object as COM hands it to another process.
ComPtr<IStream> marshaled(IDispatch* object)
{
    ComPtr<IStream> stream;
    EXPECT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
    EXPECT_HRESULT_SUCCEEDED(CoMarshalInterface(stream.get(), IID_IDispatch, object, MSHCTX_LOCAL, nullptr,
                                                MSHLFLAGS_NORMAL));
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

TEST(CallChannel, CallsArgumentsFailuresAndObjectsCrossItAndEveryObjectIsLetGo)
{
    CallChannel channel;
    ASSERT_EQ(CallChannel::active(), &channel) << "wordproxy.dll is not registered in this prefix";
    const int before = liveLabels;
    ComPtr<IDispatch> root(new Labelled(L"根"));
    ComPtr<IStream> stream = marshaled(root.get());
    root.reset();

    std::unique_ptr<Dispatch> kept;
    runClient(channel, [&] {
        ComPtr<IDispatch> unmarshaled;
        ASSERT_HRESULT_SUCCEEDED(CoUnmarshalInterface(stream.get(), IID_IDispatch, unmarshaled.put_void()));
        const Dispatch word(std::move(unmarshaled));
        EXPECT_NE(GetModuleHandleW(L"wordproxy.dll"), nullptr);

        // Named and positional arguments, in any order, and text beyond ASCII.
        EXPECT_EQ(word.text(L"Echo", {L"页眉 D:\\报告.docx"}), L"页眉 D:\\报告.docx|-1");
        EXPECT_EQ(word.text(L"Echo", {named(L"Count", 7), named(L"Value", L"第 3 页")}), L"第 3 页|7");
        EXPECT_EQ(word.text(L"Label"), L"根");

        // A failure arrives as Word's: DISP_E_EXCEPTION and its description.
        try {
            word.call(L"Fail");
            ADD_FAILURE() << "Fail did not fail";
        } catch (const ComFailure& e) {
            EXPECT_EQ(e.code, DISP_E_EXCEPTION);
            EXPECT_NE(e.description.find(L"文档有密码保护"), std::wstring::npos) << e.what();
        }

        // An object handed out comes back as an argument as itself.
        const Dispatch child = word.object(L"Child", {L"子"});
        EXPECT_EQ(child.text(L"Label"), L"子");
        EXPECT_EQ(word.text(L"LabelOf", {named(L"Other", Arg(child))}), L"子");
        kept = std::make_unique<Dispatch>(word.object(L"Child", {L"留下"}));
    });
    // The client still holds one object; the others went with their proxies,
    // let go of with the next call.
    runClient(channel, [&] { EXPECT_EQ(kept->text(L"Label"), L"留下"); });
    pumpUntil(channel, [&] { return liveLabels == before + 1; });
    EXPECT_EQ(liveLabels, before + 1);

    // Its last release is never sent: the client's goodbye lets go of it.
    runClient(channel, [&] { kept.reset(); });
    pumpUntil(channel, [&] { return liveLabels == before; });
    EXPECT_EQ(liveLabels, before);
}

TEST(CallWire, ValuesKeepTheirTypeAndWhatNoCallUsesIsRefused)
{
    const auto noObjects = [](IDispatch*) -> uint32_t { return 0; };
    const auto roundTrip = [&](VARIANT in) {
        std::string field;
        EXPECT_HRESULT_SUCCEEDED(wire::encodeVariant(in, noObjects, field));
        Variant out;
        EXPECT_HRESULT_SUCCEEDED(wire::decodeVariant(field, [](uint32_t) -> IDispatch* { return nullptr; }, *out.get()));
        return out;
    };
    Variant text = Variant::of(std::wstring(L"第 3 页\t\"引号\""));
    EXPECT_STREQ(V_BSTR(roundTrip(*text.get()).get()), L"第 3 页\t\"引号\"");
    Variant negative = Variant::of(-2147483647L - 1);
    EXPECT_EQ(V_I4(roundTrip(*negative.get()).get()), -2147483647L - 1);
    Variant flag = Variant::of(true);
    EXPECT_EQ(V_BOOL(roundTrip(*flag.get()).get()), VARIANT_TRUE);

    // VB's omitted argument stays omitted; a value by reference goes by value.
    VARIANT omitted;
    V_VT(&omitted) = VT_ERROR;
    V_ERROR(&omitted) = DISP_E_PARAMNOTFOUND;
    Variant back = roundTrip(omitted);
    EXPECT_EQ(V_VT(back.get()), VT_ERROR);
    EXPECT_EQ(V_ERROR(back.get()), DISP_E_PARAMNOTFOUND);
    LONG pages = 12;
    VARIANT reference;
    V_VT(&reference) = VT_I4 | VT_BYREF;
    V_I4REF(&reference) = &pages;
    EXPECT_EQ(V_I4(roundTrip(reference).get()), 12);

    std::string field;
    VARIANT real;
    V_VT(&real) = VT_R8;
    V_R8(&real) = 1.5;
    EXPECT_EQ(wire::encodeVariant(real, noObjects, field), DISP_E_TYPEMISMATCH);
    Variant withNul = Variant::of(std::wstring(L"a\0b", 3));
    EXPECT_EQ(wire::encodeVariant(*withNul.get(), noObjects, field), DISP_E_TYPEMISMATCH);
    Variant junk;
    for (const char* bad : {"", "i12x", "i99999999999", "o-1", "?"})
        EXPECT_EQ(wire::decodeVariant(bad, [](uint32_t) -> IDispatch* { return nullptr; }, *junk.get()), E_INVALIDARG)
            << bad;
}

}  // namespace
}  // namespace wordsrv::test
