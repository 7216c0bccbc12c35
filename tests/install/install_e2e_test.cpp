// The installers under Wine, used as a user would: install silently or
// interactively, look at what is in place (files, version, shortcuts read
// through IShellLink, registry, the Add/Remove entry), run the launcher the
// Startup shortcut starts, upgrade, try a downgrade, uninstall. The 64-bit
// variants of the packages are tested (this machine runs no 32-bit code
// natively); they are built from the same sources as the shipped ones.
//
// Environment (set by ctest):
//   TRELLIS_PACKAGES      folder of the test packages
//   TRELLIS_VERSION       the project's version, a.b.c
//   TRELLIS_NEXT_VERSION  the version of the newer per-user package
#include <windows.h>

#include <msi.h>
#include <msiquery.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

constexpr DWORD kMsiexecTimeoutMs = 120000;
constexpr DWORD kInstallFailure = 1603;  // ERROR_INSTALL_FAILURE
const char kDowngradeMessage[] = "A newer version of Trellisbourne is already installed.";
// What the user receives in the program's folder.
const std::vector<std::string> kInstalledFiles = {"Trellisbourne.exe", "StopLaunchers.exe",
                                                  "README.txt", "LICENSE.txt"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

bool SamePath(const std::string& a, const std::string& b) {
    return Lower(WithoutTrailingSlash(a)) == Lower(WithoutTrailingSlash(b));
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path
                                                                                          : "";
}

struct MsiHandle {
    MSIHANDLE value = 0;
    ~MsiHandle() {
        if (value) MsiCloseHandle(value);
    }
};

// A property of a package file, read from its Property table.
std::string PackageProperty(const std::string& msi, const std::string& name) {
    MsiHandle database, view, record;
    if (MsiOpenDatabaseA(msi.c_str(), MSIDBOPEN_READONLY, &database.value) != ERROR_SUCCESS) {
        return "";
    }
    const std::string query = "SELECT `Value` FROM `Property` WHERE `Property` = '" + name + "'";
    if (MsiDatabaseOpenViewA(database.value, query.c_str(), &view.value) != ERROR_SUCCESS ||
        MsiViewExecute(view.value, 0) != ERROR_SUCCESS ||
        MsiViewFetch(view.value, &record.value) != ERROR_SUCCESS) {
        return "";
    }
    char value[256] = {};
    DWORD size = sizeof value;
    return MsiRecordGetStringA(record.value, 1, value, &size) == ERROR_SUCCESS ? value : "";
}

bool ProductInstalled(const std::string& productCode) {
    return MsiQueryProductStateA(productCode.c_str()) == INSTALLSTATE_DEFAULT;
}

std::string InstalledVersion(const std::string& productCode) {
    char version[64] = {};
    DWORD size = sizeof version;
    return MsiGetProductInfoA(productCode.c_str(), INSTALLPROPERTY_VERSIONSTRING, version, &size) ==
                   ERROR_SUCCESS
               ? version
               : "";
}

DWORD RunMsiexec(const std::string& arguments) {
    e2e::Process msiexec =
        e2e::StartProcess(e2e::WindowsDirectory() + "\\system32\\msiexec.exe", arguments);
    if (!msiexec.Valid() || !msiexec.WaitExit(kMsiexecTimeoutMs)) return ~0u;
    return msiexec.ExitCode();
}

// Version resources

struct FileVersion {
    std::string fixed;  // from VS_FIXEDFILEINFO, a.b.c.d
    std::string productName;
};

FileVersion ReadFileVersion(const std::string& path) {
    FileVersion result;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return result;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return result;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        std::ostringstream text;
        text << HIWORD(fixed->dwFileVersionMS) << '.' << LOWORD(fixed->dwFileVersionMS) << '.'
             << HIWORD(fixed->dwFileVersionLS) << '.' << LOWORD(fixed->dwFileVersionLS);
        result.fixed = text.str();
    }
    char* name = nullptr;
    if (VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\ProductName",
                       reinterpret_cast<void**>(&name), &length) &&
        name) {
        result.productName = name;
    }
    return result;
}

// Shortcuts, read through the shell's own interfaces

template <typename T>
struct ComRef {
    T* value = nullptr;
    ~ComRef() {
        if (value) value->Release();
    }
};

struct Shortcut {
    bool loaded = false;
    std::string target;
    std::string arguments;
    std::string workingDirectory;
};

Shortcut ReadShortcut(const std::string& path) {
    Shortcut result;
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.value))) ||
        FAILED(
            link.value->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.value)))) {
        return result;
    }
    std::wstring wide(path.begin(), path.end());
    if (FAILED(file.value->Load(wide.c_str(), STGM_READ))) return result;
    char text[MAX_PATH * 2] = {};
    if (SUCCEEDED(link.value->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) {
        result.target = text;
    }
    text[0] = '\0';
    if (SUCCEEDED(link.value->GetArguments(text, sizeof text))) result.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link.value->GetWorkingDirectory(text, sizeof text))) {
        result.workingDirectory = text;
    }
    result.loaded = true;
    return result;
}

// Snapshots: the places an install touches, to compare before and after

using Snapshot = std::map<std::string, std::string>;

std::string Fingerprint(const std::string& path) {
    const std::string data = e2e::ReadFileText(path);
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : data) hash = (hash ^ c) * 1099511628211ull;
    std::ostringstream text;
    text << data.size() << " bytes, " << std::hex << hash;
    return text.str();
}

void AddFiles(const std::string& folder, Snapshot& snapshot) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            snapshot["folder " + Lower(path)] = "";
            AddFiles(path, snapshot);
        } else {
            snapshot["file " + Lower(path)] = Fingerprint(path);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

void AddRegistry(HKEY root, const std::string& rootName, const std::string& key, REGSAM view,
                 Snapshot& snapshot) {
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return;
    const std::string where = rootName + (view == KEY_WOW64_32KEY ? "(32)\\" : "\\") + key;
    snapshot["key " + where] = "";
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        BYTE data[1024];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(handle, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        snapshot["value " + where + "\\" + name] =
            std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(handle, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        subkeys.push_back(name);
    }
    RegCloseKey(handle);
    for (const std::string& subkey : subkeys) {
        AddRegistry(root, rootName, key + "\\" + subkey, view, snapshot);
    }
}

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

Snapshot TakeSnapshot() {
    Snapshot snapshot;
    for (int csidl :
         {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
        AddFiles(ShellFolder(csidl), snapshot);
    }
    AddFiles(ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs", snapshot);
    // The installer's own copy of the product icon.
    AddFiles(ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\Installer", snapshot);
    AddFiles(ShellFolder(CSIDL_WINDOWS) + "\\Installer", snapshot);
    snapshot["folder " + Lower(ShellFolder(CSIDL_LOCAL_APPDATA)) + "\\programs"] =
        FolderExists(ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs") ? "present" : "absent";
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        AddRegistry(HKEY_CURRENT_USER, "HKCU", "Software\\Trellisbourne", view, snapshot);
        AddRegistry(HKEY_LOCAL_MACHINE, "HKLM", "Software\\Trellisbourne", view, snapshot);
        AddRegistry(HKEY_CURRENT_USER, "HKCU", kUninstallKey, view, snapshot);
        AddRegistry(HKEY_LOCAL_MACHINE, "HKLM", kUninstallKey, view, snapshot);
    }
    char product[39];
    for (DWORD i = 0; MsiEnumProductsA(i, product) == ERROR_SUCCESS; ++i) {
        snapshot[std::string("product ") + product] = InstalledVersion(product);
    }
    return snapshot;
}

// The differences, one line each, for a readable failure.
std::string Differences(const Snapshot& before, const Snapshot& after) {
    std::string report;
    for (const auto& [key, value] : before) {
        const auto found = after.find(key);
        if (found == after.end()) {
            report += "gone: " + key + "\n";
        } else if (found->second != value) {
            report += "changed: " + key + "\n";
        }
    }
    for (const auto& [key, value] : after) {
        if (!before.count(key)) report += "new: " + key + "\n";
    }
    return report;
}

// The Add/Remove Programs entry of a product, in whichever view it is.
std::map<std::string, std::string> UninstallEntry(const std::string& productCode) {
    Snapshot found;
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        AddRegistry(HKEY_LOCAL_MACHINE, "", std::string(kUninstallKey) + "\\" + productCode, view,
                    found);
        AddRegistry(HKEY_CURRENT_USER, "", std::string(kUninstallKey) + "\\" + productCode, view,
                    found);
    }
    std::map<std::string, std::string> values;
    for (const auto& [key, value] : found) {
        if (key.rfind("value ", 0) != 0) continue;
        const std::string name = key.substr(key.find_last_of('\\') + 1);
        // REG_SZ data as text, without its terminator.
        std::string data = value.substr(value.find(':') + 1);
        if (!data.empty() && data.back() == '\0') data.pop_back();
        values[name] = data;
    }
    return values;
}

// Processes

bool RunsFrom(DWORD processId, const std::string& exe) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return false;
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool ok = QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    return ok && SamePath(path, exe);
}

// The one running process started from `exe`, or an invalid Process.
e2e::Process WaitForProcessOf(const std::string& exe, DWORD timeoutMs) {
    DWORD id = 0;
    e2e::WaitFor(
        [&] {
            for (const e2e::ProcessEntry& entry : e2e::ProcessesNamed("Trellisbourne.exe")) {
                if (RunsFrom(entry.id, exe)) {
                    id = entry.id;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return id ? e2e::OpenProcessById(id) : e2e::Process();
}

// The packages

enum class Scope { PerUser, AllUsers };

struct PackageKind {
    const char* name;
    Scope scope;
    const char* fileSuffix;  // Trellisbourne-<version><suffix>-x64.msi
    bool startupByDefault;
};

void PrintTo(const PackageKind& kind, std::ostream* out) {
    *out << kind.name;
}

const PackageKind kPackages[] = {
    {"PerUser", Scope::PerUser, "", true},
    {"AllUsers", Scope::AllUsers, "-allusers", false},
};

std::string PackagePath(const PackageKind& kind, const std::string& version) {
    return e2e::PathFromEnvironment("TRELLIS_PACKAGES") + "\\Trellisbourne-" + version +
           kind.fileSuffix + "-x64.msi";
}

std::string InstallFolder(const PackageKind& kind) {
    return kind.scope == Scope::PerUser
               ? ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Trellisbourne"
               : ShellFolder(CSIDL_PROGRAM_FILES) + "\\Trellisbourne";
}

// Where the shortcuts go. Wine's installer puts a per-machine package's
// shortcuts in the user's folders, where Windows uses the all-users ones.
std::string ShortcutFolder(const PackageKind& kind, bool startup) {
    const bool common = kind.scope == Scope::AllUsers && !RunningUnderWine();
    if (startup) return ShellFolder(common ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP);
    return ShellFolder(common ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
}

std::string StartMenuShortcut(const PackageKind& kind) {
    return ShortcutFolder(kind, false) + "\\Trellisbourne.lnk";
}

std::string StartupShortcut(const PackageKind& kind) {
    return ShortcutFolder(kind, true) + "\\Trellisbourne.lnk";
}

HKEY RegistryRoot(const PackageKind& kind) {
    return kind.scope == Scope::PerUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::string RegistryText(HKEY root, const char* key, const char* name) {
    char data[MAX_PATH] = {};
    DWORD size = sizeof data;
    return RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, data, &size) == ERROR_SUCCESS
               ? data
               : "";
}

// On Windows every Startup folder holds a hidden desktop.ini (its localised
// name), so it is never empty; in a fresh Wine prefix it is, and Wine's
// installer then removes the emptied folder on uninstall, where Windows
// removes only folders it made. Set the scene as on Windows.
void GiveStartupFolderItsDesktopIni() {
    for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
        const std::string ini = ShellFolder(csidl) + "\\desktop.ini";
        if (!FolderExists(ShellFolder(csidl)) || e2e::FileExists(ini)) continue;
        e2e::WriteFileText(ini,
                           "\r\n[.ShellClassInfo]\r\nLocalizedResourceName=@%SystemRoot%"
                           "\\system32\\shell32.dll,-21787\r\n");
        SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }
}

class InstallTest : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

    void SetUp() override {
        version_ = Environment("TRELLIS_VERSION");
        nextVersion_ = Environment("TRELLIS_NEXT_VERSION");
        ASSERT_FALSE(version_.empty());
        ASSERT_FALSE(nextVersion_.empty());
        // A list that keeps a launcher waiting: one program, due in 300 s.
        e2e::AppRecord record;
        record.path = "C:\\Tools\\Not Started.exe";
        record.delay = 300;
        ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({e2e::KeptByDayOfWeek(record)})));
        list_ = e2e::ReadFileText(e2e::ConfigPath());
        GiveStartupFolderItsDesktopIni();
        clean_ = TakeSnapshot();
    }

    void TearDown() override {
        e2e::TerminateProcessesNamed("Trellisbourne.exe");
        for (const PackageKind& kind : kPackages) {
            for (const std::string& version : {version_, nextVersion_}) {
                const std::string code = PackageProperty(PackagePath(kind, version), "ProductCode");
                if (!code.empty() && ProductInstalled(code)) RunMsiexec("/x " + code + " /qn");
            }
        }
    }

    // Installs silently; `properties` are extra NAME=VALUE arguments.
    void Install(const PackageKind& kind, const std::string& version,
                 const std::string& properties = "") {
        const std::string package = PackagePath(kind, version);
        ASSERT_TRUE(e2e::FileExists(package)) << package;
        ASSERT_EQ(RunMsiexec("/i \"" + package + "\" " + properties + " /qn"), 0u) << package;
    }

    void Uninstall(const PackageKind& kind, const std::string& version) {
        ASSERT_EQ(RunMsiexec("/x \"" + PackagePath(kind, version) + "\" /qn"), 0u);
    }

    void ExpectNoTrace() {
        EXPECT_EQ(Differences(clean_, TakeSnapshot()), "");
        EXPECT_EQ(e2e::ReadFileText(e2e::ConfigPath()), list_) << "the list file changed";
    }

    void ExpectShortcut(const std::string& path, const PackageKind& kind,
                        const std::string& arguments) {
        const Shortcut shortcut = ReadShortcut(path);
        ASSERT_TRUE(shortcut.loaded) << path;
        EXPECT_TRUE(SamePath(shortcut.target, InstallFolder(kind) + "\\Trellisbourne.exe"))
            << shortcut.target;
        EXPECT_EQ(shortcut.arguments, arguments) << path;
        EXPECT_TRUE(SamePath(shortcut.workingDirectory, InstallFolder(kind)))
            << shortcut.workingDirectory;
    }

    std::string version_;
    std::string nextVersion_;
    std::string list_;
    Snapshot clean_;
};

class EachPackage : public InstallTest, public testing::WithParamInterface<PackageKind> {};

TEST_P(EachPackage, InstallsSilentlyAndUninstallsWithoutATrace) {
    const PackageKind& kind = GetParam();
    const std::string code = PackageProperty(PackagePath(kind, version_), "ProductCode");
    ASSERT_FALSE(code.empty());
    Install(kind, version_);

    for (const std::string& file : kInstalledFiles) {
        EXPECT_TRUE(e2e::FileExists(InstallFolder(kind) + "\\" + file)) << file;
    }
    const FileVersion fileVersion = ReadFileVersion(InstallFolder(kind) + "\\Trellisbourne.exe");
    EXPECT_EQ(fileVersion.fixed, version_ + ".0");
    EXPECT_EQ(fileVersion.productName, "Trellisbourne");
    ExpectShortcut(StartMenuShortcut(kind), kind, "");
    EXPECT_EQ(e2e::FileExists(StartupShortcut(kind)), kind.startupByDefault);
    EXPECT_TRUE(SamePath(RegistryText(RegistryRoot(kind), "Software\\Trellisbourne", "Program"),
                         InstallFolder(kind)));

    EXPECT_TRUE(ProductInstalled(code));
    std::map<std::string, std::string> entry = UninstallEntry(code);
    EXPECT_EQ(entry["DisplayName"], "Trellisbourne");
    EXPECT_EQ(entry["DisplayVersion"], version_);
    // Add/Remove Programs shows the icon the installer keeps for the product.
    char icon[MAX_PATH] = {};
    DWORD iconSize = sizeof icon;
    EXPECT_EQ(MsiGetProductInfoA(code.c_str(), INSTALLPROPERTY_PRODUCTICON, icon, &iconSize),
              static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_TRUE(e2e::FileExists(icon)) << "no product icon: " << icon;
    // A silent install starts nothing.
    EXPECT_TRUE(e2e::ProcessesNamed("Trellisbourne.exe").empty());

    Uninstall(kind, version_);
    EXPECT_FALSE(ProductInstalled(code));
    ExpectNoTrace();
}

TEST_P(EachPackage, StartupShortcutIsAFeatureThatCanBeChosen) {
    const PackageKind& kind = GetParam();
    // The feature's opposite of its default.
    Install(kind, version_, kind.startupByDefault ? "ADDLOCAL=Program" : "ADDLOCAL=ALL");
    EXPECT_TRUE(e2e::FileExists(StartMenuShortcut(kind)));
    if (kind.startupByDefault) {
        EXPECT_FALSE(e2e::FileExists(StartupShortcut(kind)));
    } else {
        ExpectShortcut(StartupShortcut(kind), kind, "start");
    }
    Uninstall(kind, version_);
    ExpectNoTrace();
}

INSTANTIATE_TEST_SUITE_P(Packages, EachPackage, testing::ValuesIn(kPackages),
                         [](const testing::TestParamInfo<PackageKind>& info) {
                             return std::string(info.param.name);
                         });

const PackageKind& PerUser() {
    return kPackages[0];
}

TEST_F(InstallTest, PerUserStartupShortcutStartsALauncherThatUninstallingStops) {
    Install(PerUser(), version_);
    ExpectShortcut(StartupShortcut(PerUser()), PerUser(), "start");
    ASSERT_TRUE(e2e::WaitForShell(10000));

    // As at log-on: the shell opens the Startup folder's shortcut.
    const std::string shortcut = StartupShortcut(PerUser());
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_NO_UI;
    execute.lpFile = shortcut.c_str();
    execute.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExA(&execute));
    const std::string exe = InstallFolder(PerUser()) + "\\Trellisbourne.exe";
    e2e::Process launcher = WaitForProcessOf(exe, 20000);
    ASSERT_TRUE(launcher.Valid());
    const HWND window = e2e::WaitForLauncherWindow(launcher.Id(), 20000);
    ASSERT_NE(window, nullptr) << "the Startup shortcut started no launcher";
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::TrayIconPresent(window); }, 15000));
    EXPECT_EQ(e2e::CommandTail(e2e::ProcessCommandLine(launcher.Id())), "start");

    // The launcher waits 300 s for its program; uninstalling stops it first,
    // so its file can go too.
    Uninstall(PerUser(), version_);
    ASSERT_TRUE(launcher.WaitExit(5000)) << "the launcher still runs after uninstalling";
    EXPECT_EQ(launcher.ExitCode(), 0u);
    EXPECT_EQ(e2e::TrayIconWindowCount(), 0);
    ExpectNoTrace();
}

TEST_F(InstallTest, PerUserNewerReplacesOlderStoppingItsLauncherAndOlderIsRefused) {
    const std::string oldCode = PackageProperty(PackagePath(PerUser(), version_), "ProductCode");
    const std::string newCode =
        PackageProperty(PackagePath(PerUser(), nextVersion_), "ProductCode");
    ASSERT_NE(oldCode, newCode);
    Install(PerUser(), version_);
    // A launcher waits while the newer version is installed: the older
    // version's removal stops it, so its program file can be replaced.
    ASSERT_TRUE(e2e::WaitForShell(10000));
    e2e::Process launcher =
        e2e::StartProcess(InstallFolder(PerUser()) + "\\Trellisbourne.exe", "start");
    ASSERT_NE(e2e::WaitForLauncherWindow(launcher.Id(), 20000), nullptr);
    Install(PerUser(), nextVersion_);
    ASSERT_TRUE(launcher.WaitExit(5000)) << "the launcher still runs after the upgrade";
    EXPECT_EQ(launcher.ExitCode(), 0u);
    EXPECT_FALSE(ProductInstalled(oldCode));
    EXPECT_TRUE(ProductInstalled(newCode));
    EXPECT_EQ(InstalledVersion(newCode), nextVersion_);
    EXPECT_TRUE(UninstallEntry(oldCode).empty());
    EXPECT_EQ(UninstallEntry(newCode)["DisplayVersion"], nextVersion_);
    for (const std::string& file : kInstalledFiles) {
        EXPECT_TRUE(e2e::FileExists(InstallFolder(PerUser()) + "\\" + file)) << file;
    }
    ExpectShortcut(StartMenuShortcut(PerUser()), PerUser(), "");
    ExpectShortcut(StartupShortcut(PerUser()), PerUser(), "start");

    // Silently: refused, and nothing changes.
    const Snapshot upgraded = TakeSnapshot();
    EXPECT_EQ(RunMsiexec("/i \"" + PackagePath(PerUser(), version_) + "\" /qn"), kInstallFailure);
    EXPECT_EQ(Differences(upgraded, TakeSnapshot()), "");

    // Interactively: refused with a message that says what to do.
    e2e::Process msiexec = e2e::StartProcess(e2e::WindowsDirectory() + "\\system32\\msiexec.exe",
                                             "/i \"" + PackagePath(PerUser(), version_) + "\"");
    ASSERT_TRUE(msiexec.Valid());
    HWND box = nullptr;
    ASSERT_TRUE(e2e::WaitFor(
        [&] {
            for (HWND window : e2e::FindTopLevelWindows({"#32770", "", msiexec.Id(), true})) {
                if (e2e::MessageBoxText(window).find(kDowngradeMessage) != std::string::npos) {
                    box = window;
                    return true;
                }
            }
            return false;
        },
        30000))
        << "no message about the newer version";
    EXPECT_NE(e2e::MessageBoxText(box).find("uninstall the newer one first"), std::string::npos);
    ASSERT_TRUE(e2e::PressMessageBoxOk(box));
    ASSERT_TRUE(msiexec.WaitExit(kMsiexecTimeoutMs));
    EXPECT_EQ(msiexec.ExitCode(), kInstallFailure);
    EXPECT_EQ(Differences(upgraded, TakeSnapshot()), "");

    Uninstall(PerUser(), nextVersion_);
    ExpectNoTrace();
}

TEST_F(InstallTest, PerUserInteractiveInstallOpensTheEditor) {
    const std::string package = PackagePath(PerUser(), version_);
    ASSERT_EQ(RunMsiexec("/i \"" + package + "\""), 0u);
    e2e::Process editor = WaitForProcessOf(InstallFolder(PerUser()) + "\\Trellisbourne.exe", 20000);
    ASSERT_TRUE(editor.Valid()) << "no editor after an interactive install";
    EXPECT_EQ(e2e::CommandTail(e2e::ProcessCommandLine(editor.Id())), "");
    const HWND frame =
        e2e::WaitForTopLevelWindow({"", e2e::kEditorTitle, editor.Id(), true}, 20000);
    ASSERT_NE(frame, nullptr);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(editor.WaitExit(10000));
    Uninstall(PerUser(), version_);
    ExpectNoTrace();
}

}  // namespace
