// What the running tool costs the machine, measured the way a user pays: the whole
// program started with --simulated-base on a real X11 display (its own Xvfb server, the
// xcb platform), in an isolated home whose stored version is current so no start prompt
// waits. After "Operational" appears in its log, the process's CPU seconds per wall second
// (utime + stime from /proc) over a window of wall time, for:
//   held        every input still, window active on the Overview tab    goal <= 0.01
//   moving      the virtual base turns the wheel and works the pedals    goal <= 0.03
//   background  moving, window visible but another window has the focus goal <= 0.005
//   minimised   moving, window unmapped as a window manager minimises    goal <= 0.005
//   plots       moving, the live plots shown on the Overview tab          goal <= 0.05
//               (also in the background and minimised, where they stop repainting)
// The virtual base's own window is hidden for these; its cost is measured apart (moving,
// panel shown). A bare Qt window of the same size with five tabs is measured the same way.
//
// Usage: bench_live_window [runs=3] [seconds=24]. Starts its own Xvfb through xvfb-run.
// A window of whole 8 s sweeps of the virtual wheel (24 s: three) sees the same motion in every
// run; over other lengths the figure depends on where in a sweep the window falls.

#include "bench/benchfigures.h"
#include "common/identity/appinfo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using benchfigures::kUnderXvfb;
using benchfigures::median;
constexpr char kBareWindowTitle[] = "Bare window, five tabs";
constexpr int kSettleMs = 3000;

double clockTicksPerSecond() { return double(sysconf(_SC_CLK_TCK)); }

// utime + stime of a process in seconds; negative when it is gone.
double processCpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1.0;
    const QByteArray line = stat.readAll();
    // The command name may hold blanks and parentheses; the fields follow its last ')'.
    const int close = line.lastIndexOf(')');
    if (close < 0)
        return -1.0;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // Fields 14 and 15 of the whole line: the 12th and 13th after the name.
    if (fields.size() < 13)
        return -1.0;
    return (fields[11].toDouble() + fields[12].toDouble()) / clockTicksPerSecond();
}

// The few X11 requests the measurement needs: find a process's top-level window, give it
// the keyboard focus, take the focus away, unmap and map it.
class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection_) == 0)
            root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display &) = delete;
    Display &operator=(const Display &) = delete;

    bool ok() const { return root_ != 0; }

    // A mapped top-level window of `pid` whose title contains `title`; 0 for none.
    xcb_window_t findWindow(qint64 pid, const QString &title)
    {
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
        if (!tree)
            return 0;
        xcb_window_t found = 0;
        const xcb_window_t *children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
            const xcb_window_t window = children[i];
            if (cardinal(window, pidAtom) != pid || !mapped(window))
                continue;
            if (name(window).contains(title))
                found = window;
        }
        std::free(tree);
        return found;
    }

    QSize size(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *geometry =
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        if (!geometry)
            return {};
        const QSize size(geometry->width, geometry->height);
        std::free(geometry);
        return size;
    }

    bool focus(xcb_window_t window)
    {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, xcb_timestamp_t(XCB_CURRENT_TIME));
        return focused() == window;
    }
    // Nobody has the keyboard: the window stays visible but is no longer the active one.
    void unfocus() { focus(XCB_NONE); }
    void unmap(xcb_window_t window)
    {
        xcb_unmap_window(connection_, window);
        xcb_flush(connection_);
    }
    void map(xcb_window_t window)
    {
        xcb_map_window(connection_, window);
        xcb_flush(connection_);
    }

private:
    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    qint64 cardinal(xcb_window_t window, xcb_atom_t property)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        qint64 value = -1;
        if (reply && xcb_get_property_value_length(reply) == 4)
            value = *static_cast<const std::uint32_t *>(xcb_get_property_value(reply));
        std::free(reply);
        return value;
    }

    QString name(xcb_window_t window)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
            nullptr);
        QString text;
        if (reply)
            text = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply)),
                                     xcb_get_property_value_length(reply));
        std::free(reply);
        return text;
    }

    bool mapped(xcb_window_t window)
    {
        xcb_get_window_attributes_reply_t *reply =
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr);
        const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(reply);
        return viewable;
    }

    xcb_window_t focused()
    {
        xcb_get_input_focus_reply_t *reply =
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr);
        const xcb_window_t window = reply ? reply->focus : 0;
        std::free(reply);
        return window;
    }

    xcb_connection_t *connection_;
    xcb_window_t root_ = 0;
};

// One program under measurement, in a home, settings and temporary folder of its own (the
// temporary folder also keeps its single-copy guard apart from any other running copy).
class Subject {
public:
    Subject(const QString &program, const QStringList &arguments, bool plotsShown = false)
    {
        if (!home_.isValid() || !QDir(home_.path()).mkpath(QStringLiteral("config"))
            || !QDir(home_.path()).mkpath(QStringLiteral("tmp"))) {
            std::fprintf(stderr, "no temporary folder\n");
            std::exit(1);
        }
        seedSettings(home_.filePath(QStringLiteral("config")), plotsShown);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("TMPDIR"), home_.filePath(QStringLiteral("tmp")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QString::fromLatin1(kUnderXvfb));
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(home_.path());
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start(program, arguments);
        if (!process_.waitForStarted(10000)) {
            std::fprintf(stderr, "could not start %s\n", qPrintable(program));
            std::exit(1);
        }
    }
    ~Subject()
    {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    Subject(const Subject &) = delete;
    Subject &operator=(const Subject &) = delete;

    qint64 pid() const { return process_.processId(); }
    bool running() const { return process_.state() == QProcess::Running; }

    // Waits until the tool's log (the "log" word writes log.txt in its working folder) holds `text`.
    bool waitForLog(const QString &text, int timeoutMs)
    {
        for (int waited = 0; waited < timeoutMs && running(); waited += 100) {
            QFile log(home_.filePath(QStringLiteral("log.txt")));
            if (log.open(QIODevice::ReadOnly) && QString::fromUtf8(log.readAll()).contains(text))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    xcb_window_t waitForWindow(Display &display, const QString &title, int timeoutMs)
    {
        for (int waited = 0; waited < timeoutMs && running(); waited += 100) {
            if (const xcb_window_t window = display.findWindow(pid(), title))
                return window;
            QThread::msleep(100);
        }
        return 0;
    }

    // CPU seconds per wall second over `seconds`, after the state settles; negative on failure.
    double cpuPerWallSecond(int seconds)
    {
        QThread::msleep(kSettleMs);
        const double before = processCpuSeconds(pid());
        QElapsedTimer wall;
        wall.start();
        QThread::sleep(static_cast<unsigned long>(seconds));
        const double after = processCpuSeconds(pid());
        if (before < 0 || after < 0 || !running())
            return -1.0;
        return (after - before) / (wall.nsecsElapsed() / 1e9);
    }

private:
    static void seedSettings(const QString &folder, bool plotsShown)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
        QSettings settings(QLatin1String(appinfo::organisationName), QStringLiteral("Veltrane2"));
        settings.setValue(QStringLiteral("Version"), QLatin1String(appinfo::versionNumber));
        // Telemetry decided (denied): no consent question sits over the window being measured.
        settings.setValue(QStringLiteral("TelemetryConsentVersion"), 1);
        settings.setValue(QStringLiteral("TelemetryConsent"), 2);
        // The "Live plots" button's stored choice: the panel is there from the start.
        settings.setValue(QStringLiteral("LivePlotsShown"), plotsShown);
        settings.sync();
    }

    QTemporaryDir home_;
    QProcess process_;
};

using Figures = std::map<std::string, std::vector<double>>;

void note(Figures &figures, const std::string &name, double value)
{
    std::printf("  %-22s %.5f\n", name.c_str(), value);
    std::fflush(stdout);
    if (value >= 0)
        figures[name].push_back(value);
}

QStringList toolArguments(bool held, bool panel)
{
    QStringList arguments{QStringLiteral("--simulated-base")};
    if (held)
        arguments << QStringLiteral("--hold-inputs");
    if (!panel)
        arguments << QStringLiteral("--hide-base-panel");
    arguments << QStringLiteral("log");
    return arguments;
}

// Starts the tool, waits until it is operational and its window is in front; null on failure.
std::unique_ptr<Subject> startToolOnce(Display &display, bool held, bool panel, bool plots, xcb_window_t &window)
{
    auto tool = std::make_unique<Subject>(QStringLiteral(VT2_TOOL_PATH), toolArguments(held, panel), plots);
    // The reload done and the base operational; the settling time before each figure lets a
    // status tick show it.
    for (const char *line : {"got analog data and settings", "virtual base: mode 11 Operational"}) {
        if (!tool->waitForLog(QLatin1String(line), 60000)) {
            std::fprintf(stderr, "no \"%s\" in the tool's log (another copy running?)\n", line);
            return nullptr;
        }
    }
    window = tool->waitForWindow(display, QLatin1String(appinfo::titlePrefix), 10000);
    if (!window || !display.focus(window)) {
        std::fprintf(stderr, "the tool's window was not found or took no focus\n");
        return nullptr;
    }
    return tool;
}

// A busy machine can make a start miss its time; a few tries before giving up.
std::unique_ptr<Subject> startTool(Display &display, bool held, bool panel, xcb_window_t &window, bool plots = false)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (auto tool = startToolOnce(display, held, panel, plots, window))
            return tool;
    }
    return nullptr;
}

// The three states of one window: active, visible without focus, unmapped.
void measureStates(Display &display, Subject &subject, xcb_window_t window, int seconds, Figures &figures,
                   const std::string &prefix, bool active)
{
    if (active) {
        display.focus(window);
        note(figures, prefix + " active", subject.cpuPerWallSecond(seconds));
    }
    display.unfocus();
    note(figures, prefix + " background", subject.cpuPerWallSecond(seconds));
    display.unmap(window);
    note(figures, prefix + " minimised", subject.cpuPerWallSecond(seconds));
    display.map(window);
}

bool measureRun(const QString &self, int seconds, QSize &toolSize, Figures &figures)
{
    Display display;
    xcb_window_t window = 0;
    {
        const auto tool = startTool(display, true, false, window);
        if (!tool)
            return false;
        toolSize = display.size(window);
        note(figures, "tool held", tool->cpuPerWallSecond(seconds));
    }
    {
        const auto tool = startTool(display, false, false, window);
        if (!tool)
            return false;
        note(figures, "tool moving", tool->cpuPerWallSecond(seconds));
        measureStates(display, *tool, window, seconds, figures, "tool moving", false);
    }
    {
        const auto tool = startTool(display, false, false, window, true);
        if (!tool)
            return false;
        note(figures, "tool moving, plots", tool->cpuPerWallSecond(seconds));
        measureStates(display, *tool, window, seconds, figures, "tool moving, plots", false);
    }
    {
        const auto tool = startTool(display, false, true, window);
        if (!tool)
            return false;
        note(figures, "tool moving, panel", tool->cpuPerWallSecond(seconds));
    }
    Subject bare(self, {QStringLiteral("--bare-window"), QString::number(toolSize.width()),
                        QString::number(toolSize.height())});
    window = bare.waitForWindow(display, QLatin1String(kBareWindowTitle), 10000);
    if (!window) {
        std::fprintf(stderr, "the bare window did not appear\n");
        return false;
    }
    measureStates(display, bare, window, seconds, figures, "bare", true);
    return true;
}

int bareWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTabWidget tabs;
    for (int tab = 1; tab <= 5; ++tab)
        tabs.addTab(new QWidget, QStringLiteral("Tab %1").arg(tab));
    tabs.setWindowTitle(QLatin1String(kBareWindowTitle));
    tabs.resize(argc > 3 ? std::atoi(argv[2]) : 1000, argc > 3 ? std::atoi(argv[3]) : 800);
    tabs.show();
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--bare-window") == 0)
        return bareWindow(argc, argv);
    if (!std::getenv(kUnderXvfb))
        return benchfigures::runUnderXvfb(argv, "1920x1080x24");

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int seconds = argc > 2 ? std::max(2, std::atoi(argv[2])) : 24;
    Display display;
    if (!display.ok()) {
        std::fprintf(stderr, "no X11 display\n");
        return 1;
    }

    Figures figures;
    QSize toolSize;
    for (int run = 1; run <= runs; ++run) {
        std::printf("run %d of %d (CPU seconds per wall second over %d s)\n", run, runs, seconds);
        if (!measureRun(QCoreApplication::applicationFilePath(), seconds, toolSize, figures))
            return 1;
    }

    const auto m = [&figures](const char *name) { return median(figures[name]); };
    std::printf("\nmedians of %d runs, window %d x %d, Xvfb with the xcb platform "
                "(resolution %.5f; ratio - when the bare window used less):\n",
                runs, toolSize.width(), toolSize.height(), 1.0 / clockTicksPerSecond() / seconds);
    struct Row {
        const char *goal;
        const char *tool;
        const char *bare;
        double limit;
    };
    const Row rows[] = {{"inputs held, active", "tool held", "bare active", 0.01},
                        {"moving, active", "tool moving", "bare active", 0.03},
                        {"moving, background", "tool moving background", "bare background", 0.005},
                        {"moving, minimised", "tool moving minimised", "bare minimised", 0.005},
                        {"moving, plots shown", "tool moving, plots", "bare active", 0.05}};
    std::printf("  %-20s %10s %10s %8s %10s\n", "", "tool", "bare", "ratio", "goal");
    for (const Row &row : rows) {
        const double tool = m(row.tool);
        const double bare = m(row.bare);
        const QString ratio = bare > 0 ? QString::number(tool / bare, 'f', 1) : QStringLiteral("-");
        std::printf("  %-20s %10.5f %10.5f %8s %10s  %s\n", row.goal, tool, bare, qPrintable(ratio),
                    qPrintable(QStringLiteral("<= %1").arg(row.limit)), tool <= row.limit ? "met" : "MISSED");
    }
    std::printf("  plots shown, moving: background %.5f, minimised %.5f\n", m("tool moving, plots background"),
                m("tool moving, plots minimised"));
    std::printf("  virtual base's window shown, moving, active: %.5f (its own share %.5f)\n",
                m("tool moving, panel"), m("tool moving, panel") - m("tool moving"));
    return 0;
}
