#pragma once

#include "Help.h"
#include "StepSequence.h"
#include "WizardState.h"

#include <QDialog>

class DatabaseStep;
class OptionsStep;
class QLabel;
class QPushButton;
class StationStep;
class WizardStep;

// The administration wizard: four steps in one window that configure one
// station (the computer, or in user mode the session's user), then Finish
// replaces the station's rows. A dialog, so that Enter presses the step's
// default button and Esc cancels. Closing it in any way ends the program.
class frmAdminWizard : public QDialog
{
    Q_OBJECT
public:
    explicit frmAdminWizard(QWidget *parent = nullptr);
    ~frmAdminWizard() override;

    void Form_Load();
    void ShowStep(int step);
    void UpdateButtons();

    int HelpContextID = 0;
    WizardState State;

    // fraStep(0..3): the step widgets.
    DatabaseStep *databaseStep;
    StationStep *stationStep;
    OptionsStep *sendStep;
    OptionsStep *receiveStep;
    WizardStep *fraStep[4];
    QLabel *imgFormGraphic;
    QPushButton *HelpButton;
    QPushButton *CancelButton;
    QPushButton *BackButton;
    QPushButton *NextButton;
    QPushButton *FinishButton;

signals:
    // Form_Unload has run: the program ends.
    void unloaded();

public slots:
    void HelpButton_Click();
    void CancelButton_Click();
    void BackButton_Click();
    void NextButton_Click();
    void FinishButton_Click();
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetWizardCaptions();
    void SetOwnerIcon();
    void PlaceFrames();
    // Where `step` leads with the machines enabled now.
    StepNavigation Navigation(int step) const;
    // Settings of the enabled machines for the writer; false with the reason
    // when an options row is missing (the machine left the database).
    bool CollectStationSettings(QList<struct StationMachineSetting> *settings, QString *error) const;
    void Form_KeyUp(int key);
    void Form_Unload();
    // Finish once the last step's rows passed their check.
    void SaveStation();

    QWidget *m_stepArea;
    bool m_unloaded = false;
    KeyReleaseOnce m_keyUp;
};
