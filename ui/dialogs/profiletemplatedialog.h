#pragma once
// Offers the built-in profile templates when a profile is added: each by its long name,
// with its description and credits; the chosen record is handed to the caller.

#include "settings/profileimportexport.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class profiletemplateDialog;
}

class profiletemplateDialog : public QDialog {
    Q_OBJECT

public:
    // The templates are read through `format`, so they fit the connected model.
    explicit profiletemplateDialog(const profiles::ImportExport &format, QWidget *parent = nullptr);
    ~profiletemplateDialog() override;

    int templateCount() const { return int(templates_.size()); }

    // The chosen template, handed over once; null when none is chosen or none was loaded.
    // The other templates are freed with the dialog.
    std::unique_ptr<profDataNew> takeChosenTemplate();

private slots:
    void on_templatecomboBox_currentIndexChanged(int index);

private:
    std::unique_ptr<Ui::profiletemplateDialog> ui;
    ProfileList templates_;
    std::vector<profiles::ProfileDescription> descriptions_;
};
