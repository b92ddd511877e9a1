#pragma once
// Rearranges profiles 1 .. n−1 by drag and drop (the safe profile stays first). On OK the
// new order goes to the base at once; the window keeps polling held while it is open.

#include "session/profilelistsync.h"

#include <QDialog>

#include <memory>
#include <vector>

class BaseSession;
class QListWidget;

namespace Ui {
class profileReorderDialog;
}

class profileReorderDialog : public QDialog {
    Q_OBJECT

public:
    // Each item remembers its record and whether it is the default and the active profile.
    enum ItemRole { RecordRole = Qt::UserRole, DefaultRole, ActiveRole };

    profileReorderDialog(BaseSession &session, QWidget *parent = nullptr);
    ~profileReorderDialog() override;

    QListWidget *profileListWidget() const;
    // The records in the order the user arranged them.
    std::vector<const profDataNew *> arrangedRecords() const;

    // What the last acceptance did; Refused until then.
    profilesync::Result reorderResult() const { return result_; }

public slots:
    void accept() override;

private:
    std::unique_ptr<Ui::profileReorderDialog> ui;
    BaseSession &session_;
    profilesync::Result result_;
};
