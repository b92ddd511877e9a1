#pragma once
// Why no base could be opened, in words and with the fix. Reads the hidraw nodes and
// their USB ids from sysfs, the nodes' access, the processes holding them (/proc) and
// where the udev rule is, all under one root folder, so a test can present every
// situation from a fake tree.

#include <QString>
#include <QVector>

#include <functional>

namespace doctor {

inline constexpr char kRuleFileName[] = "70-veltrane2-tunemark.rules";

struct HidrawNode {
    QString name;      // "hidraw3"
    quint16 vendorId = 0;
    quint16 productId = 0;
};

struct Environment {
    QString root = QStringLiteral("/");
    // Whether this user may open the node for reading and writing. The real check
    // asks the kernel (mode bits and the ACL that the rule's "uaccess" tag adds).
    std::function<bool(const QString &path)> canReadWrite;
    // Our own process, never named as the holder.
    qint64 ownPid = 0;
    // A copy of the rule beside the program (a build), for the install command.
    QString ruleBesideProgram;

    static Environment system();
};

enum class Situation {
    NoDevice,      // nothing of ours on USB
    NoAccess,      // a node, but not readable and writable by this user
    HeldByProcess, // another process has the node open
    Bootloader,    // the base waits in its bootloader
    NodeVanished,  // sysfs lists it, /dev has no such node (unplugged meanwhile)
    Unexplained,   // present, accessible, free: yet it did not answer
};

struct Diagnosis {
    Situation situation = Situation::NoDevice;
    QString node;        // "/dev/hidraw3"
    QString holder;      // "steamwebhelper (pid 4242)"
    bool ruleInstalled = false;
    QString text;        // for the user, plain text
    QString fixCommand;  // a shell command for the user to run, may be empty
    // What the "fix it for me" button runs as administrator (through pkexec); may be empty.
    QString privilegedScript;
};

// The hidraw nodes whose USB ids are ours; unreadable or malformed entries are skipped.
QVector<HidrawNode> listOurNodes(const QString &root);
// "name (pid N)" of the first other process holding /dev/<node>, empty when none.
QString findHolder(const QString &root, const QString &node, qint64 ownPid);

Diagnosis diagnose(const Environment &environment);

} // namespace doctor
