// Text printing on the fake device context: the fonts a text job makes, and the time
// to lay out a dense page with box drawing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/MemoryJobFile.h"
#include "jobs/TextJob.h"
#include "printing/PrinterTextDevice.h"

namespace korv {
namespace {

using fakes::FakeFileSystem;
using fakes::FakePrintSystem;
using fakes::MemoryJobFile;

const std::string kSpoolDirectory = "C:\\KORVELAN\\WINPRINT";

// 66 lines of 80 columns: a framed table with column rules and cross rows.
std::string DensePage() {
  auto row = [](char left, char fill, char rule, char right) {
    std::string line(80, fill);
    line[0] = left;
    line[20] = line[60] = rule;
    line[79] = right;
    return line + "\r\n";
  };
  const char v = '\xB3', h = '\xC4';
  std::string page = row('\xDA', h, '\xC2', '\xBF');
  for (int i = 1; i < 65; ++i) {
    if (i % 4 == 0) {
      page += row('\xC3', h, '\xC5', '\xB4');
    } else {
      std::string line = row(v, ' ', v, v);
      std::string item = "Item " + std::to_string(1000 + i) + "  quantity 12.50  price 3,141.59";
      line.replace(2, std::min<std::size_t>(item.size(), 17), item.substr(0, 17));
      line.replace(22, 37, std::string(37, static_cast<char>('A' + i % 26)));
      line.replace(62, 16, "total 99,999.00 ");
      page += line;
    }
  }
  return page + row('\xC0', h, '\xC1', '\xD9');
}

// A job of four pages whose pitch and weight change as host reports do.
std::string ReportJob() {
  std::string job;
  const std::string page = DensePage();
  job += page + "\f";
  job +=
      "\x01"
      "2\x02"
      "8" +
      page + "\f";
  job +=
      "\x01"
      "7\x03"
      "5" +
      page + "\f";
  job +=
      "\x01"
      "0\x02"
      "6\x03"
      "0" +
      page;
  return job;
}

struct Rig {
  Rig() {
    system.level4 = {{"Office Laser", ""}};
    system.defaults = {{"Office Laser", ""}};
    system.caps[DeviceCap::LogPixelsX] = 600;
    system.caps[DeviceCap::LogPixelsY] = 600;
    system.caps[DeviceCap::HorzRes] = 4800;
    system.caps[DeviceCap::VertRes] = 6600;
    files.AddDirectory(kSpoolDirectory);
    files.SetCurrentDirectory(kSpoolDirectory);
    flags.printing = true;
  }
  void ForgetRecords() {
    system.log.texts.clear();
    system.log.textCalls.clear();
    system.log.lines.clear();
    system.log.fills.clear();
    system.log.measures.clear();
    system.log.calls.clear();
  }

  FakePrintSystem system;
  TPrinter printer{system};
  FakeFileSystem files;
  ServiceFlags flags;
  TextMetrics metrics;
  TextJobContext context{flags, files, kSpoolDirectory, printer, metrics};
};

// Fonts made per job: `remembered` keeps fitted heights between jobs; otherwise every
// fit steps up from 6 pixels again.
void BM_TextJobFonts(benchmark::State& state) {
  const bool remembered = state.range(0) != 0;
  Rig rig;
  const std::string job = ReportJob();
  {
    MemoryJobFile first(job);
    PrintTextJob(first, rig.context);
  }
  state.counters["fonts_first_job"] = rig.system.log.fontsCreated;
  const int before = rig.system.log.fontsCreated;
  for (auto _ : state) {
    if (!remembered) {
      rig.metrics.fittedHeights.clear();
      rig.metrics.fittedShapes.clear();
    }
    MemoryJobFile memory(job);
    benchmark::DoNotOptimize(PrintTextJob(memory, rig.context));
    state.PauseTiming();
    rig.ForgetRecords();
    state.ResumeTiming();
  }
  state.counters["fonts_per_job"] =
      benchmark::Counter(rig.system.log.fontsCreated - before, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TextJobFonts)->ArgName("remembered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One dense 80 x 66 page with box drawing through the text device.
void BM_DensePageLayout(benchmark::State& state) {
  Rig rig;
  TPrinterFont font;
  font.PixelsPerInch = 600;
  font.Height = 101;  // 10 characters per inch on the fake at 600 pixels per inch
  rig.printer.DocumentCanvas().SetFont(font);
  const std::string page = DensePage();
  PrinterTextDevice device(rig.printer);
  for (auto _ : state) {
    device.Open();
    rig.printer.SetLineHeight(100);  // 6 lines per inch
    device.Write(page);
    device.Close();
    state.PauseTiming();
    rig.ForgetRecords();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 80 * 66);
  rig.ForgetRecords();
  device.Open();
  rig.printer.SetLineHeight(100);
  device.Write(page);
  device.Close();
  state.counters["text_calls_per_page"] = static_cast<double>(rig.system.log.textCalls.size());
  state.counters["characters_per_page"] = static_cast<double>(rig.system.log.texts.size());
  state.counters["lines_per_page"] = static_cast<double>(rig.system.log.lines.size());
}
BENCHMARK(BM_DensePageLayout)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korv

BENCHMARK_MAIN();
