#pragma once
// What changed in this version of the tool, shown once after the tool was updated.

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class ChangelogDialog;
}

inline constexpr char kChangelogResource[] = ":/accompanying_files/changelog.html";

// True when the version that ran last (empty when none ever did) is older than this one.
bool changelogDue(const QString &storedVersion, const QString &toolVersion);

class ChangelogDialog : public QDialog {
    Q_OBJECT

public:
    explicit ChangelogDialog(QWidget *parent = nullptr);
    ~ChangelogDialog() override;

private:
    std::unique_ptr<Ui::ChangelogDialog> ui;
};
