#include "config/config_file.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "config/codes.h"
#include "config/errors.h"
#include "config/grabber.h"
#include "platform/platform.h"

const char kConfigBanner[] =
    "//****************************************\r\n"
    "//*                                      *\r\n"
    "//*       Trellisbourne - INI file       *\r\n"
    "//*    Edit it with Trellisbourne.exe    *\r\n"
    "//*                                      *\r\n"
    "//****************************************\r\n"
    "\r\n";
static_assert(sizeof kConfigBanner - 1 == 6 * 44 + 2, "banner lines are 42 characters + CR LF");

std::string ConfigFileName() {
    std::string dir = platform::WindowsDirectory();
    if (dir.empty()) return "trellisbourne.ini";
    // The separator goes on whatever the directory ends with, as it always has.
    return dir + "\\trellisbourne.ini";
}

namespace {

struct Reader {
    CAppList* list;
    SAppData* current;  // null before the first section and in a refused one
};

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Decimal value after optional white space and sign; wraps modulo 2^32 on
// purpose, so any digit string gives a defined value.
uint32_t ReadInteger(const char* text) {
    while (IsBlank(*text)) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + uint32_t(*text - '0');
    return negative ? 0u - value : value;
}

const char* AfterEquals(const char* line) { return std::strchr(line, '=') + 1; }

template <typename Field>
int32_t Store(void* context, char* line, Field SAppData::*field) {
    SAppData* record = static_cast<Reader*>(context)->current;
    if (record) record->*field = static_cast<Field>(ReadInteger(AfterEquals(line)));
    return 1;
}

int32_t StoreFlag(void* context, char* line, uint8_t SAppData::*field) {
    SAppData* record = static_cast<Reader*>(context)->current;
    if (record) record->*field = AfterEquals(line)[0] == '1' ? 1 : 0;
    return 1;
}

int32_t OnSection(void* context, char* line) {
    Reader* reader = static_cast<Reader*>(context);
    auto record = std::make_unique<SAppData>();
    std::size_t length = std::strlen(line);
    // "[path]" less its first and last byte; a lone "[" gives an empty path.
    record->path.reset(length >= 2 ? HeapCopy(line + 1, length - 2) : HeapCopy(""));
    reader->current = reader->list->Append(std::move(record));
    return 1;
}

int32_t OnComment(void*, char*) { return 1; }

struct Keyword {
    const char* text;
    CodeCallback callback;
};

const Keyword kKeywords[] = {
    {"nCmdShow=", [](void* c, char* l) { return Store(c, l, &SAppData::nCmdShow); }},
    {"Delay=", [](void* c, char* l) { return Store(c, l, &SAppData::Delay); }},
    {"WorkWeekEnable=", [](void* c, char* l) { return StoreFlag(c, l, &SAppData::WorkWeekEnable); }},
    {"WorkWeek=", [](void* c, char* l) { return Store(c, l, &SAppData::WorkWeek); }},
    {"DOWEnable=", [](void* c, char* l) { return StoreFlag(c, l, &SAppData::DOWEnable); }},
    {"DOW=", [](void* c, char* l) { return Store(c, l, &SAppData::DOW); }},
    {"DOMEnable=", [](void* c, char* l) { return StoreFlag(c, l, &SAppData::DOMEnable); }},
    {"DOM=", [](void* c, char* l) { return Store(c, l, &SAppData::DOM); }},
    {"[", OnSection},
    {"//", OnComment},
};

void AppendLine(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += value;
    out += "\r\n";
}

std::string Flag(uint8_t flag) { return flag ? "1" : "0"; }

}  // namespace

void ReadConfigText(CAppList& list, const char* text) {
    Reader reader{&list, nullptr};
    CGrabber grabber;
    CCodes codes(&reader);
    grabber.SetSeparators("\n");
    grabber.SetStripChars("\t\r");
    for (const Keyword& keyword : kKeywords) codes.AddCode(keyword.text, keyword.callback);

    HeapText stripped(grabber.Strip(HeapCopy(text)));
    char** lines = grabber.Split(stripped.get());
    stripped.reset();
    for (int32_t i = 0; lines[i]; ++i) codes.Execute(lines[i], i + 1);
    FreeSplit(lines);
}

std::string WriteConfigText(const CAppList& list) {
    std::string out(kConfigBanner);
    out.reserve(out.size() + std::size_t(list.Count()) * 160);
    for (uint32_t i = 0; i < list.Count(); ++i) {
        const SAppData& r = *list.Item(i);
        out += "\r\n[";
        out += r.path.get();
        out += "]\r\n";
        AppendLine(out, "nCmdShow=", std::to_string(r.nCmdShow));
        AppendLine(out, "Delay=", std::to_string(r.Delay));
        AppendLine(out, "DOWEnable=", Flag(r.DOWEnable));
        AppendLine(out, "DOW=", std::to_string(r.DOW));
        AppendLine(out, "DOMEnable=", Flag(r.DOMEnable));
        AppendLine(out, "DOM=", std::to_string(r.DOM));
        AppendLine(out, "WorkWeekEnable=", Flag(r.WorkWeekEnable));
        AppendLine(out, "WorkWeek=", std::to_string(r.WorkWeek));
    }
    return out;
}

void LoadConfig() {
    FreeAppList();
    AppList = new CAppList;
    std::string text;
    if (!platform::ReadWholeFile(ConfigFileName().c_str(), text)) return;
    // A stray NUL byte would end the text early and hide every record after it.
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    ReadConfigText(*AppList, text.c_str());
}

void SaveConfig() {
    // The error refers to this name, so it must outlive the throw.
    static std::string fileName;
    fileName = ConfigFileName();
    static const CAppList empty;
    std::string content = WriteConfigText(AppList ? *AppList : empty);
    if (!platform::ReplaceFileContents(fileName.c_str(), content.data(), content.size()))
        throw CFileError(0, fileName.c_str());
}

void FreeAppList() {
    delete AppList;
    AppList = nullptr;
}
