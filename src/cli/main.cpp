#include <cstdio>

int main() {
  std::puts("tamsel-cli: nothing to run yet");
  return 0;
}
