#pragma once

#include "WizardStep.h"

#include <functional>

struct WizardState;
class QLabel;
class QLineEdit;
class QPushButton;

// Step 0: the configuration database that the wizard reads and writes.
class DatabaseStep : public WizardStep
{
    Q_OBJECT
public:
    DatabaseStep(WizardState &state, QWidget *parent = nullptr);

    void EnterDatabaseStep(bool windowVisible);
    bool IsDatabaseStepComplete() const;
    // Takes over a new path (clearing what later steps loaded) and runs
    // `passed` when a file is there or it names a database server; message
    // DatabaseNotFound otherwise. The file is asked of the folder reader: a folder that
    // does not answer within its bound is named in a message instead.
    void CheckDatabase(std::function<void()> passed);
    // The open-file dialog; the chosen path or empty.
    QString ChooseDatabaseFile();

    bool enterStep(bool windowVisible) override { EnterDatabaseStep(windowVisible); return true; }
    bool isStepComplete() const override { return IsDatabaseStepComplete(); }
    void checkStep(std::function<void()> passed) override { CheckDatabase(std::move(passed)); }
    QWidget *mainControl() const override;

    QLabel *lblDatabase;
    QLineEdit *txtDatabase;
    QPushButton *cmdBrowse;

signals:
    // txtDatabase_Change: the frame updates its buttons.
    void changed();

public slots:
    void cmdBrowse_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WizardState &m_state;
};
