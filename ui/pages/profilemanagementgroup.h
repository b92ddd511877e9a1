#pragma once
// The profile list's management: the selection box that activates a profile on the base,
// and adding, copying, deleting, rearranging, the default, export and import.

#include <QGroupBox>
#include <QPointer>
#include <QString>

#include <memory>

class ProfileManagementHost;
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
    // Import slows polling down for good.
    static constexpr int kStatusIntervalAfterImportMs = 5000;

    explicit ProfileManagementGroup(QWidget *parent = nullptr);
    ~ProfileManagementGroup() override;

    // Null detaches the group from the window (nothing reaches it any more).
    void setHost(ProfileManagementHost *host);

    QComboBox *profileBox() const;
    QLabel *defaultProfileLabel() const;
    QLabel *importExportStatusLabel() const;

    // An import or export message is on show.
    bool loadSaveIndicatorRunning() const;

    // All profiles the base reports into an INI file. Silent: the status line stays as it
    // is. False when the path is empty, no profiles are loaded or the file was not written
    // (a file that existed stays as it was).
    bool exportProfiles(const QString &path, bool silent);

    // The silent backup before every save to flash, in the program's folder.
    bool writeAutomaticBackup();
    QString automaticBackupPath() const { return automaticBackupPath_; }
    void setAutomaticBackupPath(const QString &path) { automaticBackupPath_ = path; }

public slots:
    // One item per profile, the default in bold, the active one selected; no activation.
    void fillProfileBox();
    void loadSaveIndicatorTimeout();

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
    ProfileManagementHost &host() const;
    void reorderFinished(int result, bool refused, int activated);
    void rememberActivation(int activated);
    void showStatusLine(const QString &text, const char *styleSheet);
    void showLimitReached();
    void importFile(const QString &path);
    void announceActiveProfile();

    std::unique_ptr<Ui::ProfileManagementGroup> ui;
    ProfileManagementHost *host_ = nullptr;
    QTimer *loadSaveIndicatorTimer_;
    QPointer<profileReorderDialog> reorderDialog_;
    QString automaticBackupPath_;
};
