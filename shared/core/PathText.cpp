#include "PathText.h"

std::string GetUpperExtension(const std::string& path) {
    const size_t dot = LastSingleByte(path, '.');
    return dot == std::string::npos ? std::string() : AsciiUpper(std::string_view(path).substr(dot + 1));
}

std::string GetFileTitle(const std::string& path) {
    const size_t slash = LastBackslash(path);
    if (slash == std::string::npos) return "(なし)";
    // The name starts on a character boundary, so scanning it on its own is safe.
    const std::string name = path.substr(slash + 1);
    const size_t dot = LastSingleByte(name, '.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FolderOfPath(const std::string& path) {
    const size_t slash = LastBackslash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool CommandNamesProgram(std::string_view command, std::string_view program) {
    // Space and '"' are never trail bytes of code page 932, so the ends can be
    // tested byte by byte.
    while (!command.empty() && command.front() == ' ') command.remove_prefix(1);
    while (!command.empty() && command.back() == ' ') command.remove_suffix(1);
    if (command.size() >= 2 && command.front() == '"' && command.back() == '"') {
        command = command.substr(1, command.size() - 2);
    }
    return !program.empty() && CompareAsciiNoCase(command, program) == 0;
}
