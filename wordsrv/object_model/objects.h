#pragma once
#include "base/variant.h"
#include "object_model/word.h"

#include <oaidl.h>

namespace wordsrv {

// The automation objects of one Word instance, each handed out as a new
// IDispatch reference inside a Variant.
IDispatch* newApplication(const WordPtr& word);
Variant documentsObject(const WordPtr& word);
Variant documentObject(const WordPtr& word, int doc);
Variant selectionObject(const WordPtr& word);
Variant browserObject(const WordPtr& word);
Variant bookmarksObject(const WordPtr& word, int doc);
Variant rangeObject(const WordPtr& word, const Span& span);
Variant fieldsObject(const WordPtr& word, int doc);

// The span of a range handed back by the caller; only our own ranges qualify.
Span spanOf(IDispatch* range);

}  // namespace wordsrv
