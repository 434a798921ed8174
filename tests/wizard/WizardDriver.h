#pragma once

// Drives the real wizard through its controls: the Database box, the grids'
// cells and editors, the buttons.

#include "DatabaseStep.h"
#include "FolderReader.h"
#include "GridArray.h"
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

    frmAdminWizard *open()
    {
        w = std::make_unique<frmAdminWizard>();
        w->Form_Load();
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            return nullptr;
        return w.get();
    }
    int step() const { return w->State.CurrentStep; }
    void typeDatabase(const QString &path)
    {
        QLineEdit *t = w->databaseStep->txtDatabase;
        t->setFocus();
        t->selectAll();
        QTest::keyClick(t, Qt::Key_Delete);
        QTest::keyClicks(t, path);
    }
    // Next and Finish ask the folder reader; the wizard acts on its answer.
    static void settle() { QTRY_COMPARE_WITH_TIMEOUT(FolderReader::shared().jobsInFlight(), 0, 10000); }
    void next()
    {
        QTest::mouseClick(w->NextButton, Qt::LeftButton);
        settle();
    }
    void back() { QTest::mouseClick(w->BackButton, Qt::LeftButton); }
    void finish()
    {
        QTest::mouseClick(w->FinishButton, Qt::LeftButton);
        settle();
    }

    WizardGrid *machines() const { return w->stationStep->grdMachines; }
    WizardGrid *options(int step) const { return step == 2 ? w->sendStep->grid : w->receiveStep->grid; }
    // The row of MACHINE_ID `id` in a grid (its id column given).
    static int rowOf(WizardGrid *g, int idColumn, int id)
    {
        for (int r = 0; r <= g->array()->upperBound(); ++r)
            if (g->array()->cellInt(r, idColumn) == id)
                return r;
        return -1;
    }
    int machineRow(int id) const { return rowOf(machines(), StationStep::ColMachineId, id); }
    int optionsRow(int step, int id) const { return rowOf(options(step), OptionsStep::ColMachineId, id); }

    void clickCell(WizardGrid *g, int row, int column)
    {
        const QModelIndex i = g->model()->index(row, column);
        g->scrollTo(i);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
    }
    // Ticks or clears Enabled of machine `id` with a tap on its cell.
    void setEnabled(int id, bool on)
    {
        const int r = machineRow(id);
        if (machines()->array()->cellBool(r, StationStep::ColEnabled) != on)
            clickCell(machines(), r, StationStep::ColEnabled);
    }
    // Picks `code` in the drop-down list of an Edit Mode or Command Type cell.
    bool pick(int id, int column, int code)
    {
        WizardGrid *g = machines();
        const QModelIndex i = g->model()->index(machineRow(id), column);
        g->setCurrentIndex(i);
        g->edit(i);
        auto *box = qobject_cast<QComboBox *>(g->cellDelegate()->openEditor());
        if (!box)
            return false;
        box->setCurrentIndex(box->findData(code));
        emit box->activated(box->currentIndex());
        g->CommitGridEdit();
        return true;
    }
    // Types `text` into a cell's editor and presses Enter.
    bool type(WizardGrid *g, int row, int column, const QString &text)
    {
        const QModelIndex i = g->model()->index(row, column);
        g->setFocus();
        g->setCurrentIndex(i);
        g->edit(i);
        auto *line = qobject_cast<QLineEdit *>(g->cellDelegate()->openEditor());
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
