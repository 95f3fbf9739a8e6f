#pragma once
#include "variant.h"
#include "word.h"

#include <oaidl.h>

namespace wordsrv {

// A Word range in page units: position p is the start of page p + 1, so a
// document of N pages runs from 0 to N and page i covers [i - 1, i).
// The Content range follows the document as it grows (`story`).
struct Span {
    int doc = 0;
    long start = 0;
    long end = 0;
    bool story = false;
};

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

// The insertion point of `doc` moved to the start of page `page`.
void placeInsertionPoint(Word& word, int doc, long page);

}  // namespace wordsrv
