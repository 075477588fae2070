#include "host_sim/ui/panel_script.h"

#include <sstream>

namespace host_sim {
namespace {

using Verb = ScriptStep::Verb;

struct VerbSpec {
    const char* name;
    Verb verb;
};

constexpr VerbSpec verbs[] = {
    {"move", Verb::move},
    {"press", Verb::press},
    {"release", Verb::release},
    {"click", Verb::click},
    {"enable", Verb::enable},
    {"wait", Verb::wait},
    {"capture", Verb::capture},
    {"capture-dialog", Verb::captureDialog},
    {"dialog", Verb::dialog},
    {"dialog-click", Verb::dialogClick},
    {"dialog-point", Verb::dialogPoint},
    {"dialog-close", Verb::dialogClose},
    {"responsive", Verb::responsive},
};

bool readInt(std::istringstream& in, int& value) { return static_cast<bool>(in >> value); }

std::string rest(std::istringstream& in) {
    std::string text;
    std::getline(in >> std::ws, text);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.pop_back();
    return text;
}

bool parseArguments(std::istringstream& in, ScriptStep& step) {
    switch (step.verb) {
        case Verb::move:
        case Verb::click:
            return readInt(in, step.control) && readInt(in, step.x) && readInt(in, step.y);
        case Verb::press:
        case Verb::release:
        case Verb::responsive:
            return true;
        case Verb::enable:
            step.text = rest(in);
            return step.text == "true" || step.text == "false" || step.text == "none";
        case Verb::wait:
            return readInt(in, step.ms) && step.ms >= 0;
        case Verb::capture:
        case Verb::dialog:
        case Verb::dialogClose:
            step.text = rest(in);
            return !step.text.empty();
        case Verb::captureDialog:
            if (!(in >> step.name)) return false;
            step.text = rest(in);
            return !step.text.empty();
        case Verb::dialogClick:
            if (!readInt(in, step.control)) return false;
            step.text = rest(in);
            return !step.text.empty();
        case Verb::dialogPoint:
            if (!readInt(in, step.x) || !readInt(in, step.y)) return false;
            step.text = rest(in);
            return !step.text.empty();
    }
    return false;
}

}  // namespace

bool parsePanelScript(const std::string& script, std::vector<ScriptStep>& steps, std::string& error) {
    std::istringstream lines(script);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream in(line);
        std::string word;
        if (!(in >> word)) continue;
        ScriptStep step;
        step.line = number;
        bool known = false;
        for (const VerbSpec& v : verbs) {
            if (word == v.name) {
                step.verb = v.verb;
                known = true;
            }
        }
        if (!known || !parseArguments(in, step)) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        const bool takesText = step.verb == Verb::enable || step.verb == Verb::capture ||
                               step.verb == Verb::captureDialog || step.verb == Verb::dialog ||
                               step.verb == Verb::dialogClick || step.verb == Verb::dialogPoint ||
                               step.verb == Verb::dialogClose;
        if (!takesText && !rest(in).empty()) {
            error = "line " + std::to_string(number) + ": too many arguments";
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

}  // namespace host_sim
