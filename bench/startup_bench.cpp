// Starts the program's start window and the bare reference alternately and
// compares them: time from process start to the first paint, peak resident
// memory and, with --callgrind, instructions to the first paint.
//
//   startup_bench [--runs N] [--callgrind] [--callgrind-runs N] [--verbose]
//
// --verbose keeps the windows' own messages on stderr.
//
// Both executables are looked for next to this one. They run on whatever
// display the environment names (QT_QPA_PLATFORM, DISPLAY).
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool quietChildren = true;

struct Run {
    double ms = 0;
    long peakKiB = 0;
};

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Runs argv to its end; returns its stdout and its resource use.
bool runChild(const std::vector<std::string>& args, std::string& out, rusage& use,
              long long& startNs) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    startNs = monotonicNs();
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        if (quietChildren) {
            const int null = open("/dev/null", O_WRONLY);
            if (null >= 0) dup2(null, STDERR_FILENO);
        }
        close(fds[0]);
        close(fds[1]);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    char buf[4096];
    ssize_t n;
    out.clear();
    while ((n = read(fds[0], buf, sizeof buf)) > 0)
        out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    if (wait4(pid, &status, 0, &use) < 0) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool timedRun(const std::string& exe, Run& r) {
    std::string out;
    rusage use{};
    long long start = 0;
    if (!runChild({exe}, out, use, start)) return false;
    const auto at = out.find("first-paint-ns ");
    if (at == std::string::npos) return false;
    const long long painted = std::atoll(out.c_str() + at + 15);
    r.ms = static_cast<double>(painted - start) / 1e6;
    r.peakKiB = use.ru_maxrss;
    return true;
}

// Instructions counted by callgrind over the whole run, which ends at the first paint.
long long callgrindRun(const std::string& exe, const std::string& outFile) {
    std::string out;
    rusage use{};
    long long start = 0;
    if (!runChild(
            {"valgrind", "--tool=callgrind", "--quiet", "--callgrind-out-file=" + outFile, exe},
            out, use, start))
        return -1;
    std::ifstream in(outFile);
    std::string line;
    long long total = -1;
    while (std::getline(in, line)) {
        if (line.rfind("summary:", 0) == 0 || line.rfind("totals:", 0) == 0)
            total = std::atoll(line.c_str() + line.find(':') + 1);
    }
    std::remove(outFile.c_str());
    return total;
}

template <typename T> T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string siblingOf(const char* self, const char* name) {
    std::string dir = self;
    const auto slash = dir.rfind('/');
    dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
    return dir + "/" + name;
}

bool verdict(const char* what, double ratio, double goal) {
    const bool met = ratio <= goal;
    std::printf("  %-22s %.3f x   (goal <= %.1f x: %s)\n", what, ratio, goal,
                met ? "met" : "MISSED");
    return met;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    int cgRuns = 2;
    bool callgrind = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--verbose"))
            quietChildren = false;
        else if (!std::strcmp(argv[i], "--callgrind"))
            callgrind = true;
        else if (!std::strcmp(argv[i], "--callgrind-runs") && i + 1 < argc)
            cgRuns = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr,
                         "usage: %s [--runs N] [--callgrind] [--callgrind-runs N] [--verbose]\n",
                         argv[0]);
            return 2;
        }
    }
    const std::string program = siblingOf(argv[0], "bench_program_start");
    const std::string reference = siblingOf(argv[0], "bench_reference");

    // One unmeasured start each, so both find the same warm file cache.
    Run warm;
    if (!timedRun(program, warm) || !timedRun(reference, warm)) {
        std::fprintf(stderr, "a benchmark window did not start or did not paint\n");
        return 2;
    }

    std::vector<double> pMs, rMs;
    std::vector<long> pKiB, rKiB;
    for (int i = 0; i < runs; ++i) {
        Run p, r;
        if (!timedRun(program, p) || !timedRun(reference, r)) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 2;
        }
        pMs.push_back(p.ms);
        rMs.push_back(r.ms);
        pKiB.push_back(p.peakKiB);
        rKiB.push_back(r.peakKiB);
    }
    const double tP = median(pMs), tR = median(rMs);
    const long mP = median(pKiB), mR = median(rKiB);
    std::printf("%d runs each, medians          program     reference\n", runs);
    std::printf("  time to first paint     %8.1f ms  %8.1f ms\n", tP, tR);
    std::printf("  peak resident memory    %8ld KiB %8ld KiB\n", mP, mR);

    bool met = true;
    long long iP = 0, iR = 0;
    if (callgrind) {
        std::vector<long long> pI, rI;
        const std::string tmp = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
        for (int i = 0; i < cgRuns; ++i) {
            const long long p = callgrindRun(program, tmp + "/startup_bench.program.cg");
            const long long r = callgrindRun(reference, tmp + "/startup_bench.reference.cg");
            if (p < 0 || r < 0) {
                std::fprintf(stderr, "callgrind run failed (is valgrind installed?)\n");
                return 2;
            }
            pI.push_back(p);
            rI.push_back(r);
        }
        iP = median(pI);
        iR = median(rI);
        std::printf("  instructions (callgrind) %11lld %11lld\n", iP, iR);
    }
    std::printf("program / reference\n");
    met &= verdict("time to first paint", tP / tR, 1.3);
    met &= verdict("peak resident memory", static_cast<double>(mP) / static_cast<double>(mR), 1.2);
    if (callgrind)
        met &= verdict("instructions", static_cast<double>(iP) / static_cast<double>(iR), 1.3);
    return met ? 0 : 1;
}
