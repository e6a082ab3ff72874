// Keeps one core busy for the given seconds (default 10): tools/measure-shell
// checks with it that its CPU reading shows about 100 % for such a program.

#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10;
  const DWORD start = GetTickCount();
  volatile unsigned long long spins = 0;
  while (GetTickCount() - start < seconds * 1000) spins = spins + 1;
  return 0;
}
