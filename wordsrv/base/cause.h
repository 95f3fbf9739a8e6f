#pragma once
#include <string>

namespace wordsrv {

// What the user is told of a failure: the Chinese words of the engine's or
// our own message, without the English reason in brackets and the path
// (the program names the file itself), and without a clause that only says
// the step failed ("无法打开"), which the program says too.
// "文档有密码保护，无法打开 (password-protected): /a.doc" gives "文档有密码保护".
std::wstring shortCause(const std::wstring& message);

}  // namespace wordsrv
