// "合并" pressed in the program's own main window on real documents, with the
// Word server behind "Word.Application": the message box tells the user the
// pages of a document that really exists.
#include "processes.h"
#include "test_documents.h"

#include "app/application.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "contents_list.h"
#include "pump.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace wordsrv::test {
namespace {

using namespace std::chrono_literals;
using namespace tessaro::form1;

// Reads and closes the program's message box from inside its modal loop.
std::wstring boxText;
void CALLBACK answerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowW(L"#32770", L"提示");
    if (!box || !boxText.empty())
        return;
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    boxText = text;
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TEST(MergeButtonThroughServer, ReportsThePagesOfTheMergedDocumentInItsMessageBox)
{
    tessaro::Application app([] {});
    ASSERT_TRUE(app.Start());
    tessaro::testing::PumpMessages();
    tessaro::Form1& form = app.main_window();
    // The documents are added as a user adds them: selected in the contents
    // list of their folder, then "添加全部".
    form.OverrideFolderPathForTesting([] { return documents(); });
    tessaro::testing::FillContentsList(form.Control(ListView1),
                                       {{L"甲 文档.docx", L"", true}, {L"乙.doc", L"", true}, {L"丙.docx", L"", true}}, 0);
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(StyleButton4, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Control(StyleButton4)));
    ASSERT_EQ(form.AddedDocuments().size(), 3u);
    const std::wstring out = documents() + L"\\窗口合并.docx";
    DeleteFileW(out.c_str());
    SetWindowTextW(form.Control(Text1), out.c_str());

    boxText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &answerBox);
    PostMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(StyleButton7, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Control(StyleButton7)));
    EXPECT_TRUE(tessaro::testing::PumpUntil([] { return !boxText.empty(); }, 90000));
    KillTimer(nullptr, timer);

    EXPECT_EQ(boxText.rfind(L"合并成功!新生成的文档一共:", 0), 0u) << boxText.size();
    EXPECT_NE(GetFileAttributesW(out.c_str()), INVALID_FILE_ATTRIBUTES) << "the merged document exists";
    EXPECT_TRUE(nothingLeft(20s));
}

}  // namespace
}  // namespace wordsrv::test
