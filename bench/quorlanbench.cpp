// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Times the file readers and writers on generated files of sizes ten times
// apart, against awk simplifying the same file's white space in the same run,
// and the module's opening on a sample system against awk on its interfaces
// file; measures the peak memory of one run in a process of its own.
// Prints a Markdown table. Usage: quorlanbench [folder on a tmpfs for the files]

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTimer>

#include <KCModule>

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/leasefile.h"
#include "config/systemfiles.h"
#include "platform/systempaths.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace
{
struct Case {
    const char *name;
    const char *systemPath; // the generated input; awk reads the same file
    const char *unit;
    std::vector<int> sizes; // each ten times the one before
    std::function<QByteArray(int)> generate;
    std::function<void()> run;
    std::function<void()> reference = {}; // what to compare with; awk on the same file by default
    bool inProcess = true; // false: the case runs a process of its own, whose memory is not ours
};

QString realPath(const char *systemPath)
{
    return SystemPaths::path(QString::fromLatin1(systemPath));
}

void writeFile(const char *systemPath, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(realPath(systemPath)).path());
    QFile file(realPath(systemPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(file.fileName()));
    }
}

// Runs a program to its end, its standard output going to a file.
void runProgram(const std::vector<QByteArray> &arguments, const QByteArray &output)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments) {
        argv.push_back(const_cast<char *>(argument.constData()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid;
    int status = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0 || ::waitpid(pid, &status, 0) != pid || status != 0) {
        qFatal("%s failed", argv[0]);
    }
    posix_spawn_file_actions_destroy(&actions);
}

// The most memory a process of its own holds while it runs the case once: the
// high-water mark of its own pages (getrusage would count those of the
// benchmark that spawned it, too).
qint64 peakBytes(const QByteArray &self, const char *caseName)
{
    const QString report = SystemPaths::path(QStringLiteral("/peak"));
    runProgram({self, "--once", caseName}, QFile::encodeName(report));
    QFile file(report);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() * 1024 : 0;
}

qint64 ownPeakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return 0;
}

double secondsOf(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e9;
}

// The fastest of runs taken in turns with the reference's, enough to fill about
// a second (at least seven each): on a shared machine the fastest run is the
// one that others disturbed least, and taking turns gives both the same chances.
std::pair<double, double> fastestSeconds(const std::function<void()> &ours, const std::function<void()> &reference)
{
    double best = 1e9;
    double bestReference = 1e9;
    QElapsedTimer total;
    total.start();
    for (int runs = 0; runs < 7 || (total.elapsed() < 1000 && runs < 201); ++runs) {
        best = std::min(best, secondsOf(ours));
        bestReference = std::min(bestReference, secondsOf(reference));
    }
    return {best, bestReference};
}

Interface record(int number, Interface::Method method)
{
    Interface result;
    result.setInterfaceNumber(number);
    result.present = true;
    result.enabled = true;
    result.saveSettings(method == Interface::Dhcp,
                        QStringLiteral("10.0.%1.2").arg(number),
                        QStringLiteral("255.255.255.0"),
                        QStringLiteral("10.0.%1.1").arg(number),
                        QStringLiteral("box"));
    result.defaultGateway = number == 0;
    return result;
}

// Stanzas of many kinds, eth0 to eth4 among them, as a router or a VM host has.
QByteArray interfacesFile(int stanzas)
{
    QByteArray file = "# generated for the benchmark\nauto lo\niface lo inet loopback\n\n";
    for (int i = 0; i < stanzas; ++i) {
        const QByteArray device = QByteArray(i < 5 ? "eth" : "vlan") + QByteArray::number(i);
        file += "auto " + device + "\niface " + device + " inet static\n    address 10." + QByteArray::number(i / 250 % 250) + "." + QByteArray::number(i % 250)
            + ".1\n\tnetmask 255.255.255.0\n    up   ip link set " + device + " mtu 1400\n# stanza " + QByteArray::number(i) + "\n\n";
    }
    return file;
}

QByteArray leaseFile(int blocks)
{
    QByteArray file;
    for (int i = 0; i < blocks; ++i) {
        const QByteArray device(i % 3 ? "eth0" : "eth1");
        file += "lease {\n  interface \"" + device + "\";\n  fixed-address 10.0." + QByteArray::number(i % 250) + ".57;\n"
            + "  option subnet-mask 255.255.252.0;\n  option routers 10.0.0.1;\n  option dhcp-lease-time 3600;\n"
              "  option domain-name-servers 10.0.0.53,10.0.0.54;\n  option host-name \"labhost\";\n"
              "  renew 6 2026/12/05 14:12:56;\n  rebind 6 2026/12/05 14:38:11;\n  expire 6 2026/12/05 14:45:41;\n}\n";
    }
    return file;
}

void writeInterfaces()
{
    static const Interface records[] = {record(0, Interface::Static),
                                        record(1, Interface::Dhcp),
                                        record(2, Interface::Static),
                                        record(3, Interface::Static),
                                        record(4, Interface::Dhcp)};
    if (!InterfacesFile::write(records, 5)) {
        qFatal("the interfaces file was not written");
    }
}

// The lease file, and beside it the interfaces file of one DHCP interface.
QByteArray leaseFileBesideInterfaces(int blocks)
{
    writeFile("/etc/network/interfaces", "auto lo eth0\niface lo inet loopback\niface eth0 inet dhcp\niface eth1 inet static\n\taddress 10.0.1.2\n");
    return leaseFile(blocks);
}

void readInterfacesAndLease()
{
    const std::optional<InterfacesFile> file = InterfacesFile::read();
    const std::optional<QByteArray> leases = LeaseFile::read();
    for (int i = 0; i < SystemFiles::RecordCount; ++i) {
        Interface record;
        record.setInterfaceNumber(i);
        record.parseInterfacesList(*file, leases);
    }
}

// An ad-blocking list with comments and the machine's own entries among it.
QByteArray hostsFile(int lines)
{
    QByteArray file =
        "127.0.0.1\tlocalhost\n::1     localhost ip6-localhost ip6-loopback\n"
        "192.168.1.5\tbox.old.example box\n10.0.3.57 box\n172.16.0.9   printer\n";
    for (int i = 5; i < lines; ++i) {
        if (i % 100 == 0) {
            file += "# block list, section " + QByteArray::number(i / 100) + "\n";
        } else {
            file += QByteArray(i % 3 ? "0.0.0.0 ads" : "0.0.0.0\ttracker") + QByteArray::number(i) + ".example.com\n";
        }
    }
    return file;
}

void writeHosts()
{
    static const auto records = [] {
        std::array<Interface, SystemFiles::RecordCount> result;
        for (int i = 0; i < SystemFiles::RecordCount; ++i) {
            result[i] = record(i, i == 1 ? Interface::Dhcp : Interface::Static);
        }
        result[0].oldIPAddress = QStringLiteral("192.168.1.5");
        result[1].dhcpAddresses.setIPAddress(QStringLiteral("10.0.3.57"));
        result[2].enabled = false;
        result[2].oldIPAddress = QStringLiteral("172.16.0.9");
        return result;
    }();
    BasicNetCfg identity;
    identity.hostName = QStringLiteral("box");
    identity.domain = QStringLiteral("lab.example");
    if (!HostsFile(identity, records.data(), true).writeHosts()) {
        qFatal("the hosts file was not written");
    }
}

// The sample system of the tests; the input size is that of its interfaces file.
QByteArray sampleSystem(int)
{
    const QString tree = QStringLiteral(QUORLAN_SAMPLE_SYSTEM);
    QDirIterator it(tree, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        writeFile(qPrintable(it.filePath().mid(tree.size())), file.readAll());
        // The stand-ins for the programs the module runs must stay runnable.
        QFile::setPermissions(realPath(qPrintable(it.filePath().mid(tree.size()))), file.permissions());
    }
    QFile interfaces(tree + QLatin1String("/etc/network/interfaces"));
    interfaces.open(QIODevice::ReadOnly);
    return interfaces.readAll();
}

// A whole process that opens the module and quits, as the reference opens an empty one.
void openModuleInAProcess()
{
    runProgram({QUORLAN_MODULE_OPEN, QUORLAN_PLUGIN}, "/dev/null");
}

void openEmptyModuleInAProcess()
{
    runProgram({QUORLAN_MODULE_OPEN, QUORLAN_EMPTY_MODULE}, "/dev/null");
}

// What the control center does: the plug-in's factory, which builds the module, then its load.
void openModule()
{
    using Factory = KCModule *(*)(QWidget *, const char *);
    static const auto create = reinterpret_cast<Factory>(QLibrary::resolve(QStringLiteral(QUORLAN_PLUGIN), "create_quorlan"));
    if (!create) {
        qFatal("no create_quorlan in %s", QUORLAN_PLUGIN);
    }
    // A message box would wait for a click that never comes.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        qFatal("opening the module showed a message box");
    });
    watchdog.start(10000);
    std::unique_ptr<KCModule> module(create(nullptr, "quorlan"));
    module->load();
}

const std::vector<Case> &cases()
{
    static const std::vector<Case> all = {
        {"hosts write, 5 records", "/etc/hosts", "lines", {20000, 200000}, hostsFile, writeHosts},
        {"interfaces write, 5 records", "/etc/network/interfaces", "stanzas", {50, 500, 5000}, interfacesFile, writeInterfaces},
        {"interfaces + lease read", "/var/dhcp/dhclient.leases", "lease blocks", {10, 100, 1000, 10000}, leaseFileBesideInterfaces, readInterfacesAndLease},
        {"module open (create_quorlan to the end of load())", "/etc/network/interfaces", "sample system", {1}, sampleSystem, openModule},
        {"module open, whole process against an empty module's",
         "/etc/network/interfaces",
         "sample system",
         {1},
         sampleSystem,
         openModuleInAProcess,
         openEmptyModuleInAProcess,
         false},
    };
    return all;
}

QString size(qint64 bytes)
{
    return bytes < 1 << 20 ? QStringLiteral("%1 KB").arg(bytes / 1024.0, 0, 'f', 0) : QStringLiteral("%1 MB").arg(bytes / 1048576.0, 0, 'f', 1);
}

QString duration(double seconds)
{
    return seconds < 1e-3 ? QStringLiteral("%1 µs").arg(seconds * 1e6, 0, 'f', 0) : QStringLiteral("%1 ms").arg(seconds * 1e3, 0, 'f', 1);
}

bool isModuleCase(const char *name)
{
    return qstrncmp(name, "module", 6) == 0;
}

// One case on one input size: a table row, and our time for the scaling check.
// The peak memory is also given above that of a process of the same kind that
// does nothing (its libraries), and that part against the input file.
double measure(const Case &c, int count, const QByteArray &self)
{
    const QByteArray input = c.generate(count);
    const QString path = realPath(c.systemPath);
    const QByteArray awkOutput = QFile::encodeName(path + QLatin1String(".awk"));
    const std::function<void()> fresh = [&]() {
        writeFile(c.systemPath, input);
    };
    fresh();
    const auto awkOnTheFile = [&]() {
        runProgram({"awk", "{$1=$1};1", QFile::encodeName(path)}, awkOutput);
    };
    const auto [ours, awk] = fastestSeconds(c.run, c.reference ? c.reference : awkOnTheFile);
    fresh();
    const QString amount = c.sizes.size() > 1 ? QStringLiteral("%1 %2").arg(count).arg(QLatin1String(c.unit)) : QLatin1String(c.unit);
    if (!c.inProcess) {
        std::printf("| %s | %s (%s) | %s | %s | %.2f× | — |\n",
                    c.name,
                    qPrintable(amount),
                    qPrintable(size(input.size())),
                    qPrintable(duration(ours)),
                    qPrintable(duration(awk)),
                    ours / awk);
        std::fflush(stdout);
        return ours;
    }
    const qint64 peak = peakBytes(self, c.name);
    static const qint64 idleCore = peakBytes(self, "nothing");
    static const qint64 idleWidgets = peakBytes(self, "module idle");
    const qint64 own = peak - (isModuleCase(c.name) ? idleWidgets : idleCore);
    std::printf("| %s | %s (%s) | %s | %s | %.2f× | %s: +%s, %.1f× the file |\n",
                c.name,
                qPrintable(amount),
                qPrintable(size(input.size())),
                qPrintable(duration(ours)),
                qPrintable(duration(awk)),
                ours / awk,
                qPrintable(size(peak)),
                qPrintable(size(own)),
                double(own) / input.size());
    std::fflush(stdout);
    return ours;
}
}

int main(int argc, char *argv[])
{
    // The module is a widget: it is built on the offscreen platform, never shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A file case's own process holds no more than a command-line tool would.
    const bool widgets = argc < 3 || qstrcmp(argv[1], "--once") != 0 || isModuleCase(argv[2]);
    std::unique_ptr<QCoreApplication> app(widgets ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));
    const QStringList arguments = app->arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--once")) {
        for (const Case &c : cases()) {
            if (arguments.at(2) == QLatin1String(c.name)) {
                c.run();
            }
        }
        std::printf("%lld\n", ownPeakKilobytes());
        return 0;
    }
    QTemporaryDir root(arguments.value(1, QDir::tempPath()) + QLatin1String("/quorlan-bench-XXXXXX"));
    qputenv("QUORLAN_ROOT", QFile::encodeName(root.path()));

    std::printf("| case | input | quorlan | reference | ratio | peak memory |\n|---|---|---|---|---|---|\n");
    QStringList scaling;
    for (const Case &c : cases()) {
        std::vector<double> times;
        for (const int count : c.sizes) {
            times.push_back(measure(c, count, QFile::encodeName(app->applicationFilePath())));
        }
        if (times.size() < 2) {
            continue;
        }
        QStringList steps;
        for (size_t i = 1; i < times.size(); ++i) {
            steps << QStringLiteral("×%1").arg(times[i] / times[i - 1], 0, 'f', 1);
        }
        scaling << QStringLiteral("%1: %2").arg(QLatin1String(c.name), steps.join(QLatin1String(", ")));
    }
    std::printf(
        "\nThe reference is awk '{$1=$1};1' on the same file (for the module, its interfaces file); for the "
        "module's process, the same program opening an empty module.\n"
        "Peak memory: the whole process, and (+) what the case adds to a process that only starts.\n"
        "Time for ten times the input, step by step: %s.\n",
        qPrintable(scaling.join(QLatin1String("; "))));
    return 0;
}
