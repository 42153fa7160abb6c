// Times opening and saving configurations: one whose [Data] section covers all 64 KiB, beside
// srec_cat reading and writing the same S-records as S19 (their ratio), and a large one of 100k
// [Data] records followed by 1M lines, whose save should cost about what its open costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "app/ectapp.h"
#include "config/ecuimage.h"
#include "config/srecords.h"
#include "quietrun.h"
#include "text/streamsink.h"

namespace {

using Clock = std::chrono::steady_clock;
using qmx::app::FileLayout;

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2),
                     times.end());
    return times[times.size() / 2];
}

// The median of `runs` timed calls of `body`, in milliseconds; false from `body` aborts.
double medianMs(int runs, const std::function<bool()>& body) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        if (!body())
            return -1.0;
        times.push_back(msSince(start));
    }
    return median(times);
}

bool runSrecCat(const std::string& in, const std::string& out) {
    return qmx::bench::runQuietly({"srec_cat", in, "-o", out, "-Output_Block_Size", "16"});
}

// S1 records of 16 random bytes each, `count` of them, their addresses cycling through the
// 64 KiB image; each record on its own line.
std::string randomRecords(std::size_t count) {
    auto image = std::make_unique<qmx::config::EcuImage>();
    std::mt19937 random(1);
    for (std::size_t address = 0; address < qmx::config::EcuImage::Size; ++address)
        image->setByte(static_cast<std::uint16_t>(address), static_cast<std::uint8_t>(random()));
    std::vector<std::string> records;
    for (std::size_t done = 0; done < count; done += qmx::config::EcuImage::Size / 16) {
        const std::size_t bytes = std::min(qmx::config::EcuImage::Size, (count - done) * 16);
        qmx::config::encodeSRecords(*image, 0, bytes, records);
        records.pop_back(); // the S9 record; one closes the whole section
    }
    std::string text;
    for (const std::string& record : records)
        text += record + "\n";
    return text;
}

// A configuration of title, [Data] holding `records`, a small config map and `trailer`.
std::string configurationText(const std::string& records, const std::string& trailer) {
    return "[Title]\nBenchmark\n[Data]\nCalib:\n" + records + "S9030000FC\nFixed:\n" +
           "[Config Map]\n1000,1100,1000\nM,0,0\nZ,0,1,x,x\nX,0,1,x,x\nY,0,1,x,x\n1,a\n1,b\n" +
           trailer;
}

// 64 KiB of data: open + save against srec_cat.
bool benchFullImage(qmx::app::CEctApp& app, qmx::text::MessageSink& sink,
                    const std::string& folder) {
    const std::string s19 = randomRecords(qmx::config::EcuImage::Size / 16);
    writeFile(folder + "/full.rcg", configurationText(s19, ""));
    writeFile(folder + "/full.s19", s19 + "S9030000FC\n");
    constexpr int kRuns = 15;
    const double ours = medianMs(kRuns, [&] {
        return app.openConfiguration(folder + "/full.rcg", FileLayout::Plain) == 0 &&
               app.save(sink) == 0;
    });
    const double peer =
        medianMs(kRuns, [&] { return runSrecCat(folder + "/full.s19", folder + "/out.s19"); });
    if (ours < 0.0 || peer < 0.0)
        return false;
    std::printf("openSave: open + save of a 64 KiB configuration (4096 records): %.2f ms\n", ours);
    std::printf("openSave: srec_cat reading and writing the same S19:        %.2f ms\n", peer);
    std::printf("openSave: ratio (open + save / srec_cat): %.2f\n", ours / peer);
    return true;
}

// 100k records and 1M lines after [Data]: the open, the save in place (plain) and the Save As
// (packed) each timed on a fresh copy of the file.
bool benchLargeFile(qmx::app::CEctApp& app, qmx::text::MessageSink& sink,
                    const std::string& folder) {
    constexpr std::size_t kRecords = 100'000;
    constexpr std::size_t kLinesAfter = 1'000'000;
    std::string trailer = "[Notes]\n";
    for (std::size_t i = 0; i < kLinesAfter - 1; ++i)
        trailer += "note " + std::to_string(i) + "\n";
    const std::string text = configurationText(randomRecords(kRecords), trailer);
    const std::string path = folder + "/large.rcg";
    constexpr int kRuns = 3;
    std::vector<double> opens;
    std::vector<double> saves;
    std::vector<double> savesAs;
    for (int run = 0; run < kRuns; ++run) {
        for (std::vector<double>* times : {&saves, &savesAs}) {
            writeFile(path, text);
            auto start = Clock::now();
            if (app.openConfiguration(path, FileLayout::Plain) != 0)
                return false;
            opens.push_back(msSince(start));
            start = Clock::now();
            if ((times == &saves ? app.save(sink) : app.saveAs(folder + "/large.rcz", sink)) != 0)
                return false;
            times->push_back(msSince(start));
        }
    }
    const double open = median(opens);
    std::printf("openSave: %zu records and %zu lines after [Data], %.1f MB:\n", kRecords,
                kLinesAfter, static_cast<double>(text.size()) / 1e6);
    std::printf("openSave:   open %.0f ms, save %.0f ms (%.2f x open), save as packed %.0f ms "
                "(%.2f x open)\n",
                open, median(saves), median(saves) / open, median(savesAs), median(savesAs) / open);
    return true;
}

} // namespace

int main() {
    char pattern[] = "/tmp/qmxbench.XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::string folder = pattern;
    writeFile(folder + "/qmx.INI", "[RS232C]\n");
    writeFile(folder + "/registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n"
                                        "\"Install Directory\"=\"" +
                                            folder + "\"\n");
    auto app = std::make_unique<qmx::app::CEctApp>();
    qmx::text::StreamSink sink(std::cerr, qmx::text::Unattended::Decline);
    const bool done = app->start({folder, folder, "qmx"}, qmx::app::kLargeScreen) == 0 &&
                      benchFullImage(*app, sink, folder) && benchLargeFile(*app, sink, folder);
    app.reset();
    std::filesystem::remove_all(folder);
    if (!done) {
        std::fprintf(stderr, "openSave: a run failed\n");
        return 1;
    }
    return 0;
}
