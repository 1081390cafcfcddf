// Drives the real Kestrune.exe, which must sit beside this program, against
// the registry of the Windows (or Wine) system it runs on: checks the exit
// status and both output streams byte for byte, then reads each value back
// and checks its type, size and bytes. Resets the registry before every case
// and at the end. Prints "N passed, N failed" and exits 1 on any failure.

#include <windows.h>

#include <sddl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kControl[] = "SYSTEM\\CurrentControlSet\\Control";
const char kMemoryManagement[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

const std::string kBanner =
    "\r\n"
    "Kestrune by the Kestrune maintainers (maintainers@kestrune.example)\r\n"
    "Version 1.00, July 15, 1999\r\n"
    "---------------------------\r\n";
const std::string kSuccess = kBanner +
                             "Successfully updated registry settings.\r\n"
                             "Restart your computer for changes to take effect.\r\n";

const char* current_case = "setup";
int case_failures = 0;

void Fail(int line, const std::string& what) {
  ++case_failures;
  std::printf("  FAILED [%s] line %d: %s\n", current_case, line, what.c_str());
}

std::string Visible(const std::string& bytes) {
  std::string shown;
  for (unsigned char c : bytes) {
    char hex[8];
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      shown += hex;
    }
  }
  return "\"" + shown + "\"";
}

#define CHECK(cond)                     \
  do {                                  \
    if (!(cond)) Fail(__LINE__, #cond); \
  } while (0)
#define CHECK_BYTES(actual, expected)                                                       \
  do {                                                                                      \
    if ((actual) != (expected))                                                             \
      Fail(__LINE__, #actual " is " + Visible(actual) + ", expected " + Visible(expected)); \
  } while (0)

// ---- Running the tool ------------------------------------------------------

enum class Stdout { kFile, kDevFull, kBrokenPipe };

struct Run {
  DWORD exit_code = 0xDEADBEEF;
  std::string out;  // empty unless stdout went to a file
  std::string err;
};

std::string KestrunePath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path, length);
  return directory.substr(0, directory.find_last_of("\\/") + 1) + "Kestrune.exe";
}

HANDLE TempFile(SECURITY_ATTRIBUTES* inherit) {
  char directory[MAX_PATH];
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  GetTempFileNameA(directory, "kst", 0, path);
  return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                     nullptr);
}

std::string ReadAll(HANDLE file) {
  std::string bytes;
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

Run RunKestrune(const std::string& args, Stdout stdout_kind = Stdout::kFile) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                          OPEN_EXISTING, 0, nullptr);
  HANDLE err = TempFile(&inherit);
  HANDLE out = INVALID_HANDLE_VALUE;
  switch (stdout_kind) {
    case Stdout::kFile:
      out = TempFile(&inherit);
      break;
    case Stdout::kDevFull:  // every write fails: no space left on device
      out = CreateFileA("Z:\\dev\\full", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        &inherit, OPEN_EXISTING, 0, nullptr);
      break;
    case Stdout::kBrokenPipe: {  // every write fails: the reader is gone
      HANDLE reader = nullptr;
      if (CreatePipe(&reader, &out, &inherit, 0)) CloseHandle(reader);
      break;
    }
  }
  Run run;
  if (in == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE ||
      out == nullptr) {
    Fail(__LINE__, "cannot set up the standard handles");
    return run;
  }

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process = {};
  std::string command_line = "\"" + KestrunePath() + "\"" + (args.empty() ? "" : " " + args);
  if (!CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    Fail(__LINE__, "cannot start " + command_line);
  } else {
    // Generous: under an emulated 32-bit Wine one run takes about a minute.
    if (WaitForSingleObject(process.hProcess, 600000) != WAIT_OBJECT_0) {
      Fail(__LINE__, "Kestrune.exe did not finish within 10 minutes");
      TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, INFINITE);
    }
    GetExitCodeProcess(process.hProcess, &run.exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (stdout_kind == Stdout::kFile) run.out = ReadAll(out);
    run.err = ReadAll(err);
  }
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  return run;
}

// ---- The registry ----------------------------------------------------------

// The test's own registry access always uses the 64-bit view, so that what a
// 32-bit Kestrune.exe writes is read back as 64-bit Windows holds it.
HKEY Open(const char* subkey, REGSAM access) {
  HKEY key = nullptr;
  const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, access | KEY_WOW64_64KEY, &key);
  if (status != ERROR_SUCCESS) {
    Fail(__LINE__, std::string("cannot open ") + subkey + ", error " + std::to_string(status));
    return nullptr;
  }
  return key;
}

void SetValue(const char* subkey, const char* name, DWORD type, const std::vector<BYTE>& data) {
  if (HKEY key = Open(subkey, KEY_SET_VALUE)) {
    CHECK(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())) ==
          ERROR_SUCCESS);
    RegCloseKey(key);
  }
}

// Reads a value back: type, size and bytes as the registry holds them.
void ExpectDword(int line, const char* subkey, const char* name, const std::vector<BYTE>& bytes) {
  HKEY key = Open(subkey, KEY_QUERY_VALUE);
  if (key == nullptr) return;
  DWORD type = 0;
  BYTE data[64] = {};
  DWORD size = sizeof data;
  const LONG status = RegQueryValueExA(key, name, nullptr, &type, data, &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    Fail(line, std::string(name) + " not readable, error " + std::to_string(status));
  } else if (type != REG_DWORD || size != 4 || std::vector<BYTE>(data, data + size) != bytes) {
    Fail(line, std::string(name) + " is type " + std::to_string(type) + ", " +
                   std::to_string(size) + " bytes " + Visible(std::string(data, data + size)) +
                   ", expected a 4-byte REG_DWORD " +
                   Visible(std::string(bytes.begin(), bytes.end())));
  }
}

void ExpectNoValue(int line, const char* subkey, const char* name) {
  HKEY key = Open(subkey, KEY_QUERY_VALUE);
  if (key == nullptr) return;
  const LONG status = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  if (status != ERROR_FILE_NOT_FOUND) Fail(line, std::string(name) + " exists but must not");
}

bool KeyExists(const char* subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// The keys' own access lists, as found at start, put back by every reset.
struct SavedDacl {
  const char* subkey;
  std::vector<BYTE> descriptor;
} saved_dacls[] = {{kControl, {}}, {kMemoryManagement, {}}};

void SaveDacls() {
  for (SavedDacl& saved : saved_dacls) {
    HKEY key = Open(saved.subkey, READ_CONTROL);
    if (key == nullptr) continue;
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    saved.descriptor.resize(size);
    CHECK(RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved.descriptor.data(), &size) ==
          ERROR_SUCCESS);
    RegCloseKey(key);
  }
}

void SetDacl(const char* subkey, PSECURITY_DESCRIPTOR descriptor) {
  if (HKEY key = Open(subkey, WRITE_DAC)) {
    CHECK(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS);
    RegCloseKey(key);
  }
}

// Everyone may read the key and change its access list, nothing more: an
// open for KEY_WRITE is refused.
void DenyWrite(const char* subkey) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD kReadAndWriteDac = KEY_READ | WRITE_DAC;
  const std::string sddl = "D:P(A;;" + std::to_string(kReadAndWriteDac) + ";;;WD)";
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    Fail(__LINE__, "cannot build the security descriptor " + sddl);
    return;
  }
  SetDacl(subkey, descriptor);
  LocalFree(descriptor);
}

void DeleteValue(const char* subkey, const char* name) {
  if (HKEY key = Open(subkey, KEY_SET_VALUE)) {
    const LONG status = RegDeleteValueA(key, name);
    CHECK(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
  }
}

// Both keys present with their own access lists, neither value present.
void ResetRegistry() {
  if (!KeyExists(kMemoryManagement)) {
    HKEY key = nullptr;
    CHECK(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMemoryManagement, 0, nullptr, 0,
                          KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key,
                          nullptr) == ERROR_SUCCESS);
    RegCloseKey(key);
  }
  for (SavedDacl& saved : saved_dacls) SetDacl(saved.subkey, saved.descriptor.data());
  DeleteValue(kControl, "RegistrySizeLimit");
  DeleteValue(kMemoryManagement, "PagedPoolSize");
}

// ---- Cases -----------------------------------------------------------------

const std::vector<BYTE> kAllOnes = {0xFF, 0xFF, 0xFF, 0xFF};
const std::vector<BYTE> kZero = {0x00, 0x00, 0x00, 0x00};

void RunOnceBefore() { CHECK(RunKestrune("").exit_code == 0); }
void ExistingStrings() {
  SetValue(kControl, "RegistrySizeLimit", REG_SZ, {'1', '0', '2', '4', 0});
  SetValue(kMemoryManagement, "PagedPoolSize", REG_SZ, {'0', 0});
}
void ExistingBinaryAndQword() {
  SetValue(kControl, "RegistrySizeLimit", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8});
  SetValue(kMemoryManagement, "PagedPoolSize", REG_QWORD, {8, 7, 6, 5, 4, 3, 2, 1});
}
void ExistingOtherDwords() {
  SetValue(kControl, "RegistrySizeLimit", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
  SetValue(kMemoryManagement, "PagedPoolSize", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF});
}
void DeleteMemoryManagementKey() {
  if (HKEY session_manager =
          Open("SYSTEM\\CurrentControlSet\\Control\\Session Manager", KEY_ALL_ACCESS)) {
    CHECK(RegDeleteTreeA(session_manager, "Memory Management") == ERROR_SUCCESS);
    RegCloseKey(session_manager);
  }
}
void DenyWriteToControl() { DenyWrite(kControl); }
void DenyWriteToMemoryManagement() { DenyWrite(kMemoryManagement); }

enum class Written { kNeither, kFirstOnly, kBoth };

struct Case {
  const char* name;
  void (*arrange)();
  std::string args;
  Stdout stdout_kind;
  DWORD exit_code;
  std::string out;  // checked when stdout is a file
  Written written;
  bool memory_key_exists;
};

const std::string kOpenControlFailed =
    kBanner + "Unable to open key: \r\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\r\n";
const std::string kOpenMemoryManagementFailed =
    kBanner +
    "Unable to open key: \r\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
    "Manager\\Memory Management\r\n";

const Case kCases[] = {
    {"writes both values", nullptr, "", Stdout::kFile, 0, kSuccess, Written::kBoth, true},
    {"a second run writes them again", RunOnceBefore, "", Stdout::kFile, 0, kSuccess,
     Written::kBoth, true},
    {"arguments are ignored: /?", nullptr, "/?", Stdout::kFile, 0, kSuccess, Written::kBoth, true},
    {"arguments are ignored: several, quoted", nullptr, "--help -x \"quoted arg\" C:\\dir\\ %PATH%",
     Stdout::kFile, 0, kSuccess, Written::kBoth, true},
    {"arguments are ignored: a long one", nullptr, std::string(4000, 'a'), Stdout::kFile, 0,
     kSuccess, Written::kBoth, true},
    {"string values are replaced by DWORDs", ExistingStrings, "", Stdout::kFile, 0, kSuccess,
     Written::kBoth, true},
    {"binary and QWORD values are replaced by DWORDs", ExistingBinaryAndQword, "", Stdout::kFile, 0,
     kSuccess, Written::kBoth, true},
    {"other DWORD data is overwritten", ExistingOtherDwords, "", Stdout::kFile, 0, kSuccess,
     Written::kBoth, true},
    {"second key missing", DeleteMemoryManagementKey, "", Stdout::kFile, 1,
     kOpenMemoryManagementFailed, Written::kFirstOnly, false},
    {"no write access to the first key", DenyWriteToControl, "", Stdout::kFile, 1,
     kOpenControlFailed, Written::kNeither, true},
    {"no write access to the second key", DenyWriteToMemoryManagement, "", Stdout::kFile, 1,
     kOpenMemoryManagementFailed, Written::kFirstOnly, true},
    {"stdout on a full device", nullptr, "", Stdout::kDevFull, 0, "", Written::kBoth, true},
    {"stdout on a pipe with no reader", nullptr, "", Stdout::kBrokenPipe, 0, "", Written::kBoth,
     true},
    {"stdout on a full device, second key missing", DeleteMemoryManagementKey, "", Stdout::kDevFull,
     1, "", Written::kFirstOnly, false},
};

void RunCase(const Case& c) {
  ResetRegistry();
  if (c.arrange != nullptr) c.arrange();
  const Run run = RunKestrune(c.args, c.stdout_kind);

  if (run.exit_code != c.exit_code) {
    Fail(__LINE__, "exit status " + std::to_string(run.exit_code) + ", expected " +
                       std::to_string(c.exit_code));
  }
  if (c.stdout_kind == Stdout::kFile) CHECK_BYTES(run.out, c.out);
  CHECK_BYTES(run.err, std::string());

  if (c.written == Written::kNeither) {
    ExpectNoValue(__LINE__, kControl, "RegistrySizeLimit");
  } else {
    ExpectDword(__LINE__, kControl, "RegistrySizeLimit", kAllOnes);
  }
  if (!c.memory_key_exists) {
    if (KeyExists(kMemoryManagement)) Fail(__LINE__, "the missing key was created");
  } else if (c.written == Written::kBoth) {
    ExpectDword(__LINE__, kMemoryManagement, "PagedPoolSize", kZero);
  } else {
    ExpectNoValue(__LINE__, kMemoryManagement, "PagedPoolSize");
  }
}

}  // namespace

int main() {
  SaveDacls();
  int passed = 0;
  int failed = case_failures;  // a failed setup counts as a failure
  for (const Case& c : kCases) {
    current_case = c.name;
    case_failures = 0;
    std::printf("[ RUN      ] %s\n", c.name);
    RunCase(c);
    std::printf(case_failures == 0 ? "[       OK ] %s\n" : "[  FAILED  ] %s\n", c.name);
    (case_failures == 0 ? passed : failed) += 1;
  }
  current_case = "final reset";
  case_failures = 0;
  ResetRegistry();
  failed += case_failures;
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}
