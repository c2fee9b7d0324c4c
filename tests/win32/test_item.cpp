// A stand-in for a listed program: it runs for the number of seconds given (default 60), then ends.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  ::Sleep(static_cast<DWORD>(seconds) * 1000);
  return 7;
}
