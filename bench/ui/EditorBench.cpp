// Opening a configuration: the time from constructing the configuration editor on a 1 MB
// mqtt.json to the first paint of its text, against QsciScintilla with QsciLexerJSON on the
// same text. Runs alternate between the two; one untimed warm-up each; medians are printed.
// Two variants: the whole document styled before the first paint (SCI_COLOURISE 0..end), and
// the lazy default, where only the lines in view are styled.
//
//   zoren_bench_editor [--runs 20] [--gap-ms 100] [--verbose] [--keep FILE]
#include <Qsci/qscilexerjson.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigurationDocument.h"
#include "editor/TFormJsonEditor.h"
#include "json/TJSONValue.h"
#include "Median.h"

namespace {

long long ClockNs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}
long long MonotonicNs() { return ClockNs(CLOCK_MONOTONIC); }
long long CpuNs() { return ClockNs(CLOCK_PROCESS_CPUTIME_ID); }

// Notes the end of the first paint event of one widget.
class TBenchApplication final : public QApplication {
public:
    using QApplication::QApplication;
    QObject* watched = nullptr;
    long long paintedAt = 0;
    long long paintedCpu = 0;
    bool notify(QObject* receiver, QEvent* event) override {
        const bool result = QApplication::notify(receiver, event);
        if (receiver == watched && event->type() == QEvent::Paint && paintedAt == 0) {
            paintedAt = MonotonicNs();
            paintedCpu = CpuNs();
        }
        return result;
    }
};

// A controller's configuration as it comes from the field: one building with many blocks,
// each with its parameters and MQTT objects with their topics; 4-space indents, UTF-8.
std::string ConfigurationText(std::size_t atLeast) {
    std::string s;
    s += "{\n"
         "    \"mqtt\": {\n"
         "        \"host\": \"broker.dispatch.local\",\n"
         "        \"port\": 8883,\n"
         "        \"username\": \"zoren1001\",\n"
         "        \"password\": \"Mq7!secret\",\n"
         "        \"qos\": 1,\n"
         "        \"retain\": false,\n"
         "        \"willTopic\": \"zoren/1001/online\",\n"
         "        \"willMessage\": \"0\",\n"
         "        \"addTimestamp\": true,\n"
         "        \"buffering\": \"1\"\n"
         "    },\n"
         "    \"http\": {\n"
         "        \"password\": \"admin:pa:ss\"\n"
         "    },\n"
         "    \"staticTopics\": {\n"
         "        \"MQT/INF\": { \"model\": \"ZOREN-RF\", \"fw\": \"2.4.1\" }\n"
         "    },\n"
         "    \"buildings\": [\n"
         "        {\n"
         "            \"id\": \"1001\",\n"
         "            \"connection\": {\n"
         "                \"type\": \"ravikgw\",\n"
         "                \"ip\": \"192.168.10.50\",\n"
         "                \"port\": 4001,\n"
         "                \"serial\": \"/dev/ttyS2\"\n"
         "            },\n"
         "            \"devices\": [\n"
         "                {\n"
         "                    \"type\": \"SYS\",\n"
         "                    \"addr\": 0,\n"
         "                    \"topics\": {\n"
         "                        \"MQT\": {\n"
         "                            \"CNN\": { \"r\": 1, \"w\": -1 },\n"
         "                            \"PVD\": { \"r\": 2, \"w\": -1 },\n"
         "                            \"LVL\": { \"r\": 3, \"w\": -1 },\n"
         "                            \"BTR\": { \"r\": 4, \"w\": -1 },\n"
         "                            \"ALR\": { \"r\": 5, \"w\": -1 },\n"
         "                            \"STT\": { \"r\": 0, \"w\": -1 }\n"
         "                        }\n"
         "                    }\n"
         "                }";
    static const char* const veltObjects[] = {"DSC", "FAL", "ALR", "WTR", "GAS", "SCM", "DOR", "TMP"};
    static const char* const rumlAlarms[] = {"Дверь шахты открыта", "Перегрузка кабины", "Обрыв связи",
                                             "Нет напряжения", "Застревание"};
    for (int addr = 1; s.size() < atLeast; ++addr) {
        const std::string a = std::to_string(addr);
        s += ",\n                {\n";
        if (addr % 3 != 0) {
            s += "                    \"type\": \"VELT\",\n";
            s += "                    \"addr\": " + a + ",\n";
            s += "                    \"params\": { \"debug\": " + std::to_string(addr % 2) +
                 ", \"type1\": 1, \"type2\": 2, \"type3\": \"3\", \"type4\": 4, \"type5\": 0 },\n";
            s += "                    \"topics\": {\n";
            for (int t = 0; t < 6; ++t) {
                const std::string r = std::to_string(t + 1);
                s += std::string("                        \"") + veltObjects[(addr + t) % 8] + "/" + a +
                     "\": { \"ALR\": { \"r\": " + r +
                     ", \"w\": -1 }, \"STT\": { \"r\": " + std::to_string(t + 9) + ", \"w\": -1 } }" +
                     (t < 5 ? ",\n" : "\n");
            }
        } else {
            s += "                    \"type\": \"RUML\",\n";
            s += "                    \"addr\": " + a + ",\n";
            s += "                    \"params\": {\n";
            s += "                        \"debug\": 0,\n";
            for (int k = 0; k < 3; ++k)
                s += "                        \"alarm" + std::to_string(k + 1) + "." +
                     std::to_string(addr % 8 + 1) + "\": \"1," + std::to_string(10 + k) + ",3,0," +
                     rumlAlarms[(addr + k) % 5] + "\"" + (k < 2 ? ",\n" : "\n");
            s += "                    },\n";
            s += "                    \"topics\": {\n";
            for (int t = 0; t < 4; ++t)
                s += "                        \"LFT/" + std::to_string(t + 1) +
                     "\": { \"STT\": { \"r\": " + std::to_string(3 + 10 * t) +
                     ", \"w\": -1 }, \"TMP\": { \"r\": " + std::to_string(8 + 10 * t) +
                     ", \"w\": -1 }, \"ALM\": { \"r\": " + std::to_string(9 + 10 * t) + ", \"w\": 2 } }" +
                     (t < 3 ? ",\n" : "\n");
        }
        s += "                    }\n";
        s += "                }";
    }
    s += "\n            ]\n        }\n    ]\n}\n";
    return s;
}

bool WaitForPaint(TBenchApplication& app) {
    QElapsedTimer waited;
    waited.start();
    QTimer wakeUp;  // so that the time-out is seen even when no event comes
    wakeUp.start(100);
    while (app.paintedAt == 0) {
        if (waited.elapsed() > 10000) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool FullyStyled(QsciScintilla& editor) {
    return editor.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) ==
           editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
}

void Settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Sample {
    double wall = -1;  // ms from construction to the end of the first paint of the text; -1 on failure
    double cpu = 0;    // ms of CPU the process used meanwhile
};

Sample Measured(const TBenchApplication& app, bool ok, long long start, long long startCpu) {
    if (!ok) return {};
    return {(app.paintedAt - start) / 1e6, (app.paintedCpu - startCpu) / 1e6};
}

Sample OpenOurs(TBenchApplication& app, const std::string& path, bool whole) {
    app.paintedAt = 0;
    const long long start = MonotonicNs(), startCpu = CpuNs();
    auto editor = std::make_unique<TFormJsonEditor>(nullptr, nullptr);
    editor->FilePath = path;
    app.watched = editor->SynEdit1->viewport();
    editor->show();
    if (whole) editor->SynEdit1->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    const bool ok = WaitForPaint(app) && editor->ErrorLine() < 0 && editor->Blocks.Count() > 0 &&
                    (!whole || FullyStyled(*editor->SynEdit1));
    app.watched = nullptr;
    editor.reset();
    return Measured(app, ok, start, startCpu);
}

Sample OpenPeer(TBenchApplication& app, const std::string& path, bool whole) {
    app.paintedAt = 0;
    const long long start = MonotonicNs(), startCpu = CpuNs();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(file.readAll());
    auto editor = std::make_unique<QsciScintilla>();
    editor->setUtf8(true);
    editor->setText(text);
    editor->setLexer(new QsciLexerJSON(editor.get()));
    editor->resize(776, 467);
    app.watched = editor->viewport();
    editor->show();
    if (whole) editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    const bool ok = WaitForPaint(app) && (!whole || FullyStyled(*editor));
    app.watched = nullptr;
    editor.reset();
    return Measured(app, ok, start, startCpu);
}

}  // namespace

int main(int argc, char* argv[]) {
    int runs = 20, gapMs = 100;
    bool verbose = false;
    std::string keep;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--runs" && more)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--gap-ms" && more)
            gapMs = std::max(0, std::atoi(argv[++i]));
        else if (a == "--keep" && more)
            keep = argv[++i];
        else if (a == "--verbose")
            verbose = true;
        else if (a.rfind("-platform", 0) == 0 && more)
            ++i;  // Qt's own option
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--gap-ms MS] [--verbose] [--keep FILE]\n", argv[0]);
            return 2;
        }
    }
    TBenchApplication app(argc, argv);

    char pattern[] = "/tmp/zoren-bench-editor-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string folder = pattern;
    const std::string path = folder + "/mqtt.json";
    const std::string text = ConfigurationText(1024 * 1024);
    std::ofstream(path, std::ios::binary) << text;
    if (!keep.empty()) std::ofstream(keep, std::ios::binary) << text;
    {
        // A document the editor could not read would stop the run at its error message.
        TJSONValue root;
        DEVICE_LIST blocks;
        try {
            ReadConfigurationDocument(path, root, blocks);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "generated document unreadable: %s\n", e.what());
            return 1;
        }
        if (verbose) std::fprintf(stderr, "document: %zu bytes, %d blocks\n", text.size(), blocks.Count());
    }

    int failures = 0;
    struct Variant {
        const char* name;
        bool whole;
    };
    for (const Variant& v : {Variant{"editor-open-1mb", true}, Variant{"editor-open-1mb-lazy", false}}) {
        OpenOurs(app, path, v.whole);
        OpenPeer(app, path, v.whole);
        std::vector<double> ours, peer, ourCpu, peerCpu;
        for (int r = 0; r < runs; ++r) {
            for (int k = 0; k < 2; ++k) {
                const bool mine = (r + k) % 2 == 0;
                Settle(gapMs);
                const Sample t = mine ? OpenOurs(app, path, v.whole) : OpenPeer(app, path, v.whole);
                if (t.wall < 0) {
                    ++failures;
                    std::fprintf(stderr, "%s: %s run %d failed\n", v.name, mine ? "ours" : "peer", r + 1);
                    continue;
                }
                (mine ? ours : peer).push_back(t.wall);
                (mine ? ourCpu : peerCpu).push_back(t.cpu);
                if (verbose)
                    std::fprintf(stderr, "%s %s %.1f ms (cpu %.1f ms)\n", v.name, mine ? "ours" : "peer",
                                 t.wall, t.cpu);
            }
        }
        const double a = Median(ours), b = Median(peer);
        std::printf("%s | ours %.1f ms | QsciLexerJSON %.1f ms | ratio %.2f\n", v.name, a, b,
                    b > 0 ? a / b : 0.0);
        const double ac = Median(ourCpu), bc = Median(peerCpu);
        std::printf("%s-cpu | ours %.1f ms | QsciLexerJSON %.1f ms | ratio %.2f\n", v.name, ac, bc,
                    bc > 0 ? ac / bc : 0.0);
        std::fflush(stdout);
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
