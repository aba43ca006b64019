// The design form's analysis against the engine's, for wide grids: the real form, offscreen,
// with its interactive pacing; the engine flat out on this thread. Prints per case the engine
// time, the window time (from "分析" until the end caption shows), the deliberate pauses, the
// form thread's processor time while busy, the notices it handled and the time "分析" took on
// the form's thread. Exits 1 when a window run exceeds engine + pauses + 0.5 s.
//   build/release/bench/quillmere-form-bench [CASE...]     (cases: wide, wider, sandwich, many,
//                                                           catalogue, catalogue-wires)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/design_form.h"
#include "engine/core_search.h"
#include "engine/core_selection.h"
#include "engine/number_text.h"
#include "engine/search.h"
#include "widgets/application_setup.h"

using namespace quillmere;

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
    const char* name;
    std::function<void(Design&)> change;
};

void allWires(WireSet& set) {
    for (int i = 0; i < WireCatalogue::kSize; ++i) set[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
}

const std::vector<Case> kCases = {
    {"wide",
     [](Design& d) {
         d.rules.peakFluxSpan = 6000;
         d.rules.onDutySpan = 3;
     }},
    {"wider",
     [](Design& d) {
         d.rules.peakFluxSpan = 20000;
         d.rules.onDutySpan = 10;
     }},
    {"sandwich",
     [](Design& d) {
         RuleSet& r = d.rules;
         allWires(r.primaryWires);
         allWires(r.secondaryWires);
         r.sandwichWinding = 1;
         r.sandwichWireChange = true;
     }},
    {"many",  // every solution shown: some 200,000 rows
     [](Design& d) {
         RuleSet& r = d.rules;
         allWires(r.primaryWires);
         allWires(r.secondaryWires);
         r.sandwichWinding = 1;
         r.sandwichWireChange = true;
         r.maxSolutions = 100000000;
     }},
    {"catalogue",  // every core of the built-in catalogue, on the engine's pool
     [](Design& d) { d.coreSet = CoreSetChoice{}; }},
    {"catalogue-wires",
     [](Design& d) {
         d.coreSet = CoreSetChoice{};
         allWires(d.rules.primaryWires);
         allWires(d.rules.secondaryWires);
     }},
};

/// What the form's "分析" runs for `design`, flat out on the engine's pool.
AnalysisResult analyseFlatOut(const Design& design) {
    const CoreSetResolution searched = searchedCores(design, CoreCatalogue::builtIn());
    NullSink sink;
    SearchCounters counters;
    return runCoreSearch(SearchSetup::from(design), searched.cores, counters, sink, Pacing::none(), {})
        .value();
}

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

bool runCase(const Case& c) {
    Design design;
    c.change(design);
    const auto engineStart = Clock::now();
    const double engineCpuBefore = cpuSeconds(RUSAGE_THREAD);
    const AnalysisResult reference = analyseFlatOut(design);
    const double engine = seconds(Clock::now() - engineStart);
    const double engineCpu = cpuSeconds(RUSAGE_THREAD) - engineCpuBefore;
    const std::string finalCount = numberText(static_cast<double>(reference.analysedCount));

    DesignForm form;
    form.setMessageFunction(
        [](QWidget*, const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    form.show();
    c.change(form.design());
    auto* analyse = form.findChild<QPushButton*>(QStringLiteral("analyseButton"));
    auto* caption = form.findChild<QLabel*>(QStringLiteral("statusLine"));
    auto* analysed = form.findChild<QLabel*>(QStringLiteral("analysedCountLabel"));
    QApplication::processEvents();

    const double cpuBefore = cpuSeconds(RUSAGE_THREAD);
    const double processCpuBefore = cpuSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    analyse->click();
    const double clickTook = seconds(Clock::now() - start);
    const QString doneCaption = QStringLiteral("分析线程搜索完成.....分析总数:");
    // Longest time the count beside the caption stayed unchanged while the worker counted,
    // from its first change (the start-up pauses count nothing).
    double longestStill = 0;
    QString lastCount = analysed->text();
    auto lastChange = Clock::now();
    bool counting = false;
    // Polled from a timer so that the form's thread sleeps between events, as it would in use.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (analysed->text() != lastCount) {
            counting = counting || !lastCount.isEmpty();
            lastCount = analysed->text();
            lastChange = Clock::now();
        } else if (counting && lastCount.toStdString() != finalCount &&
                   caption->text().startsWith(QStringLiteral("线程正在执行搜索中"))) {
            longestStill = std::max(longestStill, seconds(Clock::now() - lastChange));
        }
        const bool done = caption->text() == doneCaption && !form.analysisBusy();
        if (done || Clock::now() - start > std::chrono::minutes(5)) loop.quit();
    });
    poll.start(5);
    loop.exec();
    const double window = seconds(Clock::now() - start);
    const double formCpu = cpuSeconds(RUSAGE_THREAD) - cpuBefore;
    // Everything else the process spent meanwhile is the worker's.
    const double workerCpu = cpuSeconds(RUSAGE_SELF) - processCpuBefore - formCpu;
    const double pauses = 3 * 0.4 + 0.8;
    const bool same = form.shownResults().result.solutions == reference.solutions &&
                      form.shownResults().result.acceptedCount == reference.acceptedCount;
    // A second "分析" over the shown rows: the form's thread must be back at once.
    const auto again = Clock::now();
    analyse->click();
    const double againTook = seconds(Clock::now() - again);
    const bool ok = same && window <= engine + pauses + 0.5 && clickTook < 0.1 && againTook < 0.1;
    std::printf(
        "%-9s engine %7.3f s (cpu %6.3f s)  window %7.3f s (worker cpu %6.3f s, form thread cpu %6.3f s)  "
        "over engine + %.1f s pauses by %+.3f s  analyse click %5.1f ms, again %5.1f ms  "
        "longest still count %4.0f ms  rows %lld  peak RSS %4.0f MB  %s\n",
        c.name, engine, engineCpu, window, workerCpu, formCpu, pauses, window - engine - pauses,
        clickTook * 1e3, againTook * 1e3, longestStill * 1e3,
        static_cast<long long>(reference.solutions.size()), peakMegabytes(),
        !same ? "RESULTS DIFFER"
        : ok  ? "ok"
              : "TOO SLOW");
    std::fflush(stdout);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);
    bool ok = true;
    for (const Case& c : kCases) {
        bool wanted = argc <= 1;
        for (int i = 1; i < argc; ++i) wanted = wanted || c.name == std::string(argv[i]);
        if (wanted) ok = runCase(c) && ok;
    }
    return ok ? 0 : 1;
}
