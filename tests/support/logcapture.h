#pragma once
// Collects Qt debug output (and the link's standard-output texts) while in scope.

#include <QString>
#include <QStringList>
#include <QtGlobal>

class DeviceLink;

class LogCapture {
public:
    // The link's standard-output texts are collected too when a link is given.
    explicit LogCapture(DeviceLink *link = nullptr);
    ~LogCapture();

    QStringList messages() const;
    QStringList standardOutput() const;
    bool contains(const QString &message) const { return messages().contains(message); }
    int count(const QString &message) const { return messages().count(message); }
    void clear();

private:
    QtMessageHandler previous_;
    DeviceLink *link_;
};
