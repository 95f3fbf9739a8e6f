// The Word the program starts, with a fault done once, just before one step
// of the job: the n-th document opened (a merge's third comes after its
// first insertion) or the n-th file saved (a split's second comes after its
// first page file).
#pragma once

#include "word/word_objects.h"

#include <functional>
#include <memory>

namespace wordsrv::test {

enum class Step { kOpen, kSave };

std::unique_ptr<tessaro::word::Application> withFault(std::unique_ptr<tessaro::word::Application> word, Step step,
                                                      int at, std::function<void()> fault);

}  // namespace wordsrv::test
