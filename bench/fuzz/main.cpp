// A seeded mutation loop over the engine's open-and-read path: each run
// changes a few bytes of the small family (bit flips, header and link
// fields set to 0, -1, the 32-bit limits or beyond the file, cuts), then
// opens, reads, edits and reopens it in a child process with a time and
// memory limit. A child that crashes, aborts (a broken promise, see
// FuzzCase.h), runs out of memory or out of time is a finding: its input is
// saved in the output folder.
//
//   engine_fuzz [--seconds N] [--seed S] [--out DIR] [--timeout S] [--memory MB]
//   engine_fuzz --replay FILE      runs one saved input in this process
//   engine_fuzz --write-seed FILE  writes the seed family (a libFuzzer corpus)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "FileLayout.h"
#include "FuzzCase.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Options {
  double seconds = 60;
  std::uint64_t seed = 1;
  std::string out = "fuzz-findings";
  unsigned timeout = 5;
  long memoryMb = 1024;
};

// Where damage does the most harm is where the engine reads counts and
// links: the header, the DBMap mirror, group 0's type map and the DBMap
// block; the rest of the file holds the records and their link fields.
std::size_t PickOffset(std::mt19937_64& rng, std::size_t size) {
  struct Region {
    std::size_t from, to;
    int weight;
  };
  const std::size_t groupMap = orv::kBlocksOffset;
  const Region regions[] = {
      {0, orv::kHeaderSize, 40},
      {orv::kMirrorOffset, orv::kMirrorOffset + 400, 5},
      {groupMap, groupMap + 64, 15},
      {groupMap + orv::kBlockSize, groupMap + orv::kBlockSize + 400, 10},
      {groupMap + 2 * orv::kBlockSize, size, 30},
  };
  int total = 0;
  for (const Region& r : regions) total += r.weight;
  int pick = static_cast<int>(rng() % static_cast<unsigned>(total));
  for (const Region& r : regions) {
    if (pick < r.weight && r.from < size) return r.from + rng() % (std::min(r.to, size) - r.from);
    pick -= r.weight;
  }
  return rng() % size;
}

void Mutate(Bytes& b, std::mt19937_64& rng) {
  if (b.empty()) return;
  const std::int64_t size = static_cast<std::int64_t>(b.size());
  const std::int64_t interesting[] = {0,
                                      -1,
                                      1,
                                      std::numeric_limits<std::int32_t>::max(),
                                      std::numeric_limits<std::int32_t>::min(),
                                      0x40000000,
                                      size / orv::kBlockSize + 1,
                                      size,
                                      orv::kGroupBytes,
                                      static_cast<std::int64_t>(rng() % 70000)};
  const int op = static_cast<int>(rng() % 100);
  if (op < 40) {
    const std::size_t at = PickOffset(rng, b.size());
    b[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
  } else if (op < 75) {
    const std::size_t at = PickOffset(rng, b.size());
    if (at + 4 > b.size()) return;
    const std::int64_t v = interesting[rng() % std::size(interesting)];
    orv::PutI32(b.data() + at, static_cast<std::int32_t>(v));
  } else if (op < 85) {
    const std::size_t at = PickOffset(rng, b.size());
    if (at + 2 > b.size()) return;
    const std::int16_t v[] = {0, -1, 1, 32767, -32768, 8191, 8192};
    orv::PutI16(b.data() + at, v[rng() % std::size(v)]);
  } else if (op < 92) {
    b[PickOffset(rng, b.size())] = static_cast<std::uint8_t>(rng());
  } else {
    // A cut: at a block boundary, inside a block, or inside the header.
    const int kind = static_cast<int>(rng() % 3);
    std::size_t to = 0;
    if (kind == 0)
      to = orv::kBlocksOffset + orv::kBlockSize * (rng() % (b.size() / orv::kBlockSize + 1));
    else if (kind == 1)
      to = rng() % b.size();
    else
      to = rng() % orv::kBlocksOffset;
    if (to < b.size()) b.resize(to);
  }
}

bool WriteFile(const std::string& path, const Bytes& b) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(out);
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Runs one case in a child; "" when it passed, else the kind of finding.
std::string RunChild(const Bytes& input, const Options& o) {
  const pid_t pid = fork();
  if (pid < 0) return "fork failed";
  if (pid == 0) {
    rlimit mem{};
    mem.rlim_cur = mem.rlim_max = static_cast<rlim_t>(o.memoryMb) << 20;
    setrlimit(RLIMIT_AS, &mem);
    alarm(o.timeout);
    fuzz::RunCase(input.data(), input.size());
    std::fflush(nullptr);
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status))
    return WEXITSTATUS(status) == 0 ? "" : "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) {
    const int sig = WTERMSIG(status);
    if (sig == SIGALRM) return "timeout";
    if (sig == SIGABRT) return "abort";
    return std::string("signal ") + strsignal(sig);
  }
  return "unknown";
}

int Loop(const Options& o) {
  std::filesystem::create_directories(o.out);
  const Bytes seed = fuzz::SeedFamily();
  std::mt19937_64 rng(o.seed);
  std::map<std::string, long> findings;
  long runs = 0, saved = 0;
  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  double nextReport = 60;
  while (elapsed() < o.seconds) {
    Bytes input = seed;
    const int mutations = 1 + static_cast<int>(rng() % 4 == 0 ? rng() % 4 : 0);
    for (int i = 0; i < mutations; ++i) Mutate(input, rng);
    const std::string kind = RunChild(input, o);
    ++runs;
    if (!kind.empty()) {
      ++findings[kind];
      if (saved < 200) {
        const std::string name = o.out + "/case-" + std::to_string(runs) + ".orv";
        WriteFile(name, input);
        std::printf("run %ld: %s (%s)\n", runs, kind.c_str(), name.c_str());
        ++saved;
      }
    }
    if (elapsed() > nextReport) {
      std::printf("%.0f s: %ld runs, %zu kinds of finding\n", elapsed(), runs, findings.size());
      std::fflush(stdout);
      nextReport += 60;
    }
  }
  std::printf("seed %" PRIu64 ": %ld runs in %.0f s\n", o.seed, runs, elapsed());
  for (const auto& [kind, count] : findings) std::printf("  %s: %ld\n", kind.c_str(), count);
  if (findings.empty()) std::printf("  no findings\n");
  return findings.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--replay" && next) {
      const Bytes b = ReadFile(next);
      fuzz::RunCase(b.data(), b.size());
      std::printf("passed\n");
      return 0;
    }
    if (a == "--write-seed" && next) return WriteFile(next, fuzz::SeedFamily()) ? 0 : 1;
    if (!next) break;
    if (a == "--seconds")
      o.seconds = std::atof(next);
    else if (a == "--seed")
      o.seed = std::strtoull(next, nullptr, 10);
    else if (a == "--out")
      o.out = next;
    else if (a == "--timeout")
      o.timeout = static_cast<unsigned>(std::atoi(next));
    else if (a == "--memory")
      o.memoryMb = std::atol(next);
    else {
      std::fprintf(stderr, "unknown option %s\n", a.c_str());
      return 2;
    }
    ++i;
  }
  return Loop(o);
}
