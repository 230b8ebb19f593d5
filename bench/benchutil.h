#pragma once
// Small helpers shared by the benchmark programs: CPU and wall clocks, peak
// memory, and a deterministic HTML-like Japanese text.

#include <QString>

#include <ctime>

namespace zpbench {

// CPU seconds used by this process so far (all threads).
inline double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

inline double wallSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Peak resident memory of this process in MiB (VmHWM).
double peakRssMiB();
// Resident memory of this process now, in MiB (VmRSS).
double currentRssMiB();

// About bytes characters of lines like those of a hand-written page: tags in
// mixed case, attributes, Japanese and ASCII text, about 80 characters a line,
// joined by lineBreak.
QString htmlLikeText(qsizetype characters, const QString &lineBreak = QStringLiteral("\r\n"));

} // namespace zpbench
