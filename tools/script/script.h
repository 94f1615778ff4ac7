// Key scripts for the driver: one event a line, "FRAME verb args", '#' starts a comment.
#pragma once

#include <string>
#include <vector>

struct ScriptEvent {
    int frame = 0;                  // pass of the frame loop, from 1
    std::string verb;               // down, up, tap, shot, state, round, results, message, device
    std::vector<std::string> args;
    int line = 0;                   // for error messages
};

// Parses the script text; on a bad line returns false with *error saying where and why.
bool ParseScript(const std::string& text, std::vector<ScriptEvent>* events, std::string* error);
