// Preloaded into the game by the end-to-end tests: the game seeds its random
// generator from the clock, and this replaces that seed with the one in
// TUMBLENOOK_TEST_SEED (1 when unset), so that every run draws alike.

#include <dlfcn.h>
#include <stdlib.h>

extern "C" void srand(unsigned int /*clock_seed*/) noexcept {
  using Srand = void (*)(unsigned int);
  static const Srand real_srand =
      reinterpret_cast<Srand>(dlsym(RTLD_NEXT, "srand"));
  const char* seed = getenv("TUMBLENOOK_TEST_SEED");
  real_srand(seed != nullptr ? strtoul(seed, nullptr, 10) : 1);
}
