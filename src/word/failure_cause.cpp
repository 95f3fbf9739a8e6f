#include "word/failure_cause.h"

#include <winerror.h>

#include <cwchar>

namespace tessaro::word {
namespace {

std::wstring Hex(HRESULT code) {
  wchar_t hex[16];
  swprintf(hex, 16, L"0x%08lX", static_cast<unsigned long>(code));
  return hex;
}

// Descriptions arrive with line breaks and trailing blanks; a report line
// holds one line per problem.
std::wstring OneLine(const std::wstring& text) {
  std::wstring line;
  for (wchar_t c : text) {
    const bool blank = c == L'\r' || c == L'\n' || c == L'\t' || c == L' ';
    if (!blank) {
      line += c;
    } else if (!line.empty() && line.back() != L' ') {
      line += L' ';
    }
  }
  if (!line.empty() && line.back() == L' ') line.pop_back();
  return line;
}

// Win32 RPC errors as HRESULTs: what a call into a Word that has died returns.
constexpr HRESULT kServerUnavailable = static_cast<HRESULT>(0x800706BAL);
constexpr HRESULT kCallFailed = static_cast<HRESULT>(0x800706BEL);
constexpr HRESULT kCallFailedDidNotExecute = static_cast<HRESULT>(0x800706BFL);

}  // namespace

Breakdown BreakdownOf(const Failure& failure) {
  switch (failure.code) {
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVERFAULT:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case CO_E_OBJNOTCONNECTED:
    case kServerUnavailable:
    case kCallFailed:
    case kCallFailedDidNotExecute:
      return Breakdown::kGone;
    case RPC_E_CALL_REJECTED:
    case RPC_E_SERVERCALL_RETRYLATER:
    case RPC_E_TIMEOUT:
      return Breakdown::kNotAnswering;
    default:
      return Breakdown::kNone;
  }
}

std::wstring DescribeCode(std::wstring_view member, HRESULT code) {
  switch (BreakdownOf(Failure{code, {}})) {
    case Breakdown::kGone:
      return L"与 Word 的连接已断开 (" + Hex(code) + L")";
    case Breakdown::kNotAnswering:
      return L"Word 长时间没有响应 (" + Hex(code) + L")";
    case Breakdown::kNone:
      break;
  }
  return L"调用 " + std::wstring(member) + L" 失败 (" + Hex(code) + L")";
}

std::wstring CauseOf(const Failure& failure) { return OneLine(failure.text); }

}  // namespace tessaro::word
