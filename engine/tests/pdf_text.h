#pragma once
#include "protocol/session.h"

#include <functional>
#include <string>
#include <vector>

namespace tessaro::test {

// The text of each page of a document as LibreOffice prints it (through PDF
// and pdftotext), blanks removed so that only the characters count.
std::vector<std::string> pageTexts(Session& session, const std::string& document, const std::string& scratch);

std::string readBytes(const std::string& path);
// The message of the EngineError `action` throws, or "no error".
std::string failure(const std::function<void()>& action);
// Runs a shell command with a time limit; returns its standard output.
std::string run(const std::string& command, int seconds = 60);

}  // namespace tessaro::test
