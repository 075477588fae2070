#pragma once
// The generators' command lines: pairs of "--name value", in any order.
#include <cstring>
#include <string>

namespace tevaro::assetgen {

// The value given for `name` ("--out"), or empty when it is not given.
inline std::string optionValue(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    return {};
}

}  // namespace tevaro::assetgen
