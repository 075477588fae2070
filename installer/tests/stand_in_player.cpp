// A process named wmplayer.exe for the installer's "player is running" check. It says it is up by
// creating the file named on its command line, then idles until it is killed (or two minutes pass,
// so a test that dies cannot leave it behind for long).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HANDLE ready = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    Sleep(120000);
    return 0;
}
