#include "config/errors.h"

#include "platform/platform.h"

std::string CFileError::Text() const {
    // Built by concatenation rather than into a fixed buffer, so a file name of
    // any length is reported whole.
    if (code == 0) return std::string("Unable to open : ") + (fileName ? fileName : "");
    return "Unable to read";
}

void CFileError::Show() const { platform::ShowMessage(Text().c_str(), Caption()); }

std::string CParsingError::Text() const {
    switch (code) {
        case 0:
        case 51:
            return "Wrong number of arguments";
        case 50:
            return "\nSyntax Error at line " + std::to_string(line) + "\n";
        case 52:
            return "Unknown command";
        case 100:
            return "Wrong number if arguments";
        default:
            return "Command Error";
    }
}

void CParsingError::Show() const { platform::ShowMessage(Text().c_str(), Caption()); }
