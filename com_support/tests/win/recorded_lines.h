#pragma once
// The lines a recorder program appended to its log (one opened address per line), without their
// line ends; none when the log does not exist yet.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace com_support::test {

inline std::vector<std::string> recordedLines(const std::wstring& logPath) {
    std::vector<std::string> lines;
    std::FILE* log = _wfopen(logPath.c_str(), L"rb");
    if (log == nullptr) return lines;
    char line[512];
    while (std::fgets(line, sizeof line, log) != nullptr) {
        std::string text = line;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        lines.push_back(text);
    }
    std::fclose(log);
    return lines;
}

}  // namespace com_support::test
