#pragma once
// The running processes as the game watcher sees them: a name and the command line. The
// real table comes from /proc; tests hand in their own.

#include <QString>
#include <QStringList>

#include <vector>

namespace games {

struct ProcessInfo {
    qint64 pid = 0;
    QString name;          // the kernel's short name (at most 15 characters on Linux)
    QStringList arguments; // empty when the command line could not be read
};

class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    virtual std::vector<ProcessInfo> processes() = 0;
};

// Reads `<root>/<pid>/comm` and `<root>/<pid>/cmdline`. A process that ends while it is
// read, or whose files cannot be read, is left out or keeps only what was read.
class ProcProcessTable final : public ProcessTable {
public:
    explicit ProcProcessTable(QString root = QStringLiteral("/proc")) : root_(std::move(root)) {}
    std::vector<ProcessInfo> processes() override;

private:
    QString root_;
};

// Names a user can pick from: each game-like name once, sorted (the .exe of a Wine or
// Proton game in place of its loader's name).
QStringList choosableNames(const std::vector<ProcessInfo> &processes);

} // namespace games
