// Benchmarks of the game's hot paths. Every bench_*.cpp registers its own benchmarks.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
	for (int i = 1; i < argc; ++i)
		if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
			std::printf("bench: speed measurements of the game's hot paths.\n"
						"usage: bench [--benchmark_filter=REGEX] [--benchmark_repetitions=N] [other Google Benchmark options]\n"
						"The GL benchmarks need a display (for example under xvfb-run) and are skipped without one.\n");
			return 0;
		}
	benchmark::Initialize(&argc, argv);
	if (benchmark::ReportUnrecognizedArguments(argc, argv))
		return 1;
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
