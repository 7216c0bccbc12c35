#include "launcher/launch_command.h"

#include <cstring>

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string LaunchCommand(const char* path, const FileExistsCheck& fileExists) {
    if (!path) return std::string();
    bool hasBlank = std::strpbrk(path, " \t") != nullptr;
    bool quoted = path[0] == '"';
    if (hasBlank && !quoted && fileExists && fileExists(path)) return Quoted(path);
    return path;
}

std::string EditorCommand(const std::string& programPath) {
    if (programPath.empty()) return std::string();
    return Quoted(programPath);
}
