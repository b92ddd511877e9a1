#pragma once
// Collects Qt debug output (and the link's standard-output texts) while in scope.

#include <QString>
#include <QStringList>
#include <QtGlobal>

class LogCapture {
public:
    LogCapture();
    ~LogCapture();

    QStringList messages() const;
    QStringList standardOutput() const;
    bool contains(const QString &message) const { return messages().contains(message); }
    int count(const QString &message) const { return messages().count(message); }
    void clear();

private:
    QtMessageHandler previous_;
};
