#pragma once

// Drives the real wizard through its controls: the Database box, the grids'
// cells and editors, the buttons.

#include "DatabaseStep.h"
#include "FolderReader.h"
#include "OptionsStep.h"
#include "StationStep.h"
#include "WizardGrid.h"
#include "frmAdminWizard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

struct WizardDriver {
    std::unique_ptr<frmAdminWizard> w;

    bool open()
    {
        w = std::make_unique<frmAdminWizard>();
        w->Form_Load();
        w->show();
        return QTest::qWaitForWindowExposed(w.get());
    }
    int step() const { return w->State.CurrentStep; }
    void typeDatabase(const QString &path)
    {
        w->databaseStep->txtDatabase->setFocus();
        w->databaseStep->txtDatabase->clear();
        QTest::keyClicks(w->databaseStep->txtDatabase, path);
    }
    // Next and Finish ask the folder reader; the wizard acts on its answer.
    static void settle() { QTRY_COMPARE_WITH_TIMEOUT(FolderReader::shared().jobsInFlight(), 0, 10000); }
    void press(QPushButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
    void next() { press(w->NextButton); }
    void back() { press(w->BackButton); }
    void finish() { press(w->FinishButton); }

    WizardGrid *machines() const { return w->stationStep->grdMachines; }
    WizardGrid *options(int step) const { return step == 2 ? w->sendStep->grid : w->receiveStep->grid; }
    // The row of MACHINE_ID `id` in the grid of step 1, 2 or 3.
    int row(int step, int id) const
    {
        WizardGrid *g = step == 1 ? machines() : options(step);
        for (int r = 0; r <= g->array()->upperBound(); ++r)
            if (g->array()->cellInt(r, step == 1 ? int(StationStep::ColMachineId) : int(OptionsStep::ColMachineId)) == id)
                return r;
        return -1;
    }

    void clickCell(WizardGrid *g, int row, int column)
    {
        const QModelIndex i = g->model()->index(row, column);
        g->scrollTo(i);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
    }
    // Ticks or clears Enabled of machine `id` with a tap on its cell.
    void setEnabled(int id, bool on)
    {
        if (machines()->array()->cellBool(row(1, id), StationStep::ColEnabled) != on)
            clickCell(machines(), row(1, id), StationStep::ColEnabled);
    }
    // The cell's editor, opened as a double click would.
    template <class Editor> Editor *edit(WizardGrid *g, int row, int column)
    {
        const QModelIndex i = g->model()->index(row, column);
        g->setFocus();
        g->setCurrentIndex(i);
        g->edit(i);
        return qobject_cast<Editor *>(g->cellDelegate()->openEditor());
    }
    // Picks `code` in the drop-down list of an Edit Mode or Command Type cell.
    bool pick(int id, int column, int code)
    {
        auto *box = edit<QComboBox>(machines(), row(1, id), column);
        if (!box)
            return false;
        box->setCurrentIndex(box->findData(code));
        emit box->activated(box->currentIndex());
        machines()->CommitGridEdit();
        return true;
    }
    // Types `text` into a cell's editor and presses Enter.
    bool type(WizardGrid *g, int row, int column, const QString &text)
    {
        auto *line = edit<QLineEdit>(g, row, column);
        if (!line)
            return false;
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QCoreApplication::processEvents();
        return true;
    }
};
