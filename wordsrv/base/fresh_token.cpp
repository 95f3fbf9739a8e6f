#include "base/fresh_token.h"

#include "base/word_error.h"

#include <windows.h>
#include <bcrypt.h>

namespace wordsrv {

std::string freshToken()
{
    unsigned char bytes[16];
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        throw WordError{L"无法生成随机数 (no random source)"};
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += digits[b >> 4];
        token += digits[b & 15];
    }
    return token;
}

}  // namespace wordsrv
