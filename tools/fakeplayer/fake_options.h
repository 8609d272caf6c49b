#pragma once
// The stand-in's options: which player it impersonates and how it behaves, from its command line
// and the environment.

#include <string>
#include <vector>

struct Impersonation {
    const char* name;
    const char* mainClass;
    const char* mainTitle;
    const char* videoClass;
    const char* videoTitle;
};

// Wyvernel, unless told otherwise.
const Impersonation& defaultPlayer();

struct Options {
    const Impersonation* player = &defaultPlayer();
    std::string mainTitle;  // empty: the player's own
    std::string logFile;
    int hangMs = 0;
    int slowMs = 0;
    int lateMs = 0;
    bool noWindow = false;
    bool quiet = false;
    bool close = false;
    int menuAfterMs = 2000;
    bool oneInstance = false;
    std::vector<std::string> arguments;  // everything that is not an option
};

// Blanks separate words; double quotes group them (the quotes themselves are dropped).
std::vector<std::string> splitWords(const char* text);
bool parseOptions(const std::vector<std::string>& words, Options& options, std::string& error);
// The command line without the program's own name.
const char* argumentText();
