// Linked into a window program next to its own main(), this reports when the
// program's window is first painted, its peak memory, and what it does at
// rest, so the program itself needs no hook. It starts with QCoreApplication
// (Q_COREAPP_STARTUP_FUNCTION) and writes "key=value" lines to stdout.
//
// Environment, read only by this file:
//   SCREENCALC_PROBE_QUIT_MS  quit this long after the first frame (default 300)
//   SCREENCALC_PROBE_IDLE_MS  instead, wait 1 s for the window to settle, then
//                             watch it at rest this long, report, and quit

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

long long monotonicNs() {
    // CLOCK_MONOTONIC, the clock the harness reads before it starts us.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int envMs(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0) {
            return std::stol(line.substr(prefix.size()));
        }
    }
    return -1;
}

// utime + stime from /proc/self/stat, in clock ticks.
long long cpuTicks() {
    std::ifstream in("/proc/self/stat");
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name may hold blanks; the fields after it are fixed.
    std::istringstream rest(all.substr(all.rfind(')') + 2));
    std::string field;
    long long ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14 || i == 15) {
            ticks += std::stoll(field);
        }
    }
    return ticks;
}

long long rusageCpuUs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

void report(const char* key, long long value) {
    std::printf("%s=%lld\n", key, value);
    std::fflush(stdout);
}

class Probe : public QObject {
public:
    explicit Probe(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            onPaint(watched);
        }
        return false;
    }

private:
    void onPaint(QObject* watched) {
        ++paints_;
        if (watched->objectName() == QLatin1String("temdate")) {
            ++temdatePaints_;
        }
        if (firstPaintSeen_) {
            return;
        }
        firstPaintSeen_ = true;
        report("first_paint_ns", monotonicNs());
        // Runs once this paint pass, and its flush to the screen, are done.
        QTimer::singleShot(0, this, [this] { firstFrameDone(); });
    }

    void firstFrameDone() {
        report("first_frame_ns", monotonicNs());
        report("first_frame_hwm_kb", statusKb("VmHWM"));
        const int idleMs = envMs("SCREENCALC_PROBE_IDLE_MS", 0);
        if (idleMs <= 0) {
            QTimer::singleShot(envMs("SCREENCALC_PROBE_QUIT_MS", 300), this, [] {
                report("hwm_kb", statusKb("VmHWM"));
                QCoreApplication::quit();
            });
            return;
        }
        QTimer::singleShot(1000, this, [this, idleMs] {
            paints_ = 0;
            temdatePaints_ = 0;
            const long long ticks = cpuTicks();
            const long long us = rusageCpuUs();
            const long long start = monotonicNs();
            QTimer::singleShot(idleMs, this, [this, ticks, us, start] {
                report("idle_wall_ns", monotonicNs() - start);
                report("idle_cpu_ticks", cpuTicks() - ticks);
                report("clock_ticks_per_s", sysconf(_SC_CLK_TCK));
                report("idle_cpu_us", rusageCpuUs() - us);
                report("idle_paints", paints_);
                report("idle_temdate_paints", temdatePaints_);
                report("hwm_kb", statusKb("VmHWM"));
                QCoreApplication::quit();
            });
        });
    }

    bool firstPaintSeen_ = false;
    long long paints_ = 0;
    long long temdatePaints_ = 0;
};

void installProbe() {
    report("app_ns", monotonicNs());
    QCoreApplication::instance()->installEventFilter(new Probe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
