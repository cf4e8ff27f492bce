// Runs a program many times and reports its wall time, CPU time and peak
// resident memory, measured by the kernel for each run.
//
//   spawn [-b BOOK] RUNS FOLDER TEMPLATE INPUT PROGRAM [ARGUMENT...]
//
// Before each run FOLDER/mirl.dat is replaced by a copy of TEMPLATE, and with
// -b FOLDER/book.txt by a copy of BOOK (outside the timed span), so every run
// starts from the same garden and the same gardener's book. The program runs
// in FOLDER with INPUT as standard input and standard output thrown away.
//
// The peak resident size that the kernel reports for a child also counts
// what the child held before exec, a copy of this driver, so the driver keeps
// itself small: no iostreams and no heap. Run it on /bin/true to see that
// floor.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int kMaxRuns = 10000;
constexpr double kNanosPerMilli = 1e6;
constexpr double kMicrosPerMilli = 1e3;
constexpr double kMillisPerSecond = 1e3;
constexpr double kKibPerMib = 1024.0;

double wallMs[kMaxRuns];
double cpuMs[kMaxRuns];
double peakMib[kMaxRuns];

[[noreturn]] void die(const char* what) {
  std::perror(what);
  std::exit(EXIT_FAILURE);
}

void copyFile(const char* from, const char* to) {
  const int in = open(from, O_RDONLY);
  const int out = open(to, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0) die("copy");
  char buffer[1 << 16];
  ssize_t got;
  while ((got = read(in, buffer, sizeof buffer)) > 0) {
    if (write(out, buffer, got) != got) die("copy");
  }
  close(in);
  close(out);
}

double millis(const timeval& t) {
  return t.tv_sec * kMillisPerSecond + t.tv_usec / kMicrosPerMilli;
}

double nowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * kMillisPerSecond + t.tv_nsec / kNanosPerMilli;
}

// One run: returns its wall time and fills in CPU time and peak memory.
// `command` is the program and its arguments, ending with a null.
double runOnce(const char* folder, const char* input, char** command,
               double& cpu, double& peak) {
  const double start = nowMs();
  const pid_t child = fork();
  if (child < 0) die("fork");
  if (child == 0) {
    const int in = open(input, O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0 || chdir(folder) != 0) _exit(127);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    execv(command[0], command);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) < 0) die("wait4");
  const double wall = nowMs() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "spawn: %s failed (status %d)\n", command[0], status);
    std::exit(EXIT_FAILURE);
  }
  cpu = millis(usage.ru_utime) + millis(usage.ru_stime);
  peak = usage.ru_maxrss / kKibPerMib;
  return wall;
}

double median(double* values, int count) {
  std::sort(values, values + count);
  return values[count / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const char* bookTemplate = nullptr;
  if (argc > 2 && argv[1][0] == '-' && argv[1][1] == 'b' && argv[1][2] == 0) {
    bookTemplate = argv[2];
    argc -= 2;
    argv += 2;
  }
  if (argc < 6) {
    std::fprintf(stderr,
                 "usage: spawn [-b BOOK] RUNS FOLDER TEMPLATE INPUT PROGRAM "
                 "[ARGUMENT...]\n");
    return EXIT_FAILURE;
  }
  const int runs = std::atoi(argv[1]);
  if (runs < 1 || runs > kMaxRuns) die("RUNS");
  char garden[4096];
  char book[4096];
  std::snprintf(garden, sizeof garden, "%s/mirl.dat", argv[2]);
  std::snprintf(book, sizeof book, "%s/book.txt", argv[2]);
  for (int run = 0; run < runs; ++run) {
    copyFile(argv[3], garden);
    if (bookTemplate != nullptr) copyFile(bookTemplate, book);
    wallMs[run] = runOnce(argv[2], argv[4], argv + 5, cpuMs[run], peakMib[run]);
  }
  const double wall = median(wallMs, runs);
  const double wallLow = wallMs[runs / 10], wallHigh = wallMs[runs * 9 / 10];
  const double cpu = median(cpuMs, runs);
  const double cpuHigh = cpuMs[runs * 9 / 10];
  const double peak = median(peakMib, runs), peakMax = peakMib[runs - 1];
  std::printf(
      "runs %d  wall median %.3f ms (p10 %.3f, p90 %.3f)  cpu median %.3f ms "
      "(p90 %.3f)  peak rss median %.2f MiB (max %.2f)\n",
      runs, wall, wallLow, wallHigh, cpu, cpuHigh, peak, peakMax);
  return EXIT_SUCCESS;
}
