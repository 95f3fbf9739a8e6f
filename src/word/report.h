// The problems of one merge or split, in the order they happened.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaro::word {

class Report {
 public:
  void Add(std::wstring line) { lines_.push_back(std::move(line)); }
  bool empty() const { return lines_.empty(); }

  // The headline, then one line per problem.
  std::wstring Text(std::wstring_view headline) const {
    std::wstring text(headline);
    for (const std::wstring& line : lines_) text.append(1, L'\n').append(line);
    return text;
  }

 private:
  std::vector<std::wstring> lines_;
};

}  // namespace tessaro::word
