#include "host_sim/ui/window_search.h"

namespace host_sim {
namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK matchId(HWND window, LPARAM l) {
    auto* search = reinterpret_cast<Search*>(l);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND findDescendant(HWND root, int id) {
    Search search{id, nullptr};
    EnumChildWindows(root, matchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace host_sim
