// Start-up: the real program on the offscreen platform with the example card,
// from starting the process to the first paint of its main window (the
// program reports it and ends when VELLORAN_STARTUP_PROBE is set). The time
// is the whole process as the benchmark sees it; "in_program" is the
// program's own figure from the start of main().
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_StartupToFirstPaint(benchmark::State &state)
{
    QTemporaryDir home; // a user configuration of its own
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VELLORAN_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    double inProgram = 0;
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(VELLORAN_PROGRAM), {QStringLiteral(VELLORAN_EXAMPLE)});
        p.waitForFinished(30000);
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        const auto m = QRegularExpression(QStringLiteral("first paint after ([0-9.]+) ms")).match(out);
        if (p.exitCode() != 0 || !m.hasMatch()) {
            state.SkipWithError("the program did not report its first paint");
            break;
        }
        inProgram += m.captured(1).toDouble();
    }
    state.counters["in_program_ms"] = benchmark::Counter(inProgram, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
