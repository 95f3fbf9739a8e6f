// The member tables behind every automation object of the server, in
// process: names and named arguments resolved as Word resolves them, puts
// only where Word allows them, and failures as DISP_E_EXCEPTION.
#include "base/cause.h"
#include "object_model/dispatch.h"
#include "base/text.h"
#include "word_client.h"

#include <gtest/gtest.h>

namespace wordsrv::test {
namespace {

enum : DISPID { Item = DISPID_VALUE, Open = 1, Visible, Fail };
constexpr Member kMembers[] = {
    {L"Item", Item, {L"Index"}},
    {L"Open", Open, {L"FileName", L"ReadOnly", L"PasswordDocument"}},
    {L"Visible", Visible, {}, true},
    {L"Fail", Fail},
};

// Echoes what it was given, so the tests see how arguments arrived.
class Probe final : public DispatchObject {
public:
    Probe() : DispatchObject(kMembers) {}

private:
    void invoke(Call& call) override
    {
        switch (call.member) {
        case Item:
            call.result = Variant::of(L"item " + call.args.text(0, L"Index"));
            break;
        case Open:
            call.result = Variant::of(call.args.text(0, L"FileName") + L"|" + (call.args.flag(1, false) ? L"ro" : L"rw") +
                                      L"|" + (call.args.has(2) ? call.args.text(2, L"PasswordDocument") : L"-"));
            break;
        case Visible:
            if (call.put)
                visible_ = call.value.flag(0, false);
            call.result = Variant::of(visible_);
            break;
        case Fail:
            throw WordError{L"无法打开文档 (cannot open): C:\\a.doc"};
        }
    }
    bool visible_ = false;
};

Dispatch probe() { return Dispatch(ComPtr<IDispatch>(new Probe)); }

HRESULT failureOf(const std::function<void()>& call, std::wstring* description = nullptr)
{
    try {
        call();
    } catch (const ComFailure& e) {
        if (description)
            *description = e.description;
        return e.code;
    }
    return S_OK;
}

TEST(DispatchTable, NamesResolveCaseBlindAndUnknownNamesAreReported)
{
    Dispatch object = probe();
    const wchar_t* names[] = {L"oPEN", L"passworddocument", L"FileName", L"Nonsense"};
    DISPID ids[4];
    EXPECT_EQ(object.get()->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names), 4, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], Open);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], 0);
    EXPECT_EQ(ids[3], DISPID_UNKNOWN);
    EXPECT_EQ(failureOf([&] { object.call(L"Close"); }), DISP_E_UNKNOWNNAME);
}

TEST(DispatchTable, ArgumentsReachTheirParameterWhateverTheOrder)
{
    Dispatch object = probe();
    EXPECT_EQ(object.text(L"Open", {named(L"PasswordDocument", L"pw"), named(L"FileName", L"a.doc")}), L"a.doc|rw|pw");
    EXPECT_EQ(object.text(L"Open", {L"b.doc", named(L"ReadOnly", true)}), L"b.doc|ro|-");
    EXPECT_EQ(object.text(L"Open", {L"c.doc", true, L"x"}), L"c.doc|ro|x");
    EXPECT_EQ(object.text(L"Item", {L"\\page"}), L"item \\page");
    EXPECT_EQ(failureOf([&] { object.call(L"Open", {L"a", true, L"x", 4}); }), DISP_E_BADPARAMCOUNT);
    std::wstring description;
    EXPECT_EQ(failureOf([&] { object.call(L"Open", {named(L"ReadOnly", true)}); }, &description), DISP_E_EXCEPTION);
    EXPECT_NE(description.find(L"FileName"), std::wstring::npos) << "a missing argument is named";
}

TEST(DispatchTable, DefaultMemberPutsAndFailuresBehaveAsInWord)
{
    Dispatch object = probe();
    // DISPID_VALUE without a name: what `obj("x")` means in VB.
    Variant index = Variant::of(std::wstring(L"x"));
    DISPPARAMS params{index.get(), nullptr, 1, 0};
    Variant result;
    ASSERT_EQ(object.get()->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                                   result.get(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(std::wstring(V_BSTR(result.get())), L"item x");

    object.put(L"Visible", true);
    EXPECT_EQ(object.number(L"Visible"), -1);
    EXPECT_EQ(failureOf([&] { object.put(L"Item", L"y"); }), DISP_E_MEMBERNOTFOUND) << "read-only";

    std::wstring description;
    EXPECT_EQ(failureOf([&] { object.call(L"Fail"); }, &description), DISP_E_EXCEPTION);
    EXPECT_EQ(description, L"无法打开文档") << "the cause, without reason and path";
}

TEST(ShortCause, KeepsTheChineseWordsThatSayWhy)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"文档有密码保护，无法打开 (password-protected): /home/u/a.doc", L"文档有密码保护"},
        {L"无法打开文档，文件已损坏或格式不支持 (damaged or unsupported): C:\\a.docx", L"文件已损坏或格式不支持"},
        {L"输出文件夹不存在 (output folder not found): C:\\out", L"输出文件夹不存在"},
        {L"LibreOffice 无响应，已终止 (no answer within 60 s: save C:\\a (1).docx)", L"LibreOffice 无响应，已终止"},
        {L"无法保存文档 (No space left on device): /a.docx", L"无法保存文档"},
        {L"文件不存在: C:\\a.doc", L"文件不存在"},
        {L"no Chinese at all", L"no Chinese at all"},
    };
    for (const auto& [message, cause] : cases)
        EXPECT_EQ(shortCause(message), cause) << toUtf8(message);
}

}  // namespace
}  // namespace wordsrv::test
