// What the pupil waits for when a megabyte lands in the answer box: the paste itself, then
// «Проверить» with the window repainted. Runs on any Qt platform; under Xvfb it includes
// drawing to a real X server.
#include "adapter.h"
#include "mainwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

QString digits(qsizetype size)
{
    QString text = QStringLiteral("0.");
    while (text.size() < size)
        text += QChar(u'0' + QRandomGenerator::global()->bounded(10));
    return text;
}

struct Lesson
{
    Adapter adapter;
    MainWindow window{adapter};
    QLineEdit *answer = window.findChild<QLineEdit *>(QStringLiteral("c1"));
    QPushButton *check = window.findChild<QPushButton *>(QStringLiteral("Command1"));

    Lesson()
    {
        window.show();
        QApplication::processEvents();
    }
    void paste(const QString &text)
    {
        answer->selectAll();
        answer->insert(text);
        window.repaint();
    }
};

void BM_Paste(benchmark::State &state)
{
    Lesson lesson;
    const QString text = digits(state.range(0));
    for (auto _ : state) {
        lesson.paste(text);
        state.PauseTiming();
        lesson.answer->clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Paste)->Arg(1 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_CheckAfterPaste(benchmark::State &state)
{
    Lesson lesson;
    const QString text = digits(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        lesson.paste(text);
        state.ResumeTiming();
        lesson.check->click();
        lesson.window.repaint();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CheckAfterPaste)->Arg(1 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
