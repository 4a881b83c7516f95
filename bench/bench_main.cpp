// `make bench`: runs every benchmark, then tells each figure the goals name as
// the median of its repetitions, against its reference and its goal.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Counters = benchmark::UserCounters;

struct Figure {
  const char* benchmark;  // the benchmark's name, without the aggregate
  std::function<std::string(const Counters&)> tell;
};

double Value(const Counters& counters, const char* name) {
  const auto found = counters.find(name);
  return found == counters.end() ? 0.0 : found->second.value;
}

std::string Format(const char* format, double a, double b = 0, double c = 0) {
  char text[256];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

std::string GifFigure(const Counters& counters) {
  const double ratio = Value(counters, "ours/giflib");
  return Format("%.2fx giflib's throughput (%.0f against %.0f MB/s of pixels)", ratio,
                Value(counters, "ours_bytes/s") / 1e6, Value(counters, "giflib_bytes/s") / 1e6) +
         "; goal at least 1.5x: " + Verdict(ratio >= 1.5);
}

const std::vector<Figure>& Figures() {
  static const std::vector<Figure> figures = {
      {"DecodeTurnAbout/pack_pictures", GifFigure},
      {"DecodeTurnAbout/scenery_1280x819", GifFigure},
      {"DecodeTurnAbout/menu_320x200", GifFigure},
      {"DecodeTurnAbout/noise_1280x200", GifFigure},
      {"DecodeTurnAbout/one_colour_320x200", GifFigure},
      {"Timedemo/first_mission",
       [](const Counters& counters) {
         const double fps = Value(counters, "frames/s");
         return Format(
                    "%.0f in-game frames per second, %.3f of the memory-copy bound "
                    "(%.0f frames per second)",
                    fps, Value(counters, "share_of_bound"),
                    Value(counters, "copy_bound_frames/s")) +
                "; goal at least 20000: " + Verdict(fps >= 20000);
       }},
      {"Startup/first_menu_frame",
       [](const Counters& counters) {
         const double ms = Value(counters, "startup_ms");
         return Format(
                    "%.1f ms to the first menu frame, %.2fx a bare start of the program "
                    "(%.1f ms)",
                    ms, Value(counters, "startup/bare"), Value(counters, "bare_process_ms")) +
                "; goal under 150 ms: " + Verdict(ms < 150);
       }},
  };
  return figures;
}

class FigureReporter final : public benchmark::ConsoleReporter {
 public:
  FigureReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[run.run_name.function_name] = run.counters;
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nFigures (medians of the repetitions):\n");
    for (const Figure& figure : Figures()) {
      const auto found = medians_.find(figure.benchmark);
      if (found == medians_.end()) continue;
      std::printf("  %-36s %s\n", figure.benchmark, figure.tell(found->second).c_str());
    }
  }

 private:
  std::map<std::string, Counters> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext(
      "counters", "ours_bytes/s and giflib_bytes/s are bytes of pixels decoded per second");
  FigureReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
