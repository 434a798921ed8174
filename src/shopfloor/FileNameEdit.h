#pragma once

#include <QLineEdit>

// txtFile: selects its whole text whenever it gets the focus (also by a
// click), so that typing replaces the name.
class FileNameEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit FileNameEdit(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_selectOnRelease = false;
};
