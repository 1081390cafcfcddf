/* The floor for the benchmark: the same six registry calls as Kestrune.exe,
   writing the same bytes, with no C or C++ runtime at all. Exit status 0 when
   both values were written, 1 otherwise; prints nothing. */
#include <windows.h>

static int Write(const char* subkey, const char* name, DWORD data) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return 0;
  const LONG status = RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&data, sizeof data);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void Entry(void) {
  const int ok = Write("SYSTEM\\CurrentControlSet\\Control", "RegistrySizeLimit", 0xFFFFFFFFu) &&
                 Write("SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
                       "PagedPoolSize", 0);
  ExitProcess(ok ? 0 : 1);
}
