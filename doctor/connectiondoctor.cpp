#include "doctor/connectiondoctor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace doctor {

namespace {

constexpr quint16 kVendorId = 0x16D0;
constexpr quint16 kBootloaderProductId = 0x0D5E;
constexpr quint16 kFirstProductId = 0x0D5E;
constexpr quint16 kLastProductId = 0x0D61;
// sysfs files are tiny; a larger one is not what we look for.
constexpr qint64 kMaxSysfsFile = 4096;

QString under(const QString &root, const QString &path)
{
    return QDir::cleanPath(root + QLatin1Char('/') + path);
}

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(kMaxSysfsFile);
}

// HID_ID=0003:000016D0:00000D5F in the hid device's uevent: bus, vendor, product.
bool parseHidId(const QByteArray &uevent, quint16 &vendor, quint16 &product)
{
    for (const QByteArray &line : uevent.split('\n')) {
        if (!line.startsWith("HID_ID="))
            continue;
        const QList<QByteArray> parts = line.mid(7).split(':');
        if (parts.size() != 3)
            return false;
        bool vendorOk = false;
        bool productOk = false;
        const uint v = parts[1].toUInt(&vendorOk, 16);
        const uint p = parts[2].toUInt(&productOk, 16);
        if (!vendorOk || !productOk || v > 0xFFFF || p > 0xFFFF)
            return false;
        vendor = quint16(v);
        product = quint16(p);
        return true;
    }
    return false;
}

bool ruleInstalledUnder(const QString &root)
{
    for (const char *folder : {"etc/udev/rules.d", "usr/lib/udev/rules.d", "lib/udev/rules.d"}) {
        if (QFileInfo::exists(under(root, QString::fromLatin1(folder) + QLatin1Char('/') + QLatin1String(kRuleFileName))))
            return true;
    }
    return false;
}

QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

const QString reloadRules = QStringLiteral(
    "udevadm control --reload-rules && udevadm trigger --subsystem-match=hidraw --action=change");

void describeNoAccess(const Environment &environment, Diagnosis &d)
{
    if (d.ruleInstalled) {
        d.text = QCoreApplication::translate(
                     "doctor", "A Veltrane 2 base is connected (%1), but this user may not read and write it. "
                               "The rule that grants access is installed but has not reached the device yet: "
                               "reload the rules with the command below, or unplug the base and plug it in "
                               "again. Access goes to the user logged in at this computer's screen.")
                     .arg(d.node);
        d.privilegedScript = reloadRules;
        d.fixCommand = QStringLiteral("sudo sh -c %1").arg(shellQuoted(reloadRules));
        return;
    }
    d.text = QCoreApplication::translate(
                 "doctor", "A Veltrane 2 base is connected (%1), but this user may not read and write it: "
                           "the udev rule that gives the logged-in user access is not installed. Install it "
                           "with the command below; no group membership is needed.")
                 .arg(d.node);
    if (environment.ruleBesideProgram.isEmpty())
        return;
    d.privilegedScript = QStringLiteral("install -m 0644 %1 /etc/udev/rules.d/%2 && %3")
                             .arg(shellQuoted(environment.ruleBesideProgram), QLatin1String(kRuleFileName),
                                  reloadRules);
    d.fixCommand = QStringLiteral("sudo sh -c %1").arg(shellQuoted(d.privilegedScript));
}

} // namespace

Environment Environment::system()
{
    Environment environment;
    environment.canReadWrite = [](const QString &path) {
        return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
    };
    environment.ownPid = QCoreApplication::applicationPid();
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kRuleFileName);
    if (QFileInfo::exists(beside))
        environment.ruleBesideProgram = beside;
    return environment;
}

QVector<HidrawNode> listOurNodes(const QString &root)
{
    QVector<HidrawNode> nodes;
    const QDir classDir(under(root, QStringLiteral("sys/class/hidraw")));
    const QStringList names = classDir.entryList({QStringLiteral("hidraw*")}, QDir::Dirs | QDir::NoDotAndDotDot,
                                                 QDir::Name);
    for (const QString &name : names) {
        HidrawNode node;
        node.name = name;
        // device -> the HID device, whose uevent carries the USB ids.
        if (!parseHidId(readSmallFile(classDir.filePath(name + QLatin1String("/device/uevent"))), node.vendorId,
                        node.productId))
            continue;
        if (node.vendorId == kVendorId && node.productId >= kFirstProductId && node.productId <= kLastProductId)
            nodes.append(node);
    }
    return nodes;
}

QString findHolder(const QString &root, const QString &node, qint64 ownPid)
{
    const QString target = QStringLiteral("/dev/") + node;
    const QDir proc(under(root, QStringLiteral("proc")));
    for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 number = pid.toLongLong(&numeric);
        if (!numeric || number == ownPid)
            continue;
        // Other users' fd folders are unreadable to us: those processes stay unnamed.
        const QDir fds(proc.filePath(pid + QLatin1String("/fd")));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() != target && QFile::symLinkTarget(fd.filePath()) != target)
                continue;
            QString name = QString::fromUtf8(readSmallFile(proc.filePath(pid + QLatin1String("/comm")))).trimmed();
            if (name.isEmpty())
                name = QStringLiteral("?");
            return QStringLiteral("%1 (pid %2)").arg(name).arg(number);
        }
    }
    return QString();
}

Diagnosis diagnose(const Environment &environment)
{
    Diagnosis d;
    d.ruleInstalled = ruleInstalledUnder(environment.root);
    const QVector<HidrawNode> nodes = listOurNodes(environment.root);
    if (nodes.isEmpty()) {
        d.situation = Situation::NoDevice;
        d.text = QCoreApplication::translate(
            "doctor", "No Veltrane 2 base is connected to USB. Switch the base on, plug its USB cable into "
                      "this computer (straight, not through an unpowered hub) and wait a few seconds.");
        return d;
    }
    // The application's own nodes first: the bootloader only when nothing else is there.
    HidrawNode chosen = nodes.first();
    for (const HidrawNode &node : nodes) {
        if (node.productId != kBootloaderProductId) {
            chosen = node;
            break;
        }
    }
    d.node = QStringLiteral("/dev/") + chosen.name;
    const QString path = under(environment.root, QStringLiteral("dev/") + chosen.name);
    if (!QFileInfo::exists(path)) {
        d.situation = Situation::NodeVanished;
        d.text = QCoreApplication::translate(
                     "doctor", "The base was seen on USB, but its device node %1 went away. Plug it in again.")
                     .arg(d.node);
        return d;
    }
    if (!environment.canReadWrite || !environment.canReadWrite(path)) {
        d.situation = Situation::NoAccess;
        describeNoAccess(environment, d);
        return d;
    }
    d.holder = findHolder(environment.root, chosen.name, environment.ownPid);
    if (!d.holder.isEmpty()) {
        d.situation = Situation::HeldByProcess;
        d.text = QCoreApplication::translate("doctor", "Another program holds the base (%1): %2. Close it; Tunemark "
                                                       "connects by itself once the base is free.")
                     .arg(d.node, d.holder);
        return d;
    }
    if (chosen.productId == kBootloaderProductId) {
        d.situation = Situation::Bootloader;
        d.text = QCoreApplication::translate(
            "doctor", "The base waits in its bootloader for a firmware update. Run the firmware update to bring "
                      "it back.");
        return d;
    }
    d.situation = Situation::Unexplained;
    d.text = QCoreApplication::translate("doctor", "A Veltrane 2 base is connected (%1) and this user may use it, "
                                                   "but it did not answer. Unplug it, wait five seconds and plug "
                                                   "it in again.")
                 .arg(d.node);
    return d;
}

} // namespace doctor
