// The handler the link tests register for their test scheme: the shell starts it with the log
// file and the address it was asked to open, and it appends the address as one line.
#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    std::FILE* log = _wfopen(argv[1], L"ab");
    if (log == nullptr) return 1;
    std::fprintf(log, "%ls\n", argv[2]);
    return std::fclose(log) == 0 ? 0 : 1;
}
