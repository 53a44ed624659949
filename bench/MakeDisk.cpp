// Writes a generated product disk: bench_make_disk <folder> <capsules>.
#include <cstdio>
#include <cstdlib>

#include "bench/DiskOnFiles.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <folder> <capsules>\n", argv[0]);
    return 2;
  }
  bench::WriteDisk(argv[1], std::atoi(argv[2]));
  return 0;
}
