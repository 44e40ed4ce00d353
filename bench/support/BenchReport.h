// Figures printed by every benchmark: operations, seconds, rate, peak memory.
#pragma once

class BenchClock
{
public:
    BenchClock();
    void Restart();
    double Seconds() const; // since construction or the last Restart
private:
    long long m_start;
};

// Prints "<phase>: <ops> ops in <s> s = <rate> ops/s".
void BenchPrintRate(const char* phase, double ops, double seconds);
// Prints "<what>: <value> <unit>".
void BenchPrintValue(const char* what, double value, const char* unit);
// Prints the process's peak working set in MiB.
void BenchPrintPeakMemory();
// Runs a benchmark; a class-library exception is printed as an error and
// gives exit status 1.
int BenchMain(void (*run)());
