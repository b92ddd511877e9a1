#pragma once
// The profile list's management: the selection box that activates a profile on the base,
// and adding, copying, deleting, rearranging, the default, export and import.

#include <QGroupBox>
#include <QPointer>
#include <QString>

#include <memory>

class BaseSession;
class UserPrompts;
class QComboBox;
class QLabel;
class QTimer;
class profileReorderDialog;

namespace Ui {
class ProfileManagementGroup;
}

class ProfileManagementGroup : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int kLoadSaveIndicatorMs = 5000;
    // Polling goes back to its usual pace after an import: a slower tick would show an
    // E-stop or a drive fault seconds late for the rest of the run.
    static constexpr int kStatusIntervalAfterImportMs = 1000;

    explicit ProfileManagementGroup(QWidget *parent = nullptr);
    ~ProfileManagementGroup() override;

    // Null detaches the group from the session (nothing reaches it any more).
    // Failures of the automatic backup then show on the status line.
    void setSession(BaseSession *session);
    void setPrompts(UserPrompts *prompts) { prompts_ = prompts; }

    // "This is the default profile." below the box, or nothing.
    void showDefaultProfileNote(bool activeIsDefault);

    // An import or export message is on show.
    bool loadSaveIndicatorRunning() const;

public slots:
    // One item per profile, the default in bold, the active one selected; no activation.
    void fillProfileBox();
    void loadSaveIndicatorTimeout();
    // What became of a profile-list change cut off by the last disconnection
    // (a ListChangeRecovery::Outcome).
    void showListRecovery(int outcome);

signals:
    // A dialog is open that must close when the base goes away.
    void dialogOpened(QWidget *dialog);
    // The user asks to see two profiles side by side.
    void compareRequested();

private slots:
    void on_selectprofilecomboBox_currentIndexChanged(int index);
    void on_setdefaultprofilepushbutton_clicked();
    void on_addprofilespushButton_clicked();
    void on_copyprofilepushButton_clicked();
    void on_deleteprofilepushbutton_clicked();
    void on_reorderprofilespushbutton_clicked();
    void on_exportprofilespushbutton_clicked();
    void on_importprofilespushbutton_clicked();

private:
    void reorderFinished(int result, bool refused, int activated);
    void rememberActivation(int activated);
    void showStatusLine(const QString &text, const char *styleSheet);
    void showLimitReached();
    void showUnsafeRangeRefusal();
    void showLinkBusyRefusal();
    // A list change while another operation holds the link: says so and sends nothing.
    bool refusedWhileLinkBusy();
    void showListChangeBusyRefusal();
    void showTornList();
    void importFile(const QString &path);
    void exportProfiles(const QString &path);
    void showBackupFailed(const QString &error);
    QMetaObject::Connection backupFailures_;

    std::unique_ptr<Ui::ProfileManagementGroup> ui;
    BaseSession *session_ = nullptr;
    UserPrompts *prompts_ = nullptr;
    QTimer *loadSaveIndicatorTimer_;
    QPointer<profileReorderDialog> reorderDialog_;
};
