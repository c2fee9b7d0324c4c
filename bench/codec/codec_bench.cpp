// Measures the codec against zlib's Huffman-only deflate and its inflate on a corpus of definition lines.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "codec/crypto_graphy.h"

namespace {

std::string BuildCorpus(size_t minimumBytes) {
  const char* words[] = {"Adware", "Spy",  "Toolbar", "Search", "Helper", "Bar",    "Hunter",  "Cash",
                         "Back",   "Door", "Dialer",  "Web",    "Net",    "Bonzi",  "Clicker", "Media",
                         "Track",  "Win",  "Saver",   "Hotbar", "Gator",  "Offers", "Keylog",  "Agent"};
  const char* roots[] = {"programfilesdir+", "windir+", "systemdir+", "commonfilesdir+", "userprofile+"};
  const char* extensions[] = {".exe", ".dll", ".ocx", ".ini", ".dat"};
  std::mt19937 random(2004);
  auto word = [&] { return std::string(words[random() % std::size(words)]); };
  std::string corpus;
  while (corpus.size() < minimumBytes) {
    std::string name = word() + word();
    if (random() % 2 == 0) name += " " + word();
    if (random() % 3 == 0) name += " " + std::to_string(random() % 100);
    std::string file = word() + std::to_string(random() % 10) + extensions[random() % std::size(extensions)];
    corpus +=
        "\"" + name + "\",\"" + roots[random() % std::size(roots)] + "\\" + word() + "\\" + file + "\"\r\n";
  }
  return corpus;
}

double BestSeconds(int repetitions, const std::function<void()>& body) {
  double best = 1e30;
  for (int i = 0; i < repetitions; ++i) {
    auto start = std::chrono::steady_clock::now();
    body();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

}  // namespace

int main() {
  const int kRepetitions = 5;
  const std::string corpus = BuildCorpus(12 * 1024 * 1024);
  const double megabytes = static_cast<double>(corpus.size()) / (1024.0 * 1024.0);

  std::string encoded;
  std::string decoded;
  double codecEncode = BestSeconds(kRepetitions, [&] {
    veltrane::clsCryptoGraphy codec;
    codec.Compress(corpus, encoded);
  });
  double codecDecode = BestSeconds(kRepetitions, [&] {
    veltrane::clsCryptoGraphy codec;
    codec.Decompress(encoded, decoded);
  });
  if (decoded != corpus) {
    std::fprintf(stderr, "codec round trip failed\n");
    return 1;
  }

  std::string deflated(compressBound(corpus.size()), '\0');
  uLongf deflatedSize = 0;
  double zlibEncode = BestSeconds(kRepetitions, [&] {
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_HUFFMAN_ONLY);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(corpus.data()));
    stream.avail_in = static_cast<uInt>(corpus.size());
    stream.next_out = reinterpret_cast<Bytef*>(deflated.data());
    stream.avail_out = static_cast<uInt>(deflated.size());
    deflate(&stream, Z_FINISH);
    deflatedSize = stream.total_out;
    deflateEnd(&stream);
  });
  std::string inflated(corpus.size(), '\0');
  double zlibDecode = BestSeconds(kRepetitions, [&] {
    z_stream stream{};
    inflateInit2(&stream, 15);
    stream.next_in = reinterpret_cast<Bytef*>(deflated.data());
    stream.avail_in = static_cast<uInt>(deflatedSize);
    stream.next_out = reinterpret_cast<Bytef*>(inflated.data());
    stream.avail_out = static_cast<uInt>(inflated.size());
    inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
  });
  if (inflated != corpus) {
    std::fprintf(stderr, "zlib round trip failed\n");
    return 1;
  }

  std::printf("corpus: %.1f MB of definition lines, best of %d runs\n", megabytes, kRepetitions);
  std::printf("codec encode: %8.1f MB/s  (%.1f%% of the source)\n", megabytes / codecEncode,
              100.0 * static_cast<double>(encoded.size()) / static_cast<double>(corpus.size()));
  std::printf("codec decode: %8.1f MB/s\n", megabytes / codecDecode);
  std::printf("zlib  encode: %8.1f MB/s  (%.1f%% of the source, Z_HUFFMAN_ONLY)\n", megabytes / zlibEncode,
              100.0 * static_cast<double>(deflatedSize) / static_cast<double>(corpus.size()));
  std::printf("zlib  decode: %8.1f MB/s\n", megabytes / zlibDecode);
  std::printf("ratio codec/zlib: encode %.2fx, decode %.2fx\n", zlibEncode / codecEncode,
              zlibDecode / codecDecode);
  return 0;
}
