// Whole processes, file to file: the codec's encode and decode against zlib's Huffman-only deflate and its
// inflate, by CPU time (user + system) and peak memory, for a 10 MB and a 100 MB file of definition lines.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr size_t kBuffer = size_t{256} * 1024;
constexpr int kRuns = 5;

// Writes definition lines to path until it holds at least bytes bytes.
int WriteCorpus(const char* path, size_t bytes) {
  const char* words[] = {"Adware", "Spy",  "Toolbar", "Search", "Helper", "Bar",    "Hunter",  "Cash",
                         "Back",   "Door", "Dialer",  "Web",    "Net",    "Bonzi",  "Clicker", "Media",
                         "Track",  "Win",  "Saver",   "Hotbar", "Gator",  "Offers", "Keylog",  "Agent"};
  const char* roots[] = {"programfilesdir+", "windir+", "systemdir+", "commonfilesdir+", "userprofile+"};
  const char* extensions[] = {".exe", ".dll", ".ocx", ".ini", ".dat"};
  std::mt19937 random(2004);
  auto word = [&] { return std::string(words[random() % std::size(words)]); };
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return 1;
  size_t written = 0;
  while (written < bytes) {
    std::string name = word() + word();
    if (random() % 2 == 0) name += " " + word();
    if (random() % 3 == 0) name += " " + std::to_string(random() % 100);
    std::string file = word() + std::to_string(random() % 10) + extensions[random() % std::size(extensions)];
    std::string line =
        "\"" + name + "\",\"" + roots[random() % std::size(roots)] + "\\" + word() + "\\" + file + "\"\r\n";
    written += std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}

// zlib, streamed through fixed buffers as the codec is: deflate with Z_HUFFMAN_ONLY, or inflate.
int Zlib(bool encode, const char* source, const char* target) {
  int in = open(source, O_RDONLY);
  int out = open(target, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0) return 1;
  std::vector<unsigned char> input(kBuffer);
  std::vector<unsigned char> output(kBuffer);
  z_stream stream{};
  if (encode ? deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_HUFFMAN_ONLY)
             : inflateInit2(&stream, 15)) {
    return 1;
  }
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    ssize_t count = read(in, input.data(), input.size());
    if (count < 0) return 1;
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(count);
    do {
      stream.next_out = output.data();
      stream.avail_out = static_cast<uInt>(output.size());
      result = encode ? deflate(&stream, count == 0 ? Z_FINISH : Z_NO_FLUSH) : inflate(&stream, Z_NO_FLUSH);
      if (result == Z_STREAM_ERROR || result == Z_DATA_ERROR || result == Z_MEM_ERROR) return 1;
      size_t made = output.size() - stream.avail_out;
      if (write(out, output.data(), made) != static_cast<ssize_t>(made)) return 1;
    } while (stream.avail_out == 0);
    if (count == 0 && result != Z_STREAM_END) return 1;
  }
  encode ? deflateEnd(&stream) : inflateEnd(&stream);
  return close(out) == 0 ? 0 : 1;
}

struct Usage {
  double cpuSeconds = 0;
  double peakMegabytes = 0;
};

// Runs a program to its end; its CPU time and peak resident memory, or a negative time on a failure.
Usage Run(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {-1, 0};
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {-1, 0};
  auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
  return {seconds(usage.ru_utime) + seconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

bool SameFiles(const fs::path& a, const fs::path& b) {
  std::FILE* first = std::fopen(a.c_str(), "rb");
  std::FILE* second = std::fopen(b.c_str(), "rb");
  bool same = first != nullptr && second != nullptr;
  std::vector<char> x(65536);
  std::vector<char> y(65536);
  while (same) {
    size_t n = std::fread(x.data(), 1, x.size(), first);
    same = std::fread(y.data(), 1, y.size(), second) == n && std::memcmp(x.data(), y.data(), n) == 0;
    if (n == 0) break;
  }
  if (first != nullptr) std::fclose(first);
  if (second != nullptr) std::fclose(second);
  return same;
}

struct Contender {
  std::string name;
  std::vector<std::string> encode;  // program and leading arguments; source and target follow
  std::vector<std::string> decode;
  Usage encoded{1e30, 0};
  Usage decoded{1e30, 0};
};

// Keeps the least CPU time of the runs, and the peak memory of the largest run.
void Keep(Usage& best, const Usage& run) {
  best.cpuSeconds = std::min(best.cpuSeconds, run.cpuSeconds);
  best.peakMegabytes = std::max(best.peakMegabytes, run.peakMegabytes);
}

std::vector<std::string> With(std::vector<std::string> command, const fs::path& source,
                              const fs::path& target) {
  command.push_back(source.string());
  command.push_back(target.string());
  return command;
}

}  // namespace

int main(int argc, char** argv) {
  // The parent stays small, since a child's peak memory counts the parent's at the moment it was started.
  const std::string self = fs::canonical("/proc/self/exe").string();
  if (argc == 4 && std::strcmp(argv[1], "corpus") == 0) return WriteCorpus(argv[2], std::stoull(argv[3]));
  if (argc == 4 && std::strcmp(argv[1], "zlib-encode") == 0) return Zlib(true, argv[2], argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "zlib-decode") == 0) return Zlib(false, argv[2], argv[3]);

  // Codec tools to compare (veltrane-codec of this build by default; others, such as an earlier build's,
  // may be named on the command line).
  std::vector<std::string> tools;
  for (int i = 1; i < argc; ++i) tools.push_back(fs::canonical(argv[i]).string());
  if (tools.empty()) tools.push_back(VELTRANE_CODEC_TOOL);

  const fs::path folder = fs::temp_directory_path() / ("veltrane-codec-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::printf(
      "CPU time (user + system) of whole processes, file to file, least of %d runs; peak = ru_maxrss\n",
      kRuns);
  std::vector<Usage> peaks[2];
  int failures = 0;
  for (size_t megabytes : {10, 100}) {
    const fs::path plain = folder / "plain";
    if (Run({self, "corpus", plain.string(), std::to_string(megabytes << 20)}).cpuSeconds < 0) return 1;
    std::vector<Contender> contenders;
    contenders.push_back({"zlib", {self, "zlib-encode"}, {self, "zlib-decode"}});
    for (size_t i = 0; i < tools.size(); ++i) {
      contenders.push_back({"codec " + std::to_string(i + 1), {tools[i], "encode"}, {tools[i], "decode"}});
    }
    for (int run = 0; run < kRuns; ++run) {
      // Side by side, in turn, so that every contender meets the same load of the machine.
      for (size_t i = 0; i < contenders.size(); ++i) {
        Contender& contender = contenders[i];
        const fs::path packed = folder / ("packed" + std::to_string(i));
        const fs::path unpacked = folder / ("unpacked" + std::to_string(i));
        // No process pays for freeing an earlier target (an overwrite or a replacement), which on this
        // kind of machine costs more than the work and varies with what else runs.
        fs::remove(packed);
        Usage encode = Run(With(contender.encode, plain, packed));
        fs::remove(unpacked);
        Usage decode = Run(With(contender.decode, packed, unpacked));
        if (encode.cpuSeconds < 0 || decode.cpuSeconds < 0 || !SameFiles(plain, unpacked)) {
          std::printf("%s: round trip failed\n", contender.name.c_str());
          ++failures;
        }
        if (i > 1 && !SameFiles(folder / "packed1", packed)) {
          std::printf("%s: encoded bytes differ from codec 1's\n", contender.name.c_str());
          ++failures;
        }
        Keep(contender.encoded, encode);
        Keep(contender.decoded, decode);
      }
    }
    const double size = static_cast<double>(fs::file_size(plain));
    std::printf("\n%zu MB file (%.0f bytes); encoded: zlib %.1f%%, codec %.1f%%\n", megabytes, size,
                100.0 * static_cast<double>(fs::file_size(folder / "packed0")) / size,
                100.0 * static_cast<double>(fs::file_size(folder / "packed1")) / size);
    std::printf("  %-8s %12s %10s %12s %10s %14s %14s\n", "", "encode CPU", "peak", "decode CPU", "peak",
                "encode ratio", "decode ratio");
    const Contender& zlib = contenders[0];
    for (const Contender& contender : contenders) {
      std::printf("  %-8s %10.3f s %7.1f MB %10.3f s %7.1f MB %13.2fx %13.2fx\n", contender.name.c_str(),
                  contender.encoded.cpuSeconds, contender.encoded.peakMegabytes, contender.decoded.cpuSeconds,
                  contender.decoded.peakMegabytes, zlib.encoded.cpuSeconds / contender.encoded.cpuSeconds,
                  zlib.decoded.cpuSeconds / contender.decoded.cpuSeconds);
      peaks[megabytes == 10 ? 0 : 1].push_back(contender.encoded);
      peaks[megabytes == 10 ? 0 : 1].push_back(contender.decoded);
    }
  }
  std::printf("\npeak memory, 100 MB file / 10 MB file (encode, decode):\n");
  for (size_t i = 0; i < peaks[0].size() / 2; ++i) {
    std::printf("  %-8s %.2fx, %.2fx\n", i == 0 ? "zlib" : ("codec " + std::to_string(i)).c_str(),
                peaks[1][2 * i].peakMegabytes / peaks[0][2 * i].peakMegabytes,
                peaks[1][2 * i + 1].peakMegabytes / peaks[0][2 * i + 1].peakMegabytes);
  }
  for (size_t i = 0; i < tools.size(); ++i) std::printf("codec %zu: %s\n", i + 1, tools[i].c_str());
  rusage self_usage{};
  getrusage(RUSAGE_SELF, &self_usage);
  std::printf("this program's own peak, which every child's peak includes: %.1f MB\n",
              static_cast<double>(self_usage.ru_maxrss) / 1024.0);
  fs::remove_all(folder);
  return failures == 0 ? 0 : 1;
}
