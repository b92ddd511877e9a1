#pragma once
// The live plots in the main window: every wheel tick goes into the record, whichever tab
// is in front, so the panel shows the last ten seconds the moment it appears; the status
// tick tells which effects play. The "Live plots" button shows the panel and the settings
// store keeps it.

#include <QObject>

#include <memory>

class BaseSession;
class UserPrompts;
class WindowHost;

namespace plots {

class PlotModel;
class PlotsPanel;

class PlotsWindowPart : public QObject {
    Q_OBJECT

public:
    PlotsWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host);
    ~PlotsWindowPart() override;

    PlotsPanel &panel() const { return *panel_; }

private:
    void recordSample();
    void showPanel(bool shown);

    BaseSession &session_;
    WindowHost &host_;
    // The panel reads it; the panel lives in the window's page, which goes first.
    std::unique_ptr<PlotModel> model_;
    PlotsPanel *panel_ = nullptr;
    int heightWithoutPlots_ = 0;
};

} // namespace plots
