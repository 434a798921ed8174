#pragma once

#include <QWidget>

#include <functional>

// One step of the wizard as the frame sees it, so that the frame shows
// whichever step the sequence names without knowing its kind.
class WizardStep : public QWidget
{
public:
    using QWidget::QWidget;

    // The entry routine: loads the step's data unless loaded already. False
    // (after a message) when the data cannot be read.
    virtual bool enterStep(bool windowVisible) = 0;
    // Next may be pressed.
    virtual bool isStepComplete() const = 0;
    // The check on Next (and on Finish for the last step): runs `passed`
    // when every row is right, else shows the fault and stays.
    virtual void checkStep(std::function<void()> passed) = 0;
    // Has the focus while the step is shown.
    virtual QWidget *mainControl() const = 0;
    // A cell editor is open: Enter stores the cell instead of pressing the
    // default button.
    virtual bool isEditing() const { return false; }
};
