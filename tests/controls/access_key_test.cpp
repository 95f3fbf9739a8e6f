#include "controls/access_key.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(AccessKey, FollowsTheButtonsOwnRule) {
  const struct {
    const wchar_t* caption;
    wchar_t key;
  } cases[] = {
      {L"&Save", L's'},
      {L"A&&B", 0},
      {L"A&&B&c", L'c'},
      {L"&", 0},
      {L"", 0},
      {L"S", 0},
      {L"Save&", 0},
      {L"&&", 0},
      {L"&&&a", L'a'},
      // Only the "&" after a doubled one is looked at; the dialog manager
      // would find c here.
      {L"&&a&&b&c", 0},
      {L"Open &File", L'f'},
      {L"合并(&M)", L'm'},
      {L"&Ä", L'ä'},
  };
  for (const auto& c : cases) EXPECT_EQ(AccessKeyOf(c.caption), c.key) << c.caption;
}

}  // namespace
}  // namespace tessaro
